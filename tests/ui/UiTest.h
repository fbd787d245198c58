#pragma once
// Fixture for window tests: one QApplication for the process (offscreen),
// fresh process settings and a fake property sheet for every test.

#include <QApplication>
#include <memory>

#include "FakePropertySheet.h"
#include "TestEnvironment.h"

inline QApplication& TestApplication() {
  if (!QCoreApplication::instance()) {
    static int argc = 1;
    static char name[] = "exo_ui_tests";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
  }
  return *static_cast<QApplication*>(QCoreApplication::instance());
}

class UiTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    TestApplication();
    ui = std::make_unique<FakeUi>();
  }
  void TearDown() override {
    ui.reset();
    EngineTest::TearDown();
  }
  std::unique_ptr<FakeUi> ui;
};
