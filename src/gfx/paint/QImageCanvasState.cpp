// The painter's state, set only when it changes: a refresh of thousands of
// lines in a few pens would otherwise set them again for every line.
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <span>

#include "gfx/Colour.h"
#include "gfx/QtPainting.h"
#include "gfx/paint/QImageCanvas.h"

void QImageCanvas::UseAntialias(QPainter& painter, bool on) {
  if (applied_.antialias == on) return;
  painter.setRenderHint(QPainter::Antialiasing, on);
  applied_.antialias = on;
}

void QImageCanvas::UseMode(QPainter& painter, QPainter::CompositionMode mode) {
  if (applied_.mode == int(mode)) return;
  painter.setCompositionMode(mode);
  applied_.mode = int(mode);
}

void QImageCanvas::UsePen(QPainter& painter, const PenKey& key) {
  if (applied_.pen == key) return;
  applied_.pen = key;
  switch (key.kind) {
    case 1: {
      QPen pen(ToQColor(key.color));
      if (key.width <= 1) {
        // Like a cosmetic GDI pen: one pixel, the end point of a line left out.
        pen.setWidth(1);
        pen.setCapStyle(Qt::FlatCap);
        pen.setJoinStyle(Qt::MiterJoin);
        const std::span<const int> dashes = CosmeticDashes(key.style);
        if (!dashes.empty()) pen.setDashPattern(QList<qreal>(dashes.begin(), dashes.end()));
      } else if (const std::span<const int> dashes = CosmeticDashes(key.style); !dashes.empty()) {
        // Scaled dashes (only asked for, see TPen): Qt counts them in widths.
        pen.setWidth(std::min(key.width, kMaxPenWidth));
        pen.setCapStyle(Qt::FlatCap);
        pen.setJoinStyle(Qt::MiterJoin);
        pen.setDashPattern(QList<qreal>(dashes.begin(), dashes.end()));
      } else {
        // Wide GDI pens are geometric with round ends; they cannot be dotted.
        // At a few pixels a square end covers the same pixels, and costs far
        // less than the curves of a round one.
        pen.setWidth(std::min(key.width, kMaxPenWidth));
        const bool thin = key.width <= 3;
        pen.setCapStyle(thin ? Qt::SquareCap : Qt::RoundCap);
        pen.setJoinStyle(thin ? Qt::MiterJoin : Qt::RoundJoin);
      }
      painter.setPen(pen);
      return;
    }
    case 2:
      painter.setPen(AaQPen({key.color, key.alpha, key.aaWidth}));
      return;
    case 3:
      painter.setPen(ToQColor(key.color));
      return;
    default:
      painter.setPen(Qt::NoPen);
  }
}

void QImageCanvas::UseBrush(QPainter& painter, const FillKey& key) {
  if (applied_.brush == key) return;
  applied_.brush = key;
  if (key.solid) {
    painter.setBrush(QBrush(ToQColor(key.color, key.alpha)));
  } else {
    painter.setBrush(Qt::NoBrush);
  }
}

void QImageCanvas::UseBackground(QPainter& painter, const FillKey& key) {
  if (applied_.background == key) return;
  applied_.background = key;
  if (key.solid) {
    // Gaps of dotted lines take the background colour unless the brush is clear.
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(QBrush(ToQColor(key.color)));
  } else {
    painter.setBackgroundMode(Qt::TransparentMode);
  }
}

void QImageCanvas::UseFont(QPainter& painter) {
  const QFont& font = CurrentFont();
  if (applied_.font == fontGeneration_) return;
  painter.setFont(font);
  applied_.font = fontGeneration_;
}
