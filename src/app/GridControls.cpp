#include "app/GridControls.h"

#include <QAction>
#include <QGuiApplication>
#include <QMenu>

#include "app/IExperimentWindow.h"
#include "app/WindowTexts.h"
#include "scene/Document.h"
#include "scene/PageGrid.h"

GridControls::GridControls(IExperimentWindow& window, QMenu* viewMenu, QObject* parent)
    : QObject(parent), window_(window) {
  setObjectName("GridControls");
  viewMenu->addSeparator();
  auto add = [&](const char* name, const char* caption, std::uint8_t TNewPage::*flag) {
    auto* action = new QAction(Caption(name, caption), viewMenu);
    action->setObjectName(name);
    action->setCheckable(true);
    viewMenu->addAction(action);
    connect(action, &QAction::triggered, this, [this, flag](bool on) {
      window_.Doc().page.get()->*flag = on ? 1 : 0;
      window_.RefreshView();
    });
    return action;
  };
  grid_ = add("GridMenu", "网格", &TNewPage::gridShown);
  snap_ = add("SnapMenu", "吸附到网格", &TNewPage::gridSnap);
  connect(viewMenu, &QMenu::aboutToShow, this, &GridControls::Refreshed);
}

QPoint GridControls::Snapped(int x, int y, bool press) {
  const TNewPage& page = *window_.Doc().page;
  if (press) unsnappedDrag_ = QGuiApplication::keyboardModifiers() & Qt::AltModifier;
  if (!page.gridSnap || unsnappedDrag_) return {x, y};
  const TPoint p = SnapToGrid(page, x, y);
  return {p.x, p.y};
}

void GridControls::Refreshed() {
  const TNewPage& page = *window_.Doc().page;
  grid_->setChecked(page.gridShown != 0);
  snap_->setChecked(page.gridSnap != 0);
}
