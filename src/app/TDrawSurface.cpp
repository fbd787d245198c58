#include "app/TDrawSurface.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <algorithm>

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
  moveTimer_.setSingleShot(true);
  connect(&moveTimer_, &QTimer::timeout, this, &TDrawSurface::FlushMouseMove);
  if (QCoreApplication* app = QCoreApplication::instance()) app->installEventFilter(this);
}

bool TDrawSurface::eventFilter(QObject* watched, QEvent* event) {
  if (pendingMove_ && watched != this &&
      (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride ||
       event->type() == QEvent::MouseButtonPress))
    FlushMouseMove();
  return QWidget::eventFilter(watched, event);
}

int TDrawSurface::FrameMilliseconds() const {
  const QScreen* shown = screen();
  const double hertz = shown ? shown->refreshRate() : 60.0;
  return hertz >= 20 && hertz <= 500 ? int(1000.0 / hertz) : 16;
}

void TDrawSurface::FlushMouseMove() {
  moveTimer_.stop();
  if (!pendingMove_) return;
  const PendingMove move = *pendingMove_;
  pendingMove_.reset();
  sinceMove_.start();
  emit MouseMove(move.buttons, move.x, move.y);
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
  FlushMouseMove();
  const QPointF p = event->position();
  emit MouseDown(event->button(), Px(p.x()), Px(p.y()));
}

void TDrawSurface::mouseMoveEvent(QMouseEvent* event) {
  const QPointF p = event->position();
  pendingMove_ = PendingMove{event->buttons(), Px(p.x()), Px(p.y())};
  if (moveTimer_.isActive()) return;
  // A zero wait still lets the moves already queued come in first.
  const qint64 waited = sinceMove_.isValid() ? sinceMove_.elapsed() : FrameMilliseconds();
  moveTimer_.start(int(std::max<qint64>(0, FrameMilliseconds() - waited)));
}

void TDrawSurface::mouseReleaseEvent(QMouseEvent* event) {
  FlushMouseMove();
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
