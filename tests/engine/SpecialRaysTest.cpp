// The three special rays of a point source set to them: through every ideal
// lens and curved mirror, at any tilt and object distance, they (or their
// backward extensions) meet in the traced image mark, where the lens or
// mirror equation puts it; without an element in front the fan is shown.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
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
// A sphere reflects its special rays into one point only near its axis: at
// u = 1.5 f they miss each other by 0.56 px for an object 5 px tall, by
// 2.2 px at 10 px (aberration grows with the square), and no mark is drawn.
double HeightFor(Kind kind) { return kind == kConvexLens || kind == kConcaveLens ? 15 : 5; }

double DistanceToLine(TPointF a, TPointF b, TPointF p) {
  const double dx = double(b.x) - a.x, dy = double(b.y) - a.y;
  return std::fabs(dx * (double(p.y) - a.y) - dy * (double(p.x) - a.x)) / std::hypot(dx, dy);
}

// kind, object distance in focal lengths, tilt of the axis (degrees)
class SpecialRaysTest : public ObjectTest,
                        public ::testing::WithParamInterface<std::tuple<Kind, double, double>> {
 protected:
  Document doc{&canvas};
  // Unit vectors on the screen: along the axis toward the source, and across.
  double ax = 0, ay = 0, nx = 0, ny = 0;

  TPointF At(double along, double across) const {
    return {float(kVertex.x + along * ax + across * nx),
            float(kVertex.y + along * ay + across * ny)};
  }

  void AddElement(Kind kind, double tilt) {
    const double t = tilt * std::numbers::pi / 180;
    ax = -std::cos(t);
    ay = std::sin(t);
    nx = std::sin(t);
    ny = std::cos(t);
    if (kind == kConvexLens || kind == kConcaveLens) {
      std::unique_ptr<IdealLens> lens;
      if (kind == kConvexLens)
        lens = std::make_unique<IdealMagnifier>(&canvas);
      else
        lens = std::make_unique<IdealConcave>(&canvas);
      lens->end0 = At(0, 150);
      lens->end1 = At(0, -150);
      lens->focalLength = float(kFocal);
      lens->UpdateFocalPoints();
      doc.scene.push_back(std::move(lens));
      return;
    }
    std::unique_ptr<CurvedMirror> mirror;
    if (kind == kConcaveMirror)
      mirror = std::make_unique<ConcaveMirror>(&canvas);
    else
      mirror = std::make_unique<ConvexityMirror>(&canvas);
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

  PointLampHouse& AddSource(TPointF at, bool special = true) {
    auto s = std::make_unique<PointLampHouse>(&canvas);
    s->BeginCreate(int(at.x), int(at.y));
    s->EndCreate(int(at.x), int(at.y));
    s->record.points[0] = at;
    // The fan toward the element.
    for (int i = 1; i <= 3; ++i) {
      const TPointF half = Midpoint(at, kVertex);
      s->record.points[i] = {float(half.x + 20.0 * (i - 2) * nx),
                             float(half.y + 20.0 * (i - 2) * ny)};
    }
    s->SetSpecialRays(special);
    PointLampHouse& placed = *s;
    doc.scene.push_back(std::move(s));
    return placed;
  }
};

}  // namespace

TEST_P(SpecialRaysTest, MeetInTheImageMark) {
  const auto [kind, distance, tilt] = GetParam();
  AddElement(kind, tilt);
  const double u = distance * kFocal;
  const double height = HeightFor(kind);
  AddSource(At(u, height));
  doc.running = true;
  RecordingTraceSink sink;
  doc.Trace(sink);
  EXPECT_EQ(doc.lastTrace.fanFallbacks, 0);
  // Three rays from the source, each bent once.
  const auto extensions = sink.Of(TraceItem::Extension);
  ASSERT_EQ(extensions.size(), 3u);
  const auto marks = sink.Of(TraceItem::Image);
  ASSERT_EQ(marks.size(), 1u);
  const TPointF mark = marks[0].a;
  for (const auto& e : extensions) EXPECT_LT(DistanceToLine(e.a, e.b, mark), 1.0);
  // Where the equation puts it, on the far side of a lens for a real image.
  const bool lens = kind == kConvexLens || kind == kConcaveLens;
  const double f = (kind == kConvexLens || kind == kConcaveMirror) ? kFocal : -kFocal;
  const double v = u * f / (u - f);
  const TPointF image = At(lens ? -v : v, -height * v / u);
  // A sphere's rays meet only nearly where the paraxial equation says.
  EXPECT_LT(Distance(mark, image), lens ? 1.0 : 0.02 * std::fabs(v));
  EXPECT_EQ(marks[0].flag, v > 0);
}

INSTANTIATE_TEST_SUITE_P(
    KindsDistancesTilts, SpecialRaysTest,
    ::testing::Combine(::testing::Values(kConvexLens, kConcaveLens, kConcaveMirror, kConvexMirror),
                       // beyond 2f, between f and 2f, inside f
                       ::testing::Values(2.5, 1.5, 0.6), ::testing::Values(0.0, 20.0, 61.0)));

// Nothing in front (a mirror seen from behind, a lens behind the source):
// the fan, traced from the source, and the trace says so.
TEST_F(SpecialRaysTest, WithoutAnElementInFrontTheFanIsShown) {
  for (const Kind kind : {kConcaveMirror, kConvexLens}) {
    doc.scene.clear();
    AddElement(kind, 0);
    PointLampHouse& s = AddSource(At(-200, 15));
    if (kind == kConvexLens)  // the fan turned away from the lens
      for (int i = 1; i <= 3; ++i) s.record.points[i] = At(-300, 20.0 * (i - 2));
    doc.running = true;
    RecordingTraceSink sink;
    doc.Trace(sink);
    EXPECT_EQ(doc.lastTrace.fanFallbacks, 1);
    ASSERT_EQ(doc.baseRays.size(), 3u);
    for (int i = 0; i < 3; ++i) {
      const auto& ray = doc.baseRays[std::size_t(i)];
      EXPECT_EQ(ray.special, DrawBaseRayDataStruct::kFanFromSource);
      EXPECT_NEAR(ray.direction, DirectionAngle(s.record.points[0], s.record.points[i + 1]), 1e-3);
    }
  }
}

// The fan is the default, asks the trace for nothing, and its file keeps its
// bytes; the choice is four bytes of the reserved block, read back whole.
TEST_F(SpecialRaysTest, FanByDefaultAndTheChoiceRoundTrips) {
  PointLampHouse point(&canvas);
  RealObject object(&canvas);
  for (EmitterObject* source :
       {static_cast<EmitterObject*>(&point), static_cast<EmitterObject*>(&object)}) {
    source->BeginCreate(100, 200);
    source->EndCreate(100, 150);
    EXPECT_FALSE(source->SpecialRays());
    for (const auto& ray : source->GetBaseRays())
      EXPECT_EQ(ray.special, DrawBaseRayDataStruct::kFan);
    const auto fan = RecordBytes(*source);
    source->ShowProperties();
    EXPECT_EQ(fake->sheet.Value("光线"), "扇形");
    ASSERT_TRUE(Apply(*source, {{"光线", "特殊光线"}}));
    EXPECT_TRUE(source->SpecialRays());
    for (const auto& ray : source->GetBaseRays())
      EXPECT_EQ(ray.special, DrawBaseRayDataStruct::kAskSpecial);
    const auto special = RecordBytes(*source);
    ASSERT_EQ(special.size(), fan.size());
    std::size_t changed = 0;
    for (std::size_t i = 0; i < fan.size(); ++i) changed += fan[i] != special[i];
    EXPECT_EQ(changed, 4u);
    PointLampHouse backPoint(&canvas);
    RealObject backObject(&canvas);
    EmitterObject& back = source == &point ? static_cast<EmitterObject&>(backPoint) : backObject;
    ASSERT_TRUE(LoadRecord(back, special));
    EXPECT_TRUE(back.SpecialRays());
    ASSERT_TRUE(Apply(back, {{"光线", "扇形"}}));
    EXPECT_EQ(RecordBytes(back), fan);
  }
}
