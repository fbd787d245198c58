// Number texts of the property rows.
#include <gtest/gtest.h>

#include "i18n/Convert.h"

TEST(ConvertTest, FloatToShortStrIsTheShortestPlainTextOfTheSameFloat) {
  const std::pair<float, const char*> cases[] = {
      {1.3f, "1.3"}, {100.0f, "100"}, {1.0f / 3, "0.33333334"}, {1e20f, "1E20"}, {-2.5f, "-2.5"}};
  for (const auto& [value, text] : cases) EXPECT_EQ(FloatToShortStr(value), text) << text;
}
