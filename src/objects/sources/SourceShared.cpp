#include "objects/sources/SourceShared.h"

#include <cmath>

#include "optics/PlaneMath.h"

StrokePainter::StrokePainter(TCanvas& canvas, bool highQuality, TColor color, int width)
    : canvas_(canvas) {
  if (!highQuality) return;
  hq_ = std::make_unique<TGDIPlusCanvas>(canvas);
  hq_->Pen.SetWidth(float(width));
  hq_->Pen.SetFixedColour(0);
  hq_->Pen.SetColor(color);
  hq_->Brush.noFill = 1;
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
  Line(tip, PointAt(tip, theta + 150, 10));
  Line(tip, PointAt(tip, theta - 150, 10));
}

void PaintDisc(TCanvas& canvas, TPointF p, TColor color) {
  canvas.Pen.color = color;
  canvas.Brush.style = TBrushStyle::Solid;
  canvas.Brush.color = color;
  canvas.Ellipse(Trunc(Trunc(p.x) - 5.0), Trunc(Trunc(p.y) - 5.0), Trunc(Trunc(p.x) + 5.0),
                 Trunc(Trunc(p.y) + 5.0));
}

void PaintLabel(TCanvas& canvas, TPointF p, TColor color, const std::string& text) {
  canvas.Font.name = "Arial";
  canvas.Font.size = 8;
  canvas.Font.color = color;
  canvas.Brush.style = TBrushStyle::Clear;
  canvas.TextOut(Trunc(p.x + 7.0), Trunc(p.y + 7.0), text);
}

void PaintSourceCircle(TCanvas& canvas, TPointF p) {
  canvas.Pen.mode = TPenMode::Copy;
  canvas.Pen.style = TPenStyle::Solid;
  canvas.Pen.width = 2;
  canvas.Pen.color = 0xFF0000;
  canvas.Brush.style = TBrushStyle::Clear;
  canvas.Ellipse(Trunc(Trunc(p.x) - 10.0), Trunc(Trunc(p.y) - 10.0), Trunc(Trunc(p.x) + 10.0),
                 Trunc(Trunc(p.y) + 10.0));
}

void PaintHandleSquare(TCanvas& canvas, TPointF p, int size, TColor color) {
  canvas.Pen.mode = TPenMode::Copy;
  canvas.Pen.width = 1;
  canvas.Pen.style = TPenStyle::Solid;
  canvas.Pen.color = color;
  canvas.Brush.style = TBrushStyle::Solid;
  canvas.Brush.color = 0xFFFFFF;
  // A handle size from a file may be anything: the sums are done in doubles
  // and saturated.
  const double half = size / 2;
  const double x = Trunc(p.x) - half, y = Trunc(p.y) - half;
  canvas.Rectangle(Trunc(x), Trunc(y), Trunc(x + size), Trunc(y + size));
}
