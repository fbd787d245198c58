#include "gfx/QtPainting.h"

#include <QGuiApplication>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "gfx/Colour.h"
#include "gfx/PixelMath.h"

namespace {}  // namespace

QRect BoxOf(int x1, int y1, int x2, int y2) {
  const int l = std::min(x1, x2), r = std::max(x1, x2);
  const int t = std::min(y1, y2), b = std::max(y1, y2);
  return QRect(l, t, r - l, b - t);
}

double ParametricAngle(double degrees, double halfWidth, double halfHeight) {
  const double a = Radians(degrees);
  return Degrees(std::atan2(halfWidth * std::sin(a), halfHeight * std::cos(a)));
}

bool IsFar(double x1, double y1, double x2, double y2) {
  return std::fabs(x1) > kFarAway || std::fabs(y1) > kFarAway || std::fabs(x2) > kFarAway ||
         std::fabs(y2) > kFarAway;
}

bool FontsAvailable() { return qobject_cast<QGuiApplication*>(QCoreApplication::instance()); }

std::span<const int> CosmeticDashes(TPenStyle style) {
  static constexpr int kDot[] = {3, 3}, kDashDot[] = {9, 6, 3, 6},
                       kDashDotDot[] = {9, 3, 3, 3, 3, 3};
  switch (style) {
    case TPenStyle::Dot:
      return kDot;
    case TPenStyle::DashDot:
      return kDashDot;
    case TPenStyle::DashDotDot:
      return kDashDotDot;
    default:
      return {};
  }
}

float AaPenWidth(const TAaPen& pen) {
  return std::isfinite(pen.width) ? std::clamp(pen.width, 0.0f, float(kMaxPenWidth)) : 1;
}

QPen AaQPen(const TAaPen& pen) {
  QPen q(ToQColor(pen.color, pen.alpha), AaPenWidth(pen));
  q.setCapStyle(Qt::FlatCap);
  q.setJoinStyle(Qt::MiterJoin);
  return q;
}

void PaintAaPie(QPainter& painter, const QRectF& box, double start, double sweep, const QPen& pen,
                bool fill, TColor fillColor) {
  if (fill) {
    QPainterPath pie;
    pie.moveTo(box.center());
    pie.arcTo(box, start, sweep);
    pie.closeSubpath();
    painter.fillPath(pie, ToQColor(fillColor));
  }
  QPainterPath arc;
  arc.arcMoveTo(box, start);
  arc.arcTo(box, start, sweep);
  painter.strokePath(arc, pen);
}

QFont MakeFont(const TFont& font) {
  QFont q(QString::fromStdString(font.name));
  if (font.size > 0) {
    q.setPointSize(font.size);
  } else if (font.size < 0) {
    q.setPixelSize(-font.size);
  }
  q.setBold(font.bold);
  q.setItalic(font.italic);
  q.setUnderline(font.underline);
  q.setStrikeOut(font.strikeOut);
  return q;
}

QPolygon ToQPolygon(const std::vector<TPoint>& points) {
  QPolygon polygon;
  polygon.reserve(static_cast<int>(points.size()));
  for (const auto& p : points) polygon << QPoint(p.x, p.y);
  return polygon;
}

QPolygonF ToQPolygonF(const std::vector<TPointF>& points) {
  QPolygonF polygon;
  polygon.reserve(static_cast<int>(points.size()));
  for (const auto& p : points) polygon << QPointF(p.x, p.y);
  return polygon;
}
