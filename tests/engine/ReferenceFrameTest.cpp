#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "FakePropertySheet.h"
#include "ObjectRecord.h"
#include "TestEnvironment.h"
#include "gfx/RecordingCanvas.h"
#include "objects/elements/FlatMirror.h"
#include "objects/tools/ReferenceFrame.h"
#include "scene/ByteStream.h"

namespace {

class ReferenceFrameTest : public EngineTest {
 protected:
  RecordingCanvas canvas{400, 400};

  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const auto& op : canvas.ops)
      if (op.kind == RecordedOp::Text) texts.push_back(op.text);
    return texts;
  }
};

}  // namespace

TEST_F(ReferenceFrameTest, ConstructorDefaults) {
  ReferenceFrame frame(&canvas);
  EXPECT_EQ(frame.className, "ReferenceFrame");
  EXPECT_FLOAT_EQ(frame.originX, 20);
  EXPECT_FLOAT_EQ(frame.originY, 300);
  EXPECT_EQ(frame.color, 0x80FFu);
  EXPECT_EQ(frame.canCopy, 0);
  EXPECT_EQ(frame.canDelete, 0);
  EXPECT_EQ(frame.isDrawn, 0);
}

TEST_F(ReferenceFrameTest, AxesTicksAndLabels) {
  ReferenceFrame frame(&canvas);
  frame.Draw(2);
  ASSERT_GE(canvas.ops.size(), 4u);
  EXPECT_EQ(canvas.ops[0].kind, RecordedOp::Ellipse);
  EXPECT_EQ(canvas.ops[0].coords, (std::vector<float>{18, 298, 22, 302}));
  EXPECT_EQ(canvas.ops[0].pen.color, 0xFFu);
  EXPECT_EQ(canvas.ops[0].brush.style, TBrushStyle::Clear);
  EXPECT_EQ(canvas.ops[1].kind, RecordedOp::Text);
  EXPECT_EQ(canvas.ops[1].text, "0");
  EXPECT_EQ(canvas.ops[1].coords, (std::vector<float>{22, 302}));
  EXPECT_EQ(canvas.ops[1].font.name, "Arial");
  EXPECT_EQ(canvas.ops[1].font.size, 8);
  EXPECT_EQ(canvas.ops[1].font.color, frame.color);
  EXPECT_EQ(canvas.ops[2].coords, (std::vector<float>{0, 300, 400, 300}));
  EXPECT_EQ(canvas.ops[3].coords, (std::vector<float>{20, 0, 20, 400}));
  EXPECT_EQ(canvas.ops[3].pen.color, frame.color);
  EXPECT_EQ(canvas.ops[3].pen.mode, TPenMode::Copy);

  // x ticks 70..370 (none left of the origin fit); y ticks 350, 400 below
  // and 250..0 above, both ends of the surface included.
  const std::vector<std::string> expected = {"0",   "50",  "100", "150",  "200", "250",
                                             "300", "350", "-50", "-100", "50",  "100",
                                             "150", "200", "250", "300"};
  EXPECT_EQ(Texts(), expected);
  EXPECT_EQ(canvas.Count(RecordedOp::Line), 2u + 7 + 2 + 6);
  // First x tick and its label; first y tick below the origin.
  EXPECT_EQ(canvas.ops[4].coords, (std::vector<float>{70, 300, 70, 297}));
  EXPECT_EQ(canvas.ops[5].coords, (std::vector<float>{68, 302}));
  EXPECT_EQ(canvas.ops[18].coords, (std::vector<float>{20, 350, 17, 350}));
  EXPECT_EQ(canvas.ops[19].coords, (std::vector<float>{22, 348}));
}

TEST_F(ReferenceFrameTest, TicksBothSidesAndFractionalOrigin) {
  ReferenceFrame frame(&canvas);
  frame.originX = 120.5f;
  frame.originY = 100;
  frame.Draw(2);
  const auto texts = Texts();
  // Right: 170..370 (5), left: 70, 20 (2), down: 150..400 (6), up: 50, 0 (2).
  EXPECT_EQ(texts.size(), 1u + 5 + 2 + 6 + 2);
  EXPECT_EQ(texts[6], "-50");
  EXPECT_EQ(texts[7], "-100");
  EXPECT_EQ(canvas.ops[4].coords[0], 170);  // 120.5 + 50 truncated
}

TEST_F(ReferenceFrameTest, OutlineIsTwoXorAxesAndNeverHighQuality) {
  Settings().highQuality = true;
  ReferenceFrame frame(&canvas);
  frame.Draw(1);
  ASSERT_EQ(canvas.ops.size(), 2u);
  for (const auto& op : canvas.ops) {
    EXPECT_EQ(op.kind, RecordedOp::Line);
    EXPECT_EQ(op.pen.mode, TPenMode::Xor);
    EXPECT_EQ(op.pen.color, frame.xorColor);
  }
  canvas.Clear();
  frame.Draw(2);
  EXPECT_EQ(canvas.Count(RecordedOp::AaLine), 0u);
  EXPECT_GT(canvas.Count(RecordedOp::Line), 2u);
}

TEST_F(ReferenceFrameTest, FarAwayOriginPaintsOnlyWhatCanBeSeen) {
  ReferenceFrame frame(&canvas);
  const float nan = std::numeric_limits<float>::quiet_NaN();
  for (auto origin : std::vector<std::pair<float, float>>{
           {-1e9f, 300}, {1e9f, 300}, {20, -3e38f}, {20, 3e38f}, {nan, nan}}) {
    canvas.Clear();
    frame.originX = origin.first;
    frame.originY = origin.second;
    frame.Draw(2);
    EXPECT_LT(canvas.ops.size(), 200u) << origin.first << "," << origin.second;
  }
  frame.originX = -1e9f;
  frame.originY = 300;
  canvas.Clear();
  frame.Draw(2);
  // The visible x ticks are still there, every 50 px.
  std::size_t visible = 0;
  for (const auto& op : canvas.ops)
    if (op.kind == RecordedOp::Line && op.coords[1] == 300 && op.coords[3] == 297 &&
        op.coords[0] >= 0 && op.coords[0] <= 400)
      ++visible;
  EXPECT_EQ(visible, 9u);
}

TEST_F(ReferenceFrameTest, HitOnlyOnTheOriginHandle) {
  ReferenceFrame frame(&canvas);
  frame.selectedHandle = 5;
  EXPECT_EQ(frame.HitTest(25, 300), 1);
  EXPECT_EQ(frame.HitTest(20, 308), 0);   // the radius itself misses
  EXPECT_EQ(frame.HitTest(100, 300), 0);  // never the body
  EXPECT_EQ(frame.selectedHandle, 5);
  EXPECT_FALSE(frame.InRect(0, 0, 400, 400));
  frame.DrawHandles();
  ASSERT_EQ(canvas.Count(RecordedOp::Rectangle), 1u);
  EXPECT_EQ(canvas.ops[0].coords, (std::vector<float>{12, 292, 28, 308}));
}

TEST_F(ReferenceFrameTest, OnlyDraggingTheHandleMovesTheAxes) {
  ReferenceFrame frame(&canvas);
  frame.SetDragOrigin(0, 0);
  frame.Move(2, 50, 50);
  frame.Move(3, 50, 50);
  frame.Zoom(20, 300, 1.1f);
  frame.BeginCreate(1, 1);
  frame.DragCreate(2, 2);
  frame.EndCreate(3, 3);
  EXPECT_FLOAT_EQ(frame.originX, 20);
  EXPECT_FLOAT_EQ(frame.originY, 300);
  EXPECT_EQ(Settings().originX, 20);
  EXPECT_TRUE(canvas.ops.empty());
  frame.Move(1, 220, 310);
  EXPECT_FLOAT_EQ(frame.originX, 220);
  EXPECT_FLOAT_EQ(frame.originY, 310);
  EXPECT_EQ(Settings().originX, 220);
  EXPECT_EQ(Settings().originY, 310);
}

TEST_F(ReferenceFrameTest, SheetsShowUserCoordinatesAboutTheOrigin) {
  FakeUi ui;
  ReferenceFrame frame(&canvas);
  FlatMirror mirror(&canvas);
  mirror.segment = {120, 200, 120, 250};
  mirror.ShowProperties();
  EXPECT_EQ(ui.sheet.Find("X1")->value, "100");
  EXPECT_EQ(ui.sheet.Find("Y1")->value, "100");
  frame.Move(1, 220, 300);
  mirror.ShowProperties();
  EXPECT_EQ(ui.sheet.Find("X1")->value, "-100");
  EXPECT_EQ(ui.sheet.Find("Y1")->value, "100");
  EXPECT_FLOAT_EQ(mirror.segment.x1, 120);  // the object itself stays
}

TEST_F(ReferenceFrameTest, RowsAreScreenPixels) {
  FakeUi ui;
  ReferenceFrame frame(&canvas);
  frame.ShowProperties();
  EXPECT_EQ(ui.sheet.caption, "坐标系属性");
  ASSERT_EQ(ui.sheet.rows.size(), 3u);
  EXPECT_EQ(ui.sheet.rows[0].key, "坐标轴原点X");
  EXPECT_EQ(ui.sheet.rows[0].value, "20");
  EXPECT_EQ(ui.sheet.rows[1].key, "坐标轴原点Y");
  EXPECT_EQ(ui.sheet.rows[1].value, "300");
  EXPECT_EQ(ui.sheet.rows[2].key, "显示颜色");
  EXPECT_EQ(ui.sheet.rows[2].value, "33023");
  EXPECT_EQ(ui.sheet.rows[2].style, TEditStyle::Ellipsis);
  EXPECT_TRUE(ui.sheet.rows[2].readOnly);
  EXPECT_FALSE(ui.sheet.rows[0].readOnly);
}

TEST_F(ReferenceFrameTest, RejectedXStillAppliesY) {
  FakeUi ui;
  ReferenceFrame frame(&canvas);
  ui.sheet.typed = {{"坐标轴原点X", "1e2"}, {"坐标轴原点Y", "250"}, {"显示颜色", "255"}};
  frame.ShowProperties();
  EXPECT_FALSE(frame.ApplyProperties());
  EXPECT_EQ(ui.messages.messages,
            std::vector<std::string>{"坐标轴原点X,不是有用的整数,请输入一个整数."});
  EXPECT_FLOAT_EQ(frame.originX, 20);
  EXPECT_FLOAT_EQ(frame.originY, 250);
  EXPECT_EQ(frame.color, 255u);
  EXPECT_EQ(Settings().originX, 20);
  EXPECT_EQ(Settings().originY, 250);

  ui.messages.messages.clear();
  ui.sheet.typed = {{"坐标轴原点X", "-40"}, {"坐标轴原点Y", "y"}};
  frame.ShowProperties();
  EXPECT_FALSE(frame.ApplyProperties());
  EXPECT_EQ(ui.messages.messages,
            std::vector<std::string>{"坐标轴原点Y,不是有用的整数,请输入一个整数."});
  EXPECT_EQ(Settings().originX, -40);
  EXPECT_EQ(Settings().originY, 250);

  ui.sheet.typed = {{"坐标轴原点X", "10"}, {"坐标轴原点Y", "20"}};
  frame.ShowProperties();
  EXPECT_TRUE(frame.ApplyProperties());
  EXPECT_EQ(Settings().originX, 10);
  EXPECT_EQ(Settings().originY, 20);
}

TEST_F(ReferenceFrameTest, CloneMovedPaintsTheCopyWhichCannotBeCopied) {
  ReferenceFrame frame(&canvas);
  auto copy = frame.CloneMoved(10, 10);
  auto* c = dynamic_cast<ReferenceFrame*>(copy.get());
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->canCopy, 0);
  EXPECT_GT(canvas.Count(RecordedOp::Line), 2u);
}

TEST_F(ReferenceFrameTest, RecordRoundTripLeavesTheProcessOrigin) {
  ReferenceFrame frame(&canvas);
  frame.originX = 321.5f;
  frame.originY = -7;
  frame.reserved[10] = 3;
  const auto bytes = RecordBytes(frame);
  const std::size_t header = (4 + 14) + 3 * (4 + 14) + 31;
  ASSERT_EQ(bytes.size(), header + 8 + 40);
  ReferenceFrame loaded(&canvas);
  ASSERT_TRUE(LoadRecord(loaded, bytes));
  EXPECT_EQ(RecordBytes(loaded), bytes);
  EXPECT_FLOAT_EQ(loaded.originX, 321.5f);
  EXPECT_EQ(Settings().originX, 20);
  EXPECT_EQ(Settings().originY, 300);
}
