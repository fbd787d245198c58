#include "gfx/TCanvas.h"

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
