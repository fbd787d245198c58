#include "gfx/TGDIPlusCanvas.h"

#include <algorithm>
#include <utility>

namespace {

TAaPen FromArgb(std::uint32_t argb, float width) {
  TAaPen pen;
  pen.color = ((argb >> 16) & 0xFF) | (argb & 0xFF00) | ((argb & 0xFF) << 16);
  pen.alpha = static_cast<std::uint8_t>(argb >> 24);
  pen.width = width;
  return pen;
}

std::vector<TPointF> ToFloats(const std::vector<TPoint>& points) {
  std::vector<TPointF> out;
  out.reserve(points.size());
  for (const auto& p : points) out.push_back({float(p.x), float(p.y)});
  return out;
}

}  // namespace

std::uint32_t ToArgb(TColor color, std::uint8_t alpha) {
  const std::uint32_t r = color & 0xFF, g = (color >> 8) & 0xFF, b = (color >> 16) & 0xFF;
  return (std::uint32_t(alpha) << 24) | (r << 16) | (g << 8) | b;
}

TGDIPen::TGDIPen() = default;

void TGDIPen::SetColor(TColor c) {
  color = c;
  if (!fixedColourFlag) argb_ = ToArgb(c, alpha);
}

void TGDIPen::SetFixedColour(std::uint8_t flag) {
  fixedColourFlag = flag;
  argb_ = flag ? fixedColour : ToArgb(color, alpha);
}

void TGDIPen::SetWidth(float width) { width_ = width; }

TAaPen TGDIPen::Current() const { return FromArgb(argb_, width_); }

bool TGDIBrush::FillColour(std::uint32_t& argb) const {
  switch (kind) {
    case kTexture:   // made on a picture loaded from an empty file name
    case kReserved:  // never filled
      return false;
    case kHatch:           // foreground and background both opaque black
    case kLinearGradient:  // opaque black at its start
    case kPathGradient:    // opaque black around the edge
      argb = 0xFF000000;
      return true;
    default:
      argb = ToArgb(solidColor, solidAlpha);
      return true;
  }
}

void TGDIPlusCanvas::MoveTo(float x, float y) {
  currentX = x;
  currentY = y;
}

void TGDIPlusCanvas::LineTo(float x, float y) {
  canvas_.AaLine(currentX, currentY, x, y, Pen.Current());
  MoveTo(x, y);
}

void TGDIPlusCanvas::Line(float x1, float y1, float x2, float y2) {
  MoveTo(x2, y2);
  canvas_.AaLine(x1, y1, x2, y2, Pen.Current());
}

void TGDIPlusCanvas::Polyline(const std::vector<TPoint>& points) {
  if (points.empty()) return;
  if (!Brush.noFill) FillPolygon(points);
  canvas_.AaPolyline(ToFloats(points), Pen.Current());
}

void TGDIPlusCanvas::FillPolygon(const std::vector<TPoint>& points) {
  std::uint32_t argb = 0;
  if (points.size() < 3 || !Brush.FillColour(argb)) return;
  const TAaPen colour = FromArgb(argb, 0);
  canvas_.AaFillPolygon(ToFloats(points), colour.color, colour.alpha);
}

void TGDIPlusCanvas::Pie(float x1, float y1, float x2, float y2, float startAngle,
                         float sweepAngle) {
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  std::uint32_t argb = 0;
  const bool fill = !Brush.noFill && Brush.FillColour(argb);
  const TAaPen fillColour = FromArgb(argb, 0);
  // The canvas counts angles counter-clockwise on the screen.
  canvas_.AaPie(x1, y1, x2, y2, -startAngle, -sweepAngle, Pen.Current(), fill, fillColour.color);
}

void TGDIPlusCanvas::Arc(float x1, float y1, float x2, float y2, float startAngle,
                         float sweepAngle) {
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  canvas_.AaPie(x1, y1, x2, y2, -startAngle, -sweepAngle, Pen.Current(), false, 0);
}
