#include "optics/LawLabels.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "gfx/PixelMath.h"
#include "i18n/Convert.h"
#include "optics/PlaneMath.h"

namespace {
constexpr int kOffset = 10;  // right of and below the hit
constexpr TColor kLawColour = 0x80FFFF;

std::string Index(double n) {
  char text[32];
  std::snprintf(text, sizeof text, "%.3g", n);
  return text;
}

std::string DegreeText(double a) { return AngleText(a) + "°"; }

// "a" or "a–b" over the spot's values of one number.
template <class Text>
std::string Range(std::span<const TraceFilter::HitLaw> spot, double TraceFilter::HitLaw::*field,
                  Text text) {
  const auto [low, high] =
      std::minmax_element(spot.begin(), spot.end(),
                          [field](const auto& a, const auto& b) { return a.*field < b.*field; });
  const std::string from = text((*low).*field), to = text((*high).*field);
  return from == to ? from : from + "–" + to;
}

std::string Share(double share) {
  char text[32];
  std::snprintf(text, sizeof text, "%.3f", share);
  return text;
}

// ", R = 0.043, T = 0.957" where the face divides the light.
std::string SharesText(std::span<const TraceFilter::HitLaw> spot) {
  using H = TraceFilter::HitLaw;
  if (spot.front().reflected < 0) return {};
  return ", R = " + Range(spot, &H::reflected, Share) +
         ", T = " + Range(spot, &H::transmitted, Share);
}

}  // namespace

std::string AngleText(double degrees) { return LeftStr(FloatToStr(float(degrees)), 4); }

std::string LawText(const TraceFilter::HitLaw& h) { return LawText({&h, 1}); }

std::string LawText(std::span<const TraceFilter::HitLaw> spot) {
  using H = TraceFilter::HitLaw;
  if (spot.empty()) return {};
  const H& h = spot.front();
  const std::string t1 = Range(spot, &H::theta1, DegreeText),
                    t2 = Range(spot, &H::theta2, DegreeText);
  if (h.n1 == 0 && h.n2 == 0)
    return "θi = θr = " + (t1 == t2 ? t1 : t1 + ", " + t2) + SharesText(spot);
  const std::string n1 = Range(spot, &H::n1, Index), n2 = Range(spot, &H::n2, Index);
  std::string text = "n₁ = " + n1 + ", n₂ = " + n2 + ", θ₁ = " + t1 + ", θ₂ = " + t2;
  // The law with its numbers reads only for one colour.
  if (spot.size() == 1) text += ": " + n1 + "·sin " + t1 + " = " + n2 + "·sin " + t2;
  return text + SharesText(spot);
}

std::vector<std::span<const TraceFilter::HitLaw>> Spots(
    const std::vector<TraceFilter::HitLaw>& hits) {
  std::vector<std::span<const TraceFilter::HitLaw>> spots;
  std::size_t first = 0;
  for (std::size_t i = 1; i <= hits.size(); ++i) {
    if (i < hits.size() && hits[i].generation == hits[first].generation &&
        Distance(hits[i].at, hits[first].at) <= kSameSpot)
      continue;
    spots.emplace_back(hits.data() + first, i - first);
    first = i;
  }
  return spots;
}

void PaintLawLabels(TCanvas& canvas, const std::vector<TraceFilter::HitLaw>& hits) {
  const CanvasStyleKeeper keep(canvas);
  canvas.Font = ReadoutFont(kLawColour);
  canvas.Brush.style = TBrushStyle::Clear;
  for (const auto& spot : Spots(hits)) {
    const TPointF at = spot.front().at;
    canvas.TextOut(Trunc(at.x) + kOffset, Trunc(at.y) + kOffset, LawText(spot));
  }
}
