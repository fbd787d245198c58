#pragma once
// Keys and wheel moves that desktop programs share, added beside the
// window's own shortcuts and routed to the same handlers: Ctrl+Shift+Z and
// Ctrl+Y redo, Ctrl+Q quits as "退出" does, Esc puts an armed tool (or the
// pan mode) down as the arrow button does, Ctrl+wheel zooms by the factors of
// "放大" and "缩小", about the pointer. An experiment file dropped onto the window opens as "打开"
// opens it; any other drop is refused without a word.

#include <QObject>
#include <QString>
#include <functional>

class IExperimentWindow;
class QAction;
class QKeySequence;
class QMimeData;

class DesktopHabits : public QObject {
  Q_OBJECT
 public:
  // One wheel notch, in eighths of a degree.
  static constexpr int kNotch = 120;

  // The window's own commands the keys lead to.
  struct Commands {
    std::function<void()> redo, quit, putToolDown;
  };

  DesktopHabits(IExperimentWindow& window, Commands commands, QObject* parent);
  // Esc: others let go of what they hold on it too.
  QAction* Escape() const { return escape_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 public:
  // The first local experiment file among a drop's URLs; empty when none.
  static QString DroppedExperiment(const QMimeData* data);

 private:
  bool Wheel(QEvent* event);
  bool Drop(QEvent* event);
  QAction* AddShortcut(const char* name, const QKeySequence& keys);

  IExperimentWindow& window_;
  QAction* escape_ = nullptr;
  int wheelAngle_ = 0;  // turned with Ctrl held and not yet zoomed
};
