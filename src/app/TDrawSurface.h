#pragma once
// The drawing surface: a screen-sized bitmap that every paint goes into
// through its canvas. The widget itself only shows the bitmap and passes the
// mouse on to the main window.

#include <QImage>
#include <QWidget>
#include <memory>

#include "gfx/QImageCanvas.h"

class TDrawSurface : public QWidget {
  Q_OBJECT
 public:
  // `size` of the bitmap; the screen's size when empty.
  explicit TDrawSurface(QWidget* parent = nullptr, QSize size = {});

  QImage& Image() { return image_; }
  TCanvas* Canvas() { return canvas_.get(); }

 signals:
  void MouseDown(Qt::MouseButton button, int x, int y);
  void MouseMove(Qt::MouseButtons buttons, int x, int y);
  void MouseUp(Qt::MouseButton button, int x, int y);
  void DoubleClick();
  void ContextMenuAt(QPoint globalPos);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  QImage image_;
  std::unique_ptr<QImageCanvas> canvas_;
};
