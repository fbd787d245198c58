#include "app/PresentationMenu.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QSettings>
#include <QWidget>

#include "gfx/PresentationScale.h"
#include "i18n/TtlmController.h"

namespace {

constexpr const char* kOrganisation = "Fenwark Workshop";
constexpr const char* kApplication = "Veltrano Optics";
constexpr const char* kKey = "presentationScale";

int IndexOf(double scale) {
  for (int i = 0; i < 4; ++i)
    if (PresentationMenu::kScales[i] == scale) return i;
  return -1;
}

}  // namespace

PresentationMenu::PresentationMenu(QWidget* window, QMenu* viewMenu, std::function<void()> refresh)
    : QObject(window), refresh_(std::move(refresh)) {
  setObjectName("PresentationMenuManager");
  menu_ = new QMenu(QString::fromStdString(Tr("PresentationMenu.Caption", "演示模式")), viewMenu);
  menu_->setObjectName("PresentationMenu");
  viewMenu->addMenu(menu_);
  auto* group = new QActionGroup(menu_);
  group->setExclusive(true);
  const char* captions[] = {"", "1.5×", "2×", "3×"};
  for (int i = 0; i < 4; ++i) {
    const QString caption = i == 0 ? QString::fromStdString(Tr("Presentation100.Caption", "标准"))
                                   : QString::fromUtf8(captions[i]);
    items_[i] = new QAction(caption, group);
    items_[i]->setObjectName(QString("Presentation%1").arg(int(kScales[i] * 100)));
    items_[i]->setCheckable(true);
    menu_->addAction(items_[i]);
    connect(items_[i], &QAction::triggered, this, [this, i] { Choose(kScales[i]); });
  }
  const double start = Remembered();
  SetPresentationScale(start);
  items_[IndexOf(start)]->setChecked(true);
}

QAction* PresentationMenu::Item(double scale) const {
  const int i = IndexOf(scale);
  return i < 0 ? nullptr : items_[i];
}

void PresentationMenu::Choose(double scale) {
  const int i = IndexOf(scale);
  if (i < 0) return;
  SetPresentationScale(scale);
  items_[i]->setChecked(true);
  QSettings(kOrganisation, kApplication).setValue(kKey, scale);
  if (refresh_) refresh_();
}

double PresentationMenu::Remembered() {
  const double scale = QSettings(kOrganisation, kApplication).value(kKey, 1.0).toDouble();
  return IndexOf(scale) < 0 ? 1.0 : scale;
}
