#pragma once
// Fixture for window tests (offscreen): fresh process settings and a fake property sheet for every
// test.

#include <QApplication>
#include <memory>

#include "FakePropertySheet.h"
#include "TestEnvironment.h"
#include "UiTestApp.h"

inline QApplication& TestApplication() { return UiTestApp(); }

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
