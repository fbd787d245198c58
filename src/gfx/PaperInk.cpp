#include "gfx/PaperInk.h"

#include <algorithm>
#include <cmath>

namespace {

// Share of the ink in a fill's tint.
constexpr double kFillShare = 0.2;

double Linear(int channel) {
  const double s = channel / 255.0;
  return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
}

int Red(TColor c) { return int(c & 0xFF); }
int Green(TColor c) { return int((c >> 8) & 0xFF); }
int Blue(TColor c) { return int((c >> 16) & 0xFF); }
TColor Rgb(int r, int g, int b) { return TColor(r) | (TColor(g) << 8) | (TColor(b) << 16); }

TColor Scaled(int r, int g, int b, double k) {
  return Rgb(int(std::lround(r * k)), int(std::lround(g * k)), int(std::lround(b * k)));
}

}  // namespace

double RelativeLuminance(TColor c) {
  return 0.2126 * Linear(Red(c)) + 0.7152 * Linear(Green(c)) + 0.0722 * Linear(Blue(c));
}

double ContrastRatio(TColor a, TColor b) {
  const double la = RelativeLuminance(a), lb = RelativeLuminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TColor PaperInk(TColor colour, double contrast) {
  int r = Red(colour), g = Green(colour), b = Blue(colour);
  const int high = std::max({r, g, b}), low = std::min({r, g, b});
  // Light on a dark page is dark on paper: white light is drawn black.
  if (high >= 224 && high - low < high / 5) return 0;
  // Yellow (red and green alike, little blue) turns amber, away from green.
  if (b < high / 3 && r >= g && r - g < high / 4) g = r * 4 / 5;
  if (ContrastRatio(Rgb(r, g, b), kPaperWhite) >= contrast) return Rgb(r, g, b);
  double lo = 0, hi = 1;  // lo always meets the contrast
  for (int i = 0; i < 24; ++i) {
    const double k = (lo + hi) / 2;
    (ContrastRatio(Scaled(r, g, b, k), kPaperWhite) >= contrast ? lo : hi) = k;
  }
  return Scaled(r, g, b, lo);
}

TColor PaperTheme::Ink(TColor colour) const {
  colour &= 0xFFFFFF;
  return colour == (background & 0xFFFFFF) ? kPaperWhite : PaperInk(colour);
}

TColor PaperTheme::Text(TColor colour) const {
  colour &= 0xFFFFFF;
  return colour == (background & 0xFFFFFF) ? kPaperWhite : PaperInk(colour, kPaperTextContrast);
}

TColor PaperTheme::Fill(TColor colour) const {
  const TColor ink = Ink(colour);
  if (ink == kPaperWhite) return ink;
  auto tint = [](int c) { return int(std::lround(255 - kFillShare * (255 - c))); };
  return Rgb(tint(Red(ink)), tint(Green(ink)), tint(Blue(ink)));
}
