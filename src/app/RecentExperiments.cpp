#include "app/RecentExperiments.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>

#include "app/WindowTexts.h"

namespace {

constexpr const char* kOrganisation = "Fenwark Workshop";
constexpr const char* kApplication = "Veltrano Optics";
constexpr const char* kKey = "RecentExperiments";

}  // namespace

RecentExperiments::RecentExperiments(QMenu* fileMenu, QAction* before, Opener open)
    : QObject(fileMenu), open_(std::move(open)) {
  setObjectName("RecentExperimentsManager");
  menu_ = new QMenu(Caption("RecentMenu", "最近打开的实验"), fileMenu);
  menu_->setObjectName("RecentMenu");
  fileMenu->insertMenu(before, menu_);
  // Owned here: emptying the menu must not delete it.
  clear_ = new QAction(Caption("RecentClear", "清除列表"), this);
  clear_->setObjectName("RecentClear");
  connect(clear_, &QAction::triggered, this, &RecentExperiments::Clear);
  // Files come and go while the program runs: their state is looked at anew.
  connect(menu_, &QMenu::aboutToShow, this, &RecentExperiments::Rebuild);
  Rebuild();
}

QStringList RecentExperiments::Paths() {
  QStringList paths = QSettings(kOrganisation, kApplication).value(kKey).toStringList();
  // The settings file is the user's to edit: only so many entries count.
  if (paths.size() > kMax) paths.resize(kMax);
  return paths;
}

void RecentExperiments::Store(const QStringList& paths) {
  QSettings(kOrganisation, kApplication).setValue(kKey, paths);
}

void RecentExperiments::Add(const QString& path) {
  const QString full = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
  QStringList paths{full};
  for (const QString& old : Paths())
    if (old != full && QFileInfo(old).isFile() && paths.size() < kMax) paths << old;
  Store(paths);
  // Later: the entry that asked for the open may still be in its signal.
  QMetaObject::invokeMethod(this, &RecentExperiments::Rebuild, Qt::QueuedConnection);
}

void RecentExperiments::Clear() {
  Store({});
  QMetaObject::invokeMethod(this, &RecentExperiments::Rebuild, Qt::QueuedConnection);
}

void RecentExperiments::Rebuild() {
  menu_->clear();
  const QStringList paths = Paths();
  for (int i = 0; i < paths.size(); ++i) {
    // "&1 name" gives each entry a key; the full path is in the hint.
    const QString path = paths.at(i);
    QString name = QFileInfo(path).fileName();
    auto* entry = menu_->addAction(QString("&%1 %2").arg(i + 1).arg(name.replace('&', "&&")));
    entry->setToolTip(path);
    entry->setStatusTip(path);
    entry->setEnabled(QFileInfo(path).isFile());
    connect(entry, &QAction::triggered, this, [this, path] { open_(path); });
  }
  if (!paths.isEmpty()) menu_->addSeparator();
  menu_->addAction(clear_);
  clear_->setEnabled(!paths.isEmpty());
  menu_->setToolTipsVisible(true);
}
