#include "optics/LawLabels.h"

#include <cmath>
#include <cstdio>

#include "gfx/PixelMath.h"

namespace {
constexpr int kOffset = 10;  // right of and below the hit
constexpr TColor kLawColour = 0x80FFFF;
}  // namespace

std::string LawText(const TraceFilter::HitLaw& h) {
  char text[200];
  if (h.n1 == 0 && h.n2 == 0) {
    std::snprintf(text, sizeof text, "θi = θr = %.1f°", h.theta1);
  } else {
    std::snprintf(text, sizeof text,
                  "n₁ = %.3g, n₂ = %.3g, θ₁ = %.1f°, θ₂ = %.1f°: %.3g·sin %.1f° = %.3g·sin %.1f°",
                  h.n1, h.n2, h.theta1, h.theta2, h.n1, h.theta1, h.n2, h.theta2);
  }
  return text;
}

void PaintLawLabels(TCanvas& canvas, const std::vector<TraceFilter::HitLaw>& hits) {
  const CanvasStyleKeeper keep(canvas);
  canvas.Font = ReadoutFont(kLawColour);
  canvas.Brush.style = TBrushStyle::Clear;
  for (const auto& hit : hits)
    canvas.TextOut(Trunc(hit.at.x) + kOffset, Trunc(hit.at.y) + kOffset, LawText(hit));
}
