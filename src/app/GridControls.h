#pragma once
// "视图" → "网格" and "吸附到网格": the page's grid shown under the objects,
// and placing, dragging and handle moves snapped to its points. Alt held at
// the press leaves that drag unsnapped. Both switches belong to the page
// (its spacing is a page setting), so New and Open bring their own.

#include <QObject>
#include <QPoint>
#include <functional>

class IExperimentWindow;
class QAction;
class QMenu;

class GridControls : public QObject {
  Q_OBJECT
 public:
  GridControls(IExperimentWindow& window, QMenu* viewMenu, QObject* parent);

  // The point a surface press at (x, y) stands for; `press` starts a drag,
  // whose Alt decides for the whole drag.
  QPoint Snapped(int x, int y, bool press);
  // The switches show the page's state (after New, Open, Undo).
  void Refreshed();

 private:
  IExperimentWindow& window_;
  QAction* grid_ = nullptr;
  QAction* snap_ = nullptr;
  bool unsnappedDrag_ = false;
};
