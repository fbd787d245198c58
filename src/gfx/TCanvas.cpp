#include "gfx/TCanvas.h"

#include <algorithm>
#include <cmath>

void TCanvas::LineTo(int x, int y) {
  Line(penPos_.x, penPos_.y, x, y);
  penPos_ = {x, y};
}

void TCanvas::Polyline(const std::vector<TPoint>& points) {
  for (std::size_t i = 1; i < points.size(); ++i) {
    Line(points[i - 1].x, points[i - 1].y, points[i].x, points[i].y);
  }
  if (!points.empty()) penPos_ = points.back();
}

CanvasBatch::CanvasBatch(TCanvas& canvas) : canvas_(canvas) { canvas_.BeginBatch(); }

CanvasBatch::~CanvasBatch() { canvas_.EndBatch(); }

namespace {
constexpr double kStrokePixelsPerPrimitive = 1000;
constexpr double kFillPixelsPerPrimitive = 100;
}  // namespace

void TCanvas::CountAtNormalSize(double scale) {
  const double whole = std::isfinite(scale) ? std::ceil(std::clamp(scale, 1.0, 1e3)) : 1;
  extraWeight_ = 1 / (whole * whole);
}

bool TCanvas::Spend(double extra) {
  if (unmetered_) return true;
  if (paintLeft_ <= 0) {
    paintCut_ = true;
    return false;
  }
  paintLeft_ -= 1 + extra * extraWeight_;
  return true;
}

double TCanvas::FillCost(double x1, double y1, double x2, double y2) const {
  const double w = std::clamp(std::max(x1, x2), 0.0, double(Width())) -
                   std::clamp(std::min(x1, x2), 0.0, double(Width()));
  const double h = std::clamp(std::max(y1, y2), 0.0, double(Height())) -
                   std::clamp(std::min(y1, y2), 0.0, double(Height()));
  return w * h / kFillPixelsPerPrimitive;
}

double TCanvas::StrokeCost(double x1, double y1, double x2, double y2, double width) const {
  const double right = Width(), bottom = Height();
  const double w =
      std::clamp(std::max(x1, x2), 0.0, right) - std::clamp(std::min(x1, x2), 0.0, right);
  const double h =
      std::clamp(std::max(y1, y2), 0.0, bottom) - std::clamp(std::min(y1, y2), 0.0, bottom);
  // w and h are within the surface, so the plain root cannot overflow and is
  // hypot's to the last bit or so, at a fraction of the cost (every line).
  return std::sqrt(w * w + h * h) * std::max(1.0, width) / kStrokePixelsPerPrimitive;
}
