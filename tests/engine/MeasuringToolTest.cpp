// The protractor, the ruler and the auxiliary line: what they paint, what
// their sheets read back, and that rays ignore them.
#include <gtest/gtest.h>

#include <cmath>

#include "FakePropertySheet.h"
#include "ObjectTest.h"
#include "TestEnvironment.h"
#include "gfx/RecordingCanvas.h"
#include "objects/tools/OPticsLine.h"
#include "objects/tools/Protractor.h"
#include "objects/tools/Ruler.h"

namespace {

class MeasuringToolTest : public ObjectTest {
 protected:
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const auto& op : canvas.ops)
      if (op.kind == RecordedOp::Text) texts.push_back(op.text);
    return texts;
  }
};

}  // namespace

TEST_F(MeasuringToolTest, ProtractorMeasuresCounterClockwiseFromTheFirstArm) {
  Protractor p(&canvas);
  p.Draw(2);
  ASSERT_EQ(Texts(), std::vector<std::string>{"45"});
  EXPECT_EQ(canvas.ops[0].coords, (std::vector<float>{303, 303}));
  EXPECT_EQ(canvas.Count(RecordedOp::Arc), 1u);
  p.selectedHandle = 2;
  p.Move(1, 380, 380);  // below the first arm
  canvas.Clear();
  p.Draw(2);
  EXPECT_EQ(Texts(), std::vector<std::string>{"315"});
  EXPECT_EQ(p.HitTest(340, 300), 2);  // on the first arm
  EXPECT_EQ(p.HitTest(340, 310), 0);
}

TEST_F(MeasuringToolTest, RulerTicksStopBeforeItsLengthAndNeverHang) {
  Ruler r(&canvas);
  r.segment.p1 = {100, 200};
  r.segment.p2 = {200, 200};
  r.skipNextPaint = 0;
  r.Draw(2);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"总长:100", "0", "50"}));
  for (float spacing : {0.0f, -5.0f, std::nanf("")}) {
    r.tickSpacing = spacing;  // as a file may hold it
    canvas.Clear();
    r.Draw(2);
    EXPECT_EQ(Texts(), std::vector<std::string>{"总长:100"});
  }
  EXPECT_TRUE(r.GetSurfaces().empty());
}

TEST_F(MeasuringToolTest, AuxiliaryLineDotsAndLabelsAsItsRowsSay) {
  OPticsLine line(&canvas);
  line.segment.p1 = {0, 0};
  line.segment.p2 = {30, 40};
  line.skipNextPaint = 0;
  line.ShowProperties();
  fake->sheet.SetValue("是否实线", "否");
  fake->sheet.SetValue("是否显示长度", "是");
  fake->sheet.SetValue("X1", "x");
  EXPECT_FALSE(line.ApplyProperties());
  EXPECT_EQ(fake->messages.messages, std::vector<std::string>{"x1,不是有用的整数,请输入一个整数."});
  EXPECT_EQ(line.solid, 0);
  EXPECT_EQ(line.showLength, 1);
  line.Draw(2);
  EXPECT_EQ(canvas.ops[0].pen.style, TPenStyle::Dot);
  EXPECT_EQ(canvas.ops[0].pen.width, 1);
  EXPECT_EQ(Texts(), std::vector<std::string>{"50"});
  EXPECT_TRUE(line.GetSurfaces().empty() && line.GetBaseRays().empty());
}
