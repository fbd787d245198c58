// Ideal lenses at any tilt, with the source on or next to the axis: the
// outgoing rays pass through the image the thin-lens rule gives, and a ray
// along the axis goes straight on.
#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "RecordingTraceSink.h"
#include "TestEnvironment.h"
#include "TraceBuilders.h"
#include "optics/schedule/Tracer.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr TPointF kCentre{600, 400};
constexpr double kFocal = 228, kObject = 300;

struct Frame {
  double ax, ay;  // along the axis, away from the source (screen, y down)
  double nx, ny;  // across it
  TPointF At(double along, double across) const {
    return {float(kCentre.x + along * ax + across * nx),
            float(kCentre.y + along * ay + across * ny)};
  }
};

Frame FrameOf(double tilt) {
  const double a = tilt * kPi / 180;
  return {std::cos(a), -std::sin(a), -std::sin(a), -std::cos(a)};
}

// The lens crosses the axis at kCentre, 300 px long, with the source on its
// right: the focus on the far side is the left one of its direction.
DrawObjectLineDataStruct TiltedLens(const Frame& f, int orientation) {
  return IdealLens(f.At(0, 150), f.At(0, -150), f.At(kFocal, 0), f.At(-kFocal, 0), orientation);
}

double DistanceToLine(TPointF a, TPointF b, double px, double py) {
  const double dx = double(b.x) - a.x, dy = double(b.y) - a.y;
  return std::fabs(dx * (py - a.y) - dy * (px - a.x)) / std::hypot(dx, dy);
}

// tilt (degrees), orientation (1 converging, 2 diverging), offset from the axis (px)
class TiltedLensTest : public EngineTest,
                       public ::testing::WithParamInterface<std::tuple<double, int, double>> {};

}  // namespace

TEST_P(TiltedLensTest, RaysLeaveThroughTheThinLensImage) {
  const auto [tilt, orientation, offset] = GetParam();
  const Frame f = FrameOf(tilt);
  const TPointF source = f.At(-kObject, offset);
  const double focal = orientation == 1 ? kFocal : -kFocal;
  const double v = kObject * focal / (kObject - focal);
  const double imageX = kCentre.x + v * f.ax - offset * v / kObject * f.nx;
  const double imageY = kCentre.y + v * f.ay - offset * v / kObject * f.ny;
  std::vector<DrawBaseRayDataStruct> rays;
  for (double spread : {-8.0, -3.0, 2.0, 6.0}) rays.push_back(RayAt(source, tilt + spread));
  RecordingTraceSink sink;
  TraceScene({TiltedLens(f, orientation)}, rays, TraceOptions{}, sink);
  const auto extensions = sink.Of(TraceItem::Extension);
  ASSERT_EQ(extensions.size(), rays.size());
  for (const auto& e : extensions) EXPECT_LT(DistanceToLine(e.a, e.b, imageX, imageY), 0.5);
}

INSTANTIATE_TEST_SUITE_P(
    Tilts, TiltedLensTest,
    ::testing::Combine(::testing::Values(0.0, 3.0, 20.0, 45.0, 61.0, 90.0, 137.0, 200.0, 301.0),
                       ::testing::Values(1, 2), ::testing::Values(0.0, 0.03, 0.1)));

class AxisRayTest : public EngineTest,
                    public ::testing::WithParamInterface<std::tuple<double, int>> {};

TEST_P(AxisRayTest, GoesStraightOn) {
  const auto [tilt, orientation] = GetParam();
  const Frame f = FrameOf(tilt);
  RecordingTraceSink sink;
  TraceScene({TiltedLens(f, orientation)}, {RayThrough(f.At(-kObject, 0), f.At(-kObject + 60, 0))},
             TraceOptions{}, sink);
  const auto extensions = sink.Of(TraceItem::Extension);
  ASSERT_EQ(extensions.size(), 1u);
  const double out = DirectionAngle(extensions[0].b, extensions[0].a);
  EXPECT_NEAR(std::remainder(out - tilt, 360.0), 0, 0.01);
}

INSTANTIATE_TEST_SUITE_P(Tilts, AxisRayTest,
                         ::testing::Combine(::testing::Values(0.0, 20.0, 61.0, 90.0, 137.0, 301.0),
                                            ::testing::Values(1, 2)));
