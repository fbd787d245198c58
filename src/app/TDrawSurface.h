#pragma once
// The drawing surface: a screen-sized bitmap that every paint goes into
// through its canvas. The widget itself only shows the bitmap and passes the
// mouse on to the main window.
//
// Mouse moves are passed on at most once per displayed frame, the latest
// position winning: a move during a drag refreshes (and retraces) the whole
// scene, and moves queued behind slow refreshes made the picture lag behind
// the pointer. A press, release or double click first passes on the move
// still held, and so does a key or a click anywhere in the program, so the
// handlers see every event in order.

#include <QElapsedTimer>
#include <QImage>
#include <QTimer>
#include <QWidget>
#include <memory>
#include <optional>

#include "gfx/QImageCanvas.h"

class TDrawSurface : public QWidget {
  Q_OBJECT
 public:
  // `size` of the bitmap; the screen's size when empty.
  explicit TDrawSurface(QWidget* parent = nullptr, QSize size = {});

  QImage& Image() { return image_; }
  TCanvas* Canvas() { return canvas_.get(); }
  // Passes on the move held back for the next frame, if any.
  void FlushMouseMove();

 signals:
  void MouseDown(Qt::MouseButton button, int x, int y);
  void MouseMove(Qt::MouseButtons buttons, int x, int y);
  void MouseUp(Qt::MouseButton button, int x, int y);
  void DoubleClick();
  void ContextMenuAt(QPoint globalPos);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  struct PendingMove {
    Qt::MouseButtons buttons;
    int x = 0, y = 0;
  };
  int FrameMilliseconds() const;

  QImage image_;
  std::unique_ptr<QImageCanvas> canvas_;
  std::optional<PendingMove> pendingMove_;
  QTimer moveTimer_;
  QElapsedTimer sinceMove_;  // since the last move passed on began
};
