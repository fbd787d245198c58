#pragma once
// The fixture of object tests: a recording canvas and the fake sheet and
// message box, made after the environment is reset (which would undo them).

#include <map>
#include <memory>
#include <string>

#include "FakePropertySheet.h"
#include "TestEnvironment.h"
#include "gfx/RecordingCanvas.h"
#include "scene/DrawObjectUnit.h"

class ObjectTest : public EngineTest {
 protected:
  RecordingCanvas canvas;
  std::unique_ptr<FakeUi> fake;

  void SetUp() override {
    EngineTest::SetUp();
    fake = std::make_unique<FakeUi>();
  }
  void TearDown() override {
    fake.reset();
    EngineTest::TearDown();
  }

  // Shows the sheet, types the values, clears the messages and applies.
  bool Apply(DrawObjectUnit& object, const std::map<std::string, std::string>& typed) {
    object.ShowProperties();
    for (const auto& [key, value] : typed) fake->sheet.SetValue(key, value);
    fake->messages.messages.clear();
    return object.ApplyProperties();
  }
};
