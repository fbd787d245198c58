#include "gfx/paint/PainterCanvas.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainterPath>
#include <QPolygon>
#include <algorithm>
#include <cmath>

#include "gfx/ClipSegment.h"
#include "gfx/Colour.h"
#include "gfx/ColourKey.h"
#include "gfx/PixelMath.h"
#include "gfx/PresentationScale.h"
#include "gfx/QtPainting.h"
#include "gfx/paint/QImageCanvas.h"

namespace {

template <typename Point>
bool AnyFar(const std::vector<Point>& points) {
  return std::any_of(points.begin(), points.end(),
                     [](const Point& p) { return IsFar(p.x, p.y, p.x, p.y); });
}

}  // namespace

PainterCanvas::PainterCanvas(QPainter& painter, int width, int height)
    : painter_(painter),
      width_(std::max(1, width)),
      height_(std::max(1, height)),
      shadow_(std::make_unique<OwnedImageCanvas>(width_, height_)) {
  if (painter.hasClipping()) outerClip_ = painter.clipRegion();
}

PainterCanvas::~PainterCanvas() = default;

TCanvas& PainterCanvas::Shadow() {
  shadow_->Pen = Pen;
  shadow_->Brush = Brush;
  shadow_->Font = Font;
  shadow_->ClipRect = ClipRect;
  return *shadow_;
}

TColor PainterCanvas::Combined(TColor colour, QPointF at) const {
  const QImage& shadow = shadow_->Picture();
  const int x = int(std::floor(at.x())), y = int(std::floor(at.y()));
  if (x < 0 || y < 0 || x >= shadow.width() || y >= shadow.height()) return colour;
  const TColor beneath = FromQColor(shadow.pixelColor(x, y));
  return (Pen.mode == TPenMode::Xor ? colour ^ beneath : colour | beneath) & 0xFFFFFF;
}

TColor PainterCanvas::FillColour(TColor colour) const {
  if (!paper_) return colour;
  // A mark filled in its outline's colour (an arrowhead, an image's dot)
  // stays ink; an area is tinted.
  if (Pen.style != TPenStyle::Clear && (colour & 0xFFFFFF) == (Pen.color & 0xFFFFFF))
    return paper_->Ink(colour);
  return paper_->Fill(colour);
}

TAaPen PainterCanvas::AaInk(const TAaPen& pen) const {
  TAaPen ink = pen;
  ink.color = PenColour(pen.color);
  return ink;
}

void PainterCanvas::Prepare(bool withBrush, std::optional<QPointF> middle) {
  const bool compose = middle && Pen.mode != TPenMode::Copy;
  // Within the caller's clip (a worksheet's frame), if it set one.
  if (outerClip_)
    painter_.setClipRegion(*outerClip_);
  else
    painter_.setClipping(false);
  if (ClipRect.on)
    painter_.setClipRect(
        QRect(ClipRect.x1, ClipRect.y1, ClipRect.x2 - ClipRect.x1, ClipRect.y2 - ClipRect.y1),
        outerClip_ ? Qt::IntersectClip : Qt::ReplaceClip);
  painter_.setRenderHint(QPainter::Antialiasing, false);
  if (Pen.style == TPenStyle::Clear) {
    painter_.setPen(Qt::NoPen);
  } else {
    QPen pen(ToQColor(PenColour(compose ? Combined(Pen.color, *middle) : Pen.color)));
    const int width = std::clamp(Pen.width, 1, kMaxPenWidth);
    pen.setWidth(width);
    const std::span<const int> dashes = CosmeticDashes(KeptStyle(Pen));
    if (width <= 1 || !dashes.empty()) {
      // Dashes count in widths: a wide pen that keeps them scales them.
      pen.setCapStyle(Qt::FlatCap);
      if (!dashes.empty()) pen.setDashPattern(QList<qreal>(dashes.begin(), dashes.end()));
    } else {
      pen.setCapStyle(width <= 3 ? Qt::SquareCap : Qt::RoundCap);
      pen.setJoinStyle(width <= 3 ? Qt::MiterJoin : Qt::RoundJoin);
    }
    painter_.setPen(pen);
  }
  const bool solid = Brush.style == TBrushStyle::Solid;
  // On paper a dotted line's gaps stay paper, not the brush's colour.
  painter_.setBackgroundMode(solid && !paper_ ? Qt::OpaqueMode : Qt::TransparentMode);
  if (solid) painter_.setBackground(ToQColor(FillColour(Brush.color)));
  const TColor fill = FillColour(compose ? Combined(Brush.color, *middle) : Brush.color);
  painter_.setBrush(withBrush && solid ? QBrush(ToQColor(fill)) : QBrush());
}

void PainterCanvas::PrepareAa(const TAaPen* pen) {
  Prepare(false);
  painter_.setRenderHint(QPainter::Antialiasing, true);
  painter_.setBackgroundMode(Qt::TransparentMode);
  painter_.setPen(pen ? AaQPen(AaInk(*pen)) : QPen(Qt::NoPen));
}

void PainterCanvas::Line(int x1, int y1, int x2, int y2) {
  if (!Spend(StrokeCost(x1, y1, x2, y2, Pen.width)) || Pen.style == TPenStyle::Clear) return;
  double ax = x1, ay = y1, bx = x2, by = y2;
  const double margin = 16.0 + Pen.width;
  if (IsFar(ax, ay, bx, by) &&
      !ClipSegment(ax, ay, bx, by, -margin, -margin, width_ + margin, height_ + margin))
    return;
  if (ax == bx && ay == by && Pen.width <= 1) return;
  Prepare(false, QPointF((ax + bx) / 2, (ay + by) / 2));
  painter_.drawLine(QPointF(ax, ay), QPointF(bx, by));
  Shadow().Line(x1, y1, x2, y2);
}

void PainterCanvas::Polyline(const std::vector<TPoint>& points) {
  if (points.size() < 2 || AnyFar(points)) {
    TCanvas::Polyline(points);
    return;
  }
  if (!Spend()) return;
  QPolygon polygon;
  for (const auto& p : points) polygon << QPoint(p.x, p.y);
  if (Pen.style != TPenStyle::Clear) {
    Prepare(false, QPointF(polygon[0] + polygon[1]) / 2);
    painter_.drawPolyline(polygon);
    Shadow().Polyline(points);
  }
  MoveTo(points.back().x, points.back().y);
}

void PainterCanvas::Polygon(const std::vector<TPoint>& points) {
  if (!Spend() || points.size() < 2 || AnyFar(points)) return;
  QPolygon polygon;
  for (const auto& p : points) polygon << QPoint(p.x, p.y);
  Prepare(true, QRectF(polygon.boundingRect()).center());
  painter_.drawPolygon(polygon, Qt::OddEvenFill);
  Shadow().Polygon(points);
}

std::optional<QRect> PainterCanvas::OutlineBox(int x1, int y1, int x2, int y2) {
  if (!Spend()) return std::nullopt;
  const QRect box = BoxOf(x1, y1, x2, y2);
  if (box.width() < 1 || box.height() < 1) return std::nullopt;
  Prepare(true, QRectF(box).center());
  return QRect(box.left(), box.top(), box.width() - 1, box.height() - 1);
}

void PainterCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  if (const auto box = OutlineBox(x1, y1, x2, y2)) {
    painter_.drawRect(*box);
    Shadow().Rectangle(x1, y1, x2, y2);
  }
}

void PainterCanvas::FillRect(int x1, int y1, int x2, int y2) {
  if (!Spend() || Brush.style != TBrushStyle::Solid) return;
  const QRect box = BoxOf(x1, y1, x2, y2);
  if (box.isEmpty()) return;
  Prepare(false);
  painter_.fillRect(box, ToQColor(paper_ ? paper_->Fill(Brush.color) : Brush.color));
  Shadow().FillRect(x1, y1, x2, y2);
}

void PainterCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  if (const auto box = OutlineBox(x1, y1, x2, y2)) {
    painter_.drawEllipse(*box);
    Shadow().Ellipse(x1, y1, x2, y2);
  }
}

void PainterCanvas::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  if (!Spend() || Pen.style == TPenStyle::Clear) return;
  const QRect box = BoxOf(x1, y1, x2, y2);
  if (box.width() < 1 || box.height() < 1) return;
  const QRectF drawn(box.left(), box.top(), box.width() - 1, box.height() - 1);
  const double cx = drawn.center().x(), cy = drawn.center().y();
  const double w2 = std::max(drawn.width() / 2, 0.5), h2 = std::max(drawn.height() / 2, 0.5);
  const double start = ParametricAngle(Degrees(std::atan2(-(y3 - cy), x3 - cx)), w2, h2);
  double sweep = ParametricAngle(Degrees(std::atan2(-(y4 - cy), x4 - cx)), w2, h2) - start;
  while (sweep <= 0) sweep += 360;
  while (sweep > 360) sweep -= 360;
  QPainterPath path;
  path.arcMoveTo(drawn, start);
  path.arcTo(drawn, start, sweep);
  Prepare(false);
  painter_.drawPath(path);
  Shadow().Arc(x1, y1, x2, y2, x3, y3, x4, y4);
}

QFont PainterCanvas::CurrentFont() const {
  QFont q(QString::fromStdString(Font.name));
  // Points as the screen shows them (96 pixels an inch), whatever the device.
  const int size = Scaled(Font.size);
  const int pixels = size < 0 ? -size : std::max(1, (size * 96 + 36) / 72);
  q.setPixelSize(std::clamp(pixels, 1, 4096));
  q.setBold(Font.bold);
  q.setItalic(Font.italic);
  q.setUnderline(Font.underline);
  q.setStrikeOut(Font.strikeOut);
  return q;
}

void PainterCanvas::TextOut(int x, int y, const std::string& text) {
  if (IsFar(x, y, x, y) || !Spend() || text.empty() || !FontsAvailable()) return;
  const QString qtext = QString::fromStdString(text);
  const QFont font = CurrentFont();
  const QFontMetrics metrics(font);
  Prepare(false);
  if (Brush.style == TBrushStyle::Solid)
    painter_.fillRect(QRect(x, y, metrics.horizontalAdvance(qtext), metrics.height()),
                      ToQColor(paper_ ? paper_->Fill(Brush.color) : Brush.color));
  painter_.setBackgroundMode(Qt::TransparentMode);
  painter_.setFont(font);
  painter_.setPen(ToQColor(paper_ ? paper_->Text(Font.color) : Font.color));
  painter_.drawText(QPoint(x, y + metrics.ascent()), qtext);
  Shadow().TextOut(x, y, text);
}

int PainterCanvas::TextWidth(const std::string& text) {
  const QString qtext = QString::fromStdString(text);
  if (!FontsAvailable()) return int(qtext.size()) * std::max(1, std::abs(Font.size)) / 2;
  return QFontMetrics(CurrentFont()).horizontalAdvance(qtext);
}

int PainterCanvas::TextHeight(const std::string&) {
  if (!FontsAvailable()) return std::max(1, std::abs(Font.size));
  return QFontMetrics(CurrentFont()).height();
}

void PainterCanvas::StretchDraw(int x1, int y1, int x2, int y2, const QImage& picture) {
  if (!Spend()) return;
  const QRect box = BoxOf(x1, y1, x2, y2);
  if (box.isEmpty() || picture.isNull()) return;
  Prepare(false);
  painter_.drawImage(box, picture);
  Shadow().StretchDraw(x1, y1, x2, y2, picture);
}

void PainterCanvas::StretchDrawTransparent(int x1, int y1, int x2, int y2, const QImage& picture,
                                           TColor transparent) {
  if (!Spend()) return;
  const QRect box = BoxOf(x1, y1, x2, y2);
  const QRect shown = box & QRect(0, 0, width_, height_);
  if (shown.isEmpty() || picture.isNull()) return;
  Prepare(false);
  painter_.drawImage(shown.topLeft(),
                     ColourKeyedPart(picture, box, shown, ToQColor(transparent).rgb(), 1.0));
  Shadow().StretchDrawTransparent(x1, y1, x2, y2, picture, transparent);
}

void PainterCanvas::AaLine(float x1, float y1, float x2, float y2, const TAaPen& pen) {
  if (!Spend()) return;
  double ax = x1, ay = y1, bx = x2, by = y2;
  if (!std::isfinite(ax) || !std::isfinite(ay) || !std::isfinite(bx) || !std::isfinite(by)) return;
  const double margin = 16.0 + std::fabs(pen.width);
  if (IsFar(ax, ay, bx, by) &&
      !ClipSegment(ax, ay, bx, by, -margin, -margin, width_ + margin, height_ + margin))
    return;
  PrepareAa(&pen);
  painter_.drawLine(QPointF(ax, ay), QPointF(bx, by));
  Shadow().AaLine(x1, y1, x2, y2, pen);
}

void PainterCanvas::AaPolyline(const std::vector<TPointF>& points, const TAaPen& pen) {
  if (!Spend() || points.size() < 2 || AnyFar(points)) return;
  QPolygonF polygon;
  for (const auto& p : points) polygon << QPointF(p.x, p.y);
  PrepareAa(&pen);
  painter_.setBrush(QBrush());
  painter_.drawPolyline(polygon);
  Shadow().AaPolyline(points, pen);
}

void PainterCanvas::AaFillPolygon(const std::vector<TPointF>& points, TColor color,
                                  std::uint8_t alpha) {
  if (!Spend() || points.size() < 3 || AnyFar(points)) return;
  QPolygonF polygon;
  for (const auto& p : points) polygon << QPointF(p.x, p.y);
  PrepareAa(nullptr);
  painter_.setBrush(ToQColor(PenColour(color), alpha));
  painter_.drawPolygon(polygon, Qt::OddEvenFill);
  Shadow().AaFillPolygon(points, color, alpha);
}

void PainterCanvas::AaPie(float x1, float y1, float x2, float y2, float startAngle,
                          float sweepAngle, const TAaPen& pen, bool fill, TColor fillColor) {
  if (!Spend() || IsFar(x1, y1, x2, y2)) return;
  const QRectF box = QRectF(QPointF(x1, y1), QPointF(x2, y2)).normalized();
  if (box.isEmpty()) return;
  const double sweep = std::clamp(double(sweepAngle), -360.0, 360.0);
  PrepareAa(nullptr);
  PaintAaPie(painter_, box, startAngle, sweep, AaQPen(AaInk(pen)), fill,
             paper_ ? paper_->Fill(fillColor) : fillColor);
  Shadow().AaPie(x1, y1, x2, y2, startAngle, sweepAngle, pen, fill, fillColor);
}
