#include "i18n/TtlmController.h"

#include <algorithm>

#include "i18n/TtlmSystem.h"

TtlmController::TtlmController(std::string section) : section_(std::move(section)) {
  TtlmSystem::Instance().Register(this);
}

TtlmController::~TtlmController() { TtlmSystem::Instance().Unregister(this); }

std::string TtlmController::Translate(const std::string& id, const std::string& defaultText) const {
  const ILanguageFilter* filter = TtlmSystem::Instance().Filter();
  if (!filter) return defaultText;
  auto found = filter->Translate(section_, id);
  return found ? *found : defaultText;
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
