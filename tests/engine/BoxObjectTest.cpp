// The box shape base, over every class built on it (the annotations).
#include <gtest/gtest.h>

#include "FactoryClasses.h"
#include "ObjectRecord.h"
#include "TestEnvironment.h"
#include "gfx/RecordingCanvas.h"
#include "objects/BoxObject.h"
#include "scene/ByteStream.h"

namespace {

std::unique_ptr<BoxObject> MakeBox(const std::string& name, TCanvas* canvas) {
  auto object = CreateObjectByClassName(name, canvas);
  std::unique_ptr<BoxObject> box(dynamic_cast<BoxObject*>(object.get()));
  if (box) object.release();
  return box;
}

class BoxObjectTest : public EngineTest, public ::testing::WithParamInterface<std::string> {
 protected:
  RecordingCanvas canvas;
  std::unique_ptr<BoxObject> made = MakeBox(GetParam(), &canvas);
  BoxObject& box = *made;

  void SetUp() override {
    EngineTest::SetUp();
    box.BeginCreate(100, 200);
    box.DragCreate(150, 260);
    box.EndCreate(300, 250);
  }
  void ExpectAxisParallel() {
    EXPECT_EQ(box.corners[0].y, box.corners[1].y);
    EXPECT_EQ(box.corners[1].x, box.corners[2].x);
    EXPECT_EQ(box.corners[2].y, box.corners[3].y);
    EXPECT_EQ(box.corners[3].x, box.corners[0].x);
  }
};

}  // namespace

TEST_P(BoxObjectTest, PlacedFromTheFirstToTheOppositeCorner) {
  EXPECT_EQ(box.corners[1], (TPointF{300, 200}));
  EXPECT_EQ(box.corners[3], (TPointF{100, 250}));
  ExpectAxisParallel();
}

TEST_P(BoxObjectTest, DraggedCornersKeepTheBoxAxisParallelInAnyOrder) {
  for (int corner : {1, 3, 0, 2}) {
    box.selectedHandle = corner;
    box.Move(1, 40 + 90 * corner, 500 - 70 * corner);
    ExpectAxisParallel();
  }
  const TRectF r = box.Box();  // corners crossed over: still a proper box
  EXPECT_LE(r.x1, r.x2);
  EXPECT_LE(r.y1, r.y2);
}

TEST_P(BoxObjectTest, HitInsideWithEdgesAndHandlesFirst) {
  EXPECT_EQ(box.HitTest(200, 225), 2);
  EXPECT_EQ(box.HitTest(300, 225), 2);  // on the right edge
  EXPECT_EQ(box.HitTest(301 + 8, 225), 0);
  EXPECT_EQ(box.HitTest(297, 247), 1);
  EXPECT_EQ(box.selectedHandle, 2);
  EXPECT_FALSE(box.InRect(280, 180, 320, 190));
  EXPECT_TRUE(box.InRect(280, 180, 320, 210));  // across the top edge
}

TEST_P(BoxObjectTest, FarCornerRefusesTheRecordAndLeavesTheBox) {
  auto far = MakeBox(GetParam(), &canvas);
  far->corners[2] = {3e9f, 0};
  const auto bytes = RecordBytes(*far);
  ByteReader in(bytes);
  in.ReadString();
  const auto before = RecordBytes(box);
  EXPECT_FALSE(box.LoadFromStream(in));
  EXPECT_EQ(RecordBytes(box), before);
}

INSTANTIATE_TEST_SUITE_P(EveryBoxClass, BoxObjectTest,
                         ::testing::ValuesIn(ClassesBuiltOn<BoxObject>()),
                         [](const auto& info) { return info.param; });
