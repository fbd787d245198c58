#include "objects/sources/SourceShared.h"

#include <cmath>

#include "gfx/PresentationScale.h"
#include "optics/PlaneMath.h"

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
  HaloTextOut(canvas, Trunc(p.x + 7.0), Trunc(p.y + 7.0), text);
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
