#include <algorithm>
#include <bit>
#include <cmath>
#include <filesystem>
#include <set>
#include <tuple>

#include "ExperimentFileFixture.h"
#include "RecordingTraceSink.h"
#include "optics/LawLabels.h"
#include "optics/RayPicker.h"
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
  // Opens an example and follows the ray nearest `at` (none: -1).
  int Follow(const std::string& example, TPointF at) {
    StartLikeTheProgram(document);
    EXPECT_EQ(OpenExperimentFile(std::string(EXO_EXAMPLES_DIR) + "/" + example, document).status,
              OpenStatus::Opened);
    document.running = true;
    RayPicker picker(at, 5);
    document.Trace(picker);
    return document.view.followedRoot = picker.Root();
  }
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

// A refresh shows the trace up to the document's step and keeps the step
// within the generations it traced: removing the prism leaves one.
TEST_F(TraceFilterTest, ARefreshKeepsTheStepWithinTheTrace) {
  StartLikeTheProgram(document);
  ASSERT_EQ(
      OpenExperimentFile(std::string(EXO_EXAMPLES_DIR) + "/三棱镜的全反射.exo", document).status,
      OpenStatus::Opened);
  document.running = true;
  RecordingTraceSink sink;
  document.StartStepping();
  EXPECT_FALSE(document.stepping.Next());  // no generations known yet
  document.RefreshView(&sink);
  EXPECT_EQ(document.stepping.Steps(), 4);
  while (document.stepping.Next()) {
  }
  document.RefreshView(&sink);
  EXPECT_EQ(document.view.maxGeneration, 4);
  ASSERT_TRUE(RemoveObject(document.scene, FindByClass(document.scene, "ThreePrism")));
  document.RefreshView(&sink);
  EXPECT_EQ(document.stepping.Steps(), 1);
  EXPECT_EQ(document.stepping.Step(), 1);
  EXPECT_EQ(document.view.maxGeneration, 1);
  document.StopStepping();
  EXPECT_EQ(document.view.maxGeneration, 0);
}

// Keeps which items were drawn faded.
class FadeRecorder : public RecordingTraceSink {
 public:
  std::vector<std::pair<std::size_t, bool>> changes;  // (first item, faded)
  void Faded(bool faded) override { changes.emplace_back(items.size(), faded); }
  bool FadedAt(std::size_t item) const {
    bool faded = false;
    for (const auto& [from, state] : changes)
      if (from <= item) faded = state;
    return faded;
  }
};

// A click on the white beam's first piece follows all its colours in full,
// with its angles though the page shows none; the other beams fade.
TEST_F(TraceFilterTest, FollowedBeamKeepsEveryColourAndItsAngles) {
  EXPECT_EQ(Follow("白光经过三棱镜.exo", {5, 5}), -1);
  // 4 px off the piece (200,270)-(342.9,234.3)
  ASSERT_EQ(Follow("白光经过三棱镜.exo", {272, 256}), 0);
  FadeRecorder sink;
  TraceFilter filter(sink, document.view);
  document.Trace(filter);
  std::set<TColor> followed;
  std::size_t faded = 0, followedAngles = 0;
  for (std::size_t i = 0; i < sink.items.size(); ++i) {
    const auto& item = sink.items[i];
    if (sink.FadedAt(i)) {
      ++faded;
      EXPECT_NE(item.kind, TraceItem::Angle);
    } else if (item.kind == TraceItem::Ray) {
      followed.insert(item.ray.rayColour);
    } else if (item.kind == TraceItem::Angle) {
      ++followedAngles;
    }
  }
  EXPECT_EQ(followed.size(), 7u);
  EXPECT_GT(faded, 0u);
  EXPECT_GT(followedAngles, 0u);
}

// The hits of a followed ray obey the law their numbers show: Snell's law at
// the glass block, equal angles at the total reflection in the prism.
TEST_F(TraceFilterTest, FollowedHitsCarryTheirLaw) {
  for (const auto& [example, at, hits] : {std::tuple{"玻璃砖的折射.exo", TPointF{272, 290}, 2},
                                          {"三棱镜的全反射.exo", {250, 121}, 3}}) {
    SCOPED_TRACE(example);
    ASSERT_GE(Follow(example, at), 0);
    RecordingTraceSink sink;
    TraceFilter filter(sink, document.view);
    document.Trace(filter);
    ASSERT_EQ(filter.FollowedHits().size(), std::size_t(hits));
    auto sine = [](double degrees) { return std::sin(degrees * 3.14159265358979 / 180); };
    int refracted = 0;
    for (const auto& h : filter.FollowedHits()) {
      refracted += h.n1 != 0;
      if (h.n1 == 0) {
        EXPECT_NEAR(h.theta1, h.theta2, 1e-3);  // reflected
      }
      EXPECT_NEAR(h.n1 * sine(h.theta1), h.n2 * sine(h.theta2), 1e-4);
    }
    EXPECT_EQ(refracted, 2);
  }
}

// The seven colours of a followed white beam meet each face side by side:
// one angle label and one law label per spot, with the colours' range, and
// the law label reads its angles as the labels at the normal do.
TEST_F(TraceFilterTest, AWhiteBeamGetsOneLabelPerSpot) {
  ASSERT_EQ(Follow("白光经过三棱镜.exo", {272, 256}), 0);
  RecordingTraceSink sink;
  TraceFilter filter(sink, document.view);
  document.Trace(filter);
  filter.Flush();
  std::vector<TraceItem> labels = sink.Of(TraceItem::Angle);
  std::set<std::string> texts;
  for (std::size_t i = 0; i < labels.size(); ++i) {
    texts.insert(labels[i].text);
    for (std::size_t j = 0; j < i; ++j)
      EXPECT_FALSE(labels[i].flag == labels[j].flag && Distance(labels[i].a, labels[j].a) < 12)
          << labels[i].text << " over " << labels[j].text;
  }
  const auto spots = Spots(filter.FollowedHits());
  ASSERT_GE(spots.size(), 2u);
  for (const auto& spot : spots) {
    ASSERT_EQ(spot.size(), 7u);  // every colour, in one label
    const std::string law = LawText(spot);
    EXPECT_NE(law.find("θ₂ = " + AngleText(std::min(spot[0].theta2, spot[6].theta2)) + "°–"),
              std::string::npos)
        << law;
  }
  // The outgoing angles at the normal read the same numbers.
  const std::string entry = AngleText(spots[0][0].theta2) + "–" + AngleText(spots[0][6].theta2);
  EXPECT_TRUE(texts.count(entry) ||
              texts.count(AngleText(spots[0][6].theta2) + "–" + AngleText(spots[0][0].theta2)))
      << entry;
}

}  // namespace
