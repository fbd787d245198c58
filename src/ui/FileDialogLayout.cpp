#include "ui/FileDialogLayout.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QTreeView>
#include <algorithm>

namespace {

constexpr const char* kOrganisation = "Fenwark Workshop";
constexpr const char* kApplication = "Veltrano Optics";
constexpr const char* kKey = "lastExperimentFolder";
constexpr const char* kPictureKey = "lastPictureFolder";

QString ExistingFolder(const QString& folder) {
  return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QString();
}

QString RememberedFolder(const char* key) {
  return ExistingFolder(QSettings(kOrganisation, kApplication).value(key).toString());
}

// `first` when it is a folder, else the first of the user's own folders.
QString UserFolder(const QString& first, QStandardPaths::StandardLocation kind) {
  for (const QString& folder :
       {first, QStandardPaths::writableLocation(kind),
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)})
    if (!ExistingFolder(folder).isEmpty()) return folder;
  return QDir::homePath();
}

}  // namespace

void LayOutFileDialog(QFileDialog& dialog) {
  const QWidget* parent = dialog.parentWidget();
  const QScreen* screen =
      parent && parent->screen() ? parent->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect area = screen->availableGeometry();
  const int width = std::min(area.width(), std::max(dialog.width(), area.width() / 2));
  const int height = std::min(area.height(), std::max(dialog.height(), area.height() / 2));
  dialog.resize(width, height);
  // The widget dialog's detail view: name stretches, the rest fit.
  if (auto* details = dialog.findChild<QTreeView*>("treeView")) {
    QHeaderView* header = details->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int i = 1; i < header->count(); ++i)
      header->setSectionResizeMode(i, QHeaderView::ResizeToContents);
  }
}

QString PicturesFolder() {
  return UserFolder(RememberedFolder(kPictureKey), QStandardPaths::PicturesLocation);
}

void RememberPictureFolder(const QString& filePath) {
  const QString folder = QFileInfo(filePath).absolutePath();
  if (!folder.isEmpty()) QSettings(kOrganisation, kApplication).setValue(kPictureKey, folder);
}

QString ExperimentSaveFolder() {
  return UserFolder(LastExperimentFolder(), QStandardPaths::DocumentsLocation);
}

QString LastExperimentFolder() { return RememberedFolder(kKey); }

void RememberExperimentFolder(const QString& filePath) {
  const QString folder = QFileInfo(filePath).absolutePath();
  if (!folder.isEmpty()) QSettings(kOrganisation, kApplication).setValue(kKey, folder);
}
