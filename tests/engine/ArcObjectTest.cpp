// Objects on one arc: the shared arc handling over every arc class, the
// mirrors' and lenses' own rules, and what the tracer makes of them.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "FactoryClasses.h"
#include "FakePropertySheet.h"
#include "ObjectRecord.h"
#include "ObjectTest.h"
#include "RecordingTraceSink.h"
#include "TestEnvironment.h"
#include "TraceBuilders.h"
#include "gfx/RecordingCanvas.h"
#include "objects/ObjectFactory.h"
#include "objects/elements/Concave.h"
#include "objects/elements/ConcaveMirror.h"
#include "objects/elements/ConvexityMirror.h"
#include "objects/elements/Magnifier.h"
#include "objects/sources/PointLampHouse.h"
#include "optics/schedule/Tracer.h"
#include "scene/ByteStream.h"
#include "scene/Document.h"

namespace {

constexpr TPointF kCentre{400, 300};

template <class T>
std::unique_ptr<T> ArcOf(TCanvas* canvas, float radius, float a1, float a2) {
  auto arc = std::make_unique<T>(canvas);
  arc->centre = kCentre;
  arc->radius = radius;
  arc->angle1 = a1;
  arc->angle2 = a2;
  arc->sweep = ArcObject::SweepOf(a1, a2);
  arc->skipNextPaint = 0;
  arc->PlaceEnds();
  return arc;
}

void ExpectEndsOnTheArc(ArcObject& arc, int endIndex) {
  const auto points = arc.ControlPointValues();
  const TPointF start = arc.ArcPoint(arc.angle1, arc.radius);
  const TPointF end = arc.ArcPoint(arc.angle2, arc.radius);
  EXPECT_NEAR(points[0].x, start.x, 0.01);
  EXPECT_NEAR(points[0].y, start.y, 0.01);
  EXPECT_NEAR(points[std::size_t(endIndex)].x, end.x, 0.01);
  EXPECT_NEAR(points[std::size_t(endIndex)].y, end.y, 0.01);
}

// Where the line of a traced piece crosses y = 300 (the axis of every scene).
float AxisCrossing(const TraceItem& piece) {
  const double t = (300.0 - piece.a.y) / (double(piece.b.y) - piece.a.y);
  return static_cast<float>(piece.a.x + t * (double(piece.b.x) - piece.a.x));
}

// Pieces after the first one of each base ray, in drawing order.
std::vector<TraceItem> Trace(DrawObjectUnit& element, const std::vector<float>& heights,
                             double direction, float startX) {
  std::vector<DrawBaseRayDataStruct> rays;
  for (float h : heights) rays.push_back(RayAt({startX, 300 + h}, direction));
  RecordingTraceSink sink;
  TraceScene(element.GetSurfaces(), rays, TraceOptions{}, sink);
  auto pieces = sink.Of(TraceItem::Ray);
  pieces.erase(pieces.begin(), pieces.begin() + std::ptrdiff_t(heights.size()));
  return pieces;
}

class ArcShapes : public EngineTest, public ::testing::WithParamInterface<std::string> {
 protected:
  RecordingCanvas canvas;
  std::unique_ptr<ArcObject> Make(float a1, float a2) {
    auto object = CreateObjectByClassName(GetParam(), &canvas);
    auto* arc = dynamic_cast<ArcObject*>(object.get());
    EXPECT_NE(arc, nullptr);
    object.release();
    std::unique_ptr<ArcObject> owned(arc);
    owned->centre = kCentre;
    owned->radius = 100;
    owned->angle1 = a1;
    owned->angle2 = a2;
    owned->sweep = ArcObject::SweepOf(a1, a2);
    owned->PlaceEnds();
    return owned;
  }
  int EndIndex() const { return GetParam() == "Concave" ? 3 : 1; }
};

}  // namespace

TEST_P(ArcShapes, PlacingSetsTheRadiusAndStartAndKeepsTheSweep) {
  auto object = CreateObjectByClassName(GetParam(), &canvas);
  auto& arc = dynamic_cast<ArcObject&>(*object);
  arc.BeginCreate(300, 300);
  arc.DragCreate(300, 200);
  arc.EndCreate(300, 250);
  EXPECT_EQ(arc.centre, (TPointF{300, 300}));
  EXPECT_FLOAT_EQ(arc.radius, 50);
  EXPECT_FLOAT_EQ(arc.angle1, 90);
  EXPECT_FLOAT_EQ(arc.angle2, 210);
  EXPECT_FLOAT_EQ(arc.sweep, 120);
  ExpectEndsOnTheArc(arc, EndIndex());
}

// The arc rotates about the centre when an end is dragged; it never stretches.
TEST_P(ArcShapes, DraggedEndsRotateTheArcAndWrapAtZero) {
  auto arc = Make(300, 60);
  arc->selectedHandle = EndIndex();
  arc->Move(1, 400, 400);  // straight below the centre: 270 degrees
  EXPECT_FLOAT_EQ(arc->angle2, 270);
  EXPECT_FLOAT_EQ(arc->angle1, 150);
  EXPECT_FLOAT_EQ(arc->sweep, 120);
  ExpectEndsOnTheArc(*arc, EndIndex());
  arc->selectedHandle = 0;
  arc->Move(1, 480, 300);  // 0 degrees at radius 80
  EXPECT_FLOAT_EQ(arc->angle1, 0);
  EXPECT_FLOAT_EQ(arc->angle2, 120);
  EXPECT_FLOAT_EQ(arc->radius, 80);
  ExpectEndsOnTheArc(*arc, EndIndex());
}

TEST_P(ArcShapes, ZoomAndMoveCarryTheCentre) {
  auto arc = Make(-60, 60);
  arc->Zoom(0, 0, 2);
  EXPECT_EQ(arc->centre, (TPointF{800, 600}));
  EXPECT_FLOAT_EQ(arc->radius, 200);
  EXPECT_FLOAT_EQ(arc->angle1, -60);
  ExpectEndsOnTheArc(*arc, EndIndex());
  arc->SetDragOrigin(10, 10);
  arc->Move(2, 15.7f, 2);
  EXPECT_EQ(arc->centre, (TPointF{805, 592}));
  ExpectEndsOnTheArc(*arc, EndIndex());
  EXPECT_FALSE(arc->InRect(790, 590, 820, 610));  // only the centre inside
  EXPECT_TRUE(arc->InRect(990, 560, 1020, 620));  // the arc crosses at 0 degrees
}

INSTANTIATE_TEST_SUITE_P(EveryArc, ArcShapes, ::testing::ValuesIn(ClassesBuiltOn<ArcObject>()),
                         [](const auto& info) { return info.param; });

using ArcElementTest = ObjectTest;

TEST_F(ArcElementTest, MirrorHitsItsArcThroughZeroDegreesItsAxisAndItsHandlesFirst) {
  auto mirror = ArcOf<ConcaveMirror>(&canvas, 100, 300, 60);
  auto at = [&](double angle, double distance) {
    const TPointF p = mirror->ArcPoint(angle, distance);
    return mirror->HitTest(int(std::lround(p.x)), int(std::lround(p.y)));
  };
  EXPECT_EQ(at(330, 100), 2);
  EXPECT_EQ(at(30, 103), 2);
  EXPECT_EQ(at(180, 100), 0);
  EXPECT_EQ(at(0, 130), 2);  // the axis points at 0 degrees
  EXPECT_EQ(at(60, 100), 1);
  EXPECT_EQ(mirror->selectedHandle, 1);
}

TEST_F(ArcElementTest, MirrorSheetStopsAtTheFirstBadValue) {
  auto concave = ArcOf<ConcaveMirror>(&canvas, 100, -60, 60);
  EXPECT_FALSE(Apply(*concave, {{"半径", "80"}, {"角度1", "360.5"}, {"角度2", "10"}}));
  EXPECT_EQ(fake->messages.messages, std::vector<std::string>{"角度1错误, 请输入0~360之间的值."});
  EXPECT_FLOAT_EQ(concave->radius, 80);
  EXPECT_FLOAT_EQ(concave->angle2, 60);
  // A word where the angle belongs: each mirror has its own text id.
  auto convex = ArcOf<ConvexityMirror>(&canvas, 100, 20, 80);
  EXPECT_FALSE(Apply(*convex, {{"角度2", "x"}}));
  EXPECT_EQ(fake->messages.messages,
            std::vector<std::string>{"角度2错误,不是有用的数值型,请输入一个数值."});
  EXPECT_TRUE(Apply(*convex, {{"角度1", "350"}, {"角度2", "30"}, {"圆心X", "12.9"}}));
  EXPECT_FLOAT_EQ(convex->sweep, 40);
  EXPECT_FLOAT_EQ(convex->centre.x, 12 + Settings().originX);
  ExpectEndsOnTheArc(*convex, 1);
  EXPECT_EQ(fake->sheet.Find("焦距")->value, "50");
}

// Typing f keeps the vertex (500, 300) and the axis; the arc keeps its
// half-width of 50 px across the axis until the circle is too small for it.
TEST_F(ArcElementTest, MirrorFocalLengthRowMovesTheCentreAlongTheAxis) {
  for (const auto& [f, halfWidth] : {std::pair{100.0f, 50.0f}, {20.0f, 40.0f}}) {
    auto mirror = ArcOf<ConcaveMirror>(&canvas, 100, 330, 30);
    ASSERT_TRUE(Apply(*mirror, {{"焦距", std::to_string(int(f))}}));
    EXPECT_FLOAT_EQ(mirror->radius, 2 * f);
    EXPECT_NEAR(mirror->centre.x, 500 - 2 * f, 1e-3);
    EXPECT_NEAR(mirror->centre.y, 300, 1e-3);
    EXPECT_NEAR(mirror->ArcPoint(0, mirror->radius).x, 500, 1e-3);
    const auto ends = mirror->ControlPointValues();
    EXPECT_NEAR(ends[0].y - ends[1].y, 2 * halfWidth, 0.01);
    ExpectEndsOnTheArc(*mirror, 1);
  }
}

TEST_F(ArcElementTest, ConcaveLensRefusesHalfACircleAndResetsItsAngles) {
  auto lens = ArcOf<Concave>(&canvas, 100, -60, 60);
  EXPECT_TRUE(Apply(*lens, {{"角度1", "300"}, {"角度2", "100"}}));
  EXPECT_FLOAT_EQ(lens->sweep, 160);
  EXPECT_FALSE(Apply(*lens, {{"角度2", "120"}}));
  EXPECT_EQ(fake->messages.messages,
            std::vector<std::string>{"两角度的差不能大于180,请入正确的角度1和角度2"});
  EXPECT_FLOAT_EQ(lens->angle1, -60);
  EXPECT_FLOAT_EQ(lens->angle2, 60);
  EXPECT_FALSE(Apply(*lens, {}));  // -60 is then outside 0..360
  EXPECT_EQ(fake->messages.messages, std::vector<std::string>{"角度1错误, 请输入0~360之间的值."});
}

TEST_F(ArcElementTest, ConcaveLensBackFollowsTheArcAtItsThicknessAndLoadsItsSweep) {
  auto lens = ArcOf<Concave>(&canvas, 100, -60, 60);
  // The back is parallel to the chord at radius + thickness from the centre.
  EXPECT_NEAR(lens->corners[1].x, 510, 1e-3);
  EXPECT_NEAR(lens->corners[2].x, 510, 1e-3);
  EXPECT_NEAR(lens->corners[1].y, lens->corners[0].y, 1e-3);
  lens->Zoom(400, 300, 2);
  EXPECT_FLOAT_EQ(lens->thickness, 10);
  lens->selectedHandle = 2;
  lens->Move(1, 640, 250);  // a back corner sets the thickness
  EXPECT_NEAR(lens->thickness, 40, 1e-3);
  EXPECT_NEAR(lens->corners[1].x, 640, 1e-3);
  lens->angle1 = 300;
  lens->angle2 = 80;
  lens->sweep = 0;  // stale: reading derives it from the angles
  ByteWriter out;
  lens->SaveToStream(out);
  ByteReader in(out.Data());
  in.ReadString();
  Concave loaded(&canvas);
  ASSERT_TRUE(loaded.LoadFromStream(in));
  EXPECT_FLOAT_EQ(loaded.sweep, 140);
}

// Parallel light at 20 px from the axis meets again near R/2 before a
// concave mirror and seems to come from R/2 behind a convex one.
TEST_F(ArcElementTest, CurvedMirrorsGatherAndSpreadParallelLightAtHalfTheRadius) {
  auto concave = ArcOf<ConcaveMirror>(&canvas, 200, 150, 210);  // vertex at x = 200
  const auto gathered = Trace(*concave, {-20, 20}, 180, 700);
  ASSERT_EQ(gathered.size(), 2u);
  for (const auto& piece : gathered) EXPECT_NEAR(AxisCrossing(piece), 300, 1.5);
  auto convex = ArcOf<ConvexityMirror>(&canvas, 200, -30, 30);  // vertex at x = 600
  const auto spread = Trace(*convex, {-20, 20}, 180, 900);
  ASSERT_EQ(spread.size(), 2u);
  for (const auto& piece : spread) {
    EXPECT_GT(piece.b.x, piece.a.x);  // sent back to the right
    EXPECT_NEAR(AxisCrossing(piece), 500, 1.5);
  }
}

// Glass of index 1.5 with a 200 px face: a plano-convex lens brings the beam
// to a focus about R / (n - 1) behind it; a plano-concave one spreads it.
TEST_F(ArcElementTest, RealLensesFocusAndSpreadABeam) {
  auto convex = ArcOf<Magnifier>(&canvas, 200, -40, 40);
  convex->refractiveIndex = 1.5f;
  const auto focused = Trace(*convex, {-10, 10}, 0, 100);
  ASSERT_EQ(focused.size(), 4u);  // inside the glass, then out of the arc
  for (std::size_t i : {2u, 3u}) {
    EXPECT_GT(focused[i].a.x, 590);
    EXPECT_NEAR(AxisCrossing(focused[i]), 1000, 15);
  }
  auto concave = ArcOf<Concave>(&canvas, 200, 140, 220);  // arc facing the light
  concave->refractiveIndex = 1.5f;
  const auto spread = Trace(*concave, {-10, 10}, 0, 100);
  ASSERT_EQ(spread.size(), 4u);
  EXPECT_LT(spread[2].b.y, spread[2].a.y);  // the upper ray leaves upwards
  EXPECT_GT(spread[3].b.y, spread[3].a.y);
  EXPECT_NEAR(AxisCrossing(spread[3]), 200 - 400, 15);  // a virtual focus in front
}

TEST_F(ArcElementTest, PointSourceBeforeAConcaveMirrorFormsARealImage) {
  Document doc(&canvas);
  doc.scene.push_back(ArcOf<ConcaveMirror>(&canvas, 200, 150, 210));
  auto source = std::make_unique<PointLampHouse>(&canvas);
  source->BeginCreate(500, 300);
  source->EndCreate(500, 300);
  source->record.objectName = "S";
  for (int i = 1; i <= 3; ++i) source->record.points[std::size_t(i)] = {440, 280.0f + 10 * i};
  doc.scene.push_back(std::move(source));
  RecordingTraceSink sink;
  doc.Trace(sink);
  const auto images = sink.Of(TraceItem::Image);
  ASSERT_FALSE(images.empty());
  // 1/v = 1/f - 1/u with f = 100 and u = 300 from the vertex at x = 200.
  EXPECT_NEAR(images[0].a.x, 350, 3);
  EXPECT_NEAR(images[0].a.y, 300, 3);
  EXPECT_TRUE(images[0].flag);
  EXPECT_EQ(images[0].text, "S'");
}

// The mirrors' hatching lies on their backs; the lenses are filled by merging
// and never while being placed (mode 1).
TEST_F(ArcElementTest, PaintingMarksTheBackAndFillsLensesOnlyWhenPlaced) {
  auto hatchReach = [&](ArcObject& mirror) {
    canvas.Clear();
    mirror.Draw(2);
    EXPECT_EQ(canvas.Count(RecordedOp::Line), 12u);  // the axis and 11 strokes
    EXPECT_EQ(canvas.Count(RecordedOp::Ellipse), 1u);
    EXPECT_EQ(canvas.Count(RecordedOp::Arc), 1u);
    const auto& stroke = canvas.ops[1].coords;  // a hatch stroke at angle 1
    return Distance(kCentre, {stroke[2], stroke[3]}) - Distance(kCentre, {stroke[0], stroke[1]});
  };
  EXPECT_NEAR(hatchReach(*ArcOf<ConcaveMirror>(&canvas, 100, -60, 60)), 15, 1.5);
  EXPECT_NEAR(hatchReach(*ArcOf<ConvexityMirror>(&canvas, 100, -60, 60)), -15, 1.5);
  for (bool fill : {false, true}) {
    auto lens = ArcOf<Magnifier>(&canvas, 100, -60, 60);
    lens->fillFlag = fill;
    canvas.Clear();
    lens->Draw(1);
    EXPECT_EQ(canvas.Count(RecordedOp::Polygon), 0u);
    canvas.Clear();
    lens->Draw(2);
    ASSERT_EQ(canvas.Count(RecordedOp::Polygon), fill ? 1u : 0u);
    if (fill) {
      EXPECT_EQ(canvas.ops.back().pen.mode, TPenMode::Merge);
    }
  }
}
