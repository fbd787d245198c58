// Veltrano Optics: the only command-line argument is an experiment file to open
// (app/CommandLine.h; translators have a hidden --generate-language,
// app/LanguageFileTool.h).

#include <QLocale>
#include <QStandardPaths>
#include <QTimer>
#include <atomic>

#include "app/AppIcon.h"
#include "app/CommandLine.h"
#include "app/CrashRecovery.h"
#include "app/LanguageFileTool.h"
#include "app/TDrawSurface.h"
#include "app/TForm43.h"
#include "app/TLumidorApplication.h"
#include "app/TLumidorNetworkFrm.h"
#include "platform/Platform.h"
#include "scene/ProcessSettings.h"
#include "ui/QtMessageSink.h"
#include "ui/TShowPropertiesFrm.h"

namespace {

std::atomic<bool> quitRequested{false};

extern "C" void RequestQuit(int) { quitRequested = true; }

}  // namespace

int main(int argc, char** argv) {
  const CommandLine commandLine = ReadCommandLine(argc, argv);
  if (commandLine.exitCode) return *commandLine.exitCode;
  TLumidorApplication app(argc, argv);
  QCoreApplication::setApplicationVersion(ProgramVersion());
  // Every window shows the program's icon; the desktop entry of the same
  // name gives it its name and icon in task bars (Wayland asks by this name).
  QApplication::setWindowIcon(ApplicationIcon());
  QGuiApplication::setDesktopFileName("veltrano-optics");
  if (const auto request = LanguageFileRequestFrom(QCoreApplication::arguments()))
    return GenerateLanguageFile(*request);
  // A session that ends (or a terminal's Ctrl+C) closes the window like "退出"
  // instead of killing the process in the middle of a paint.
  OnStopRequest(RequestQuit);
  // Messages of the start-up open already need their boxes.
  QtMessageSink messages;
  Settings().messages = &messages;

  TLumidorNetworkFrm::Options options;
  options.openFile = commandLine.file;
  options.recoveryFolder = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
  options.desktopLocale = QLocale::system();
  TLumidorNetworkFrm window(options);
  messages.SetParent(&window);
  TShowPropertiesFrm sheet(&window);
  Settings().sheet = &sheet;
  TForm43 board(&window, window.Surface(), [&window] { window.RefreshView(); });
  window.SetDrawingBoard(&board);

  // A session that ends keeps the unsaved work for the next start, as a
  // crash would; only "退出" and closing the window let it go.
  QTimer quitPoll;
  QObject::connect(&quitPoll, &QTimer::timeout, [&window] {
    if (!quitRequested) return;
    if (window.Recovery()) window.Recovery()->KeepForNextStart();
    QCoreApplication::quit();
  });
  quitPoll.start(100);

  // For the recovery tests: N edits (a zoom each, kept in the undo history)
  // without a mouse, one every 300 ms.
  QTimer testEdits;
  int editsLeft = qEnvironmentVariableIntValue("EXO_TEST_EDITS");
  QObject::connect(&testEdits, &QTimer::timeout, [&window, &editsLeft, &testEdits] {
    if (--editsLeft <= 0) testEdits.stop();
    window.SpeedButton5Click();
    window.PushUndoSnapshot();
  });
  if (editsLeft > 0) testEdits.start(300);

  window.showMaximized();
  const int result = app.exec();
  window.SetDrawingBoard(nullptr);
  // The sheet and the sink go before the process-wide settings that name them.
  ResetSettings();
  return result;
}
