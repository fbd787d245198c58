#include "gfx/BoardOverlay.h"

#include <QPainter>
#include <QPolygon>
#include <algorithm>
#include <cmath>

#include "gfx/Colour.h"

void BoardOverlay::Cover(QSize surface) {
  const int width = std::max({surface.width(), kMinWidth, image_.width()});
  const int height = std::max({surface.height(), kMinHeight, image_.height()});
  if (width == image_.width() && height == image_.height()) return;
  QImage grown(width, height, QImage::Format_ARGB32_Premultiplied);
  grown.fill(Qt::transparent);
  if (!image_.isNull()) {
    QPainter painter(&grown);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(0, 0, image_);
  }
  image_ = std::move(grown);
}

void BoardOverlay::Select(Tool tool) {
  tool_ = tool;
  stroking_ = false;
}

void BoardOverlay::PointerDown(int x, int y) {
  if (!Created() || tool_ == Tool::None) return;
  lastX_ = x;
  lastY_ = y;
  strokeWidth_ = penWidth;
  stroking_ = true;
  if (tool_ == Tool::Eraser) {
    EraseSquare(x, y);
  } else {
    // A tap leaves a dot, as a marker on a whiteboard does.
    PenLine(x, y);
  }
}

void BoardOverlay::PointerMove(int x, int y) {
  if (!stroking_) return;
  if (tool_ == Tool::Pen) {
    if (speedSensitive && pressure >= 0) {
      strokeWidth_ = std::max(1, int(std::lround(10 * std::min(pressure, 1.0))));
    } else if (speedSensitive) {
      const double d = std::hypot(double(x - lastX_), double(y - lastY_));
      const int width = int(10 - 0.4 * d);
      if (width >= 0) strokeWidth_ = width;
    }
    PenLine(x, y);
  } else {
    const int s = eraserSize, px = lastX_, py = lastY_;
    EraseSquare(x, y);
    // Two bands joining the last square to this one along both diagonals,
    // so a fast sweep leaves no gaps.
    QPainter painter(&image_);
    painter.setCompositionMode(QPainter::CompositionMode_Clear);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::black);
    painter.drawPolygon(QPolygon({QPoint(x - 1, y - 1), QPoint(x + s, y + s),
                                  QPoint(px + s, py + s), QPoint(px - 1, py - 1)}),
                        Qt::WindingFill);
    painter.drawPolygon(QPolygon({QPoint(x + s, y - 1), QPoint(x - 1, y + s),
                                  QPoint(px - 1, py + s), QPoint(px + s, py - 1)}),
                        Qt::WindingFill);
  }
  lastX_ = x;
  lastY_ = y;
}

void BoardOverlay::PenLine(int x, int y) {
  QPainter painter(&image_);
  // A pen in the key colour draws nothing, as the key is what is clear.
  const bool clear = penColor == kTransparentColor;
  painter.setRenderHint(QPainter::Antialiasing, !clear);
  if (clear) painter.setCompositionMode(QPainter::CompositionMode_Clear);
  painter.setPen(
      QPen(ToQColor(penColor), strokeWidth_, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.drawLine(lastX_, lastY_, x, y);
}

void BoardOverlay::EraseSquare(int x, int y) {
  QPainter painter(&image_);
  painter.setCompositionMode(QPainter::CompositionMode_Clear);
  // (x - 1, y - 1) to (x + size, y + size), the far edge included.
  painter.fillRect(QRect(QPoint(x - 1, y - 1), QPoint(x + eraserSize, y + eraserSize)), Qt::black);
}

void BoardOverlay::Clear() {
  if (Created()) image_.fill(Qt::transparent);
}

void BoardOverlay::PaintOver(QImage& target) const {
  if (!Created() || target.isNull()) return;
  QPainter painter(&target);
  painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
  painter.drawImage(0, 0, image_);
}

TColor BoardOverlay::ColorAt(int x, int y) const {
  if (!image_.valid(x, y)) return kTransparentColor;
  const QColor c = image_.pixelColor(x, y);
  if (c.alpha() == 0) return kTransparentColor;
  return TColor(c.red()) | TColor(c.green()) << 8 | TColor(c.blue()) << 16;
}
