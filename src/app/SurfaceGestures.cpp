#include "app/SurfaceGestures.h"

#include <QMouseEvent>
#include <QPointingDevice>

#include "app/IExperimentWindow.h"
#include "app/TDrawSurface.h"
#include "scene/Document.h"

namespace {

// Touch and pen presses reach the surface as mouse events that Qt made from
// them, or as mouse events of a touch device.
bool FromTouchOrPen(const QMouseEvent* event) {
  if (event->source() != Qt::MouseEventNotSynthesized) return true;
  const QPointingDevice* device = event->pointingDevice();
  if (!device) return false;
  return device->type() == QInputDevice::DeviceType::TouchScreen ||
         device->type() == QInputDevice::DeviceType::Stylus ||
         device->pointerType() == QPointingDevice::PointerType::Finger ||
         device->pointerType() == QPointingDevice::PointerType::Pen;
}

// Whole pixels toward zero, as the surface passes them on.
QPoint SurfacePoint(const QMouseEvent* event) {
  const QPointF p = event->position();
  return {static_cast<int>(p.x()), static_cast<int>(p.y())};
}

}  // namespace

SurfaceGestures::SurfaceGestures(IExperimentWindow& window, QObject* parent)
    : QObject(parent), window_(window) {
  setObjectName("SurfaceGestures");
  TDrawSurface* surface = window.Surface();
  // Connected after the window's own handlers, so they run first.
  connect(surface, &TDrawSurface::MouseDown, this, &SurfaceGestures::PressAt);
  connect(surface, &TDrawSurface::MouseMove, this, &SurfaceGestures::MoveTo);
  connect(surface, &TDrawSurface::MouseUp, this,
          [this](Qt::MouseButton button, int, int) { ReleaseOf(button); });
  longPress_.setSingleShot(true);
  longPress_.setInterval(kLongPressMilliseconds);
  connect(&longPress_, &QTimer::timeout, this, &SurfaceGestures::LongPressed);
  surface->installEventFilter(this);
}

void SurfaceGestures::PressAt(Qt::MouseButton button, int x, int y) {
  if (button != Qt::MiddleButton || panning_) return;
  // The window's press set the drag origins already unless the drawing
  // board or a placing tool took it; the pan starts from here either way.
  window_.Doc().SetDragOriginAll(float(x), float(y));
  panning_ = true;
  TDrawSurface* surface = window_.Surface();
  cursorBeforePan_ = surface->cursor();
  surface->setCursor(Qt::ClosedHandCursor);
}

void SurfaceGestures::MoveTo(Qt::MouseButtons buttons, int x, int y) {
  // With the left button held as well, the window's own drag goes on alone.
  if (!panning_ || !(buttons & Qt::MiddleButton) || (buttons & Qt::LeftButton)) return;
  window_.Doc().PanAll(x, y);
  window_.RefreshView();
}

void SurfaceGestures::ReleaseOf(Qt::MouseButton button) {
  if (button != Qt::MiddleButton || !panning_) return;
  panning_ = false;
  window_.Surface()->setCursor(cursorBeforePan_);
}

bool SurfaceGestures::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      swallowRelease_ = false;
      if (mouse->button() == Qt::LeftButton && FromTouchOrPen(mouse) && window_.PlainPointer()) {
        pressedAt_ = lastAt_ = SurfacePoint(mouse);
        pressedGlobal_ = mouse->globalPosition().toPoint();
        longPress_.start();
      } else {
        longPress_.stop();
      }
      break;
    }
    case QEvent::MouseMove:
      if (longPress_.isActive()) {
        lastAt_ = SurfacePoint(static_cast<QMouseEvent*>(event));
        if ((lastAt_ - pressedAt_).manhattanLength() > kLongPressSlack) longPress_.stop();
      }
      break;
    case QEvent::MouseButtonRelease:
      longPress_.stop();
      if (swallowRelease_ && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        swallowRelease_ = false;
        return true;
      }
      break;
    default:
      break;
  }
  return QObject::eventFilter(watched, event);
}

void SurfaceGestures::LongPressed() {
  if (!window_.PointerHeld()) return;
  TDrawSurface* surface = window_.Surface();
  // The press ends here, as its release would: it keeps what it selected,
  // and a wobble of the finger that dragged an object is a drag like any.
  surface->FlushMouseMove();
  swallowRelease_ = true;
  window_.EndPress(lastAt_.x(), lastAt_.y());
  window_.PopupMenuAt(pressedGlobal_);
}
