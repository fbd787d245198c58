#include "optics/CanvasDrawing.h"

std::vector<TPoint> ToPointArray(const std::vector<TPointF>& points, bool close) {
  std::vector<TPoint> out;
  out.reserve(points.size() + 1);
  for (const auto& p : points) out.push_back({Trunc(p.x), Trunc(p.y)});
  if (close && !out.empty()) out.push_back(out.front());
  return out;
}

void DrawArrowLine(TCanvas& canvas, TPointF a, TPointF b, int arrows) {
  canvas.MoveTo(Trunc(a.x), Trunc(a.y));
  canvas.LineTo(Trunc(b.x), Trunc(b.y));
  if (arrows >= 1) {
    const double theta = DirectionAngle(a, b);
    for (double wing : {theta + 150, theta - 150}) {
      const TPointF w = PointAt(b, wing, 10);
      canvas.MoveTo(Trunc(b.x), Trunc(b.y));
      canvas.LineTo(Trunc(w.x), Trunc(w.y));
    }
  }
}

void DrawAngleArc(TCanvas& canvas, TPointF a, TPointF b, double f, double g) {
  const TPointF c = Midpoint(a, b);
  const TPointF p3 = PointAt(c, f, 100), p4 = PointAt(c, g, 100);
  canvas.Arc(Trunc(a.x), Trunc(a.y), Trunc(b.x), Trunc(b.y), Trunc(p3.x), Trunc(p3.y), Trunc(p4.x),
             Trunc(p4.y));
}
