#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

#include "TestEnvironment.h"
#include "optics/PlaneMath.h"
#include "optics/RayGeometry.h"
#include "scene/UserCoordinates.h"

using GeometryTest = EngineTest;

TEST_F(GeometryTest, DirectionAngleAxesAndDegenerate) {
  EXPECT_FLOAT_EQ(DirectionAngle({0, 0}, {0, 0}), 0);
  EXPECT_FLOAT_EQ(DirectionAngle({0, 0}, {10, 0}), 0);
  EXPECT_FLOAT_EQ(DirectionAngle({0, 0}, {-10, 0}), 180);
  EXPECT_FLOAT_EQ(DirectionAngle({0, 0}, {0, -10}), 90);  // up on the screen
  EXPECT_FLOAT_EQ(DirectionAngle({0, 0}, {0, 10}), 270);
  EXPECT_NEAR(DirectionAngle({0, 0}, {10, -10}), 45, 1e-4);
  EXPECT_NEAR(DirectionAngle({0, 0}, {10, 10}), 315, 1e-4);
}

TEST_F(GeometryTest, PointAtAndSideOf) {
  const TPointF p = PointAt({100, 100}, 90, 10);
  EXPECT_NEAR(p.x, 100, 1e-4);
  EXPECT_NEAR(p.y, 90, 1e-4);
  const auto seg = MakeSegment({0, 0}, {100, 0});  // direction 0: right side is below
  EXPECT_EQ(SideOf(seg, {50, 10}), 1);
  EXPECT_EQ(SideOf(seg, {50, -10}), 2);
  EXPECT_EQ(SideOf(seg, {30, 0}), 2);  // on the line
}

TEST_F(GeometryTest, VerticalSegmentUsesItsX) {
  const auto seg = MakeSegment({50, 0}, {50.0000001f, 100});
  EXPECT_EQ(seg.vertical, 1);
  EXPECT_FLOAT_EQ(seg.verticalX, 50);
  DrawBaseRayDataStruct ray;
  ray.startX = 0;
  ray.startY = 40;
  ray.throughX = 10;
  ray.throughY = 40;
  DeriveRay(ray);
  TPointF hit;
  const int code = IntersectRay(ray, seg, hit);
  EXPECT_NE(code, 0);
  EXPECT_FLOAT_EQ(hit.x, 50);
  EXPECT_FLOAT_EQ(hit.y, 40);
}

TEST_F(GeometryTest, ParallelAndCollinearRaysNeverHit) {
  const auto seg = MakeSegment({0, 50}, {100, 50});
  DrawBaseRayDataStruct ray;
  ray.startX = -10;
  ray.startY = 50;
  ray.throughX = -5;
  ray.throughY = 50;
  TPointF hit;
  EXPECT_EQ(IntersectRay(ray, seg, hit), 0);
  ray.startY = ray.throughY = 20;
  EXPECT_EQ(IntersectRay(ray, seg, hit), 0);
}

TEST_F(GeometryTest, HitOnTheThroughPointIsIgnored) {
  const auto seg = MakeSegment({50, 0}, {50, 100});
  DrawBaseRayDataStruct ray;
  ray.startX = 49;
  ray.startY = 50;
  ray.throughX = 50.05f;
  ray.throughY = 50;
  TPointF hit;
  EXPECT_EQ(IntersectRay(ray, seg, hit), 0);
}

TEST_F(GeometryTest, UserCoordinatesFollowTheOrigin) {
  EXPECT_FLOAT_EQ(ScreenToUser(120, 1), 100);
  EXPECT_FLOAT_EQ(ScreenToUser(200, 2), 100);
  EXPECT_FLOAT_EQ(UserToScreen(100, 2), 200);
  EXPECT_FLOAT_EQ(ScreenToUser(5, 3), -1);
  SetOrigin(220, 300);
  EXPECT_FLOAT_EQ(ScreenToUser(120, 1), -100);
}

TEST_F(GeometryTest, RayLeavingAClosedArcFindsItsFarSide) {
  // Through point exactly on the circle, heading across it: the point it
  // leaves from must not hide the far side.
  DrawObjectLineDataStruct circle;
  circle.shape = kShapeArc;
  circle.centreX = 300;
  circle.centreY = 300;
  circle.radius = 100;
  circle.slope = 0;
  circle.intercept = 360;
  DrawBaseRayDataStruct ray;
  ray.startX = 199;
  ray.startY = 300;
  ray.throughX = 200;
  ray.throughY = 300;
  DeriveRay(ray);
  TPointF hit;
  EXPECT_EQ(IntersectRay(ray, circle, hit), 1);
  EXPECT_FLOAT_EQ(hit.x, 400);
  EXPECT_FLOAT_EQ(hit.y, 300);
  // A half circle that lacks the far side: nothing.
  circle.slope = 90;
  circle.intercept = 270;
  EXPECT_EQ(IntersectRay(ray, circle, hit), 0);
}

TEST_F(GeometryTest, TruncSaturatesInsteadOfOverflowing) {
  EXPECT_EQ(Trunc(-2.7), -2);
  EXPECT_EQ(Trunc(2.7), 2);
  EXPECT_EQ(Trunc(1e20), 1000000000);
  EXPECT_EQ(Trunc(-INFINITY), -1000000000);
  EXPECT_EQ(Trunc(std::nan("")), 0);
}

TEST_F(GeometryTest, AngleGapIsTheRemainderBitForBit) {
  std::mt19937 random(11);
  std::uniform_real_distribution<double> angle(-800, 800);
  std::vector<std::pair<double, double>> pairs{
      {180, 0}, {0, 180},    {540, 0},
      {720, 0}, {-540, 180}, {359.99999999999994, 0},
      {900, 0}, {1e300, 1},  {std::numeric_limits<double>::infinity(), 0}};
  for (int i = 0; i < 20000; ++i)
    pairs.push_back({angle(random), angle(random) * (i % 3 ? 0.5 : 1)});
  for (auto [a, b] : pairs) {
    const double expected = std::fabs(std::remainder(a - b, 360.0));
    const double got = AngleGap(a, b);
    if (std::isnan(expected)) {
      EXPECT_TRUE(std::isnan(got)) << a << " " << b;
    } else {
      ASSERT_EQ(got, expected) << a << " " << b;
    }
  }
}

// A segment's hit is its line's hit when (x - x1)(x - x2) <= 0 and
// (y - y1)(y - y2) <= 0 at the point, else none: ends on a coarse grid put
// many hits on the box's edges, and some ends are infinite or not a number.
TEST_F(GeometryTest, SegmentHitIsItsLinesHitWithinTheEndsBox) {
  std::mt19937 random(5);
  std::uniform_int_distribution<int> grid(0, 8);
  const float odd[] = {std::numeric_limits<float>::infinity(),
                       -std::numeric_limits<float>::infinity(),
                       std::numeric_limits<float>::quiet_NaN(), 1e30f};
  auto coordinate = [&](int i) { return i % 17 == 0 ? odd[(i / 17) % 4] : grid(random) * 25.0f; };
  int hits = 0;
  for (int i = 0; i < 40000; ++i) {
    auto segment = MakeSegment({coordinate(i), coordinate(i + 7)},
                               {grid(random) * 25.0f, grid(random) * 25.0f});
    auto line = segment;
    line.shape = kShapeLine;
    DrawBaseRayDataStruct ray;
    ray.startX = grid(random) * 25.0f - 13;
    ray.startY = grid(random) * 25.0f - 7;
    ray.throughX = ray.startX + float(grid(random) - 4);
    ray.throughY = ray.startY + float(grid(random) - 4);
    DeriveRay(ray);
    TPointF onLine, onSegment;
    const int lineCode = IntersectRay(ray, line, onLine);
    const double x = onLine.x, y = onLine.y;
    const bool inside =
        (x - segment.x1) * (x - segment.x2) <= 0 && (y - segment.y1) * (y - segment.y2) <= 0;
    const int expected = lineCode != 0 && inside ? lineCode : 0;
    ASSERT_EQ(IntersectRay(ray, segment, onSegment), expected) << i;
    hits += expected != 0;
  }
  EXPECT_GT(hits, 3000);
  // At the finite end of a segment running to infinity the product is not a
  // number: no hit there, one just past it.
  const auto open = MakeSegment({50, std::numeric_limits<float>::infinity()}, {50, 100});
  for (const float y : {100.0f, 101.0f}) {
    DrawBaseRayDataStruct ray;
    ray.startY = ray.throughY = y;
    ray.throughX = 10;
    DeriveRay(ray);
    TPointF hit;
    EXPECT_EQ(IntersectRay(ray, open, hit) != 0, y == 101.0f) << y;
  }
}

// A continued ray's angle from its nearby direction is DirectionAngle's
// float bit for bit: random hits and directions (some along the axes, some
// at the wrap), and near-directions a little off or far off.
TEST_F(GeometryTest, DirectionAngleNearIsTheAtanFloatBitForBit) {
  std::mt19937 random(34);
  std::uniform_real_distribution<double> coordinate(-3000, 3000), angle(-400, 760), off(-1, 1);
  const double picks[] = {0, 90, 180, 270, 360, 1e-7, 359.9999999, 0.2131, 179.7869};
  for (int i = 0; i < 400000; ++i) {
    const TPointF h{float(coordinate(random)), float(coordinate(random))};
    const double theta = i % 7 == 0 ? picks[i % 9] + off(random) * 1e-9 : angle(random);
    const TPointF start = PointAt(h, theta, -(i % 5 == 0 ? 1e-3 : 1));
    // The near direction a little (or, for every 11th, far) off the points'.
    const double near = theta + off(random) * (i % 11 == 0 ? 5 : 1e-4);
    const float expected = DirectionAngle(start, h);
    const float got = DirectionAngleNear(start, h, near, StepOf(near));
    ASSERT_EQ(std::bit_cast<std::uint32_t>(got), std::bit_cast<std::uint32_t>(expected))
        << h.x << " " << h.y << " " << theta << " " << near;
  }
}
