// Number texts of the property rows.
#include <gtest/gtest.h>

#include <cstdlib>

#include "i18n/Convert.h"

namespace {

struct ShortText {
  float value;
  const char* text;
};

class FloatToShortStrTest : public ::testing::TestWithParam<ShortText> {};

TEST_P(FloatToShortStrTest, ShortestPlainTextThatReadsBackAsTheSameFloat) {
  const ShortText c = GetParam();
  EXPECT_EQ(FloatToShortStr(c.value), c.text);
  EXPECT_EQ(static_cast<float>(std::strtod(c.text, nullptr)), c.value);
}

INSTANTIATE_TEST_SUITE_P(Values, FloatToShortStrTest,
                         ::testing::Values(ShortText{1.3f, "1.3"}, ShortText{0.1f, "0.1"},
                                           ShortText{100.0f, "100"}, ShortText{-2.5f, "-2.5"},
                                           ShortText{1.0f / 3, "0.33333334"},
                                           ShortText{16777216.0f, "16777216"},
                                           ShortText{1e20f, "1E20"}, ShortText{0.0f, "0"}));

}  // namespace
