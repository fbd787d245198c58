#include "optics/CanvasDrawing.h"

#include "gfx/PresentationScale.h"

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

void PaintHandleSquares(TCanvas& canvas, const std::vector<TPointF>& points, int size,
                        TColor color) {
  canvas.Pen.mode = TPenMode::Copy;
  canvas.Pen.width = 1;
  canvas.Pen.style = TPenStyle::Solid;
  canvas.Pen.color = color;
  canvas.Brush.style = TBrushStyle::Solid;
  canvas.Brush.color = 0xFFFFFF;
  // A handle size read from a file may be anything; sums stay in 64 bits.
  const long long whole = Scaled(size), half = whole / 2;
  for (const auto& p : points) {
    const long long x = Trunc(p.x), y = Trunc(p.y);
    canvas.Rectangle(Trunc(double(x - half)), Trunc(double(y - half)),
                     Trunc(double(x - half + whole)), Trunc(double(y - half + whole)));
  }
}

StrokePainter::StrokePainter(TCanvas& canvas, bool highQuality, TColor color, int width)
    : canvas_(canvas) {
  if (!highQuality) return;
  hq_ = std::make_unique<TGDIPlusCanvas>(TGDIPlusCanvas::Stroking(canvas, color, float(width)));
}

void StrokePainter::SetWidth(int width) {
  if (hq_)
    hq_->Pen.SetWidth(float(width));
  else
    canvas_.Pen.width = width;
}

void StrokePainter::Line(TPointF a, TPointF b) {
  if (hq_) {
    hq_->MoveTo(a.x, a.y);
    hq_->LineTo(b.x, b.y);
  } else {
    canvas_.MoveTo(Trunc(a.x), Trunc(a.y));
    canvas_.LineTo(Trunc(b.x), Trunc(b.y));
  }
}

void StrokePainter::Head(TPointF tip, double theta) {
  const double wing = Scaled(10.0);
  Line(tip, PointAt(tip, theta + 150, wing));
  Line(tip, PointAt(tip, theta - 150, wing));
}
