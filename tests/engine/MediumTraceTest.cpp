// Rays through the faces of the media: refraction by Snell's law with the
// medium's index times the ray's factor, parallel exit from a slab, and total
// internal reflection in a prism.

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "RecordingTraceSink.h"
#include "TestEnvironment.h"
#include "TraceBuilders.h"
#include "gfx/RecordingCanvas.h"
#include "objects/elements/FourPrism.h"
#include "objects/elements/ThreePrism.h"
#include "optics/PlaneMath.h"
#include "optics/RayGeometry.h"
#include "optics/schedule/Tracer.h"

namespace {

using MediumTraceTest = EngineTest;

constexpr double kPi = 3.14159265358979323846;
constexpr double kRad = kPi / 180.0;

DrawBaseRayDataStruct Ray(TPointF start, double direction, float indexFactor = 1.0f) {
  DrawBaseRayDataStruct ray = RayAt(start, direction, 10);
  ray.indexFactor = indexFactor;
  return ray;
}

// Direction of a piece in degrees, in (-180, 180].
double Heading(const TraceItem& p) {
  double d = DirectionAngle(p.a, p.b);
  if (d > 180) d -= 360;
  return d;
}

double DirectionOf(const TraceItem& p) { return DirectionAngle(p.a, p.b); }

// The ray pieces, in drawing order.
std::vector<TraceItem> Trace(DrawObjectUnit& medium,
                             const std::vector<DrawBaseRayDataStruct>& rays) {
  RecordingTraceSink sink;
  TraceOptions options;
  options.maxGenerations = 20;
  TraceScene(medium.GetSurfaces(), rays, options, sink);
  return sink.Of(TraceItem::Ray);
}

}  // namespace

TEST_F(MediumTraceTest, SlabRefractionObeysSnellAndTheExitIsParallel) {
  RecordingCanvas canvas;
  FourPrism slab(&canvas);
  // Tall enough that every ray below leaves through the right face.
  slab.SetRectangle({200, -600}, {500, 1400});
  for (float index : {1.0f, 1.33f, 1.5f, 2.4f}) {
    slab.refractiveIndex = index;
    for (float factor : {1.0f, 0.9f, 1.08f}) {
      const double n = double(index) * factor;
      if (n < 1) continue;
      for (double incidence : {-70.0, -45.0, -20.0, -5.0, 10.0, 30.0, 55.0, 70.0}) {
        SCOPED_TRACE(::testing::Message()
                     << "n=" << index << " factor=" << factor << " i=" << incidence);
        const auto pieces =
            Trace(slab, {Ray(PointAt({200, 400}, incidence, -100), incidence, factor)});
        ASSERT_EQ(pieces.size(), 3u);  // to the left face, across, and out
        EXPECT_NEAR(pieces[0].b.x, 200, 1e-3);
        EXPECT_NEAR(pieces[1].b.x, 500, 1e-3);
        const double inside = Heading(pieces[1]);
        const double out = Heading(pieces[2]);
        // Both faces are vertical: the angles to their normals are the headings.
        EXPECT_NEAR(std::sin(incidence * kRad), n * std::sin(inside * kRad), 5e-5);
        EXPECT_NEAR(n * std::sin(inside * kRad), std::sin(out * kRad), 5e-5);
        EXPECT_NEAR(out, incidence, 0.01);
      }
    }
  }
}

TEST_F(MediumTraceTest, TotalInternalReflectionInAPrismBeyondTheCriticalAngle) {
  RecordingCanvas canvas;
  ThreePrism prism(&canvas);
  prism.vertices = {TPointF{300, 100}, TPointF{500, 300}, TPointF{100, 300}};
  for (float index : {1.5f, 1.9f}) {
    prism.refractiveIndex = index;
    const double critical = std::asin(1.0 / index) / kRad;
    for (double offset : {-3.0, -0.5, 0.5, 3.0}) {
      const double a = critical + offset;  // angle to the base's normal, from inside
      SCOPED_TRACE(::testing::Message() << "n=" << index << " a=" << a);
      const TPointF centre{300, 240};
      const auto pieces = Trace(prism, {Ray(centre, 270 + a)});
      ASSERT_GE(pieces.size(), 2u);
      EXPECT_NEAR(pieces[0].b.y, 300, 1e-3);  // met the base
      const double after = DirectionOf(pieces[1]);
      if (offset > 0) {
        // Reflected back into the prism: the mirror direction.
        EXPECT_NEAR(after, 90 - a, 0.01);
        EXPECT_LT(pieces[1].b.y, 300);
      } else {
        // Refracted out below the base.
        const double out = after - 270;
        EXPECT_NEAR(std::sin(out * kRad), index * std::sin(a * kRad), 5e-5);
        EXPECT_GT(pieces[1].b.y, 300);
      }
    }
  }
}

TEST_F(MediumTraceTest, RightAnglePrismTurnsTheBeamBack) {
  // Square on through one leg, reflected at the base (45 degrees, beyond the
  // critical angle), square out through the other leg: turned by 90 degrees.
  RecordingCanvas canvas;
  ThreePrism prism(&canvas);
  prism.vertices = {TPointF{300, 100}, TPointF{500, 300}, TPointF{100, 300}};
  prism.refractiveIndex = 1.5f;
  // Perpendicular to the right leg (direction 315), coming from up-right.
  const TPointF onLeg{420, 220};
  const auto pieces = Trace(prism, {Ray(PointAt(onLeg, 225, -100), 225)});
  ASSERT_EQ(pieces.size(), 4u);  // in, to the base, to the left leg, out
  EXPECT_NEAR(DirectionOf(pieces[1]), 225, 0.01);
  EXPECT_NEAR(pieces[1].b.y, 300, 1e-3);
  EXPECT_NEAR(DirectionOf(pieces[2]), 135, 0.01);
  EXPECT_NEAR(DirectionOf(pieces[3]), 135, 0.01);
}
