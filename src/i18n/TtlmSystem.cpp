#include "i18n/TtlmSystem.h"

#include <algorithm>
#include <stdexcept>

#include "i18n/TtlmController.h"

TtlmSystem& TtlmSystem::Instance() {
  static TtlmSystem system;
  return system;
}

void TtlmSystem::Register(TtlmController* controller) {
  if (std::find(controllers_.begin(), controllers_.end(), controller) == controllers_.end())
    controllers_.push_back(controller);
}

void TtlmSystem::Unregister(TtlmController* controller) {
  controllers_.erase(std::remove(controllers_.begin(), controllers_.end(), controller),
                     controllers_.end());
}

void TtlmSystem::ActivateFilter(std::shared_ptr<ILanguageFilter> filter) {
  if (filter_ && filter_ != filter)
    throw std::logic_error(
        "Can not active the filter when there are already have an activated filter!");
  filter_ = std::move(filter);
}

void TtlmSystem::DeactivateFilter() { filter_.reset(); }

void TtlmSystem::ChangeLanguage() {
  if (filter_ && filter_->ActiveLanguage() < 0) return;
  // A window may close (and unregister) while another one is translated.
  const std::vector<TtlmController*> controllers = controllers_;
  for (TtlmController* controller : controllers)
    if (std::find(controllers_.begin(), controllers_.end(), controller) != controllers_.end())
      controller->ChangeLanguage();
}
