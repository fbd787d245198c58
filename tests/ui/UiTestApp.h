#pragma once
// One QApplication for every window test, created on first use and destroyed
// after the last test (before the library's own globals go away).

#include <QApplication>
#include <QTimer>
#include <functional>

QApplication& UiTestApp();

// Runs `action` once the next modal loop is running (a dialog's exec()).
inline void WhenModal(std::function<void()> action) {
  QTimer::singleShot(0, qApp, std::move(action));
}
