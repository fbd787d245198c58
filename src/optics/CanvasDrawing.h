#pragma once
// Drawing on a canvas from real coordinates: point arrays, arrow lines and
// arcs as the objects and the tracer paint them.

#include <memory>
#include <vector>

#include "gfx/TCanvas.h"
#include "gfx/TGDIPlusCanvas.h"
#include "optics/PlaneMath.h"

std::vector<TPoint> ToPointArray(const std::vector<TPointF>& points, bool close);
void DrawArrowLine(TCanvas& canvas, TPointF a, TPointF b, int arrows);
void DrawAngleArc(TCanvas& canvas, TPointF a, TPointF b, double f, double g);
// Handle squares of `size` centred on the points: white, framed in the colour.
void PaintHandleSquares(TCanvas& canvas, const std::vector<TPointF>& points, int size,
                        TColor color);

// Straight strokes in one colour, either on the canvas in whole pixels (the
// caller has prepared its pen) or anti-aliased through a temporary
// high-quality canvas that lives as long as the painter.
class StrokePainter {
 public:
  StrokePainter(TCanvas& canvas, bool highQuality, TColor color, int width);
  void SetWidth(int width);
  void Line(TPointF a, TPointF b);
  // The two arrowhead strokes of length 10 at theta + 150 and theta - 150.
  void Head(TPointF tip, double theta);
  bool HighQuality() const { return hq_ != nullptr; }

 private:
  TCanvas& canvas_;
  std::unique_ptr<TGDIPlusCanvas> hq_;
};
