#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "FakePropertySheet.h"
#include "ObjectRecord.h"
#include "TestEnvironment.h"
#include "gfx/RecordingCanvas.h"
#include "objects/ObjectFactory.h"
#include "objects/sources/LampHouse.h"
#include "optics/PlaneMath.h"
#include "scene/ByteStream.h"

namespace {

class LampHouseTest : public EngineTest {
 protected:
  RecordingCanvas canvas;

  // A placed source from p1 to p2 whose first paint is not swallowed.
  std::unique_ptr<LampHouse> Make(TPointF p1, TPointF p2, int count = 1, float spacing = 10) {
    auto lamp = std::make_unique<LampHouse>(&canvas);
    lamp->rayTemplate.startX = p1.x;
    lamp->rayTemplate.startY = p1.y;
    lamp->rayTemplate.throughX = p2.x;
    lamp->rayTemplate.throughY = p2.y;
    lamp->rayCount = count;
    lamp->raySpacing = spacing;
    lamp->skipNextPaint = 0;
    return lamp;
  }

  std::vector<RecordedOp> Lines() const {
    std::vector<RecordedOp> lines;
    for (const auto& op : canvas.ops)
      if (op.kind == RecordedOp::Line) lines.push_back(op);
    return lines;
  }
};

}  // namespace

// --- construction and placing -------------------------------------------

TEST_F(LampHouseTest, ConstructorDefaults) {
  Settings().toolLineWidth = 5;
  LampHouse lamp(&canvas);
  EXPECT_EQ(lamp.className, "LampHouse");
  EXPECT_EQ(lamp.displayName, "LampHouse");
  EXPECT_EQ(lamp.color, 0xFFu);
  EXPECT_EQ(lamp.xorColor, 0xFFu);
  EXPECT_EQ(lamp.pointCount, 2);
  EXPECT_EQ(lamp.lineWidth, 5);
  EXPECT_EQ(lamp.rayCount, 1);
  EXPECT_FLOAT_EQ(lamp.raySpacing, 10);
  EXPECT_EQ(lamp.skipNextPaint, 1);
  EXPECT_FLOAT_EQ(lamp.rayTemplate.indexFactor, 1);
  EXPECT_EQ(lamp.rayTemplate.rayColour, 0xFFu);
  EXPECT_EQ(lamp.canCopy, 1);
  EXPECT_EQ(CreateObjectByClassName("lamphouse", &canvas), nullptr);
}

TEST_F(LampHouseTest, FirstPaintOnlyClearsTheSkipFlag) {
  LampHouse lamp(&canvas);
  lamp.Draw(1);
  EXPECT_TRUE(canvas.ops.empty());
  EXPECT_EQ(lamp.skipNextPaint, 0);
  lamp.Draw(1);
  EXPECT_EQ(canvas.Count(RecordedOp::Line), 3u);
}

TEST_F(LampHouseTest, MousePlacementRubberBandAndHandles) {
  LampHouse lamp(&canvas);
  lamp.BeginCreate(100, 100);
  EXPECT_EQ(canvas.Pen.mode, TPenMode::Xor);
  EXPECT_FLOAT_EQ(lamp.dragOriginX, 100);
  lamp.DragCreate(150, 100);  // the first erase is swallowed
  EXPECT_EQ(canvas.Count(RecordedOp::Line), 3u);
  for (const auto& op : canvas.ops) {
    EXPECT_EQ(op.pen.mode, TPenMode::Xor);
    EXPECT_EQ(op.pen.color, lamp.xorColor);
  }
  lamp.DragCreate(200, 100);  // erase + paint
  EXPECT_EQ(canvas.Count(RecordedOp::Line), 9u);
  canvas.Clear();
  lamp.EndCreate(210, 100);
  EXPECT_FLOAT_EQ(lamp.rayTemplate.throughX, 210);
  EXPECT_EQ(canvas.Pen.mode, TPenMode::Copy);
  ASSERT_EQ(canvas.Count(RecordedOp::Rectangle), 2u);
  const auto& h = canvas.ops[0];
  EXPECT_EQ(h.pen.color, lamp.handleColor);
  EXPECT_EQ(h.pen.width, 1);
  EXPECT_EQ(h.brush.color, 0xFFFFFFu);
  EXPECT_EQ(h.coords, (std::vector<float>{92, 92, 108, 108}));
}

// --- painting --------------------------------------------------------------

TEST_F(LampHouseTest, ArrowPaintedWithTruncatedCoordinates) {
  auto lamp = Make({10.7f, -3.7f}, {110.9f, -3.7f});
  lamp->Draw(2);
  const auto lines = Lines();
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].coords, (std::vector<float>{10, -3, 110, -3}));
  EXPECT_EQ(lines[0].pen.mode, TPenMode::Copy);
  EXPECT_EQ(lines[0].pen.color, lamp->color);
  EXPECT_EQ(lines[0].pen.width, lamp->lineWidth);
  // Head strokes go back from the tip at +-150 degrees, 10 px long.
  const TPointF h1 = PointAt({110.9f, -3.7f}, 150, 10);
  const TPointF h2 = PointAt({110.9f, -3.7f}, -150, 10);
  EXPECT_EQ(lines[1].coords, (std::vector<float>{110, -3, float(Trunc(h1.x)), float(Trunc(h1.y))}));
  EXPECT_EQ(lines[2].coords, (std::vector<float>{110, -3, float(Trunc(h2.x)), float(Trunc(h2.y))}));
}

TEST_F(LampHouseTest, HighQualityOnlyForNormalPaint) {
  Settings().highQuality = true;
  auto lamp = Make({0.5f, 10.25f}, {80.5f, 10.25f}, 2);
  lamp->lineWidth = 3;
  lamp->Draw(2);
  EXPECT_EQ(canvas.Count(RecordedOp::Line), 0u);
  ASSERT_EQ(canvas.Count(RecordedOp::AaLine), 6u);
  const auto& first = canvas.ops[0];
  EXPECT_EQ(first.coords, (std::vector<float>{0.5f, 10.25f, 80.5f, 10.25f}));
  EXPECT_EQ(first.aaPen.color, lamp->color);
  EXPECT_FLOAT_EQ(first.aaPen.width, 3);
  canvas.Clear();
  lamp->Draw(1);  // the rubber band stays on the canvas
  EXPECT_EQ(canvas.Count(RecordedOp::AaLine), 0u);
  EXPECT_EQ(canvas.Count(RecordedOp::Line), 6u);
}

// --- emission ---------------------------------------------------------------

TEST_F(LampHouseTest, SingleRayFromTheTemplate) {
  auto lamp = Make({100, 100}, {130, 70});
  lamp->rayTemplate.rayColour = 0x00FF00;
  lamp->rayTemplate.indexFactor = 1.25f;
  const auto rays = lamp->GetBaseRays();
  ASSERT_EQ(rays.size(), 1u);
  EXPECT_FLOAT_EQ(rays[0].startX, 100);
  EXPECT_FLOAT_EQ(rays[0].throughY, 70);
  EXPECT_NEAR(rays[0].direction, 45, 1e-4);
  EXPECT_FLOAT_EQ(rays[0].slope, -1);
  EXPECT_FLOAT_EQ(rays[0].intercept, 200);
  EXPECT_EQ(rays[0].vertical, 0);
  EXPECT_EQ(rays[0].rayColour, 0x00FF00u);
  EXPECT_FLOAT_EQ(rays[0].indexFactor, 1.25f);
  EXPECT_EQ(rays[0].sourceKind, 0);
  EXPECT_EQ(rays[0].blend, 0);
  EXPECT_EQ(rays[0].emissionGroup, 0);
}

TEST_F(LampHouseTest, BundleOfTenLiesOnTheLeftOfTravel) {
  // Travelling along +x: the left as seen on the screen is up (smaller y).
  auto lamp = Make({100, 200}, {150, 200}, 10, 10);
  const auto rays = lamp->GetBaseRays();
  ASSERT_EQ(rays.size(), 10u);
  for (int i = 0; i < 10; ++i) {
    EXPECT_NEAR(rays[i].startX, 100, 1e-3) << i;
    EXPECT_NEAR(rays[i].startY, 200 - 10 * i, 1e-3) << i;
    EXPECT_NEAR(rays[i].throughY, 200 - 10 * i, 1e-3) << i;
    EXPECT_NEAR(rays[i].direction, 0, 1e-3) << i;
  }
  lamp->Draw(2);
  EXPECT_EQ(canvas.Count(RecordedOp::Line), 30u);
  EXPECT_EQ(canvas.ops[27].coords[1], 110.0f);  // shaft of the last arrow, truncated
}

TEST_F(LampHouseTest, NegativeSpacingPutsTheBundleOnTheRight) {
  auto lamp = Make({100, 200}, {150, 200}, 10, -10);
  const auto rays = lamp->GetBaseRays();
  ASSERT_EQ(rays.size(), 10u);
  for (int i = 0; i < 10; ++i) EXPECT_NEAR(rays[i].startY, 200 + 10 * i, 1e-3) << i;
}

TEST_F(LampHouseTest, CoincidingPointsPointAlongPlusXWithBundleUpwards) {
  auto lamp = Make({50, 60}, {50, 60}, 3, 10);
  const auto rays = lamp->GetBaseRays();
  ASSERT_EQ(rays.size(), 3u);
  for (int i = 0; i < 3; ++i) {
    EXPECT_FLOAT_EQ(rays[i].direction, 0) << i;
    EXPECT_NEAR(rays[i].startX, 50, 1e-4) << i;
    EXPECT_NEAR(rays[i].startY, 60 - 10 * i, 1e-4) << i;
  }
  lamp->Draw(2);
  EXPECT_EQ(canvas.Count(RecordedOp::Line), 9u);
}

TEST_F(LampHouseTest, RayCountFromAFileIsUsedUpToItsBound) {
  // Above what the sheet accepts, a file's count is used as it is; the sheet
  // shows the count the trace uses.
  FakeUi ui;
  ui.sheet.modalResult = 2;
  for (auto [stored, used] : {std::pair{25, 25}, {2000000000, LampHouse::kMaxFileRays}}) {
    auto lamp = Make({0, 0}, {40, 0}, stored, 10);
    EXPECT_EQ(lamp->GetBaseRays().size(), std::size_t(used)) << stored;
    canvas.Clear();
    lamp->Draw(2);
    EXPECT_EQ(canvas.Count(RecordedOp::Line), 3u * std::size_t(used)) << stored;
    lamp->ShowProperties();
    EXPECT_EQ(ui.sheet.Value("平行光线的条数"), std::to_string(used)) << stored;
  }
  auto lamp = Make({0, 0}, {40, 0}, 1, 10);
  for (int count : {0, -5, std::numeric_limits<int>::min()}) {
    lamp->rayCount = count;
    const auto rays = lamp->GetBaseRays();
    ASSERT_EQ(rays.size(), 1u) << count;
    EXPECT_FLOAT_EQ(rays[0].throughX, 40);
  }
  // The stored value itself is kept and written back unchanged.
  lamp->rayCount = 2000000000;
  const auto bytes = RecordBytes(*lamp);
  LampHouse loaded(&canvas);
  ASSERT_TRUE(LoadRecord(loaded, bytes));
  EXPECT_EQ(loaded.rayCount, 2000000000);
}

// --- hit test, rectangle, move, zoom, clone ---------------------------------

TEST_F(LampHouseTest, HitTestHandlesBodyAndMiss) {
  auto lamp = Make({100, 100}, {200, 100}, 3, 20);
  EXPECT_EQ(lamp->HitTest(105, 103), 1);
  EXPECT_EQ(lamp->selectedHandle, 0);
  EXPECT_EQ(lamp->HitTest(193, 100), 1);
  EXPECT_EQ(lamp->selectedHandle, 1);
  EXPECT_EQ(lamp->HitTest(150, 100), 2);
  EXPECT_EQ(lamp->selectedHandle, 1);  // a body hit leaves it alone
  // The parallel copies are not part of the body.
  EXPECT_EQ(lamp->HitTest(150, 80), 0);
  EXPECT_EQ(lamp->selectedHandle, -1);
  // Half the handle size is the radius, the limit itself misses.
  EXPECT_EQ(lamp->HitTest(100, 92), 0);
}

TEST_F(LampHouseTest, OverlappingHandlesTheFirstPointWins) {
  auto lamp = Make({100, 100}, {104, 100});
  EXPECT_EQ(lamp->HitTest(103, 100), 1);
  EXPECT_EQ(lamp->selectedHandle, 0);
}

TEST_F(LampHouseTest, InRectByPointOrCrossingEdge) {
  auto lamp = Make({100, 100}, {200, 100});
  EXPECT_TRUE(lamp->InRect(90, 90, 110, 110));
  EXPECT_TRUE(lamp->InRect(110, 110, 90, 90));    // corners in any order
  EXPECT_TRUE(lamp->InRect(140, 90, 160, 110));   // the shaft crosses
  EXPECT_TRUE(lamp->InRect(200, 100, 220, 120));  // border counts
  EXPECT_FALSE(lamp->InRect(140, 101, 160, 110));
}

TEST_F(LampHouseTest, MoveModes) {
  auto lamp = Make({100, 100}, {200, 100});
  lamp->HitTest(200, 100);
  lamp->Move(1, 210, 120);
  EXPECT_FLOAT_EQ(lamp->rayTemplate.throughX, 210);
  EXPECT_FLOAT_EQ(lamp->rayTemplate.throughY, 120);
  EXPECT_FLOAT_EQ(lamp->rayTemplate.startX, 100);

  lamp->SetDragOrigin(50.6f, 50);
  lamp->Move(2, 51, 50);  // 0.4 px: nothing at all
  EXPECT_FLOAT_EQ(lamp->rayTemplate.startX, 100);
  EXPECT_FLOAT_EQ(lamp->dragOriginX, 50.6f);
  lamp->Move(2, 52, 47);  // 1.4 -> 1, -3
  EXPECT_FLOAT_EQ(lamp->rayTemplate.startX, 101);
  EXPECT_FLOAT_EQ(lamp->rayTemplate.startY, 97);
  EXPECT_FLOAT_EQ(lamp->dragOriginX, 52);
}

TEST_F(LampHouseTest, ZoomKeepsTheSpacing) {
  auto lamp = Make({120, 300}, {220, 300}, 3, 10);
  lamp->Zoom(20, 300, 0.95f);
  lamp->Zoom(20, 300, 0.95f);
  EXPECT_FLOAT_EQ(lamp->raySpacing, 10);
  EXPECT_NEAR(lamp->rayTemplate.startX, 20 + 100 * 0.95 * 0.95, 1e-3);
  EXPECT_NEAR(lamp->rayTemplate.throughX - lamp->rayTemplate.startX, 100 * 0.95 * 0.95, 1e-3);
  auto rays = lamp->GetBaseRays();
  EXPECT_NEAR(rays[0].startY - rays[1].startY, 10, 1e-3);
  lamp->Zoom(20, 300, 1.1f);
  rays = lamp->GetBaseRays();
  EXPECT_NEAR(rays[1].startY - rays[2].startY, 10, 1e-3);
  EXPECT_NEAR(rays[0].throughX - rays[0].startX, 100 * 0.95 * 0.95 * 1.1, 1e-3);
}

TEST_F(LampHouseTest, CloneCopiesTheRayNameThatTheRecordDoesNotHold) {
  auto lamp = Make({10, 20}, {30, 40}, 4, -7);
  lamp->rayTemplate.name = "A";
  auto copy = lamp->Clone();
  auto* c = dynamic_cast<LampHouse*>(copy.get());
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->rayTemplate.name, "A");
}

// --- property sheet ---------------------------------------------------------

TEST_F(LampHouseTest, RowsInDisplayOrderWithStyles) {
  FakeUi ui;
  auto lamp = Make({120, 200}, {220, 100}, 3, 12);
  lamp->rayTemplate.indexFactor = 1.5f;
  lamp->rayTemplate.rayColour = 0xFF00;
  ui.sheet.modalResult = 2;
  EXPECT_EQ(lamp->ShowProperties(), 2);
  EXPECT_EQ(ui.sheet.shown, 1);
  EXPECT_EQ(ui.sheet.caption, "光源属性");
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"X1", "100"},   {"Y1", "100"},         {"X2", "200"},           {"Y2", "200"},
      {"颜色", "255"}, {"发光颜色", "65280"}, {"平行光线的条数", "3"}, {"光线间距", "12"},
      {"角度", "45"},  {"折射率倍", "1.5"},   {"旋转角度", "45"}};
  ASSERT_EQ(ui.sheet.rows.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(ui.sheet.rows[i].key, expected[i].first) << i;
    EXPECT_EQ(ui.sheet.rows[i].value, expected[i].second) << i;
    const bool colour = i == 4 || i == 5;
    EXPECT_EQ(ui.sheet.rows[i].style, colour ? TEditStyle::Ellipsis : TEditStyle::Simple) << i;
    EXPECT_EQ(ui.sheet.rows[i].readOnly, colour || i == 8) << i;
  }
}

TEST_F(LampHouseTest, AngleAndFactorShowSixCharacters) {
  FakeUi ui;
  auto lamp = Make({0, 0}, {30, -10});
  lamp->rayTemplate.indexFactor = 1.23456789f;
  lamp->ShowProperties();
  EXPECT_EQ(ui.sheet.Find("角度")->value, "18.434");
  EXPECT_EQ(ui.sheet.Find("折射率倍")->value, "1.2345");
}

TEST_F(LampHouseTest, ApplyStoresEveryRow) {
  FakeUi ui;
  auto lamp = Make({0, 0}, {10, 0});
  lamp->ShowProperties();
  ui.sheet.SetValue("颜色", "65535");
  ui.sheet.SetValue("发光颜色", "16711680");
  ui.sheet.SetValue("X1", "-20");
  ui.sheet.SetValue("Y1", "50");
  ui.sheet.SetValue("X2", "80");
  ui.sheet.SetValue("Y2", "-50");
  ui.sheet.SetValue("平行光线的条数", "10");
  ui.sheet.SetValue("光线间距", "-15");
  ui.sheet.SetValue("折射率倍", "1.5");
  ui.sheet.SetValue("角度", "999");  // never read back
  EXPECT_TRUE(lamp->ApplyProperties());
  EXPECT_TRUE(ui.messages.messages.empty());
  EXPECT_EQ(lamp->color, 65535u);
  EXPECT_EQ(lamp->rayTemplate.rayColour, 16711680u);
  EXPECT_FLOAT_EQ(lamp->rayTemplate.startX, 0);
  EXPECT_FLOAT_EQ(lamp->rayTemplate.startY, 250);
  EXPECT_FLOAT_EQ(lamp->rayTemplate.throughX, 100);
  EXPECT_FLOAT_EQ(lamp->rayTemplate.throughY, 350);
  EXPECT_EQ(lamp->rayCount, 10);
  EXPECT_FLOAT_EQ(lamp->raySpacing, -15);
  EXPECT_FLOAT_EQ(lamp->rayTemplate.indexFactor, 1.5f);
}

TEST_F(LampHouseTest, RayCountOutOfRangeResetsTheCellAfterEarlierRowsApplied) {
  for (const char* typed : {"11", "0"}) {
    FakeUi ui;
    auto lamp = Make({0, 0}, {10, 0}, 4, 10);
    ui.sheet.typed = {{"X1", "5"}, {"颜色", "123"}, {"平行光线的条数", typed}, {"光线间距", "30"}};
    lamp->ShowProperties();
    EXPECT_FALSE(lamp->ApplyProperties()) << typed;
    EXPECT_EQ(ui.messages.messages, std::vector<std::string>{"平行光线的条数,请输入一个1~10整数"});
    EXPECT_EQ(ui.sheet.Find("平行光线的条数")->value, "4") << typed;
    EXPECT_EQ(lamp->rayCount, 4);
    EXPECT_FLOAT_EQ(lamp->rayTemplate.startX, 25);  // earlier rows already applied
    EXPECT_EQ(lamp->color, 123u);
    EXPECT_FLOAT_EQ(lamp->raySpacing, 10);  // later rows not
  }
}

TEST_F(LampHouseTest, RayCountThatIsNotANumberKeepsTheCell) {
  FakeUi ui;
  auto lamp = Make({0, 0}, {10, 0}, 4);
  ui.sheet.typed = {{"平行光线的条数", "x"}};
  lamp->ShowProperties();
  EXPECT_FALSE(lamp->ApplyProperties());
  EXPECT_EQ(ui.sheet.Find("平行光线的条数")->value, "x");
  EXPECT_EQ(ui.messages.messages.size(), 1u);
}

TEST_F(LampHouseTest, SpacingMustBeAnIntegerFactorMayBeAnyNumber) {
  FakeUi ui;
  auto lamp = Make({0, 0}, {10, 0});
  ui.sheet.typed = {{"光线间距", "2.5"}, {"折射率倍", "3"}};
  lamp->ShowProperties();
  EXPECT_FALSE(lamp->ApplyProperties());
  EXPECT_EQ(ui.messages.messages,
            std::vector<std::string>{"光线间距,不是有用的整数,请输入一个整数"});
  EXPECT_FLOAT_EQ(lamp->raySpacing, 10);
  EXPECT_FLOAT_EQ(lamp->rayTemplate.indexFactor, 1);

  ui.messages.messages.clear();
  ui.sheet.typed = {{"光线间距", "20"}, {"折射率倍", "1.5"}};
  lamp->ShowProperties();
  EXPECT_TRUE(lamp->ApplyProperties());
  EXPECT_FLOAT_EQ(lamp->rayTemplate.indexFactor, 1.5f);

  ui.sheet.typed = {{"折射率倍", "abc"}};
  lamp->ShowProperties();
  EXPECT_FALSE(lamp->ApplyProperties());
  EXPECT_EQ(ui.messages.messages.back(), "折射率倍,不是有用的数值型,请输入一个数值型");
  EXPECT_FLOAT_EQ(lamp->rayTemplate.indexFactor, 1.5f);

  ui.sheet.typed = {{"折射率倍", "1e300"}};  // cannot be held as a float
  lamp->ShowProperties();
  EXPECT_FALSE(lamp->ApplyProperties());
  EXPECT_FLOAT_EQ(lamp->rayTemplate.indexFactor, 1.5f);
}

TEST_F(LampHouseTest, BadCoordinateStopsAtThatRow) {
  FakeUi ui;
  auto lamp = Make({120, 200}, {220, 200});
  ui.sheet.typed = {{"X1", "0"}, {"X2", "abc"}, {"Y1", "0"}, {"Y2", "0"}};
  lamp->ShowProperties();
  EXPECT_FALSE(lamp->ApplyProperties());
  EXPECT_EQ(ui.messages.messages, std::vector<std::string>{"x2,不是有用的整数,请输入一个整数."});
  EXPECT_FLOAT_EQ(lamp->rayTemplate.startX, 20);
  EXPECT_FLOAT_EQ(lamp->rayTemplate.throughX, 220);
  EXPECT_FLOAT_EQ(lamp->rayTemplate.startY, 200);  // after the stop: untouched

  ui.messages.messages.clear();
  ui.sheet.typed = {{"X2", "0"}, {"Y2", "1e2"}};
  lamp->ShowProperties();
  EXPECT_FALSE(lamp->ApplyProperties());
  EXPECT_EQ(ui.messages.messages, std::vector<std::string>{"y2,不是有用的整数,请输入一个整数."});
}

// --- file record ------------------------------------------------------------

TEST_F(LampHouseTest, RecordLayoutAndByteExactRoundTrip) {
  auto lamp = Make({1.5f, 2.5f}, {3.5f, -4.5f}, 7, -12.25f);
  lamp->displayName = "光源1";
  lamp->rayTemplate.rayColour = 0x123456;
  lamp->rayTemplate.indexFactor = 0.75f;
  lamp->reserved[0] = 0xAB;
  lamp->skipNextPaint = 1;
  const auto bytes = RecordBytes(*lamp);
  const std::size_t names = 3 * 4 + 5 /* 光源1 in GBK */ + 2 * 9;
  EXPECT_EQ(bytes.size(), (4 + 9) + names + 31 + 80 + 4 + 4 + 1 + 40);

  const std::size_t own = 13 + names + 31;
  float x2;
  std::memcpy(&x2, &bytes[own + 8], 4);
  EXPECT_FLOAT_EQ(x2, 3.5f);
  std::int32_t count;
  std::memcpy(&count, &bytes[own + 80], 4);
  EXPECT_EQ(count, 7);
  EXPECT_EQ(bytes[own + 88], 1);
  EXPECT_EQ(bytes[own + 89], 0xAB);
  LampHouse l(&canvas);
  ASSERT_TRUE(LoadRecord(l, bytes));
  EXPECT_EQ(RecordBytes(l), bytes);
  EXPECT_EQ(l.displayName, "光源1");
  EXPECT_FLOAT_EQ(l.raySpacing, -12.25f);
  EXPECT_EQ(l.skipNextPaint, 1);
}
