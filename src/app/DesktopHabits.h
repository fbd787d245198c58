#pragma once
// Keys and wheel moves that desktop programs share, added beside the
// window's own shortcuts and routed to the same handlers: Ctrl+Shift+Z and
// Ctrl+Y redo, Ctrl+Q quits as "退出" does, Esc puts an armed tool (or the
// pan mode) down as the arrow button does, Ctrl+wheel zooms as "放大" and
// "缩小" do.

#include <QObject>

class QAction;
class QKeySequence;
class TLumidorNetworkFrm;

class DesktopHabits : public QObject {
  Q_OBJECT
 public:
  // One wheel notch, in eighths of a degree.
  static constexpr int kNotch = 120;

  // Owned by the window.
  explicit DesktopHabits(TLumidorNetworkFrm* window);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QAction* AddShortcut(const char* name, const QKeySequence& keys);
  void Disarm();

  TLumidorNetworkFrm* window_;
  int wheelAngle_ = 0;  // turned with Ctrl held and not yet zoomed
};
