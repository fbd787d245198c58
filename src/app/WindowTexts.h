#pragma once
// Component texts of the main window are looked up as "<component>.<property>"
// in its section, with the design-time text as the default.

#include <QString>
#include <string>

#include "i18n/TtlmController.h"
#include "ui/QtText.h"

inline QString Caption(const char* component, const std::string& text) {
  return Q(Tr(std::string(component) + ".Caption", text));
}
inline QString Hint(const char* component, const std::string& text) {
  return Q(Tr(std::string(component) + ".Hint", text));
}
