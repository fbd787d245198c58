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
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
  return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QString();
}

QString LastExperimentFolder() {
  const QString folder = QSettings(kOrganisation, kApplication).value(kKey).toString();
  return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QString();
}

void RememberExperimentFolder(const QString& filePath) {
  const QString folder = QFileInfo(filePath).absolutePath();
  if (!folder.isEmpty()) QSettings(kOrganisation, kApplication).setValue(kKey, folder);
}
