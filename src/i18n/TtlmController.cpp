#include "i18n/TtlmController.h"

#include <algorithm>
#include <stdexcept>

#include "i18n/SharedTexts.h"
#include "i18n/TtlmSystem.h"

TtlmController::TtlmController(std::string section) : section_(std::move(section)) {
  if (section_.empty())
    throw std::logic_error("Can not create the Language Controller without owner!");
  TtlmSystem::Instance().Register(this);
}

TtlmController::~TtlmController() { TtlmSystem::Instance().Unregister(this); }

std::string TtlmController::Translate(const std::string& id, const std::string& defaultText) const {
  auto recorded = defaults_.find(id);
  if (recorded == defaults_.end())
    defaults_.emplace(id, defaultText);
  else if (recorded->second != defaultText)
    recorded->second = defaultText;
  ILanguageFilter* filter = TtlmSystem::Instance().Filter();
  if (!filter) return defaultText;
  auto found = filter->Lookup(section_, id, defaultText);
  return found ? *found : defaultText;
}

std::optional<std::string> TtlmController::RecordedDefault(const std::string& key) const {
  auto it = defaults_.find(key);
  if (it == defaults_.end()) return std::nullopt;
  return it->second;
}

void TtlmController::ChangeLanguage() {
  if (!Active) return;
  if (OnBeforeLanguageChange) OnBeforeLanguageChange();
  if (OnLanguageChange) OnLanguageChange();
  if (OnAfterLanguageChange) OnAfterLanguageChange();
}

std::string TtlmController::Translate(const std::string& id, const std::string& defaultText,
                                      const std::vector<std::string>& arguments) const {
  const std::string format = Translate(id, defaultText);
  std::string out;
  std::size_t next = 0;
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] != '%') {
      out += format[i];
      continue;
    }
    if (i + 1 >= format.size()) return format;
    const char directive = format[i + 1];
    if (directive == '%') {
      out += '%';
    } else if (directive == 's' || directive == 'd') {
      if (next >= arguments.size()) return format;
      out += arguments[next++];
    } else {
      return format;
    }
    ++i;
  }
  return out;
}

TtlmController& MainController() {
  static TtlmController controller("TLumidorNetworkFrm");
  return controller;
}

std::string Tr(const std::string& id, const std::string& defaultText) {
  return MainController().Translate(id, defaultText);
}

std::string Tr(TextId text) { return Tr(text.id, text.text); }
