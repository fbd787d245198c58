#include "UiTestApp.h"

#include <gtest/gtest.h>

#include <QSettings>
#include <QTemporaryDir>
#include <memory>

namespace {

int argc = 1;
char programName[] = "exo_ui_tests";
char* argv[] = {programName, nullptr};
std::unique_ptr<QApplication> application;

class QtEnvironment : public ::testing::Environment {
 public:
  void TearDown() override { application.reset(); }
};

// gtest owns the environment object.
const bool registered = (::testing::AddGlobalTestEnvironment(new QtEnvironment), true);

}  // namespace

QApplication& UiTestApp() {
  if (!QCoreApplication::instance()) {
    // The remembered language of every test process stays in its own folder.
    static QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    application = std::make_unique<QApplication>(argc, argv);
  }
  auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
  // Widgets need a QApplication; a plain QGuiApplication made earlier will not do.
  if (!app) qFatal("window tests need a QApplication");
  return *app;
}
