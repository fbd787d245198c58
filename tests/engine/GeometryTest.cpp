#include <gtest/gtest.h>

#include <cmath>
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
