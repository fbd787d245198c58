#pragma once
// The drawing surface: a screen-sized bitmap that every paint goes into
// through its canvas. The widget itself only shows the bitmap and passes the
// mouse on to the main window.
//
// Mouse moves are passed on about once per displayed frame, the latest
// position winning: a move during a drag refreshes (and retraces) the whole
// scene, and moves queued behind slow refreshes made the picture lag behind
// the pointer. A press, release or double click first passes on the move
// still held, and so does a key or a click anywhere in the program, so the
// handlers see every event in order.
//
// The bitmap is made at the device pixel ratio of the screen the window is
// on, so rays and text are sharp on a scaled screen; its canvas and every
// coordinate stay in logical pixels. When the window moves to another screen
// the bitmap is made anew for it (Remade), and the owner repaints.

#include <QElapsedTimer>
#include <QImage>
#include <QTimer>
#include <QWidget>

class QScreen;
#include <functional>
#include <memory>
#include <optional>

#include "gfx/paint/QImageCanvas.h"

class TDrawSurface : public QWidget {
  Q_OBJECT
 public:
  // `size` of the bitmap in logical pixels; the screen's size when empty.
  explicit TDrawSurface(QWidget* parent = nullptr, QSize size = {});

  QImage& Image() { return image_; }
  // The bitmap's size in logical pixels, the canvas's coordinates.
  QSize PictureSize() const;
  // The pressure of the stylus whose input came last, 0 to 1; -1 when the
  // last input came from a mouse or a finger.
  double PenPressure() const { return penPressure_; }
  // Makes the bitmap anew for `screen` when its size or ratio differ.
  void FollowScreen(const QScreen* screen);
  TCanvas* Canvas() { return canvas_.get(); }
  // Passes on the move held back for the next frame, if any.
  void FlushMouseMove();
  // Where a cross shows the keyboard's cursor while the surface has the
  // focus; none when `at` gives none. Drawn over the bitmap, never into it.
  void SetKeyCursor(std::function<std::optional<QPoint>()> at) { keyCursor_ = std::move(at); }

 signals:
  void MouseDown(Qt::MouseButton button, int x, int y);
  void MouseMove(Qt::MouseButtons buttons, int x, int y);
  void MouseUp(Qt::MouseButton button, int x, int y);
  void DoubleClick();
  void ContextMenuAt(QPoint globalPos);
  // The bitmap was made anew (blank): everything must be painted again.
  void Remade();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void tabletEvent(QTabletEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void NotePointer(const QMouseEvent* event);
  double penPressure_ = -1;
  struct PendingMove {
    Qt::MouseButtons buttons;
    int x = 0, y = 0;
  };
  int FrameMilliseconds() const;
  void MakeImage(const QScreen* screen);

  QSize fixedSize_;  // asked for by the owner; empty: the screen's
  QImage image_;
  bool screenFollowed_ = false;
  QMetaObject::Connection screenGeometry_;
  std::unique_ptr<QImageCanvas> canvas_;
  std::optional<PendingMove> pendingMove_;
  std::function<std::optional<QPoint>()> keyCursor_;
  QTimer moveTimer_;
  QElapsedTimer sinceMove_;  // since the last move passed on began
};
