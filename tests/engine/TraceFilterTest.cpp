#include <algorithm>
#include <bit>
#include <filesystem>

#include "ExperimentFileFixture.h"
#include "RecordingTraceSink.h"
#include "optics/TraceFilter.h"

namespace {

// An item as exact text, so that traces compare bit for bit.
std::string Key(const TraceItem& item) {
  auto bits = [](float v) { return std::to_string(std::bit_cast<std::uint32_t>(v)) + " "; };
  return std::to_string(item.kind) + " " + bits(item.a.x) + bits(item.a.y) + bits(item.b.x) +
         bits(item.b.y) + bits(item.direction) + std::to_string(item.ray.rayColour) + " " +
         item.text + (item.flag ? " 1" : " 0");
}

std::vector<std::string> Keys(const RecordingTraceSink& sink) {
  std::vector<std::string> keys;
  for (const auto& item : sink.items) keys.push_back(Key(item));
  return keys;
}

bool IsSubsequence(const std::vector<std::string>& part, const std::vector<std::string>& whole) {
  std::size_t i = 0;
  for (const auto& key : whole)
    if (i < part.size() && part[i] == key) ++i;
  return i == part.size();
}

class TraceFilterTest : public ExperimentFileFixture {
 protected:
  // The trace shown at a step (0: the whole trace through the filter).
  std::vector<std::string> Step(int k, int* generations = nullptr) {
    RecordingTraceSink sink;
    TraceFilter filter(sink, TraceView{k});
    document.Trace(filter);
    if (generations) *generations = filter.Generations();
    return Keys(sink);
  }
};

// Every example, stepped: each step adds to the one before, step 1 draws one
// piece per emitted ray, and the last step (or any beyond) is the whole trace.
TEST_F(TraceFilterTest, StepsOfEveryExampleBuildUpTheWholeTrace) {
  int examples = 0;
  for (const auto& entry : std::filesystem::directory_iterator(EXO_EXAMPLES_DIR)) {
    if (entry.path().extension() != ".exo") continue;
    SCOPED_TRACE(entry.path().filename().string());
    StartLikeTheProgram(document);
    ASSERT_EQ(OpenExperimentFile(entry.path().string(), document).status, OpenStatus::Opened);
    document.running = true;
    RecordingTraceSink full;
    document.Trace(full);
    if (full.items.empty()) continue;
    ++examples;
    int n = 0;
    EXPECT_EQ(Step(0, &n), Keys(full));
    ASSERT_GE(n, 1);
    RecordingTraceSink first;
    TraceFilter firstStep(first, TraceView{1});
    document.Trace(firstStep);
    EXPECT_EQ(first.Count(TraceItem::Ray), document.baseRays.size());
    std::vector<std::string> before = Keys(first);
    // The first steps, then the last two (a mirror pair has 500).
    for (int k = 2; k <= n; k = k < 30 ? k + 1 : std::max(k + 1, n - 1)) {
      const auto shown = Step(k);
      ASSERT_TRUE(IsSubsequence(before, shown)) << k;
      ASSERT_LT(before.size(), shown.size()) << k;  // every step shows something new
      before = shown;
    }
    EXPECT_EQ(before, Keys(full));
    EXPECT_EQ(Step(n + 7), Keys(full));
  }
  EXPECT_GT(examples, 10);
}

}  // namespace
