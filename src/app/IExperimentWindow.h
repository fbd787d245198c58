#pragma once
// What the window's helpers (the classroom commands, crash recovery) need of
// the main window. They hold this, not the window class, so that they build
// and test without it and the window's header never comes back round to them.

#include <string>

#include "files/ExperimentFile.h"

class Document;
class QPoint;
class QWidget;
class TDrawSurface;

class IExperimentWindow {
 public:
  virtual ~IExperimentWindow() = default;
  virtual Document& Doc() = 0;
  // Repaints and, while running, retraces.
  virtual void RefreshView() = 0;
  // "运行": starts tracing.
  virtual void RunMenuClick() = 0;
  // A mouse button is held on the surface (a drag goes on).
  virtual bool PointerHeld() const = 0;
  virtual OpenStatus OpenExperiment(const std::string& path, bool remember) = 0;
  // The window itself: the parent of boxes, the watched widget.
  virtual QWidget* Widget() = 0;
  virtual TDrawSurface* Surface() = 0;
  // The surface takes plain pointer input: the select tool, no drawing board.
  virtual bool PlainPointer() const = 0;
  // Ends the held left press at (x, y) as its release would.
  virtual void EndPress(int x, int y) = 0;
  // The surface's popup menu at a global position.
  virtual void PopupMenuAt(const QPoint& global) = 0;
  // The document holds another experiment now (a lesson's scene): the
  // window's state follows as after an open.
  virtual void ExperimentReplaced() = 0;
};
