#include "app/AppIcon.h"

#include <QDirIterator>

QIcon ApplicationIcon() {
  QIcon icon;
  // ":/icons/NxN/apps/veltrano-optics.png", one picture per size.
  QDirIterator sizes(":/icons", QDir::Dirs | QDir::NoDotAndDotDot);
  while (sizes.hasNext()) {
    const QString file = sizes.next() + "/apps/veltrano-optics.png";
    if (QFile::exists(file)) icon.addFile(file);
  }
  return icon;
}
