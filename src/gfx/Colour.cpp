#include "gfx/Colour.h"

#include <algorithm>

QColor ToQColor(TColor color, int alpha) {
  return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF),
                std::clamp(alpha, 0, 255));
}

TColor FromQColor(const QColor& colour) {
  const QColor rgb = colour.toRgb();
  return static_cast<TColor>(rgb.red()) | (static_cast<TColor>(rgb.green()) << 8) |
         (static_cast<TColor>(rgb.blue()) << 16);
}
