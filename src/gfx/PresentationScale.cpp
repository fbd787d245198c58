#include "gfx/PresentationScale.h"

#include <algorithm>
#include <atomic>
#include <cmath>

namespace {

std::atomic<double>& Value() {
  static std::atomic<double> scale{1.0};
  return scale;
}

int Brightness(TColor c) {
  return (299 * int(c & 0xFF) + 587 * int((c >> 8) & 0xFF) + 114 * int((c >> 16) & 0xFF)) / 1000;
}

}  // namespace

double PresentationScale() { return Value().load(std::memory_order_relaxed); }

void SetPresentationScale(double scale) {
  Value().store(std::isfinite(scale) ? std::clamp(scale, 1.0, 3.0) : 1.0);
}

int Scaled(int size) {
  const double scale = PresentationScale();
  if (scale == 1.0) return size;
  return int(std::clamp(std::lround(size * scale), -(1L << 24), 1L << 24));
}

double Scaled(double length) { return length * PresentationScale(); }

TFont ScaledFont(const TFont& font) {
  TFont scaled = font;
  scaled.size = Scaled(font.size);
  return scaled;
}

void HaloTextOut(TCanvas& canvas, int x, int y, const std::string& text) {
  // One primitive of the paint budget, as the label alone is at scale 1.
  canvas.AsOnePrimitive([&] {
    if (PresentationScale() > 1.0) {
      // Contrasting with the label's own colour, not with the page: over a
      // filled medium, a ray or a picture the label is then still read.
      const TColor colour = canvas.Font.color;
      canvas.Font.color = Brightness(colour) < 128 ? 0xFFFFFF : 0;
      for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
          if (dx || dy) canvas.TextOut(x + dx, y + dy, text);
      canvas.Font.color = colour;
    }
    canvas.TextOut(x, y, text);
  });
}
