#pragma once
// One QApplication for every window test, created on first use.

#include <QApplication>
#include <QTimer>
#include <functional>

inline QApplication& UiTestApp() {
  if (!QCoreApplication::instance()) {
    static int argc = 1;
    static char name[] = "exo_ui_tests";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
  }
  return *static_cast<QApplication*>(QCoreApplication::instance());
}

// Runs `action` once the next modal loop is running (a dialog's exec()).
inline void WhenModal(std::function<void()> action) {
  QTimer::singleShot(0, qApp, std::move(action));
}
