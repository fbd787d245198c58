// The three special rays of a point source through every ideal lens and
// curved mirror meet in the traced image mark; else the fan is shown.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numeric>
#include <tuple>

#include "ObjectRecord.h"
#include "ObjectTest.h"
#include "RecordingTraceSink.h"
#include "objects/elements/ConcaveMirror.h"
#include "objects/elements/ConvexityMirror.h"
#include "objects/elements/IdealConcave.h"
#include "objects/elements/IdealMagnifier.h"
#include "objects/sources/PointLampHouse.h"
#include "objects/sources/RealObject.h"
#include "optics/PlaneMath.h"
#include "scene/Document.h"

namespace {

enum Kind { kConvexLens, kConcaveLens, kConcaveMirror, kConvexMirror };
constexpr TPointF kVertex{1000, 500};
constexpr double kFocal = 300;

// kind, object distance in focal lengths, tilt of the axis (degrees)
class SpecialRaysTest : public ObjectTest,
                        public ::testing::WithParamInterface<std::tuple<Kind, double, double>> {
 protected:
  Document doc{&canvas};
  double tilt = 0;  // the axis runs from the element toward the source at tilt + 180

  TPointF At(double along, double across) const {
    return PointAt(PointAt(kVertex, tilt + 180, along), tilt + 270, across);
  }

  void AddElement(Kind kind) {
    if (kind == kConvexLens || kind == kConcaveLens) {
      std::unique_ptr<IdealLens> lens = std::make_unique<IdealMagnifier>(&canvas);
      if (kind == kConcaveLens) lens = std::make_unique<IdealConcave>(&canvas);
      lens->end0 = At(0, 150);
      lens->end1 = At(0, -150);
      lens->focalLength = float(kFocal);
      lens->UpdateFocalPoints();
      doc.scene.push_back(std::move(lens));
      return;
    }
    std::unique_ptr<CurvedMirror> mirror = std::make_unique<ConcaveMirror>(&canvas);
    if (kind == kConvexMirror) mirror = std::make_unique<ConvexityMirror>(&canvas);
    // A concave mirror's centre lies before it, a convex one's behind.
    mirror->centre = At(kind == kConcaveMirror ? 2 * kFocal : -2 * kFocal, 0);
    mirror->radius = float(2 * kFocal);
    const double middle = DirectionAngle(mirror->centre, kVertex);
    mirror->angle1 = float(NormalAngle(middle - 20));
    mirror->angle2 = float(NormalAngle(middle + 20));
    mirror->sweep = 40;
    mirror->PlaceEnds();
    doc.scene.push_back(std::move(mirror));
  }

  // A source at `at` whose fan points along `heading`.
  void AddSource(TPointF at, double heading) {
    auto s = std::make_unique<PointLampHouse>(&canvas);
    s->record.points[0] = at;
    for (int i = 1; i <= 3; ++i) s->record.points[i] = PointAt(at, heading + 5 * (i - 2), 60);
    s->SetSpecialRays(true);
    doc.scene.push_back(std::move(s));
    doc.running = true;
  }
};

}  // namespace

TEST_P(SpecialRaysTest, MeetInTheImageMark) {
  const auto [kind, distance, tilted] = GetParam();
  tilt = tilted;
  AddElement(kind);
  const bool lens = kind == kConvexLens || kind == kConcaveLens;
  // A sphere reflects the rays into one point only near its axis: at u = 1.5 f
  // they miss each other by 0.56 px for an object 5 px tall, by 2.2 px at
  // 10 px (aberration grows with the square), and then no mark is drawn.
  const double u = distance * kFocal, height = lens ? 15 : 5;
  AddSource(At(u, height), tilt);
  RecordingTraceSink sink;
  doc.Trace(sink);
  EXPECT_EQ(doc.lastTrace.fanFallbacks, 0);
  const auto extensions = sink.Of(TraceItem::Extension);  // one for each ray, bent once
  const auto marks = sink.Of(TraceItem::Image);
  ASSERT_EQ(extensions.size(), 3u);
  ASSERT_EQ(marks.size(), 1u);
  for (const auto& e : extensions) {
    const double dx = double(e.b.x) - e.a.x, dy = double(e.b.y) - e.a.y;
    EXPECT_LT(
        std::fabs(dx * (marks[0].a.y - e.a.y) - dy * (marks[0].a.x - e.a.x)) / std::hypot(dx, dy),
        1.0);
  }
  const double f = (kind == kConvexLens || kind == kConcaveMirror) ? kFocal : -kFocal;
  const double v = u * f / (u - f);
  EXPECT_LT(Distance(marks[0].a, At(lens ? -v : v, -height * v / u)),
            lens ? 1.0 : 0.02 * std::fabs(v));
  EXPECT_EQ(marks[0].flag, v > 0);
}

INSTANTIATE_TEST_SUITE_P(
    KindsDistancesTilts, SpecialRaysTest,
    ::testing::Combine(::testing::Values(kConvexLens, kConcaveLens, kConcaveMirror, kConvexMirror),
                       // beyond 2f, between f and 2f, inside f
                       ::testing::Values(2.5, 1.5, 0.6), ::testing::Values(0.0, 20.0, 61.0)));

// A mirror seen from behind: the fan, traced from the source, and the trace
// says so.
TEST_F(SpecialRaysTest, WithoutAnElementInFrontTheFanIsShown) {
  AddElement(kConcaveMirror);
  AddSource(At(-200, 15), 180);  // facing its back
  RecordingTraceSink sink;
  doc.Trace(sink);
  EXPECT_EQ(doc.lastTrace.fanFallbacks, 1);
  ASSERT_EQ(doc.baseRays.size(), 3u);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(doc.baseRays[std::size_t(i)].special, DrawBaseRayDataStruct::kFanFromSource);
    EXPECT_NEAR(doc.baseRays[std::size_t(i)].direction, 180 + 5 * (i - 1), 1e-3);
  }
}

// The fan is the default and asks the trace for nothing; the choice is four
// bytes of the reserved block, read back, and the fan gives the bytes back.
TEST_F(SpecialRaysTest, FanByDefaultAndTheChoiceRoundTrips) {
  PointLampHouse point(&canvas), backPoint(&canvas);
  RealObject object(&canvas), backObject(&canvas);
  for (auto [source, back] :
       {std::pair<EmitterObject*, EmitterObject*>{&point, &backPoint}, {&object, &backObject}}) {
    source->BeginCreate(100, 200);
    source->EndCreate(100, 150);
    for (const auto& ray : source->GetBaseRays())
      EXPECT_EQ(ray.special, DrawBaseRayDataStruct::kFan);
    const auto fan = RecordBytes(*source);
    source->ShowProperties();
    EXPECT_EQ(fake->sheet.Value("光线"), "扇形");
    ASSERT_TRUE(Apply(*source, {{"光线", "特殊光线"}}));
    for (const auto& ray : source->GetBaseRays())
      EXPECT_EQ(ray.special, DrawBaseRayDataStruct::kAskSpecial);
    const auto special = RecordBytes(*source);
    ASSERT_EQ(special.size(), fan.size());
    EXPECT_EQ(std::inner_product(fan.begin(), fan.end(), special.begin(), 0, std::plus<>(),
                                 std::not_equal_to<>()),
              4);
    ASSERT_TRUE(LoadRecord(*back, special));
    EXPECT_TRUE(back->SpecialRays());
    ASSERT_TRUE(Apply(*back, {{"光线", "扇形"}}));
    EXPECT_EQ(RecordBytes(*back), fan);
  }
}
