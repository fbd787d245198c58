// The free-hand objects: growing by pointer movements up to the capacity,
// the two-sided outline of the irregular object, the fibre's walls, faces,
// rows and records, and light along straight, curved and sharply bent fibres.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "FakePropertySheet.h"
#include "ObjectRecord.h"
#include "RecordingTraceSink.h"
#include "TestEnvironment.h"
#include "TraceBuilders.h"
#include "gfx/RecordingCanvas.h"
#include "objects/elements/FitfulObject.h"
#include "objects/elements/RayFibre.h"
#include "optics/schedule/Tracer.h"

namespace {

constexpr double kRad = 3.14159265358979323846 / 180.0;

class FreehandTest : public EngineTest {
 protected:
  RecordingCanvas canvas;
  FakeUi ui;

  void SetUp() override {
    EngineTest::SetUp();
    Settings().sheet = &ui.sheet;
    Settings().messages = &ui.messages;
  }

  // Pressed at the first point, one movement per further point, released.
  template <class T>
  T Drawn(const std::vector<TPointF>& points) {
    T object(&canvas);
    object.BeginCreate(int(points[0].x), int(points[0].y));
    for (std::size_t i = 1; i < points.size(); ++i)
      object.DragCreate(int(points[i].x), int(points[i].y));
    object.EndCreate(int(points.back().x), int(points.back().y));
    return object;
  }

  RayFibre Fibre(const std::vector<TPointF>& points, float diameter, float index) {
    RayFibre fibre = Drawn<RayFibre>(points);
    fibre.diameter = diameter;
    fibre.refractiveIndex = index;
    fibre.ApplyWallRule();
    return fibre;
  }

  static std::vector<TraceItem> Trace(DrawObjectUnit& object, const DrawBaseRayDataStruct& ray) {
    RecordingTraceSink sink;
    TraceScene(object.GetSurfaces(), {ray}, TraceOptions{}, sink);
    return sink.Of(TraceItem::Ray);
  }
};

std::vector<TPointF> Line(int n, float x0 = 100, float step = 4) {
  std::vector<TPointF> points;
  for (int i = 0; i < n; ++i) points.push_back({x0 + step * float(i), 300});
  return points;
}

}  // namespace

TEST_F(FreehandTest, FiveHundredPointsHoldAndEachFurtherMovementShowsTheMessageOnce) {
  FitfulObject outline(&canvas);
  RayFibre fibre(&canvas);
  for (DrawObjectUnit* object : std::vector<DrawObjectUnit*>{&outline, &fibre}) {
    const std::size_t before = ui.messages.messages.size();
    object->BeginCreate(0, 0);
    for (int i = 1; i < 500; ++i) object->DragCreate(i, i % 7);
    EXPECT_EQ(object->pointCount, 500);
    EXPECT_EQ(ui.messages.messages.size(), before);
    object->DragCreate(900, 900);
    object->DragCreate(901, 900);
    object->EndCreate(901, 900);
    EXPECT_EQ(object->pointCount, 500);
  }
  EXPECT_EQ(ui.messages.messages,
            (std::vector<std::string>{"不规则物体已达最大!", "不规则物体已达最大!",
                                      "光导纤维已达最大长度!", "光导纤维已达最大长度!"}));
  EXPECT_EQ(outline.closed, 1);
  EXPECT_EQ(outline.outlineExtent, 500);
  EXPECT_EQ(outline.GetSurfaces().size(), 500u);
  EXPECT_EQ(fibre.GetSurfaces().size(), 2u * 499);
}

TEST_F(FreehandTest, AClickGivesOnePointAndAFibreOfOnePointNoSurfacesNorPaint) {
  RayFibre fibre = Drawn<RayFibre>({{50, 60}});
  FitfulObject outline = Drawn<FitfulObject>({{50, 60}});
  EXPECT_EQ(fibre.pointCount, 1);
  EXPECT_EQ(outline.pointCount, 1);
  EXPECT_TRUE(fibre.GetSurfaces().empty());
  canvas.Clear();
  fibre.Draw(2);
  EXPECT_TRUE(canvas.ops.empty());
}

TEST_F(FreehandTest, OutlineReflectsAlikeFromOutsideAndInsideAndKeepsARayInsideToTheLimit) {
  FitfulObject box = Drawn<FitfulObject>({{100, 100}, {300, 100}, {300, 300}, {100, 300}});
  // Mirror image in the vertical face x = 100 from either side.
  const auto outside = Trace(box, RayAt({50, 200}, 330));
  ASSERT_EQ(outside.size(), 2u);
  EXPECT_NEAR(DirectionAngle(outside[1].a, outside[1].b), 210, 1e-3);
  const auto inside = Trace(box, RayAt({200, 200}, 150));
  EXPECT_NEAR(DirectionAngle(inside[1].a, inside[1].b), 30, 1e-3);
  EXPECT_EQ(inside.size(), 500u);
  for (const auto& piece : inside)
    EXPECT_TRUE(std::fabs(piece.b.x - 200) <= 100.01f && std::fabs(piece.b.y - 200) <= 100.01f);
}

TEST_F(FreehandTest, WallsFollowTheDiameterZoomWidensThemAndApplyingRestoresThem) {
  RayFibre fibre = Drawn<RayFibre>({{100, 300}, {200, 250}, {300, 300}, {400, 380}});
  auto expectGap = [&](double half) {
    for (std::size_t i = 0; i < fibre.centre.size(); ++i) {
      EXPECT_NEAR(Distance(fibre.centre[i], fibre.rightWall[i]), half, 1e-3) << i;
      EXPECT_NEAR(Distance(fibre.centre[i], fibre.leftWall[i]), half, 1e-3) << i;
    }
  };
  expectGap(5);
  fibre.ShowProperties();
  ui.sheet.SetValue("光导纤维直径", "20");
  ASSERT_TRUE(fibre.ApplyProperties());
  expectGap(10);
  fibre.Zoom(0, 0, 1.1f);
  expectGap(11);
  fibre.ShowProperties();
  EXPECT_EQ(ui.sheet.Find("光导纤维直径")->value, "20");
  ASSERT_TRUE(fibre.ApplyProperties());
  expectGap(10);
}

TEST_F(FreehandTest, BadIndexOrDiameterIsRefusedWithItsMessage) {
  struct Case {
    const char* index;
    const char* diameter;
    const char* message;
    float keptIndex, keptDiameter;
  };
  for (const Case& c :
       {Case{"0.5", "20", "折射率不能小于1", 5, 10},
        Case{"abc", "20", "折射率,不是有用的数值型,请输入一个数值型", 5, 10},
        Case{"1.5", "x", "光导纤维直径,不是有用的数值型,请输入一个数值型", 1.5, 10}}) {
    RayFibre fibre = Drawn<RayFibre>(Line(3));
    ui.messages.messages.clear();
    fibre.ShowProperties();
    ui.sheet.SetValue("折射率", c.index);
    ui.sheet.SetValue("光导纤维直径", c.diameter);
    EXPECT_FALSE(fibre.ApplyProperties());
    EXPECT_EQ(ui.messages.messages, std::vector<std::string>{c.message});
    EXPECT_EQ(fibre.refractiveIndex, c.keptIndex);
    EXPECT_EQ(fibre.diameter, c.keptDiameter);
    EXPECT_NEAR(Distance(fibre.centre[1], fibre.leftWall[1]), 5, 1e-4);
  }
}

TEST_F(FreehandTest, RaysNearTheAxisOfAGentleCurveLeaveThroughTheFarEnd) {
  std::vector<TPointF> centre;
  for (int x = 100; x <= 900; x += 8)
    centre.push_back(
        {float(x), float(300 + 20 * (1 - std::cos(2 * 3.14159265 * (x - 100) / 800)))});
  RayFibre fibre = Fibre(centre, 20, 1.5f);
  for (float dy : {-6.f, -3.f, 0.f, 3.f, 6.f}) {
    const auto pieces = Trace(fibre, RayAt({60, 300 + dy}, 0));
    ASSERT_GT(pieces.size(), 2u) << dy;
    // Guided to the end, then out through the open end.
    EXPECT_GT(pieces.back().a.x, 700) << dy;
    EXPECT_GT(pieces.back().b.x, 900) << dy;
    EXPECT_LT(pieces.size(), 100u) << dy;
  }
}

// The ends are open: a ray inside at 30 degrees (index 5 by default) is
// guided along by total reflection and leaves by the far end unrefracted.
TEST_F(FreehandTest, ARayInsideLeavesThroughTheOpenEnd) {
  RayFibre fibre = Fibre(Line(101), 20, 5.0f);
  EXPECT_EQ(fibre.GetSurfaces().size(), 200u);
  const auto pieces = Trace(fibre, RayAt({120, 300}, 30));
  ASSERT_GT(pieces.size(), 2u);
  EXPECT_LT(pieces.size(), 30u);
  EXPECT_GT(pieces.back().b.x, 500);
  const float leaving = DirectionAngle(pieces.back().a, pieces.back().b);
  EXPECT_NEAR(std::min(AngleGap(leaving, 30), AngleGap(leaving, 330)), 0, 1e-3);
}

TEST_F(FreehandTest, ARayCrossingAStraightFibreIsDisplacedAsByAPlate) {
  RayFibre fibre = Fibre(Line(101), 20, 1.5f);
  for (double incidence : {0.0, 20.0, 45.0}) {
    const double u = 270 + incidence;
    const auto pieces =
        Trace(fibre, RayAt({float(300 - 100 * std::tan(incidence * kRad)), 200}, u));
    ASSERT_EQ(pieces.size(), 3u) << incidence;
    EXPECT_NEAR(AngleGap(DirectionAngle(pieces[2].a, pieces[2].b), u), 0, 5e-3) << incidence;
    const double r = std::asin(std::sin(incidence * kRad) / 1.5);
    const double shift = 20 * std::sin(incidence * kRad - r) / std::cos(r);
    // Distance of the exit line from the entry line.
    const TPointF foot = PerpendicularFoot(pieces[2].a, pieces[0].a, pieces[0].b);
    EXPECT_NEAR(Distance(foot, pieces[2].a), shift, 0.02) << incidence;
  }
}

// Turns back on itself, repeated points, a zig-zag tighter than the fibre,
// with a normal, zero and negative diameter: finite walls, and light that
// ends within the generation limit with finite pieces.
class SharpBendTest : public FreehandTest,
                      public ::testing::WithParamInterface<std::tuple<int, float>> {};

TEST_P(SharpBendTest, WallsStayFiniteAndTheTraceEnds) {
  const std::vector<std::vector<TPointF>> shapes = {
      {{100, 300}, {300, 300}, {100, 304}, {300, 308}},
      {{100, 300}, {100, 300}, {200, 300}, {200, 300}, {200, 400}},
      {{100, 300}, {110, 280}, {120, 300}, {130, 280}, {140, 300}, {150, 280}}};
  const auto [shape, diameter] = GetParam();
  RayFibre fibre = Fibre(shapes[std::size_t(shape)], diameter, 1.5f);
  for (const auto* wall : {&fibre.rightWall, &fibre.leftWall})
    for (const auto& p : *wall) EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));
  RecordingTraceSink sink;
  const TraceResult result =
      TraceScene(fibre.GetSurfaces(), {RayAt({60, 301}, 0), RayAt({150, 200}, 280)}, {}, sink);
  EXPECT_FALSE(result.cut);
  for (const auto& item : sink.items)
    EXPECT_TRUE(std::isfinite(item.a.x) && std::isfinite(item.a.y) && std::isfinite(item.b.x) &&
                std::isfinite(item.b.y));
}

INSTANTIATE_TEST_SUITE_P(Shapes, SharpBendTest,
                         ::testing::Combine(::testing::Values(0, 1, 2),
                                            ::testing::Values(20.f, 0.f, -20.f)));

// The layout itself is checked against the independent implementation
// (tests/scripts/independent_freehand.sh); here the bounds of a read.
TEST_F(FreehandTest, RecordsRefuseACountBeyondTheBlockAndIgnorePointsPastTheCount) {
  FitfulObject outline = Drawn<FitfulObject>({{10, 20}, {30, 40}, {50, 20}});
  RayFibre fibre = Fibre({{10, 20}, {30, 40}}, 12, 1.5f);
  const auto fitfulBytes = RecordBytes(outline), fibreBytes = RecordBytes(fibre);
  // The count sits before the 40-byte reserved block.
  const std::size_t fitfulCount = fitfulBytes.size() - 44, fibreCount = fibreBytes.size() - 44;
  for (std::int32_t bad : {-1, 501, 1 << 30}) {
    auto damaged = fitfulBytes;
    std::memcpy(damaged.data() + fitfulCount, &bad, 4);
    FitfulObject a(&canvas);
    EXPECT_FALSE(LoadRecord(a, damaged)) << bad;
    damaged = fibreBytes;
    std::memcpy(damaged.data() + fibreCount, &bad, 4);
    RayFibre b(&canvas);
    EXPECT_FALSE(LoadRecord(b, damaged)) << bad;
  }
  // A far point past the count does not matter; within it, it refuses the record.
  const std::size_t vertices = fitfulCount - 4007;
  auto far = fitfulBytes;
  const float distant = 1e30f;
  std::memcpy(far.data() + vertices + 3 * 8, &distant, 4);
  FitfulObject loaded(&canvas);
  ASSERT_TRUE(LoadRecord(loaded, far));
  EXPECT_EQ(loaded.vertices, outline.vertices);
  std::memcpy(far.data() + vertices + 2 * 8, &distant, 4);
  EXPECT_FALSE(LoadRecord(loaded, far));
}
