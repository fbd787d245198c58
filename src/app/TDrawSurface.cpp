#include "app/TDrawSurface.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QShowEvent>
#include <QTabletEvent>
#include <QWindow>
#include <algorithm>

#include "gfx/paint/VectorState.h"

namespace {

int Px(qreal v) { return static_cast<int>(v); }

// The bitmap's pixels per logical pixel on `screen`: never fewer than one.
qreal RatioOf(const QScreen* screen) {
  return screen ? std::max<qreal>(1, screen->devicePixelRatio()) : 1;
}

}  // namespace

TDrawSurface::TDrawSurface(QWidget* parent, QSize size)
    : QWidget(parent), fixedSize_(size), canvas_(std::make_unique<QImageCanvas>(&image_)) {
  setObjectName("DrawUintWorkAroundImage");
  MakeImage(screen());
  setCursor(Qt::CrossCursor);
  setMouseTracking(true);
  // The popup opens after the right button's mouse-up, once the handlers
  // have selected what lies under the pointer.
  setContextMenuPolicy(Qt::PreventContextMenu);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  moveTimer_.setSingleShot(true);
  moveTimer_.setTimerType(Qt::PreciseTimer);
  connect(&moveTimer_, &QTimer::timeout, this, &TDrawSurface::FlushMouseMove);
  if (QCoreApplication* app = QCoreApplication::instance()) app->installEventFilter(this);
}

void TDrawSurface::MakeImage(const QScreen* shown) {
  const QSize logical = !fixedSize_.isEmpty() ? fixedSize_
                        : shown               ? shown->size()
                                              : QSize(1024, 768);
  const qreal ratio = RatioOf(shown);
  // The canvas keeps pointing at image_: only its contents are replaced.
  image_ = QImage((QSizeF(logical) * ratio).toSize(), QImage::Format_RGB32);
  image_.setDevicePixelRatio(ratio);
  image_.fill(Qt::black);
  ClearUpperVectorState();
}

QSize TDrawSurface::PictureSize() const { return {canvas_->Width(), canvas_->Height()}; }

void TDrawSurface::FollowScreen(const QScreen* shown) {
  if (!shown) return;
  const QSize logical = fixedSize_.isEmpty() ? shown->size() : fixedSize_;
  if (logical == PictureSize() && RatioOf(shown) == image_.devicePixelRatio()) return;
  MakeImage(shown);
  update();
  emit Remade();
}

void TDrawSurface::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (screenFollowed_) return;
  QWindow* handle = window()->windowHandle();
  if (!handle) return;
  screenFollowed_ = true;
  auto follow = [this](QScreen* shown) {
    // The same screen at another resolution or scale, too.
    disconnect(screenGeometry_);
    if (shown)
      screenGeometry_ =
          connect(shown, &QScreen::geometryChanged, this, [this, shown] { FollowScreen(shown); });
    FollowScreen(shown);
  };
  connect(handle, &QWindow::screenChanged, this, follow);
  follow(handle->screen());
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
  const QRect shown = event->rect();
  // A window larger than the screen shows a plain margin beyond the bitmap.
  if (!QRect(QPoint(), PictureSize()).contains(shown)) painter.fillRect(shown, palette().window());
  // The source in the bitmap's own pixels: at the screen's ratio this is a plain copy.
  const qreal ratio = image_.devicePixelRatio();
  painter.drawImage(
      QRectF(shown), image_,
      QRectF(shown.x() * ratio, shown.y() * ratio, shown.width() * ratio, shown.height() * ratio));
  if (keyCursor_ && hasFocus()) {
    if (const auto at = keyCursor_()) {
      // Dark under light, so that it shows on any background.
      for (const auto& [colour, width] : {std::pair{Qt::black, 3}, std::pair{Qt::white, 1}}) {
        painter.setPen(QPen(colour, width));
        painter.drawLine(at->x() - 10, at->y(), at->x() + 10, at->y());
        painter.drawLine(at->x(), at->y() - 10, at->x(), at->y() + 10);
      }
    }
  }
  painter.end();
  ClearUpperVectorState();
}

void TDrawSurface::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  update();
}

void TDrawSurface::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  update();
}

void TDrawSurface::tabletEvent(QTabletEvent* event) {
  if (event->type() != QEvent::TabletRelease)
    penPressure_ = std::clamp(event->pressure(), 0.0, 1.0);
  // Not taken: Qt then makes the mouse events every handler works with.
  event->ignore();
}

void TDrawSurface::NotePointer(const QMouseEvent* event) {
  // Mouse events Qt made from a stylus keep the stylus's pressure.
  if (event->pointerType() != QPointingDevice::PointerType::Pen &&
      event->pointerType() != QPointingDevice::PointerType::Eraser)
    penPressure_ = -1;
}

void TDrawSurface::mousePressEvent(QMouseEvent* event) {
  NotePointer(event);
  FlushMouseMove();
  const QPointF p = event->position();
  emit MouseDown(event->button(), Px(p.x()), Px(p.y()));
}

void TDrawSurface::mouseMoveEvent(QMouseEvent* event) {
  NotePointer(event);
  const QPointF p = event->position();
  pendingMove_ = PendingMove{event->buttons(), Px(p.x()), Px(p.y())};
  if (moveTimer_.isActive()) return;
  // A zero wait still lets the moves already queued come in first. A pointer
  // sampled at the display's rate comes with jitter: waiting a whole frame
  // after a late move would make every later move as late, so a quarter of
  // a frame is forgiven.
  const int frame = FrameMilliseconds();
  const qint64 waited = sinceMove_.isValid() ? sinceMove_.elapsed() : frame;
  moveTimer_.start(int(std::max<qint64>(0, frame - frame / 4 - waited)));
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
