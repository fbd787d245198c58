#include "app/TDrawSurface.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include "gfx/VectorState.h"

namespace {

QSize ScreenSize() {
  if (const QScreen* screen = QGuiApplication::primaryScreen()) return screen->size();
  return {1024, 768};
}

int Px(qreal v) { return static_cast<int>(v); }

}  // namespace

TDrawSurface::TDrawSurface(QWidget* parent, QSize size)
    : QWidget(parent),
      image_(size.isEmpty() ? ScreenSize() : size, QImage::Format_RGB32),
      canvas_(std::make_unique<QImageCanvas>(&image_)) {
  setObjectName("DrawUintWorkAroundImage");
  image_.fill(Qt::black);
  ClearUpperVectorState();
  setCursor(Qt::CrossCursor);
  setMouseTracking(true);
  // The popup opens after the right button's mouse-up, once the handlers
  // have selected what lies under the pointer.
  setContextMenuPolicy(Qt::PreventContextMenu);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void TDrawSurface::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  // A window larger than the screen shows a plain margin beyond the bitmap.
  if (!image_.rect().contains(event->rect())) painter.fillRect(event->rect(), palette().window());
  painter.drawImage(event->rect(), image_, event->rect());
  painter.end();
  ClearUpperVectorState();
}

void TDrawSurface::mousePressEvent(QMouseEvent* event) {
  const QPointF p = event->position();
  emit MouseDown(event->button(), Px(p.x()), Px(p.y()));
}

void TDrawSurface::mouseMoveEvent(QMouseEvent* event) {
  const QPointF p = event->position();
  emit MouseMove(event->buttons(), Px(p.x()), Px(p.y()));
}

void TDrawSurface::mouseReleaseEvent(QMouseEvent* event) {
  const QPointF p = event->position();
  emit MouseUp(event->button(), Px(p.x()), Px(p.y()));
  if (event->button() == Qt::RightButton) emit ContextMenuAt(event->globalPosition().toPoint());
}

void TDrawSurface::mouseDoubleClickEvent(QMouseEvent* event) {
  // The press it stands for comes first, as with the first click, so that
  // the sheet opens for what that press selected.
  mousePressEvent(event);
  if (event->button() == Qt::LeftButton) emit DoubleClick();
}
