#pragma once
// Pointer habits on the drawing surface, beside the window's own mouse
// handling (which still sees every press, move and release first):
//
// - A drag with the middle button pans the whole scene, as a left drag in
//   the pan mode ("移动") does; like that pan it takes no undo snapshot.
// - On a touch screen or whiteboard (touch or pen input), a press held still
//   for kLongPressMilliseconds opens the surface's popup menu, as the right
//   button does: the press has selected what lies under it, and ends there as
//   a click. A mouse's long press stays a press, so a held button can still
//   start a drag.

#include <QCursor>
#include <QObject>
#include <QPoint>
#include <QTimer>

class IExperimentWindow;

class SurfaceGestures : public QObject {
  Q_OBJECT
 public:
  static constexpr int kLongPressMilliseconds = 700;
  // How far a finger may wander, in logical pixels, and still hold still.
  static constexpr int kLongPressSlack = 8;

  // Owned by the window.
  SurfaceGestures(IExperimentWindow& window, QObject* parent);

  bool Panning() const { return panning_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void PressAt(Qt::MouseButton button, int x, int y);
  void MoveTo(Qt::MouseButtons buttons, int x, int y);
  void ReleaseOf(Qt::MouseButton button);
  void LongPressed();

  IExperimentWindow& window_;
  bool panning_ = false;
  QCursor cursorBeforePan_;
  QTimer longPress_;
  QPoint pressedAt_, lastAt_, pressedGlobal_;
  // The held press was ended by the long press; its release is not passed on.
  bool swallowRelease_ = false;
};
