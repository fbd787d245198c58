#pragma once
// "白底打印" and "白底显示" under "视图": the picture drawn on white paper
// (gfx/PaperInk.h) for what is printed or saved, and for the screen (a
// whiteboard in a bright room). Both are remembered for the next start.
// "白底打印" starts checked: a printed or saved worksheet is expected on
// white paper, never as a page of black toner; "白底显示" starts unchecked,
// the screen as it has always been.

#include <QObject>
#include <functional>

class QAction;
class QMenu;
class QWidget;

class PaperMenu : public QObject {
  Q_OBJECT

 public:
  // Adds both items to `viewMenu`; `refresh` repaints the surface after a
  // change of "白底显示".
  PaperMenu(QWidget* window, QMenu* viewMenu, std::function<void()> refresh);

  bool ForOutput() const;
  bool ForScreen() const;
  QAction* OutputItem() const { return output_; }
  QAction* ScreenItem() const { return screen_; }

 private:
  QAction* output_ = nullptr;
  QAction* screen_ = nullptr;
};
