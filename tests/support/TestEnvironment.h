#pragma once
// Resets the process-wide settings around every test that includes it.

#include <gtest/gtest.h>

#include "scene/ProcessSettings.h"

class EngineTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetSettings(); }
  void TearDown() override { ResetSettings(); }
};
