#include "i18n/TtlmSystem.h"

#include <algorithm>
#include <stdexcept>

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
  if (filter_)
    throw std::logic_error(
        "Can not active the filter when there are already have an activated filter!");
  filter_ = std::move(filter);
}

void TtlmSystem::DeactivateFilter() { filter_.reset(); }
