#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "RecordingTraceSink.h"
#include "TestEnvironment.h"
#include "TraceBuilders.h"
#include "i18n/Convert.h"
#include "optics/schedule/Tracer.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
double SinDeg(double a) { return std::sin(a * kPi / 180); }

using Surfaces = std::vector<DrawObjectLineDataStruct>;
using Rays = std::vector<DrawBaseRayDataStruct>;

class TracerTest : public EngineTest {
 protected:
  RecordingTraceSink Trace(const Surfaces& surfaces, const Rays& rays) {
    RecordingTraceSink sink;
    TraceScene(surfaces, rays, options, sink);
    return sink;
  }
  // Direction in which the ray leaves the hit: the extension points backwards.
  static double Outgoing(const TraceItem& extension) {
    return DirectionAngle(extension.b, extension.a);
  }

  TraceOptions options;
};

void ExpectPoint(TPointF actual, TPointF expected, double tolerance = 1e-3) {
  EXPECT_NEAR(actual.x, expected.x, tolerance);
  EXPECT_NEAR(actual.y, expected.y, tolerance);
}

// Reflects rays coming from the left (x < 300).
DrawObjectLineDataStruct FacingLeft(float x = 300) { return Mirror({x, 0}, {x, 400}); }

}  // namespace

// --- Rays that meet nothing ---

TEST_F(TracerTest, WithoutSurfacesRaysAre1000PxWithoutArrows) {
  const auto sink = Trace({}, {RayAt({100, 100}, 0), RayAt({100, 200}, 90)});
  ASSERT_EQ(sink.items.size(), 2u);
  EXPECT_EQ(sink.Count(TraceItem::Arrow), 0u);
  ExpectPoint(sink.items[0].a, {101, 100});
  ExpectPoint(sink.items[0].b, {1101, 100});
  ExpectPoint(sink.items[1].b, {100, 199 - 1000});
}

TEST_F(TracerTest, MissIs1000PxWithArrow50PxOut) {
  const auto sink = Trace({FacingLeft()}, {RayAt({100, 100}, 180)});
  ASSERT_EQ(sink.items.size(), 2u);
  ASSERT_EQ(sink.items[0].kind, TraceItem::Ray);
  EXPECT_NEAR(Distance(sink.items[0].a, sink.items[0].b), 1000, 1e-3);
  ASSERT_EQ(sink.items[1].kind, TraceItem::Arrow);
  ExpectPoint(sink.items[1].a, {99 - 50, 100});
  EXPECT_FLOAT_EQ(sink.items[1].direction, 180);
}

TEST_F(TracerTest, RayWithCoincidentPointsEndsWithoutHanging) {
  const auto ray = RayThrough({50, 50}, {50, 50});
  const auto sink = Trace({FacingLeft(), Boundary({0, 300}, {600, 300}, 1.5f)}, {ray});
  ASSERT_FALSE(sink.items.empty());
  for (const auto& item : sink.items) {
    EXPECT_TRUE(std::isfinite(item.a.x) && std::isfinite(item.a.y));
    EXPECT_TRUE(std::isfinite(item.b.x) && std::isfinite(item.b.y));
  }
  DrawBaseRayDataStruct broken = RayAt({10, 10}, 0);
  broken.startX = std::nanf("");
  broken.throughY = std::nanf("");
  EXPECT_FALSE(Trace({FacingLeft()}, {broken}).items.empty());
}

// --- Reflection ---

TEST_F(TracerTest, FrontOfMirrorReflects) {
  const auto sink = Trace({FacingLeft()}, {RayAt({100, 200}, 0)});
  const auto rays = sink.Of(TraceItem::Ray);
  ASSERT_EQ(rays.size(), 2u);
  ExpectPoint(rays[0].a, {101, 200});
  ExpectPoint(rays[0].b, {300, 200});
  // The continuation starts at the hit and goes back.
  ExpectPoint(rays[1].a, {300, 200});
  EXPECT_NEAR(rays[1].ray.direction, 180, 1e-3);
  ExpectPoint(rays[1].b, {-700, 200});
  const auto extension = sink.Of(TraceItem::Extension);
  ASSERT_EQ(extension.size(), 1u);
  ExpectPoint(extension[0].a, {300, 200});
  ExpectPoint(extension[0].b, {800, 200});
}

TEST_F(TracerTest, BackOfMirrorAbsorbs) {
  const auto sink = Trace({Mirror({300, 400}, {300, 0})}, {RayAt({100, 200}, 0)});
  EXPECT_EQ(sink.Count(TraceItem::Ray), 1u);
  EXPECT_EQ(sink.Count(TraceItem::Normal), 1u);  // still drawn at the hit
  EXPECT_EQ(sink.Count(TraceItem::Extension), 0u);
}

TEST_F(TracerTest, TwoSidedMirrorReflectsBothWaysAndDropsTheImage) {
  for (const auto& mirror : {Mirror({300, 400}, {300, 0}, 3), Mirror({300, 0}, {300, 400}, 3)}) {
    auto ray = RayAt({100, 200}, 20);
    ray.sourceKind = 1;
    const auto rays = Trace({mirror}, {ray}).Of(TraceItem::Ray);
    ASSERT_EQ(rays.size(), 2u);
    EXPECT_NEAR(rays[1].ray.direction, 160, 1e-2);
    EXPECT_EQ(rays[1].ray.sourceKind, 0);
  }
}

TEST_F(TracerTest, ArrowsSitAtTheMiddleOfEachPiece) {
  const auto sink = Trace({FacingLeft()}, {RayAt({100, 200}, 30)});
  const auto rays = sink.Of(TraceItem::Ray);
  const auto arrows = sink.Of(TraceItem::Arrow);
  ASSERT_EQ(arrows.size(), 2u);
  ExpectPoint(arrows[0].a, Midpoint(rays[0].a, rays[0].b));
  EXPECT_FLOAT_EQ(arrows[0].direction, rays[0].ray.direction);
  EXPECT_NEAR(arrows[0].direction, 30, 1e-2);
  // The second piece misses everything: arrow 50 px out.
  ExpectPoint(arrows[1].a, PointAt(rays[1].a, rays[1].ray.direction, 50));
}

TEST_F(TracerTest, NormalIs70PxEachSideAndPerpendicular) {
  const auto sink = Trace({Mirror({250, 0}, {350, 400})}, {RayAt({100, 200}, 0)});
  const auto normals = sink.Of(TraceItem::Normal);
  ASSERT_EQ(normals.size(), 1u);
  const TPointF h = sink.Of(TraceItem::Ray)[0].b;
  EXPECT_NEAR(Distance(normals[0].a, h), 70, 1e-3);
  EXPECT_NEAR(Distance(normals[0].b, h), 70, 1e-3);
  const double surface = DirectionAngle({250, 0}, {350, 400});
  const double normal = DirectionAngle(normals[0].b, normals[0].a);
  EXPECT_NEAR(std::fabs(std::remainder(normal - surface, 180.0)), 90, 1e-3);
}

TEST_F(TracerTest, NoNormalsOrExtensionsWhenSwitchedOff) {
  options.drawNormals = false;
  options.drawReverse = false;
  const auto sink = Trace({FacingLeft()}, {RayAt({100, 200}, 10)});
  EXPECT_EQ(sink.Count(TraceItem::Normal), 0u);
  EXPECT_EQ(sink.Count(TraceItem::Extension), 0u);
  EXPECT_EQ(sink.Count(TraceItem::Ray), 2u);
}

TEST_F(TracerTest, ExtensionIs500PxOppositeTheOutgoingRay) {
  const auto sink = Trace({FacingLeft()}, {RayAt({100, 200}, 25)});
  const auto extension = sink.Of(TraceItem::Extension);
  ASSERT_EQ(extension.size(), 1u);
  EXPECT_NEAR(Distance(extension[0].a, extension[0].b), 500, 1e-3);
  EXPECT_NEAR(Outgoing(extension[0]), 155, 1e-2);
}

TEST_F(TracerTest, FacingMirrorsGiveExactly500Generations) {
  const Surfaces mirrors{Mirror({100, 400}, {100, 0}), FacingLeft(500)};
  const auto sink = Trace(mirrors, {RayAt({300, 200}, 0)});
  const auto rays = sink.Of(TraceItem::Ray);
  EXPECT_EQ(rays.size(), 500u);
  ASSERT_FALSE(rays.empty());
  EXPECT_NEAR(Distance(rays[0].a, rays[0].b), 199, 1e-3);
  // Every later piece runs from one mirror to the other.
  for (std::size_t i = 1; i < rays.size(); ++i)
    EXPECT_NEAR(Distance(rays[i].a, rays[i].b), 400, 1e-3);
  EXPECT_EQ(sink.Count(TraceItem::Arrow), 500u);
  options.maxGenerations = 7;
  EXPECT_EQ(Trace(mirrors, {RayAt({300, 200}, 0)}).Count(TraceItem::Ray), 7u);
}

TEST_F(TracerTest, EqualDistanceGoesToTheEarlierSurface) {
  const auto mirror = FacingLeft();
  const auto glass = Boundary({300, 0}, {300, 400}, 1.0f);
  const auto ray = RayAt({100, 200}, 0);
  const auto reflected = Trace({mirror, glass}, {ray}).Of(TraceItem::Ray);
  ASSERT_EQ(reflected.size(), 2u);
  EXPECT_NEAR(reflected[1].ray.direction, 180, 1e-3);
  const auto passed = Trace({glass, mirror}, {ray}).Of(TraceItem::Ray);
  ASSERT_EQ(passed.size(), 2u);
  EXPECT_NEAR(passed[1].ray.direction, 0, 1e-3);
}

TEST_F(TracerTest, ConcaveArcReflectsTowardsItsFocusWithRadialNormal) {
  const TPointF centre{400, 200};
  const auto arc = ArcMirror(centre, 200, 150, 210);
  const auto sink = Trace({arc}, {RayAt({350, 205}, 180)});
  const auto rays = sink.Of(TraceItem::Ray);
  ASSERT_EQ(rays.size(), 2u);
  const TPointF h = rays[0].b;
  EXPECT_NEAR(Distance(h, centre), 200, 1e-2);
  const auto normal = sink.Of(TraceItem::Normal).at(0);
  // The normal runs through the centre.
  EXPECT_NEAR(DirectionAngle(h, normal.a), DirectionAngle(h, centre), 1e-2);
  // Paraxial focus at half the radius.
  const double theta = rays[1].ray.direction * kPi / 180;
  const double crossX = h.x + (h.y - 200) / std::tan(theta);
  EXPECT_NEAR(crossX, 300, 0.5);
}

TEST_F(TracerTest, RayInsideClosedCircleKeepsReflecting) {
  const auto circle = ArcMirror({300, 300}, 100, 0, 360);
  options.maxGenerations = 4;
  const auto rays = Trace({circle}, {RayAt({250, 300}, 180)}).Of(TraceItem::Ray);
  ASSERT_EQ(rays.size(), 4u);
  ExpectPoint(rays[1].b, {400, 300}, 1e-2);  // straight across from the left edge
  ExpectPoint(rays[2].b, {200, 300}, 1e-2);
}

// --- Refraction ---

TEST_F(TracerTest, EnteringFollowsSnellWithTheRayFactor) {
  // Medium above y = 300 (left of the direction 0).
  const auto boundary = Boundary({0, 300}, {600, 300}, 1.25f);
  auto ray = RayAt({200, 500}, 60);  // 30 degrees from the normal
  ray.indexFactor = 1.2f;
  const auto extension = Trace({boundary}, {ray}).Of(TraceItem::Extension);
  ASSERT_EQ(extension.size(), 1u);
  const double i = 90 - ray.direction, r = 90 - Outgoing(extension[0]);
  EXPECT_NEAR(i, 30, 1e-2);
  EXPECT_GT(r, 0);
  EXPECT_NEAR(SinDeg(i), 1.25 * 1.2 * SinDeg(r), 1e-5);
}

TEST_F(TracerTest, LeavingFollowsSnell) {
  const auto boundary = Boundary({0, 300}, {600, 300}, 1.5f);
  const auto ray = RayAt({200, 100}, 300);
  const auto extension = Trace({boundary}, {ray}).Of(TraceItem::Extension);
  ASSERT_EQ(extension.size(), 1u);
  const double i = ray.direction - 270, r = Outgoing(extension[0]) - 270;
  EXPECT_GT(r, i);
  EXPECT_NEAR(1.5 * SinDeg(i), SinDeg(r), 1e-5);
}

// The colours of a composite beam share their points until a medium parts
// them: each must still be traced exactly as it would be alone.
TEST_F(TracerTest, BeamOnSharedPointsTracesEachColourAsAlone) {
  const Surfaces surfaces{Boundary({0, 300}, {600, 300}, 1.5f),
                          Boundary({0, 320}, {600, 320}, 1.5f), Mirror({600, 500}, {0, 500})};
  Rays beam;
  for (float factor : {1.0f, 1.0f, 1.1f, 1.2f}) {
    beam.push_back(RayAt({100, 100}, 300));
    beam.back().indexFactor = factor;
  }
  options.maxGenerations = 6;
  const auto together = Trace(surfaces, beam).Of(TraceItem::Extension);
  for (std::size_t k = 0; k < beam.size(); ++k) {
    const auto alone = Trace(surfaces, {beam[k]}).Of(TraceItem::Extension);
    ASSERT_EQ(alone.size(), 3u);  // through both faces, off the mirror, then past the faces
    ASSERT_EQ(together.size(), beam.size() * alone.size());
    for (std::size_t g = 0; g < alone.size(); ++g) {
      const TraceItem& mine = together[g * beam.size() + k];
      EXPECT_EQ(mine.a.x, alone[g].a.x) << k << ' ' << g;
      EXPECT_EQ(mine.a.y, alone[g].a.y) << k << ' ' << g;
      EXPECT_EQ(mine.b.x, alone[g].b.x) << k << ' ' << g;
      EXPECT_EQ(mine.b.y, alone[g].b.y) << k << ' ' << g;
    }
  }
  EXPECT_NE(together[4 * 1 + 1].a.x, together[4 * 1 + 3].a.x);  // the medium parted them
}

TEST_F(TracerTest, TotalReflectionOnlyAboveTheCriticalValue) {
  const double critical = 1 / SinDeg(45);
  const auto ray = RayAt({200, 100}, 315);  // leaving at 45 degrees
  // Just below: refracted, nearly along the surface.
  auto below = Trace({Boundary({0, 300}, {600, 300}, float(critical * 0.9999))}, {ray});
  const double refracted = Outgoing(below.Of(TraceItem::Extension).at(0));
  EXPECT_GT(refracted, 355);
  // Just above: mirrored.
  auto above = Trace({Boundary({0, 300}, {600, 300}, float(critical * 1.0001))}, {ray});
  EXPECT_NEAR(Outgoing(above.Of(TraceItem::Extension).at(0)), 45, 1e-2);
}

TEST_F(TracerTest, PerpendicularRayPassesStraight) {
  const Surfaces slab{Boundary({0, 300}, {600, 300}, 1.5f), Boundary({600, 100}, {0, 100}, 1.5f)};
  const auto sink = Trace(slab, {RayAt({200, 500}, 90)});
  const auto rays = sink.Of(TraceItem::Ray);
  ASSERT_EQ(rays.size(), 3u);
  ExpectPoint(rays[1].b, {200, 100});
  for (const auto& e : sink.Of(TraceItem::Extension)) EXPECT_NEAR(Outgoing(e), 90, 1e-3);
}

TEST_F(TracerTest, EnteringThinnerMediumBeyondCriticalAngleEnds) {
  const auto sink = Trace({Boundary({0, 300}, {600, 300}, 0.5f)}, {RayAt({200, 500}, 20)});
  EXPECT_EQ(sink.Count(TraceItem::Ray), 1u);
  EXPECT_EQ(sink.Count(TraceItem::Extension), 0u);
  // An index never set (0) ends the ray instead of dividing by it.
  const auto unset = Trace({Boundary({0, 300}, {600, 300}, 0.0f)}, {RayAt({200, 500}, 80)});
  EXPECT_EQ(unset.Count(TraceItem::Ray), 1u);
}

// --- Ideal thin lens ---

class IdealLensTest : public TracerTest {
 protected:
  // Lens x = 300 from y 100 to 300; optical centre (300, 200), f = 100.
  DrawObjectLineDataStruct Lens(int orientation) {
    return IdealLens({300, 100}, {300, 300}, {400, 200}, {200, 200}, orientation);
  }
  // Where the outgoing line of a piece crosses y = 200 (the axis).
  static double AxisCrossing(const TraceItem& extension) {
    const double t = (200 - extension.a.y) / (double(extension.b.y) - extension.a.y);
    return extension.a.x + t * (double(extension.b.x) - extension.a.x);
  }
};

TEST_F(IdealLensTest, ConvergingSendsParallelRaysThroughTheFocus) {
  const auto extension = Trace({Lens(1)}, {RayAt({100, 150}, 0)}).Of(TraceItem::Extension);
  ASSERT_EQ(extension.size(), 1u);
  EXPECT_NEAR(AxisCrossing(extension[0]), 400, 1e-2);
  EXPECT_LT(Outgoing(extension[0]), 360);
  EXPECT_GT(Outgoing(extension[0]), 270);  // downwards to the right
}

TEST_F(IdealLensTest, RayFactorShortensTheFocalLength) {
  auto ray = RayAt({100, 150}, 0);
  ray.indexFactor = 2;
  const auto extension = Trace({Lens(1)}, {ray}).Of(TraceItem::Extension);
  EXPECT_NEAR(AxisCrossing(extension.at(0)), 350, 1e-2);
}

TEST_F(IdealLensTest, RayThroughTheCentreGoesStraight) {
  const auto ray = RayThrough({100, 150}, {104, 151});
  const auto extension = Trace({Lens(1)}, {ray}).Of(TraceItem::Extension);
  EXPECT_NEAR(Outgoing(extension.at(0)), ray.direction, 1e-2);
}

TEST_F(IdealLensTest, VirtualImageSendsRaysAwayFromIt) {
  // Object inside the focal length: virtual image at (200, 100).
  const TPointF object{250, 150};
  const auto sink = Trace({Lens(1)}, {RayAt(object, 0), RayAt(object, 10)});
  const auto extension = sink.Of(TraceItem::Extension);
  ASSERT_EQ(extension.size(), 2u);
  for (const auto& e : extension) {
    // The outgoing line, traced back, passes through the image.
    const double toImage = DirectionAngle(e.a, {200, 100});
    EXPECT_NEAR(toImage, DirectionAngle(e.a, e.b), 0.05);
    EXPECT_LT(Outgoing(e), 360);
    EXPECT_GT(Outgoing(e), 270);  // still going on to the right
  }
}

TEST_F(IdealLensTest, DivergingSpreadsFromTheNearFocus) {
  const auto extension = Trace({Lens(2)}, {RayAt({100, 150}, 0)}).Of(TraceItem::Extension);
  ASSERT_EQ(extension.size(), 1u);
  EXPECT_NEAR(AxisCrossing(extension[0]), 200, 1e-2);
  EXPECT_GT(Outgoing(extension[0]), 0);
  EXPECT_LT(Outgoing(extension[0]), 90);  // upwards to the right
}

TEST_F(IdealLensTest, SourceOnTheAxisStillFocuses) {
  // Start point on the axis: the two construction lines coincide.
  const TPointF object{100, 200};
  const auto sink =
      Trace({Lens(1)}, {RayThrough(object, {110, 199}), RayThrough(object, {110, 201.5f})});
  const auto extension = sink.Of(TraceItem::Extension);
  ASSERT_EQ(extension.size(), 2u);
  for (const auto& e : extension) EXPECT_NEAR(AxisCrossing(e), 500, 0.05);
}

TEST_F(IdealLensTest, SourceInTheFocalPlaneLeavesParallel) {
  const TPointF object{200, 170};
  const auto sink = Trace({Lens(1)}, {RayAt(object, 0), RayAt(object, -10)});
  const auto extension = sink.Of(TraceItem::Extension);
  ASSERT_EQ(extension.size(), 2u);
  EXPECT_NEAR(Outgoing(extension[0]), Outgoing(extension[1]), 1e-2);
  EXPECT_NEAR(Outgoing(extension[0]), DirectionAngle(object, {300, 200}), 1e-2);
}

// --- Images ---

namespace {
Rays PointSource(TPointF at, std::initializer_list<double> angles, int group) {
  Rays rays;
  for (double a : angles) {
    auto ray = RayAt(at, a);
    ray.sourceKind = 1;
    ray.emissionGroup = group;
    ray.name = "S";
    rays.push_back(ray);
  }
  return rays;
}
}  // namespace

TEST_F(TracerTest, PlaneMirrorGivesVirtualImageOfPointSource) {
  const auto mirror = FacingLeft();
  const auto sink = Trace({mirror}, PointSource({100, 200}, {-20, -10, 0, 10, 20}, 7));
  const auto images = sink.Of(TraceItem::Image);
  ASSERT_EQ(images.size(), 3u);  // one per ray that still has two partners after it
  for (const auto& image : images) {
    ExpectPoint(image.a, {500, 200}, 0.05);
    EXPECT_FALSE(image.flag);
    EXPECT_EQ(image.text, "S'");
  }
  int continued = 0;
  for (const auto& r : sink.Of(TraceItem::Ray)) {
    if (r.a.x != 300) continue;
    ++continued;
    EXPECT_EQ(r.ray.lastSurface, 1);  // the trace's first (and only) surface
  }
  EXPECT_EQ(continued, 5);
}

TEST_F(TracerTest, LensGivesRealImageOfPointSource) {
  const auto lens = IdealLens({300, 100}, {300, 300}, {400, 200}, {200, 200});
  const auto images = Trace({lens}, PointSource({100, 170}, {-5, 0, 5}, 3)).Of(TraceItem::Image);
  ASSERT_EQ(images.size(), 1u);
  ExpectPoint(images[0].a, {500, 230}, 0.05);
  EXPECT_TRUE(images[0].flag);
}

TEST_F(TracerTest, RaysFromDifferentSurfacesMakeNoImage) {
  // Two rays on each of two mirrors: no three share a surface.
  const Surfaces mirrors{Mirror({300, 0}, {300, 200}), Mirror({300, 200}, {300, 400})};
  const auto sink = Trace(mirrors, PointSource({100, 200}, {30, 20, -20, -30}, 5));
  EXPECT_EQ(sink.Count(TraceItem::Image), 0u);
  // Nor do rays of different emission groups.
  auto rays = PointSource({100, 200}, {10, 5, -5}, 1);
  rays[1].emissionGroup = 2;
  EXPECT_EQ(Trace({FacingLeft()}, rays).Count(TraceItem::Image), 0u);
}

TEST_F(TracerTest, LuminousArrowImageInPlaneMirror) {
  Rays rays;
  for (auto [name, y] : {std::pair{"A", 180.f}, std::pair{"B", 220.f}}) {
    for (double angle : {-10.0, 10.0}) {
      auto ray = RayAt({100, y}, angle);
      ray.sourceKind = 2;
      ray.emissionGroup = 9;
      ray.name = name;
      ray.sourceLineWidth = 2;
      rays.push_back(ray);
    }
  }
  const auto arrows = Trace({FacingLeft()}, rays).Of(TraceItem::ImageArrow);
  ASSERT_EQ(arrows.size(), 1u);
  ExpectPoint(arrows[0].a, {500, 180}, 0.05);
  ExpectPoint(arrows[0].b, {500, 220}, 0.05);
  EXPECT_FALSE(arrows[0].flag);
  EXPECT_EQ(arrows[0].lineWidth, 2);
}

// --- Angle labels ---

TEST_F(TracerTest, AngleLabelsShowFourCharactersOfTheAcuteAngle) {
  options.showAngles = true;
  // Incidence atan(2/3) = 33.69...: the text is cut, not rounded.
  const auto sink = Trace({FacingLeft()}, {RayThrough({100, 300}, {103, 298})});
  const auto labels = sink.Of(TraceItem::Angle);
  ASSERT_EQ(labels.size(), 2u);
  const double expected = std::atan2(2.0, 3.0) * 180 / kPi;
  EXPECT_EQ(labels[0].text, LeftStr(FloatToStr(expected), 4));
  EXPECT_EQ(labels[0].text, "33.6");
  EXPECT_TRUE(labels[0].flag);
  EXPECT_EQ(labels[1].text, "33.6");
  EXPECT_FALSE(labels[1].flag);
  // Between the incoming ray and the normal, 50 px out.
  const TPointF h = sink.Of(TraceItem::Ray)[0].b;
  const TPointF back = PointAt(h, DirectionAngle(h, {103, 298}), 50);
  ExpectPoint(labels[0].a, Midpoint(back, PointAt(h, 180, 50)), 1e-2);
}

TEST_F(TracerTest, AngleLabelsWithoutNormalsAndAtPerpendicularIncidence) {
  options.showAngles = true;
  options.drawNormals = false;
  const auto sink = Trace({FacingLeft()}, {RayAt({100, 200}, 0)});
  EXPECT_EQ(sink.Count(TraceItem::Normal), 0u);
  const auto labels = sink.Of(TraceItem::Angle);
  ASSERT_EQ(labels.size(), 2u);
  EXPECT_EQ(labels[0].text, "0");
  EXPECT_EQ(labels[1].text, "0");
}

TEST_F(TracerTest, ItemsComeInDrawingOrder) {
  options.showAngles = true;
  const auto sink = Trace({FacingLeft()}, {RayAt({100, 200}, 10)});
  std::vector<TraceItem::Kind> kinds;
  for (const auto& item : sink.items) kinds.push_back(item.kind);
  const std::vector<TraceItem::Kind> expected{
      TraceItem::Ray,       TraceItem::Arrow, TraceItem::Normal, TraceItem::Angle,
      TraceItem::Extension, TraceItem::Angle, TraceItem::Ray,    TraceItem::Arrow};
  EXPECT_EQ(kinds, expected);
}

namespace {

// A ray caught between two facing two-sided mirrors bounces for every
// generation: 500 generations, 2 face tests each.
TEST_F(TracerTest, WorkBoundsCutTheTraceAndSaySo) {
  const Surfaces box = {Mirror({100, 0}, {100, 400}, 3), Mirror({300, 0}, {300, 400}, 3)};
  const Rays rays = {RayAt({200, 200}, 0)};
  TraceResult full;
  {
    RecordingTraceSink sink;
    full = TraceScene(box, rays, options, sink);
  }
  EXPECT_FALSE(full.cut);
  EXPECT_EQ(full.faceTests, 1000);
  for (auto [faces, items] : {std::pair{101LL, kDrawnItemBudget}, {kFaceTestBudget, 40LL}}) {
    options.maxFaceTests = faces;
    options.maxDrawnItems = items;
    RecordingTraceSink sink;
    const TraceResult cut = TraceScene(box, rays, options, sink);
    EXPECT_TRUE(cut.cut);
    EXPECT_LE(cut.faceTests, faces);
    EXPECT_LT(cut.drawnItems, full.drawnItems);
    EXPECT_EQ(cut.drawnItems, static_cast<long long>(sink.items.size()));
  }
}

// Two walls of 5,000 one-pixel two-sided mirror pieces each: the bound counts
// the faces the index hands each ray, not all 10,000, so the ray bounces for
// every generation uncut.
TEST_F(TracerTest, ManyFacesCountOnlyTheTestsMade) {
  Surfaces walls;
  for (int i = 0; i < 5000; ++i)
    for (float y : {0.0f, 400.0f}) walls.push_back(Mirror({float(i), y}, {float(i + 1), y}, 3));
  RecordingTraceSink sink;
  const TraceResult result = TraceScene(walls, {RayAt({100, 200}, 89.5)}, options, sink);
  EXPECT_FALSE(result.cut);
  const long long pieces =
      std::count_if(sink.items.begin(), sink.items.end(),
                    [](const TraceItem& i) { return i.kind == TraceItem::Ray; });
  EXPECT_EQ(pieces, options.maxGenerations);
  EXPECT_LT(result.faceTests, 100 * pieces);
}

}  // namespace
