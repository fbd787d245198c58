#include "gfx/RecordingCanvas.h"

#include <algorithm>

std::size_t RecordingCanvas::Count(RecordedOp::Kind kind) const {
  return static_cast<std::size_t>(std::count_if(
      ops.begin(), ops.end(), [kind](const RecordedOp& op) { return op.kind == kind; }));
}

RecordedOp& RecordingCanvas::Add(RecordedOp::Kind kind, std::vector<float> coords) {
  // A primitive beyond the paint budget, or one not kept, is filled into a
  // scratch record that is thrown away.
  if (!Spend() || !keep) {
    scratch_.kind = kind;
    return scratch_;
  }
  ops.push_back(RecordedOp{kind, std::move(coords), {}, Pen, Brush, Font, {}});
  return ops.back();
}

void RecordingCanvas::Line(int x1, int y1, int x2, int y2) {
  Add(RecordedOp::Line, {float(x1), float(y1), float(x2), float(y2)});
}

void RecordingCanvas::Polygon(const std::vector<TPoint>& points) {
  std::vector<float> c;
  for (const auto& p : points) {
    c.push_back(float(p.x));
    c.push_back(float(p.y));
  }
  Add(RecordedOp::Polygon, std::move(c));
}

void RecordingCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  Add(RecordedOp::Rectangle, {float(x1), float(y1), float(x2), float(y2)});
}

void RecordingCanvas::FillRect(int x1, int y1, int x2, int y2) {
  Add(RecordedOp::FillRect, {float(x1), float(y1), float(x2), float(y2)});
}

void RecordingCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  Add(RecordedOp::Ellipse, {float(x1), float(y1), float(x2), float(y2)});
}

void RecordingCanvas::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  Add(RecordedOp::Arc,
      {float(x1), float(y1), float(x2), float(y2), float(x3), float(y3), float(x4), float(y4)});
}

void RecordingCanvas::TextOut(int x, int y, const std::string& text) {
  Add(RecordedOp::Text, {float(x), float(y)}).text = text;
}

// A fixed metric keeps recorded layouts independent of installed fonts.
int RecordingCanvas::TextWidth(const std::string& text) {
  return static_cast<int>(text.size()) * std::max(1, Font.size * 2 / 3);
}

int RecordingCanvas::TextHeight(const std::string&) { return std::max(1, Font.size * 4 / 3); }

void RecordingCanvas::StretchDraw(int x1, int y1, int x2, int y2, const QImage&) {
  Add(RecordedOp::Picture, {float(x1), float(y1), float(x2), float(y2)});
}

void RecordingCanvas::StretchDrawTransparent(int x1, int y1, int x2, int y2, const QImage&,
                                             TColor transparent) {
  Add(RecordedOp::Picture,
      {float(x1), float(y1), float(x2), float(y2), float(transparent & 0xFFFFFF)});
}

void RecordingCanvas::AaLine(float x1, float y1, float x2, float y2, const TAaPen& pen) {
  Add(RecordedOp::AaLine, {x1, y1, x2, y2}).aaPen = pen;
}

void RecordingCanvas::AaPolyline(const std::vector<TPointF>& points, const TAaPen& pen) {
  std::vector<float> c;
  for (const auto& p : points) {
    c.push_back(p.x);
    c.push_back(p.y);
  }
  Add(RecordedOp::AaPolyline, std::move(c)).aaPen = pen;
}

void RecordingCanvas::AaFillPolygon(const std::vector<TPointF>& points, TColor color,
                                    std::uint8_t alpha) {
  std::vector<float> c;
  for (const auto& p : points) {
    c.push_back(p.x);
    c.push_back(p.y);
  }
  auto& op = Add(RecordedOp::AaFillPolygon, std::move(c));
  op.aaPen.color = color;
  op.aaPen.alpha = alpha;
}

void RecordingCanvas::AaPie(float x1, float y1, float x2, float y2, float startAngle,
                            float sweepAngle, const TAaPen& pen, bool fill, TColor fillColor) {
  auto& op = Add(RecordedOp::AaPie,
                 {x1, y1, x2, y2, startAngle, sweepAngle, fill ? 1.f : 0.f, float(fillColor)});
  op.aaPen = pen;
}
