#pragma once
// Number <-> text conversions with the rules the property rows rely on.

#include <string>

// Decimal integer with optional sign (or $hex / 0x hex), 32-bit range; leading
// blanks allowed, nothing else. "1e2", "2.5" and "" are rejected.
bool TryStrToInt(const std::string& text, int& value);
// Decimal real with optional exponent; surrounding blanks allowed.
bool TryStrToFloat(const std::string& text, double& value);
// Plain decimal form: up to 15 significant digits, no trailing zeros.
std::string FloatToStr(double value);
// The shortest such text that reads back as the same 32-bit float: 1.3f
// gives "1.3", where FloatToStr gives "1.29999995231628".
std::string FloatToShortStr(float value);
std::string IntToStr(long long value);
// First n characters (bytes of ASCII number texts).
std::string LeftStr(const std::string& text, std::size_t n);
std::string Trim(const std::string& text);
