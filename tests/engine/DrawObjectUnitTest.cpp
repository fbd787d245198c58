#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "TestEnvironment.h"
#include "gfx/RecordingCanvas.h"
#include "objects/elements/FlatMirror.h"
#include "scene/ByteStream.h"
#include "scene/DrawObjectUnit.h"

namespace {

using DrawObjectUnitTest = EngineTest;

}  // namespace

TEST_F(DrawObjectUnitTest, BaseDefaultsAndDoNothingOperations) {
  Settings().toolLineWidth = 4;
  RecordingCanvas canvas;
  DrawObjectUnit object(&canvas);
  EXPECT_EQ(object.className, "DrawObjectUnit");
  EXPECT_EQ(object.name3, "DrawObjectUnit");
  EXPECT_EQ(object.name4, "DrawObjectUnit");
  EXPECT_EQ(object.lineWidth, 4);
  EXPECT_EQ(object.handleSize, 16);
  EXPECT_EQ(object.selectedHandle, -1);
  EXPECT_EQ(object.xorColor, 0xFFu);
  EXPECT_EQ(object.color, 0x80FFu);
  EXPECT_EQ(object.fillColor, 0xFF0000u);
  EXPECT_EQ(object.flagD, 1);
  object.Draw(2);
  object.DrawHandles();
  EXPECT_TRUE(canvas.ops.empty());
  EXPECT_EQ(object.HitTest(0, 0), 0);
  EXPECT_FALSE(object.InRect(-1e6f, -1e6f, 1e6f, 1e6f));
  EXPECT_TRUE(object.GetSurfaces().empty());
  EXPECT_TRUE(object.GetBaseRays().empty());
  object.SetSerialName("7");
  EXPECT_EQ(object.displayName, "DrawObjectUnit7");
  RecordingCanvas other;
  EXPECT_EQ(object.SetCanvas(&other), &other);
}

TEST_F(DrawObjectUnitTest, BaseRecordIsThreeNamesAnd31Bytes) {
  DrawObjectUnit object(nullptr);
  object.displayName = "a";
  object.name3 = "";
  object.name4 = "xyz";
  object.handleSize = 20;
  object.flagE = 1;
  ByteWriter out;
  ASSERT_TRUE(object.SaveToStream(out));
  const std::size_t classRecord = 4 + 14;
  ASSERT_EQ(out.Size(), classRecord + (4 + 1) + 4 + (4 + 3) + 31);
  EXPECT_EQ(out.Data().back(), 1);  // flag E closes the record

  DrawObjectUnit loaded(nullptr);
  ByteReader in(out.Data());
  in.ReadString();
  ASSERT_TRUE(loaded.LoadFromStream(in));
  EXPECT_EQ(loaded.displayName, "a");
  EXPECT_EQ(loaded.name3, "");
  EXPECT_EQ(loaded.name4, "xyz");
  EXPECT_EQ(loaded.handleSize, 20);
  EXPECT_EQ(loaded.className, "DrawObjectUnit");  // not part of the record
}

TEST_F(DrawObjectUnitTest, DamagedBaseRecordChangesNothing) {
  DrawObjectUnit object(nullptr);
  object.displayName = "before";
  ByteWriter out;
  out.WriteString("new name");
  out.WriteString("n3");
  out.WriteInt32(-1);  // impossible length
  out.WriteZeros(31);
  ByteReader in(out.Data());
  EXPECT_FALSE(object.LoadBaseFields(in));
  EXPECT_EQ(object.displayName, "before");
  EXPECT_EQ(object.name3, "DrawObjectUnit");

  ByteWriter huge;
  huge.WriteInt32(0x7FFFFFFF);  // a name "two gigabytes" long
  ByteReader hugeIn(huge.Data());
  EXPECT_FALSE(object.LoadBaseFields(hugeIn));
}

TEST_F(DrawObjectUnitTest, AbsurdHandleSizeAndPointsFromAFileStayInRange) {
  RecordingCanvas canvas;
  FlatMirror mirror(&canvas);
  mirror.segment = {1e30f, -1e30f, NAN, 5};
  mirror.handleSize = INT_MAX;
  mirror.DrawHandles();
  ASSERT_EQ(canvas.Count(RecordedOp::Rectangle), 2u);
  for (float c : canvas.ops[0].coords) EXPECT_TRUE(std::fabs(c) <= 2.0e9f) << c;
  mirror.handleSize = INT_MIN;
  mirror.DrawHandles();
  mirror.skipNextPaint = 0;
  mirror.Draw(2);
  EXPECT_EQ(canvas.Count(RecordedOp::Line), 12u);
}
