#include "i18n/Convert.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

bool TryStrToInt(const std::string& text, int& value) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  int base = 10;
  if (i < text.size() && text[i] == '$') {
    base = 16;
    ++i;
  } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i >= text.size()) return false;
  long long v = 0;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    int digit;
    if (c >= '0' && c <= '9')
      digit = c - '0';
    else if (base == 16 && c >= 'a' && c <= 'f')
      digit = c - 'a' + 10;
    else if (base == 16 && c >= 'A' && c <= 'F')
      digit = c - 'A' + 10;
    else
      return false;
    v = v * base + digit;
    if (v > 0xFFFFFFFFLL) return false;
  }
  if (negative) v = -v;
  if (base == 16 && v > std::numeric_limits<int>::max() && v <= 0xFFFFFFFFLL)
    v -= 0x100000000LL;  // hex texts are bit patterns
  if (v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max()) return false;
  value = static_cast<int>(v);
  return true;
}

bool TryStrToFloat(const std::string& text, double& value) {
  const std::string t = Trim(text);
  if (t.empty()) return false;
  for (char c : t)
    if (!(std::isdigit(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == '+' ||
          c == 'e' || c == 'E'))
      return false;
  char* end = nullptr;
  errno = 0;
  const double v = std::strtod(t.c_str(), &end);
  if (end != t.c_str() + t.size() || errno == ERANGE || !std::isfinite(v)) return false;
  value = v;
  return true;
}

std::string FloatToStr(double value) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.15G", value);
  std::string s = buffer;
  // "%G" switches to exponent form for very large or small values.
  const auto e = s.find('E');
  std::string mantissa = e == std::string::npos ? s : s.substr(0, e);
  std::string exponent = e == std::string::npos ? "" : s.substr(e);
  if (!exponent.empty()) {
    // E+05 -> E5, E-05 -> E-5
    std::string digits = exponent.substr(2);
    while (digits.size() > 1 && digits[0] == '0') digits.erase(0, 1);
    exponent = std::string("E") + (exponent[1] == '-' ? "-" : "") + digits;
  }
  return mantissa + exponent;
}

std::string FloatToShortStr(float value) {
  if (!std::isfinite(value)) return FloatToStr(value);
  // Nine significant digits always give the float back.
  for (int digits = 1; digits <= 9; ++digits) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*G", digits, double(value));
    const double rounded = std::strtod(buffer, nullptr);
    // Written in the plain form where FloatToStr uses it ("100", not "1E2").
    if (static_cast<float>(rounded) == value) return FloatToStr(rounded);
  }
  return FloatToStr(value);
}

std::string IntToStr(long long value) { return std::to_string(value); }

std::string LeftStr(const std::string& text, std::size_t n) { return text.substr(0, n); }

std::string Trim(const std::string& text) {
  const auto first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return {};
  const auto last = text.find_last_not_of(" \t\r\n");
  return text.substr(first, last - first + 1);
}
