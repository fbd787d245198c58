// What the ideal lenses add to the shared checks: the focal-point rule, the
// focal length row, the arrowheads, and images where the thin-lens equation
// puts them (which needs the surface's focal points on the right sides).
#include <gtest/gtest.h>

#include "FakePropertySheet.h"
#include "ObjectRecord.h"
#include "RecordingTraceSink.h"
#include "TestEnvironment.h"
#include "gfx/RecordingCanvas.h"
#include "objects/ObjectFactory.h"
#include "objects/elements/IdealConcave.h"
#include "objects/elements/IdealMagnifier.h"
#include "objects/sources/PointLampHouse.h"
#include "objects/sources/RealObject.h"
#include "optics/schedule/Tracer.h"
#include "scene/ByteStream.h"

namespace {

class IdealLensObjectTest : public EngineTest {
 protected:
  RecordingCanvas canvas;

  template <class Lens>
  Lens Placed(TPointF from, TPointF to, float f = 100) {
    Lens lens(&canvas);
    lens.focalLength = f;
    lens.BeginCreate(int(from.x), int(from.y));
    lens.EndCreate(int(to.x), int(to.y));
    return lens;
  }
};

void ExpectNear(TPointF actual, TPointF expected, double tolerance = 1e-3) {
  EXPECT_NEAR(actual.x, expected.x, tolerance);
  EXPECT_NEAR(actual.y, expected.y, tolerance);
}

}  // namespace

TEST_F(IdealLensObjectTest, FocalPointsStandAtFFromTheMiddle) {
  // Dragged straight up: focal point 1 right of the lens, 2 left of it.
  auto lens = Placed<IdealMagnifier>({300, 300}, {300, 100});
  ExpectNear(lens.focal1, {400, 200});
  ExpectNear(lens.focal2, {200, 200});
  // Zooming lengthens the line; the next paint puts the foci back at f.
  lens.Zoom(0, 0, 1.1f);
  lens.Draw(2);  // swallowed: the rule runs from the next paint on
  lens.Draw(2);
  ExpectNear(lens.focal1, {430, 220});
  // A lens of no length has direction 0: its axis is vertical.
  auto dot = Placed<IdealConcave>({50, 50}, {50, 50}, 30);
  ExpectNear(dot.focal1, {50, 80});
  ExpectNear(dot.focal2, {50, 20});
}

// Ends far out are refused; focal points, which follow from the focal
// length, may lie anywhere, so a lens of any length saves and opens again.
TEST_F(IdealLensObjectTest, FarEndsRefusedFarFocalPointsKept) {
  auto lens = Placed<IdealMagnifier>({300, 300}, {300, 100}, 1e9f);
  IdealMagnifier reloaded(&canvas);
  auto bytes = RecordBytes(lens);
  ByteReader in(bytes);
  in.ReadString();
  ASSERT_TRUE(reloaded.LoadFromStream(in));
  ExpectNear(reloaded.focal1, lens.focal1, 1e3);
  lens.end1 = {300, 2e8f};
  bytes = RecordBytes(lens);
  ByteReader far(bytes);
  far.ReadString();
  EXPECT_FALSE(reloaded.LoadFromStream(far));
}

TEST_F(IdealLensObjectTest, FocalLengthRowTakesPositiveNumbersOnly) {
  FakeUi ui;
  auto lens = Placed<IdealMagnifier>({300, 100}, {300, 300});
  auto apply = [&](const std::string& text) {
    lens.ShowProperties();
    ui.sheet.SetValue("焦距", text);
    return lens.ApplyProperties();
  };
  EXPECT_TRUE(apply("150.5"));
  EXPECT_FLOAT_EQ(lens.focalLength, 150.5f);
  ExpectNear(lens.focal1, {149.5f, 200});
  lens.ShowProperties();
  EXPECT_EQ(ui.sheet.Value("焦距"), "150.5");
  for (const char* bad : {"abc", "0", "-20"}) {
    ui.messages.messages.clear();
    EXPECT_FALSE(apply(bad)) << bad;
    ASSERT_EQ(ui.messages.messages.size(), 1u) << bad;
    EXPECT_FLOAT_EQ(lens.focalLength, 150.5f) << bad;
  }
  EXPECT_EQ(ui.messages.messages[0], "焦距必须是大于0的数,请输入一个正数.");
  // A bad coordinate names its row and text; the coordinates after it keep their values.
  lens.ShowProperties();
  ui.sheet.SetValue("X1", "1x");
  ui.sheet.SetValue("X2", "0");
  ui.messages.messages.clear();
  EXPECT_FALSE(lens.ApplyProperties());
  EXPECT_EQ(ui.messages.messages, std::vector<std::string>{"X1=1x,不是有用的整数,请输入一个整数."});
  EXPECT_FLOAT_EQ(lens.end1.x, 300);
}

TEST_F(IdealLensObjectTest, HeadsPointOutwardsForTheConvexAndInwardsForTheConcave) {
  for (const std::string name : {"IdealMagnifier", "IdealConcave"}) {
    auto lens = CreateObjectByClassName(name, &canvas);
    lens->BeginCreate(300, 100);
    lens->EndCreate(300, 300);
    lens->skipNextPaint = 0;
    canvas.Clear();
    lens->Draw(2);
    ASSERT_EQ(canvas.Count(RecordedOp::Line), 6u);
    // The wings at point 0 run toward the lens (a head pointing out) or away.
    EXPECT_EQ(canvas.ops[1].coords[3] > 100, name == "IdealMagnifier");
    EXPECT_EQ(canvas.ops.back().pen.style, TPenStyle::DashDot);  // the axis
    EXPECT_EQ(canvas.ops.back().coords, (std::vector<float>{0, 200, 600, 200}));
  }
}

// Object distances beyond 2F, between F and 2F and inside F of a convex lens
// (f = 100 at x = 500, axis y = 300), drawn downwards and upwards: the point
// image and the arrow image stand at v = uf / (u - f), real when v > 0.
TEST_F(IdealLensObjectTest, ImagesStandWhereTheThinLensEquationPutsThem) {
  for (float u : {250.0f, 150.0f, 60.0f}) {
    for (bool down : {true, false}) {
      auto lens =
          Placed<IdealMagnifier>({500, down ? 150.0f : 450.0f}, {500, down ? 450.0f : 150.0f});
      const double v = u * 100.0 / (u - 100.0), m = -v / u;
      const float x = 500 - u, step = std::min(u / 2, 60.0f);
      PointLampHouse point(&canvas);
      point.record.points[0] = {x, 280};
      for (int i = 1; i <= 3; ++i) point.record.points[i] = {x + step, 280 + (i - 2) * step / 6};
      RealObject arrow(&canvas);
      const TPointF aims[] = {{x, 300},
                              {x, 240},
                              {x + step, 300 - step / 5},
                              {x + step, 300 + step / 5},
                              {x + step, 240},
                              {x + step, 240 + step * 60 / u}};
      for (int i = 0; i < 6; ++i) arrow.record.points[i] = aims[i];
      std::vector<DrawBaseRayDataStruct> rays = point.GetBaseRays();
      for (const auto& r : arrow.GetBaseRays()) rays.push_back(r);
      RecordingTraceSink sink;
      TraceScene(lens.GetSurfaces(), rays, TraceOptions{}, sink);
      const auto images = sink.Of(TraceItem::Image);
      const auto arrows = sink.Of(TraceItem::ImageArrow);
      ASSERT_EQ(images.size(), 1u) << u;
      ASSERT_EQ(arrows.size(), 1u) << u;
      ExpectNear(images[0].a, {float(500 + v), float(300 - 20 * m)}, 0.5);
      ExpectNear(arrows[0].a, {float(500 + v), 300}, 0.5);
      ExpectNear(arrows[0].b, {float(500 + v), float(300 - 60 * m)}, 0.5);
      EXPECT_EQ(images[0].flag, v > 0) << u;
      EXPECT_EQ(arrows[0].flag, v > 0) << u;
    }
  }
}
