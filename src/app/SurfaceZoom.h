#pragma once
// Zoom and pan where the hands are: two fingers on a touch screen zoom about
// their centre as they spread or close and pan as that centre moves. Each goes through the objects'
// own Zoom and Move, like 放大/缩小 and the pan mode, and pushes no undo snapshot.
//
// A touch that starts with one finger is left to Qt's mouse synthesis (the
// window's clicks, drags and long press); only a touch that starts with two
// fingers is taken as a pinch.

#include <QObject>
#include <QPointF>

class IExperimentWindow;

class SurfaceZoom : public QObject {
  Q_OBJECT
 public:
  // Owned by the window.
  SurfaceZoom(IExperimentWindow& window, QObject* parent);

  // Every object of the window's scene zoomed by `factor` about (cx, cy),
  // then a refresh (Ctrl+wheel, see DesktopHabits, and the pinch).
  static void ZoomAbout(IExperimentWindow& window, float cx, float cy, float factor);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool Touch(QEvent* event);

  IExperimentWindow& window_;
  bool pinching_ = false;
  QPointF centre_;
  double spread_ = 0;
};
