#pragma once
// Colours of a picture drawn on white paper rather than on the page's dark
// background: the background becomes white, every line, ray and mark a
// darker ink of its own hue that stands out from white by at least 3:1
// (white light becomes black, yellow a dark amber), text at least 4.5:1,
// and fills a light tint, so that a printed worksheet stays mostly white.

#include "gfx/TCanvas.h"

inline constexpr TColor kPaperWhite = 0xFFFFFF;
inline constexpr double kPaperContrast = 3.0;
inline constexpr double kPaperTextContrast = 4.5;

// Relative luminance (sRGB) of a 0x00BBGGRR colour, 0 to 1.
double RelativeLuminance(TColor colour);
// (lighter + 0.05) / (darker + 0.05): 1 to 21.
double ContrastRatio(TColor a, TColor b);
// The colour darkened, its hue kept, until it has `contrast` against white;
// whites and light greys become black.
TColor PaperInk(TColor colour, double contrast = kPaperContrast);

// The inks of one page, whose background colour `background` becomes white.
struct PaperTheme {
  TColor background = 0;

  TColor Ink(TColor colour) const;
  TColor Text(TColor colour) const;
  // A fill: a light tint of its ink, white for the background.
  TColor Fill(TColor colour) const;
};
