#pragma once
// The program's texts are UTF-8 std::strings; Qt's widgets take QStrings.

#include <QString>
#include <string>

inline QString Q(const std::string& text) { return QString::fromStdString(text); }
