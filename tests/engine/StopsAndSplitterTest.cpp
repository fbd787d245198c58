// Stops, screens, the beam splitter and partial reflection: where light
// ends, how it is shared out, and that a ray keeping all of it is printed as
// before.

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <utility>
#include <vector>

#include "RecordingTraceSink.h"
#include "TestEnvironment.h"
#include "TraceBuilders.h"
#include "gfx/RecordingCanvas.h"
#include "objects/elements/Aperture.h"
#include "objects/elements/BeamSplitter.h"
#include "objects/elements/CircularBlocker.h"
#include "objects/elements/FourPrism.h"
#include "objects/elements/LightBlocker.h"
#include "optics/Fresnel.h"
#include "optics/TextTraceSink.h"
#include "optics/schedule/Tracer.h"

namespace {

using StopsTest = EngineTest;

// Also keeps the shares (reflected, transmitted) told at each hit.
struct SharesSink : RecordingTraceSink {
  std::vector<std::pair<double, double>> shares;
  void Shares(double reflected, double transmitted) override {
    shares.emplace_back(reflected, transmitted);
  }
};

SharesSink Trace(DrawObjectUnit& element, const std::vector<DrawBaseRayDataStruct>& rays,
                 TraceOptions options = {}) {
  SharesSink sink;
  options.reportHits = true;
  options.maxGenerations = 10;
  TraceScene(element.GetSurfaces(), rays, options, sink);
  return sink;
}

template <class T>
T Segment(RecordingCanvas& canvas, TPointF a, TPointF b) {
  T object(&canvas);
  object.SetControlPoints({a, b});
  return object;
}

// The same reflectance by the sine and tangent forms of the equations.
double FresnelBySines(double n1, double n2, double incidence) {
  const double i = incidence * M_PI / 180, s = n1 / n2 * std::sin(i);
  if (s >= 1) return 1;
  if (incidence == 0) return std::pow((n1 - n2) / (n1 + n2), 2);
  const double t = std::asin(s);
  const double rs = std::pow(std::sin(i - t) / std::sin(i + t), 2);
  const double rp = std::pow(std::tan(i - t) / std::tan(i + t), 2);
  return (rs + rp) / 2;
}

}  // namespace

TEST(FresnelTest, UnpolarisedReflectanceIsTheMeanOfSAndP) {
  for (const auto& [n1, n2] : {std::pair{1.0, 1.5}, {1.5, 1.0}, {1.0, 2.4}, {1.33, 1.0}})
    for (double i = 0; i < 90; i += 2.5)
      EXPECT_NEAR(FresnelReflectance(n1, n2, i), FresnelBySines(n1, n2, i), 1e-6)
          << n1 << " -> " << n2 << " at " << i;
  EXPECT_NEAR(FresnelReflectance(1, 1.5, 0), 0.04, 1e-6);
  EXPECT_EQ(FresnelReflectance(1.5, 1, 42), 1);  // beyond the critical angle, 41.8
}

TEST_F(StopsTest, ABlockerEndsTheRayAndAScreenMarksWhereItArrives) {
  RecordingCanvas canvas;
  auto blocker = Segment<LightBlocker>(canvas, {300, 100}, {300, 300});
  for (std::uint8_t screen : {0, 1}) {
    blocker.screen = screen;
    const auto sink = Trace(blocker, {RayAt({100, 200}, 0), RayAt({500, 150}, 180)});
    ASSERT_EQ(sink.Count(TraceItem::Ray), 2u);  // from both sides, nothing goes on
    EXPECT_EQ(sink.Count(TraceItem::Normal), 0u);
    EXPECT_EQ(sink.Count(TraceItem::Spot), screen ? 2u : 0u);
    if (screen) {
      EXPECT_EQ(sink.Of(TraceItem::Spot)[0].a, (TPointF{300, 200}));
    }
  }
}

TEST_F(StopsTest, AnApertureLetsLightThroughItsGapOnly) {
  RecordingCanvas canvas;
  auto stop = Segment<Aperture>(canvas, {300, 100}, {300, 300});
  stop.gapWidth = 20;
  stop.gapPosition = 0.25;  // the gap from y = 140 to 160
  for (const auto& [y, passes] :
       {std::pair{150.0f, true}, {139.0f, false}, {161.0f, false}, {200.0f, false}}) {
    const auto pieces = Trace(stop, {RayAt({100, y}, 0)}).Of(TraceItem::Ray);
    ASSERT_EQ(pieces.size(), 1u) << y;
    EXPECT_NEAR(pieces[0].b.x, passes ? 1101 : 300, 0.01) << y;
  }
}

TEST_F(StopsTest, ADiscAbsorbsOnItsOutline) {
  RecordingCanvas canvas;
  auto disc = Segment<CircularBlocker>(canvas, {300, 200}, {300, 150});
  const auto pieces = Trace(disc, {RayAt({100, 230}, 0)}).Of(TraceItem::Ray);
  ASSERT_EQ(pieces.size(), 1u);
  EXPECT_NEAR(pieces[0].b.x, 260, 0.01);
  EXPECT_NEAR(pieces[0].b.y, 230, 0.01);
}

TEST_F(StopsTest, ASplitterSharesTheLightAndDimRaysAreNotFollowed) {
  RecordingCanvas canvas;
  auto splitter = Segment<BeamSplitter>(canvas, {250, 250}, {350, 150});
  splitter.reflected = 0.3f;
  const auto traced = Trace(splitter, {RayAt({100, 200}, 0)});
  ASSERT_EQ(traced.shares.size(), 1u);  // reflected first
  EXPECT_NEAR(traced.shares[0].first, 0.3, 1e-6);
  EXPECT_NEAR(traced.shares[0].second, 0.7, 1e-6);
  const auto pieces = traced.Of(TraceItem::Ray);
  ASSERT_EQ(pieces.size(), 3u);
  EXPECT_EQ(pieces[0].ray.brightness, 1);
  EXPECT_FLOAT_EQ(pieces[1].ray.brightness, 0.3f);  // reflected, straight up
  EXPECT_NEAR(DirectionAngle(pieces[1].a, pieces[1].b), 90, 1e-3);
  EXPECT_FLOAT_EQ(pieces[2].ray.brightness, 0.7f);  // straight on
  EXPECT_NEAR(DirectionAngle(pieces[2].a, pieces[2].b), 0, 1e-3);

  std::ostringstream text;
  TextTraceSink printer(text);
  for (const auto& p : pieces) printer.RayPiece(p.a, p.b, p.ray);
  std::istringstream lines(text.str());
  std::string full, reflected;
  std::getline(lines, full);
  std::getline(lines, reflected);
  EXPECT_TRUE(full.ends_with("\t255\t0")) << full;  // no field at 1
  EXPECT_TRUE(reflected.ends_with("\t255\t0\t0.300")) << reflected;

  splitter.reflected = 0.005f;  // below the 1 % a ray needs to be followed
  EXPECT_EQ(Trace(splitter, {RayAt({100, 200}, 0)}).Count(TraceItem::Ray), 2u);
  TraceOptions options;
  options.minBrightness = 0.001f;
  EXPECT_EQ(Trace(splitter, {RayAt({100, 200}, 0)}, options).Count(TraceItem::Ray), 3u);
}

TEST_F(StopsTest, PartialReflectionSendsTheFresnelShareBack) {
  RecordingCanvas canvas;
  FourPrism slab(&canvas);
  slab.SetRectangle({300, -600}, {500, 1000});
  slab.refractiveIndex = 1.5f;
  const auto ray = RayAt({100, 200}, -30);  // 30 degrees onto the left face
  EXPECT_EQ(Trace(slab, {ray}).Count(TraceItem::Ray), 3u);
  TraceOptions options;
  options.partialReflection = true;
  const auto traced = Trace(slab, {ray}, options);
  const auto pieces = traced.Of(TraceItem::Ray);
  ASSERT_GE(pieces.size(), 3u);
  const double r = FresnelReflectance(1, 1.5, 30);
  ASSERT_FALSE(traced.shares.empty());
  EXPECT_NEAR(traced.shares[0].first, r, 1e-6);
  EXPECT_NEAR(traced.shares[0].second, 1 - r, 1e-6);
  EXPECT_FLOAT_EQ(pieces[1].ray.brightness, float(1 - r));  // into the glass
  EXPECT_FLOAT_EQ(pieces[2].ray.brightness, float(r));      // reflected at the face
  EXPECT_NEAR(DirectionAngle(pieces[2].a, pieces[2].b), 210, 1e-3);
}
