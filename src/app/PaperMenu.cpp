#include "app/PaperMenu.h"

#include <QAction>
#include <QMenu>
#include <QSettings>
#include <QWidget>

#include "i18n/TtlmController.h"

namespace {

constexpr const char* kOrganisation = "Fenwark Workshop";
constexpr const char* kApplication = "Veltrano Optics";

QAction* RememberedItem(QMenu* menu, const char* name, const std::string& caption, const char* key,
                        bool initially) {
  auto* item = new QAction(QString::fromStdString(caption), menu);
  item->setObjectName(name);
  item->setCheckable(true);
  item->setChecked(QSettings(kOrganisation, kApplication).value(key, initially).toBool());
  menu->addAction(item);
  QObject::connect(item, &QAction::toggled, item,
                   [key](bool on) { QSettings(kOrganisation, kApplication).setValue(key, on); });
  return item;
}

}  // namespace

PaperMenu::PaperMenu(QWidget* window, QMenu* viewMenu, std::function<void()> refresh)
    : QObject(window) {
  setObjectName("PaperMenuManager");
  output_ = RememberedItem(viewMenu, "PaperOutputMenu", Tr("PaperOutputMenu.Caption", "白底打印"),
                           "paperOutput", true);
  screen_ = RememberedItem(viewMenu, "PaperScreenMenu", Tr("PaperScreenMenu.Caption", "白底显示"),
                           "paperScreen", false);
  connect(screen_, &QAction::toggled, this, [refresh = std::move(refresh)] {
    if (refresh) refresh();
  });
}

bool PaperMenu::ForOutput() const { return output_->isChecked(); }
bool PaperMenu::ForScreen() const { return screen_->isChecked(); }
