// TEMPORARY: lets the tests link until the high-quality layer lands on main.
#include "gfx/TGDIPlusCanvas.h"

TGDIPen::TGDIPen() {}
void TGDIPen::SetColor(TColor c) {
  color = c;
  if (!fixedColourFlag) argb_ = ToArgb(c, alpha);
}
void TGDIPen::SetFixedColour(std::uint8_t flag) {
  fixedColourFlag = flag;
  argb_ = flag ? fixedColour : ToArgb(color, alpha);
}
void TGDIPen::SetWidth(float w) { width_ = w; }
TAaPen TGDIPen::Current() const {
  TAaPen p;
  p.color = ((argb_ >> 16) & 0xFF) | (argb_ & 0xFF00) | ((argb_ & 0xFF) << 16);
  p.alpha = std::uint8_t(argb_ >> 24);
  p.width = width_;
  return p;
}
std::uint32_t ToArgb(TColor c, std::uint8_t a) {
  return (std::uint32_t(a) << 24) | ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
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
void TGDIPlusCanvas::Polyline(const std::vector<TPoint>&) {}
void TGDIPlusCanvas::FillPolygon(const std::vector<TPoint>&) {}
void TGDIPlusCanvas::Pie(float, float, float, float, float, float) {}
