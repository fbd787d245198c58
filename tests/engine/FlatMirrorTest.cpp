#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "FakePropertySheet.h"
#include "ObjectRecord.h"
#include "TestEnvironment.h"
#include "gfx/RecordingCanvas.h"
#include "objects/elements/FlatMirror.h"
#include "optics/PlaneMath.h"
#include "optics/RayGeometry.h"
#include "scene/ByteStream.h"

namespace {

class FlatMirrorTest : public EngineTest {
 protected:
  RecordingCanvas canvas;

  std::unique_ptr<FlatMirror> Make(TPointF p1, TPointF p2) {
    auto mirror = std::make_unique<FlatMirror>(&canvas);
    mirror->segment.x1 = p1.x;
    mirror->segment.y1 = p1.y;
    mirror->segment.x2 = p2.x;
    mirror->segment.y2 = p2.y;
    mirror->skipNextPaint = 0;
    return mirror;
  }

  // A ray along the given direction that reaches the point (x, y) from 50 px away.
  static DrawBaseRayDataStruct RayTowards(float x, float y, double direction) {
    DrawBaseRayDataStruct ray;
    const TPointF through = PointAt({x, y}, direction, -50);
    const TPointF start = PointAt({x, y}, direction, -51);
    ray.startX = start.x;
    ray.startY = start.y;
    ray.throughX = through.x;
    ray.throughY = through.y;
    DeriveRay(ray);
    return ray;
  }
};

}  // namespace

TEST_F(FlatMirrorTest, ConstructorDefaults) {
  FlatMirror mirror(&canvas);
  EXPECT_EQ(mirror.className, "FlatMirror");
  EXPECT_EQ(mirror.color, 0x80FFFFu);
  EXPECT_EQ(mirror.pointCount, 2);
  EXPECT_EQ(mirror.skipNextPaint, 1);
  EXPECT_FLOAT_EQ(mirror.segment.x2, 0);
}

TEST_F(FlatMirrorTest, LineAndElevenHatchStrokesOnTheLeft) {
  FlatMirror mirror(&canvas);
  mirror.Draw(2);  // swallowed
  EXPECT_TRUE(canvas.ops.empty());
  mirror.segment = {0, 100, 100, 100};
  mirror.Draw(2);
  ASSERT_EQ(canvas.Count(RecordedOp::Line), 12u);
  EXPECT_EQ(canvas.ops[0].coords, (std::vector<float>{0, 100, 100, 100}));
  EXPECT_EQ(canvas.ops[0].pen.color, mirror.color);
  EXPECT_EQ(canvas.ops[0].pen.mode, TPenMode::Copy);
  for (int j = 0; j <= 10; ++j) {
    const auto& c = canvas.ops[std::size_t(j) + 1].coords;
    const TPointF r = PointAt({float(10 * j), 100}, 140, 12);
    EXPECT_EQ(c[0], float(10 * j)) << j;
    EXPECT_EQ(c[1], 100) << j;
    EXPECT_EQ(c[2], float(Trunc(r.x))) << j;
    EXPECT_EQ(c[3], float(Trunc(r.y))) << j;
    EXPECT_LT(c[3], 100) << j;  // up: the left of travel along +x
  }
  canvas.Clear();
  mirror.Draw(1);
  EXPECT_EQ(canvas.ops[0].pen.mode, TPenMode::Xor);
  EXPECT_EQ(canvas.ops[0].pen.color, mirror.xorColor);
}

TEST_F(FlatMirrorTest, CoincidingPoints) {
  auto mirror = Make({40, 60}, {40, 60});
  mirror->Draw(2);
  ASSERT_EQ(canvas.Count(RecordedOp::Line), 12u);
  for (std::size_t i = 1; i < 12; ++i) {
    EXPECT_EQ(canvas.ops[i].coords[0], 40) << i;
    EXPECT_EQ(canvas.ops[i].coords[1], 60) << i;
  }
  const auto surfaces = mirror->GetSurfaces();
  ASSERT_EQ(surfaces.size(), 1u);
  EXPECT_EQ(surfaces[0].vertical, 1);
  EXPECT_FLOAT_EQ(surfaces[0].verticalX, 40);
  EXPECT_FLOAT_EQ(surfaces[0].direction, 0);
  EXPECT_FLOAT_EQ(Distance({surfaces[0].x1, surfaces[0].y1}, {surfaces[0].x2, surfaces[0].y2}), 0);
}

TEST_F(FlatMirrorTest, OneReflectingSegment) {
  auto mirror = Make({10, 200}, {110, 100});
  const auto first = mirror->GetSurfaces();
  const auto second = mirror->GetSurfaces();
  ASSERT_EQ(first.size(), 1u);
  const auto& s = first[0];
  EXPECT_EQ(s.kind, kSurfaceReflect);
  EXPECT_EQ(s.shape, kShapeSegment);
  EXPECT_EQ(s.orientation, 1);
  EXPECT_FLOAT_EQ(s.refractiveIndex, 0);
  EXPECT_FLOAT_EQ(s.x1, 10);
  EXPECT_FLOAT_EQ(s.y2, 100);
  EXPECT_NEAR(s.direction, 45, 1e-4);
  EXPECT_FLOAT_EQ(s.slope, -1);
  EXPECT_EQ(s.vertical, 0);
  EXPECT_EQ(second[0].x1, first[0].x1);  // a fresh, equal piece for every trace
}

TEST_F(FlatMirrorTest, VerticalMirrorFrontAndBack) {
  // Drawn bottom to top (90): a ray along +x meets the hatched back.
  auto up = Make({100, 200}, {100, 100});
  TPointF hit;
  EXPECT_EQ(IntersectRay(RayTowards(100, 150, 0), up->GetSurfaces()[0], hit), 2);
  // Drawn top to bottom (270): it meets the front.
  auto down = Make({100, 100}, {100, 200});
  EXPECT_EQ(IntersectRay(RayTowards(100, 150, 0), down->GetSurfaces()[0], hit), 1);
  EXPECT_NEAR(hit.x, 100, 1e-3);
  EXPECT_NEAR(hit.y, 150, 1e-3);
}

TEST_F(FlatMirrorTest, RowsInDisplayOrderWithStyles) {
  FakeUi ui;
  auto mirror = Make({120, 200}, {20, 200});
  mirror->ShowProperties();
  EXPECT_EQ(ui.sheet.caption, "平面镜属性");
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"X1", "100"},       {"Y1", "100"},   {"X2", "0"},        {"Y2", "100"},
      {"颜色", "8454143"}, {"角度", "180"}, {"旋转角度", "180"}};
  ASSERT_EQ(ui.sheet.rows.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(ui.sheet.rows[i].key, expected[i].first) << i;
    EXPECT_EQ(ui.sheet.rows[i].value, expected[i].second) << i;
    EXPECT_EQ(ui.sheet.rows[i].style, i == 4 ? TEditStyle::Ellipsis : TEditStyle::Simple) << i;
    EXPECT_EQ(ui.sheet.rows[i].readOnly, i == 4 || i == 5) << i;
  }
}

TEST_F(FlatMirrorTest, BadX2KeepsX2ButAppliesTheOtherRows) {
  FakeUi ui;
  auto mirror = Make({120, 200}, {220, 200});
  ui.sheet.typed = {{"X1", "0"}, {"X2", "abc"}, {"Y1", "50"}, {"Y2", "-50"}, {"颜色", "255"}};
  mirror->ShowProperties();
  EXPECT_FALSE(mirror->ApplyProperties());
  EXPECT_EQ(ui.messages.messages, std::vector<std::string>{"x2,不是有用的整数,请输入一个整数."});
  EXPECT_FLOAT_EQ(mirror->segment.x1, 20);
  EXPECT_FLOAT_EQ(mirror->segment.x2, 220);
  EXPECT_FLOAT_EQ(mirror->segment.y1, 250);
  EXPECT_FLOAT_EQ(mirror->segment.y2, 350);
  EXPECT_EQ(mirror->color, 255u);
}

TEST_F(FlatMirrorTest, EveryBadCoordinateIsReportedInRowOrder) {
  FakeUi ui;
  auto mirror = Make({1, 2}, {3, 4});
  ui.sheet.typed = {{"X1", "1.5"}, {"X2", ""}, {"Y1", "1e2"}, {"Y2", "y"}};
  mirror->ShowProperties();
  EXPECT_FALSE(mirror->ApplyProperties());
  const std::vector<std::string> expected = {
      "x1,不是有用的整数,请输入一个整数.", "x2,不是有用的整数,请输入一个整数.",
      "y1,不是有用的整数,请输入一个整数.", "y2,不是有用的整数,请输入一个整数."};
  EXPECT_EQ(ui.messages.messages, expected);
  EXPECT_FLOAT_EQ(mirror->segment.x1, 1);
  EXPECT_FLOAT_EQ(mirror->segment.y2, 4);
}

TEST_F(FlatMirrorTest, SwappingTheEndsTurnsTheMirror) {
  FakeUi ui;
  auto mirror = Make({20, 200}, {120, 200});  // user (0,100) -> (100,100)
  const float before = mirror->GetSurfaces()[0].direction;
  TPointF hit;
  const auto rayUp = RayTowards(70, 200, 90);
  EXPECT_EQ(IntersectRay(rayUp, mirror->GetSurfaces()[0], hit), 1);  // from below: the front

  ui.sheet.typed = {{"X1", "100"}, {"Y1", "100"}, {"X2", "0"}, {"Y2", "100"}};
  mirror->ShowProperties();
  ASSERT_TRUE(mirror->ApplyProperties());
  const float after = mirror->GetSurfaces()[0].direction;
  EXPECT_NEAR(std::fmod(after - before + 360, 360), 180, 1e-4);
  EXPECT_EQ(IntersectRay(rayUp, mirror->GetSurfaces()[0], hit), 2);  // now the back

  mirror->Draw(2);
  for (std::size_t i = 1; i < 12; ++i) EXPECT_GT(canvas.ops[i].coords[3], 200) << i;
}

TEST_F(FlatMirrorTest, RecordLayoutAndByteExactRoundTrip) {
  auto mirror = Make({1.25f, -2}, {300, 400.5f});
  mirror->reserved[5] = 0x5A;
  // Words the mirror does not use are carried as they were read.
  mirror->segment.slope = 3;
  mirror->segment.vertical = 1;
  mirror->segment.spare = 0xDEADBEEF;
  const auto bytes = RecordBytes(*mirror);
  const std::size_t header = (4 + 10) + 3 * (4 + 10) + 31;
  ASSERT_EQ(bytes.size(), header + 40 + 1 + 40);
  float y2;
  std::memcpy(&y2, &bytes[header + 12], 4);
  EXPECT_FLOAT_EQ(y2, 400.5f);
  EXPECT_EQ(bytes[header + 28], 1);
  EXPECT_EQ(bytes[header + 40], 0);  // skip flag
  EXPECT_EQ(bytes[header + 41 + 5], 0x5A);
  FlatMirror loaded(&canvas);
  ASSERT_TRUE(LoadRecord(loaded, bytes));
  EXPECT_EQ(RecordBytes(loaded), bytes);
}
