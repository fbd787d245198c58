#pragma once
// "演示模式" under "视图": 标准 / 1.5× / 2× / 3×, how much larger the surface
// draws labels, handles, arrowheads and rays for a classroom. The choice
// takes effect at once, is remembered for the next start, and is 标准 until
// one is made.

#include <QObject>
#include <functional>

class QAction;
class QMenu;
class QWidget;

class PresentationMenu : public QObject {
  Q_OBJECT

 public:
  static constexpr double kScales[] = {1.0, 1.5, 2.0, 3.0};

  // Adds the menu to `viewMenu` and restores the remembered scale;
  // `refresh` repaints the surface after a choice.
  PresentationMenu(QWidget* window, QMenu* viewMenu, std::function<void()> refresh);

  QMenu* Menu() const { return menu_; }
  QAction* Item(double scale) const;
  // Sets, remembers and shows a scale of kScales (others are ignored).
  void Choose(double scale);

  // The remembered scale, 1 when none (or a wrong one) is stored.
  static double Remembered();

 private:
  QMenu* menu_ = nullptr;
  QAction* items_[4] = {};
  std::function<void()> refresh_;
};
