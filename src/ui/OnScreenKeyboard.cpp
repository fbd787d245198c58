#include "ui/OnScreenKeyboard.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMainWindow>
#include <QProcess>
#include <QStandardPaths>
#include <QStatusBar>

#include "i18n/TtlmController.h"

namespace {

bool missingTold = false;

// The note stays long enough to be read from the back of a classroom.
constexpr int kNoticeMilliseconds = 15000;

}  // namespace

QStringList OnScreenKeyboardPrograms() {
  const QStringList x11 = {"onboard", "matchbox-keyboard", "xvkbd", "florence", "kvkbd"};
  const QStringList wayland = {"squeekboard", "wvkbd-mobintl", "maliit-keyboard"};
  // Each kind of keyboard works only on its own kind of display.
  if (QGuiApplication::platformName().startsWith("wayland")) return wayland + x11;
  return x11 + wayland;
}

QString FindOnScreenKeyboard() {
  for (const QString& name : OnScreenKeyboardPrograms()) {
    const QString program = QStandardPaths::findExecutable(name);
    if (!program.isEmpty()) return program;
  }
  return {};
}

bool StartOnScreenKeyboard() {
  const QString program = FindOnScreenKeyboard();
  return !program.isEmpty() && QProcess::startDetached(program, {});
}

void BringUpOnScreenKeyboard() {
  if (StartOnScreenKeyboard() || missingTold) return;
  for (QWidget* top : QApplication::topLevelWidgets()) {
    auto* main = qobject_cast<QMainWindow*>(top);
    if (!main || main->objectName() != "TLumidorNetworkFrm") continue;
    missingTold = true;
    main->statusBar()->showMessage(
        QString::fromStdString(Tr("902", "没有找到屏幕键盘程序, 请安装 onboard 等屏幕键盘.")),
        kNoticeMilliseconds);
    return;
  }
}

void ResetMissingKeyboardNotice() { missingTold = false; }
