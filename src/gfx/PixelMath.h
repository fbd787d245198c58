#pragma once
// Whole pixels from real coordinates: the one conversion every drawing uses.
// And the one pi, for every folder.

#include <numbers>

constexpr double Radians(double degrees) { return degrees * std::numbers::pi / 180.0; }
constexpr double Degrees(double radians) { return radians * 180.0 / std::numbers::pi; }

// Truncation toward zero, saturated at +-1e9 (NaN -> 0): far beyond any
// surface, yet an absurd coordinate from a file can have a few thousand
// added (a handle, a label offset) without overflowing an int.
inline int Trunc(double v) {
  constexpr double kLimit = 1e9;
  if (!(v == v)) return 0;
  if (v > kLimit) return static_cast<int>(kLimit);
  if (v < -kLimit) return static_cast<int>(-kLimit);
  return static_cast<int>(v);
}

// An int sum or product of file values, saturated at the int range.
inline int SaturatedInt(long long v) {
  if (v > 2147483647LL) return 2147483647;
  if (v < -2147483648LL) return -2147483647 - 1;
  return static_cast<int>(v);
}
