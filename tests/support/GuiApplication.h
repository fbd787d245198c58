#pragma once
// Text and fonts need a QGuiApplication; tests that paint text make one here
// (offscreen unless a platform is chosen).

#include <QGuiApplication>

inline void EnsureGuiApplication() {
  if (QCoreApplication::instance()) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "exo_tests";
  static char* argv[] = {name, nullptr};
  static QGuiApplication app(argc, argv);
}
