#pragma once
// Fixture for window tests (offscreen): fresh process settings and a fake property sheet for every
// test.

#include <QApplication>
#include <memory>

#include "FakePropertySheet.h"
#include "TestEnvironment.h"

// The application made by QtTestEnvironment.cpp before the first test.
inline QApplication& TestApplication() {
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
