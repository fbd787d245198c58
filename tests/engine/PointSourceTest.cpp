// The point source and the luminous object: placing, painting, handles,
// moving, emission, property rows and their records.
#include <gtest/gtest.h>

#include <cstring>

#include "FakePropertySheet.h"
#include "ObjectRecord.h"
#include "ObjectTest.h"
#include "TestEnvironment.h"
#include "gfx/RecordingCanvas.h"
#include "objects/sources/PointLampHouse.h"
#include "objects/sources/RealObject.h"
#include "optics/PlaneMath.h"
#include "optics/RayGeometry.h"
#include "scene/ByteStream.h"

namespace {

std::int32_t Int32At(const std::vector<std::uint8_t>& b, std::size_t at) {
  std::int32_t v;
  std::memcpy(&v, b.data() + at, 4);
  return v;
}

float FloatAt(const std::vector<std::uint8_t>& b, std::size_t at) {
  float v;
  std::memcpy(&v, b.data() + at, 4);
  return v;
}

// Size of the class name record and the base record of an object that kept
// its class name in all three names.
std::size_t HeaderSize(const std::string& className) { return 4 * (4 + className.size()) + 31; }

std::vector<const RecordedOp*> Ops(const RecordingCanvas& c, RecordedOp::Kind kind) {
  std::vector<const RecordedOp*> out;
  for (const auto& op : c.ops)
    if (op.kind == kind) out.push_back(&op);
  return out;
}

class PointSourceTest : public ObjectTest {
 protected:
  // A point source placed by a click at (x, y), its first paint swallowed.
  std::unique_ptr<PointLampHouse> Place(int x, int y) {
    auto s = std::make_unique<PointLampHouse>(&canvas);
    s->BeginCreate(x, y);
    s->DragCreate(x + 40, y + 40);
    s->EndCreate(x, y);
    canvas.Clear();
    return s;
  }
};

using LuminousObjectTest = PointSourceTest;

}  // namespace

// ---- point source: construction and placing ----

TEST_F(PointSourceTest, PlacedByAClickDragDoesNothing) {
  PointLampHouse s(&canvas);
  s.BeginCreate(100, 200);
  EXPECT_EQ(canvas.Pen.mode, TPenMode::Xor);
  s.DragCreate(300, 50);
  EXPECT_TRUE(canvas.ops.empty());
  EXPECT_EQ(s.record.points[0], (TPointF{0, 0}));
  s.EndCreate(100, 200);
  EXPECT_EQ(s.record.points[0], (TPointF{100, 200}));
  EXPECT_EQ(s.record.points[1], (TPointF{160, 200}));
  EXPECT_EQ(s.record.points[2], (TPointF{160, 180}));
  EXPECT_EQ(s.record.points[3], (TPointF{160, 220}));
  EXPECT_FLOAT_EQ(s.record.ray.startX, 100);
  EXPECT_FLOAT_EQ(s.record.ray.throughY, 200);
  // The paint in EndCreate only clears the skip flag; the handles appear.
  EXPECT_EQ(s.skipNextPaint, 0);
  EXPECT_EQ(canvas.Count(RecordedOp::Line), 0u);
  EXPECT_EQ(canvas.Count(RecordedOp::Rectangle), 3u);
}

// ---- point source: painting ----

TEST_F(PointSourceTest, PaintsStubsHeadsDiscAndName) {
  auto s = Place(100, 200);
  s->Draw(2);
  const auto lines = Ops(canvas, RecordedOp::Line);
  ASSERT_EQ(lines.size(), 3u + 6u);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(lines[i]->coords[0], 100);
    EXPECT_EQ(lines[i]->coords[1], 200);
    EXPECT_EQ(lines[i]->coords[2], 160);
    EXPECT_EQ(lines[i]->pen.mode, TPenMode::Copy);
    EXPECT_EQ(lines[i]->pen.color, 0xFFu);
  }
  // Head strokes start at the aim points.
  EXPECT_EQ(lines[3]->coords[0], 160);
  EXPECT_EQ(lines[3]->coords[1], 200);
  const auto discs = Ops(canvas, RecordedOp::Ellipse);
  ASSERT_EQ(discs.size(), 1u);
  EXPECT_EQ(discs[0]->coords, (std::vector<float>{95, 195, 105, 205}));
  EXPECT_EQ(discs[0]->brush.color, 0xFFu);
  const auto texts = Ops(canvas, RecordedOp::Text);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0]->text, "S");
  EXPECT_EQ(texts[0]->coords, (std::vector<float>{107, 207}));
  EXPECT_EQ(texts[0]->font.name, "Arial");
  EXPECT_EQ(texts[0]->font.size, 8);
  EXPECT_EQ(texts[0]->brush.style, TBrushStyle::Clear);
}

TEST_F(PointSourceTest, HighQualityStrokesAreAntiAliasedAndTheDiscBlue) {
  auto s = Place(100, 200);
  Settings().highQuality = true;
  s->Draw(2);
  EXPECT_EQ(canvas.Count(RecordedOp::Line), 0u);
  const auto aa = Ops(canvas, RecordedOp::AaLine);
  ASSERT_EQ(aa.size(), 9u);
  EXPECT_EQ(aa[0]->aaPen.color, 0xFFu);
  EXPECT_FLOAT_EQ(aa[0]->aaPen.width, float(s->lineWidth));
  const auto discs = Ops(canvas, RecordedOp::Ellipse);
  ASSERT_EQ(discs.size(), 1u);
  EXPECT_EQ(discs[0]->brush.color, 0xFF0000u);
  EXPECT_EQ(Ops(canvas, RecordedOp::Text).size(), 1u);
  // The outline of mode 1 never goes through the high-quality layer.
  canvas.Clear();
  s->Draw(1);
  EXPECT_EQ(canvas.Count(RecordedOp::AaLine), 0u);
  EXPECT_EQ(canvas.Count(RecordedOp::Line), 9u);
}

TEST_F(PointSourceTest, HandlesAreACircleAndOneSquarePerAimPoint) {
  auto s = Place(100, 200);
  s->DrawHandles();
  const auto circles = Ops(canvas, RecordedOp::Ellipse);
  ASSERT_EQ(circles.size(), 1u);
  EXPECT_EQ(circles[0]->coords, (std::vector<float>{90, 190, 110, 210}));
  EXPECT_EQ(circles[0]->pen.width, 2);
  EXPECT_EQ(circles[0]->pen.color, 0xFF0000u);
  EXPECT_EQ(circles[0]->brush.style, TBrushStyle::Clear);
  const auto squares = Ops(canvas, RecordedOp::Rectangle);
  ASSERT_EQ(squares.size(), 3u);
  EXPECT_EQ(squares[0]->coords, (std::vector<float>{152, 192, 168, 208}));
}

// ---- point source: hit tests and moves ----

TEST_F(PointSourceTest, CentreGrabsTheSourceAloneRingAndRaysDragItAll) {
  auto s = Place(100, 200);
  EXPECT_EQ(s->HitTest(158, 182), 1);  // aim handles first
  EXPECT_EQ(s->selectedHandle, 2);
  EXPECT_EQ(s->HitTest(107, 200), 2);  // between 4 and 10 px
  EXPECT_EQ(s->HitTest(130, 210), 2);  // on a ray line
  EXPECT_EQ(s->HitTest(130, 205), 0);
  EXPECT_EQ(s->selectedHandle, -1);
  s->SetDragOrigin(130, 210);
  s->Move(2, 140, 205);
  EXPECT_EQ(s->record.points[0], (TPointF{110, 195}));
  EXPECT_EQ(s->record.points[3], (TPointF{170, 215}));
  EXPECT_EQ(s->HitTest(113, 195), 1);  // within 4 px of the centre
  EXPECT_EQ(s->selectedHandle, 0);
  s->Move(1, 50, 50);
  EXPECT_EQ(s->record.points[0], (TPointF{50, 50}));
  EXPECT_EQ(s->record.points[1], (TPointF{170, 195}));  // aim points stay
}

TEST_F(PointSourceTest, InRectByPointOrRayLine) {
  auto s = Place(100, 200);
  EXPECT_TRUE(s->InRect(90, 190, 95, 195) == false);
  EXPECT_TRUE(s->InRect(95, 195, 105, 205));
  EXPECT_TRUE(s->InRect(120, 150, 130, 250));  // crossed by the rays only
  EXPECT_FALSE(s->InRect(300, 300, 400, 400));
}

// ---- point source: emission ----

TEST_F(PointSourceTest, EmitsOneRayPerAimPointWithNameAndGroup) {
  auto s = Place(100, 200);
  s->record.ray.rayColour = 0xFF00;
  s->record.ray.indexFactor = 1.25f;
  const auto rays = s->GetBaseRays();
  ASSERT_EQ(rays.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_FLOAT_EQ(rays[i].startX, 100);
    EXPECT_FLOAT_EQ(rays[i].startY, 200);
    EXPECT_EQ((TPointF{rays[i].throughX, rays[i].throughY}), s->record.points[i + 1]);
    EXPECT_FLOAT_EQ(rays[i].direction,
                    DirectionAngle(s->record.points[0], s->record.points[i + 1]));
    EXPECT_EQ(rays[i].sourceKind, 1);
    EXPECT_EQ(rays[i].name, "S");
    EXPECT_EQ(rays[i].rayColour, 0xFF00u);
    EXPECT_FLOAT_EQ(rays[i].indexFactor, 1.25f);
    EXPECT_EQ(rays[i].emissionGroup, rays[0].emissionGroup);
  }
  EXPECT_NE(rays[0].emissionGroup, 0);
  // A ray straight to the right is horizontal: slope 0 through the source.
  EXPECT_EQ(rays[0].vertical, 0);
  EXPECT_FLOAT_EQ(rays[0].intercept, 200);
}

TEST_F(PointSourceTest, TwoSourcesInOnePassGetDifferentGroupsAndEveryTraceNewOnes) {
  auto a = Place(100, 200);
  auto b = Place(100, 400);
  const int ga = a->GetBaseRays()[0].emissionGroup;
  const int gb = b->GetBaseRays()[0].emissionGroup;
  EXPECT_NE(ga, gb);
  const int ga2 = a->GetBaseRays()[0].emissionGroup;
  EXPECT_NE(ga2, ga);
  EXPECT_NE(ga2, gb);
  // Shared with the luminous object: one counter for both.
  RealObject o(&canvas);
  const int go = o.GetBaseRays()[0].emissionGroup;
  EXPECT_NE(go, ga2);
  EXPECT_NE(go, ga);
}

// ---- point source: property rows ----

TEST_F(PointSourceTest, RowsInDisplayOrderWithStyles) {
  auto s = Place(100, 200);
  s->record.ray.indexFactor = 1.01f;
  EXPECT_EQ(s->ShowProperties(), 1);
  EXPECT_EQ(fake->sheet.caption, "点光源属性");
  ASSERT_EQ(fake->sheet.rows.size(), 6u);
  EXPECT_EQ(fake->sheet.rows[4].key, "光线");
  EXPECT_EQ(fake->sheet.rows[4].style, TEditStyle::PickList);
  EXPECT_EQ(fake->sheet.rows[5].key, "旋转角度");
  EXPECT_EQ(fake->sheet.rows[0].key, "颜色");
  EXPECT_EQ(fake->sheet.rows[0].value, "255");
  EXPECT_EQ(fake->sheet.rows[1].key, "发光颜色");
  EXPECT_EQ(fake->sheet.rows[2].key, "折射率倍");
  EXPECT_EQ(fake->sheet.rows[2].value, "1.01");  // the float as typed, not "1.0099"
  EXPECT_EQ(fake->sheet.rows[3].key, "物体名称");
  EXPECT_EQ(fake->sheet.rows[3].value, "S");
  for (int r : {0, 1}) {
    EXPECT_EQ(fake->sheet.rows[r].style, TEditStyle::Ellipsis);
    EXPECT_TRUE(fake->sheet.rows[r].readOnly);
  }
  EXPECT_FALSE(fake->sheet.rows[2].readOnly);
  EXPECT_EQ(fake->sheet.rows[3].style, TEditStyle::Ellipsis);
}

TEST_F(PointSourceTest, BlankNameBecomesSAndANewNameReachesLabelAndRays) {
  auto s = Place(100, 200);
  s->ShowProperties();
  fake->sheet.SetValue("物体名称", "   ");
  EXPECT_TRUE(s->ApplyProperties());
  EXPECT_EQ(s->record.objectName, "S");
  fake->sheet.SetValue("物体名称", "P1");
  EXPECT_TRUE(s->ApplyProperties());
  EXPECT_EQ(s->record.objectName, "P1");
  for (const auto& ray : s->GetBaseRays()) EXPECT_EQ(ray.name, "P1");
  s->Draw(2);
  const auto texts = Ops(canvas, RecordedOp::Text);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0]->text, "P1");
}

TEST_F(PointSourceTest, BadFactorIsReportedAfterNameAndColoursApplied) {
  auto s = Place(100, 200);
  s->ShowProperties();
  fake->sheet.SetValue("物体名称", "Q");
  fake->sheet.SetValue("颜色", "65280");
  fake->sheet.SetValue("发光颜色", "16711680");
  fake->sheet.SetValue("折射率倍", "abc");
  EXPECT_FALSE(s->ApplyProperties());
  ASSERT_EQ(fake->messages.messages.size(), 1u);
  EXPECT_EQ(fake->messages.messages[0], "折射率倍,不是有用的数值型,请输入一个数值型");
  EXPECT_EQ(s->record.objectName, "Q");
  EXPECT_EQ(s->color, 65280u);
  EXPECT_EQ(s->record.ray.rayColour, 16711680u);
  EXPECT_FLOAT_EQ(s->record.ray.indexFactor, 1.0f);
  fake->sheet.SetValue("折射率倍", "1.5");
  EXPECT_TRUE(s->ApplyProperties());
  EXPECT_FLOAT_EQ(s->record.ray.indexFactor, 1.5f);
}

// ---- point source: record ----

TEST_F(PointSourceTest, RecordLayoutFieldByField) {
  auto s = Place(100, 200);
  s->record.objectName = "P1";
  s->reserved[0] = 0xAB;
  const auto bytes = RecordBytes(*s);
  const std::size_t t = HeaderSize("PointLampHouse");
  ASSERT_EQ(bytes.size(), t + 80 + 4 + 4 + 1 + 88 + 4 + 2 + 40);
  EXPECT_FLOAT_EQ(FloatAt(bytes, t + 0), 100);           // template start x
  EXPECT_FLOAT_EQ(FloatAt(bytes, t + 12), 200);          // template through y
  EXPECT_EQ(Int32At(bytes, t + 40), 0xFF);               // ray colour
  EXPECT_EQ(Int32At(bytes, t + 48), 1);                  // source kind
  EXPECT_EQ(Int32At(bytes, t + 52), 0);                  // name reference
  EXPECT_EQ(Int32At(bytes, t + 80), 3);                  // ray count
  EXPECT_FLOAT_EQ(FloatAt(bytes, t + 84), 10.0f);        // spare value
  EXPECT_EQ(bytes[t + 88], 0);                           // skip flag, cleared by the first paint
  EXPECT_FLOAT_EQ(FloatAt(bytes, t + 89), 100);          // point 0
  EXPECT_FLOAT_EQ(FloatAt(bytes, t + 89 + 8 + 4), 200);  // point 1 y
  EXPECT_EQ(Int32At(bytes, t + 177), 2);
  EXPECT_EQ(bytes[t + 181], 'P');
  EXPECT_EQ(bytes[t + 183], 0xAB);  // reserved block at the end
}

TEST_F(PointSourceTest, RoundTripIsByteExact) {
  auto s = Place(100, 200);
  s->record.objectName = "光源";
  s->record.ray.indexFactor = 1.06f;
  s->record.spare = -3.5f;
  s->color = 0x123456;
  for (std::size_t i = 0; i < s->reserved.size(); ++i) s->reserved[i] = std::uint8_t(i * 7);
  const auto bytes = RecordBytes(*s);
  PointLampHouse back(&canvas);
  ASSERT_TRUE(LoadRecord(back, bytes));
  EXPECT_EQ(back.record.objectName, "光源");
  EXPECT_EQ(back.record.points[2], s->record.points[2]);
  EXPECT_EQ(back.color, 0x123456u);
  EXPECT_EQ(RecordBytes(back), bytes);
}

TEST_F(PointSourceTest, DamagedRayCountStaysInsideThePointTable) {
  auto s = Place(100, 200);
  auto bytes = RecordBytes(*s);
  const std::size_t at = HeaderSize("PointLampHouse") + 80;
  for (std::int32_t count : {2000000000, 11, -5, -2147483647 - 1}) {
    std::memcpy(bytes.data() + at, &count, 4);
    PointLampHouse back(&canvas);
    ASSERT_TRUE(LoadRecord(back, bytes));
    EXPECT_GE(back.record.rayCount, 0);
    EXPECT_LE(back.record.rayCount, 10);
    EXPECT_LE(back.GetBaseRays().size(), 10u);
    back.Draw(2);
    back.DrawHandles();
    back.HitTest(0, 0);
  }
}

TEST_F(PointSourceTest, AbsurdNameLengthFails) {
  auto s = Place(100, 200);
  auto bytes = RecordBytes(*s);
  const std::size_t at = HeaderSize("PointLampHouse") + 177;
  const std::int32_t length = 2000000000;
  std::memcpy(bytes.data() + at, &length, 4);
  PointLampHouse back(&canvas);
  EXPECT_FALSE(LoadRecord(back, bytes));
}

// ---- luminous object ----

namespace {
std::unique_ptr<RealObject> PlaceObject(TCanvas& canvas, int ax, int ay, int bx, int by) {
  auto o = std::make_unique<RealObject>(&canvas);
  o->BeginCreate(ax, ay);
  o->DragCreate(bx, by);
  o->EndCreate(bx, by);
  return o;
}
}  // namespace

TEST_F(LuminousObjectTest, DragPlacesBAndTheFourAimPoints) {
  RealObject o(&canvas);
  o.BeginCreate(100, 300);
  o.DragCreate(100, 250);
  // The first rubber-band erase is swallowed; the outline then appears in XOR.
  const auto lines = Ops(canvas, RecordedOp::Line);
  ASSERT_FALSE(lines.empty());
  for (const auto* l : lines) EXPECT_EQ(l->pen.mode, TPenMode::Xor);
  EXPECT_EQ(canvas.Count(RecordedOp::Text), 0u);  // labels only in a normal paint
  o.DragCreate(100, 200);
  o.EndCreate(100, 200);
  const auto& p = o.record.points;
  EXPECT_EQ(p[0], (TPointF{100, 300}));
  EXPECT_EQ(p[1], (TPointF{100, 200}));
  EXPECT_EQ(p[2], (TPointF{160, 290}));
  EXPECT_EQ(p[3], (TPointF{160, 310}));
  EXPECT_EQ(p[4], (TPointF{160, 190}));
  EXPECT_EQ(p[5], (TPointF{160, 210}));
  EXPECT_FLOAT_EQ(o.record.ray.throughY, 200);
}

TEST_F(LuminousObjectTest, PaintsAThickBodyArrowRaysAndLabels) {
  auto o = PlaceObject(canvas, 100, 300, 100, 200);
  canvas.Clear();
  o->Draw(2);
  const auto lines = Ops(canvas, RecordedOp::Line);
  ASSERT_EQ(lines.size(), 5u + 10u);
  EXPECT_EQ(lines[0]->coords, (std::vector<float>{100, 300, 100, 200}));
  EXPECT_EQ(lines[0]->pen.width, 3 * o->lineWidth);
  EXPECT_EQ(lines[1]->pen.width, o->lineWidth);
  // The body ends in an arrowhead at B: strokes from B towards the bottom.
  EXPECT_EQ(lines[5]->coords[0], 100);
  EXPECT_EQ(lines[5]->coords[1], 200);
  EXPECT_GT(lines[5]->coords[3], 200);
  const auto texts = Ops(canvas, RecordedOp::Text);
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0]->text, "A");
  EXPECT_EQ(texts[0]->coords, (std::vector<float>{107, 307}));
  EXPECT_EQ(texts[1]->text, "B");
  EXPECT_EQ(Ops(canvas, RecordedOp::Ellipse).size(), 1u);
}

TEST_F(LuminousObjectTest, HighQualityBodyIsThreeTimesTheLineWidth) {
  auto o = PlaceObject(canvas, 100, 300, 100, 200);
  canvas.Clear();
  Settings().highQuality = true;
  o->Draw(2);
  const auto aa = Ops(canvas, RecordedOp::AaLine);
  ASSERT_EQ(aa.size(), 15u);
  EXPECT_FLOAT_EQ(aa[0]->aaPen.width, 3.0f * o->lineWidth);
  EXPECT_FLOAT_EQ(aa[1]->aaPen.width, float(o->lineWidth));
  EXPECT_EQ(Ops(canvas, RecordedOp::Ellipse)[0]->brush.color, o->color);
  EXPECT_EQ(canvas.Count(RecordedOp::Text), 2u);
}

TEST_F(LuminousObjectTest, EmitsTwoRaysFromEachEnd) {
  auto o = PlaceObject(canvas, 100, 300, 100, 200);
  o->lineWidth = 3;
  o->record.ray.sourceKind = 1;  // a template from a file cannot change the kind
  const auto rays = o->GetBaseRays();
  ASSERT_EQ(rays.size(), 4u);
  const char* names[] = {"A", "A", "B", "B"};
  const int from[] = {0, 0, 1, 1};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(rays[i].name, names[i]);
    EXPECT_EQ((TPointF{rays[i].startX, rays[i].startY}), o->record.points[from[i]]);
    EXPECT_EQ((TPointF{rays[i].throughX, rays[i].throughY}), o->record.points[i + 2]);
    EXPECT_EQ(rays[i].sourceKind, 2);
    EXPECT_EQ(rays[i].sourceLineWidth, 3);
    EXPECT_EQ(rays[i].emissionGroup, rays[0].emissionGroup);
  }
  EXPECT_NE(o->GetBaseRays()[0].emissionGroup, rays[0].emissionGroup);
}

TEST_F(LuminousObjectTest, DraggingACarriesItsAimPoints) {
  auto o = PlaceObject(canvas, 100, 300, 100, 200);
  const float dirBefore = DirectionAngle(o->record.points[0], o->record.points[2]);
  EXPECT_EQ(o->HitTest(101, 301), 1);
  EXPECT_EQ(o->selectedHandle, 0);
  o->Move(1, 90, 340);
  const auto& p = o->record.points;
  EXPECT_EQ(p[0], (TPointF{90, 340}));
  EXPECT_EQ(p[2], (TPointF{150, 330}));
  EXPECT_EQ(p[3], (TPointF{150, 350}));
  EXPECT_EQ(p[4], (TPointF{160, 190}));  // B's rays stay
  EXPECT_FLOAT_EQ(DirectionAngle(p[0], p[2]), dirBefore);
}

TEST_F(LuminousObjectTest, DraggingBCarriesItsAimPointsAndAnAimPointMovesAlone) {
  auto o = PlaceObject(canvas, 100, 300, 100, 200);
  EXPECT_EQ(o->HitTest(100, 202), 1);
  EXPECT_EQ(o->selectedHandle, 1);
  o->Move(1, 100, 150);
  EXPECT_EQ(o->record.points[4], (TPointF{160, 140}));
  EXPECT_EQ(o->record.points[5], (TPointF{160, 160}));
  EXPECT_EQ(o->record.points[2], (TPointF{160, 290}));
  EXPECT_EQ(o->HitTest(160, 291), 1);
  EXPECT_EQ(o->selectedHandle, 2);
  o->Move(1, 200, 200);
  EXPECT_EQ(o->record.points[2], (TPointF{200, 200}));
  EXPECT_EQ(o->record.points[0], (TPointF{100, 300}));
  EXPECT_EQ(o->record.points[3], (TPointF{160, 310}));
}

TEST_F(LuminousObjectTest, HitOrderHandlesThenCentreThenRays) {
  auto o = PlaceObject(canvas, 100, 300, 100, 200);
  EXPECT_EQ(o->HitTest(106, 300), 2);  // ring around A
  EXPECT_EQ(o->selectedHandle, 0);
  EXPECT_EQ(o->HitTest(100, 250), 2);  // on the body
  EXPECT_EQ(o->HitTest(130, 295), 2);  // on a ray from A
  EXPECT_EQ(o->HitTest(300, 300), 0);
  EXPECT_EQ(o->selectedHandle, -1);
}

TEST_F(LuminousObjectTest, RowsAndFactorMessage) {
  auto o = PlaceObject(canvas, 100, 300, 100, 200);
  o->ShowProperties();
  EXPECT_EQ(fake->sheet.caption, "物体属性");
  ASSERT_EQ(fake->sheet.rows.size(), 5u);
  EXPECT_EQ(fake->sheet.rows[3].key, "光线");
  EXPECT_EQ(fake->sheet.rows[4].key, "旋转角度");
  EXPECT_EQ(fake->sheet.rows[0].key, "颜色");
  EXPECT_EQ(fake->sheet.rows[1].key, "发光颜色");
  EXPECT_EQ(fake->sheet.rows[2].key, "折射率倍");
  EXPECT_EQ(fake->sheet.rows[2].value, "1");
  EXPECT_TRUE(fake->sheet.rows[1].readOnly);
  fake->sheet.SetValue("发光颜色", "65535");
  fake->sheet.SetValue("折射率倍", "1,5");
  EXPECT_FALSE(o->ApplyProperties());
  EXPECT_EQ(o->record.ray.rayColour, 65535u);
  ASSERT_EQ(fake->messages.messages.size(), 1u);
  EXPECT_EQ(fake->messages.messages[0], "折射率倍,不是有用的数值型,请输入一个数值型");
}

TEST_F(LuminousObjectTest, RecordLayout) {
  auto o = PlaceObject(canvas, 100, 300, 100, 200);
  o->record.spare = 2.5f;
  const auto bytes = RecordBytes(*o);
  ASSERT_EQ(bytes.size(), HeaderSize("RealObject") + 80 + 4 + 4 + 1 + 88 + 4 + 1 + 40);
  EXPECT_EQ(Int32At(bytes, HeaderSize("RealObject") + 48), 2);
  EXPECT_EQ(Int32At(bytes, HeaderSize("RealObject") + 80), 4);
  EXPECT_FLOAT_EQ(FloatAt(bytes, HeaderSize("RealObject") + 84), 2.5f);
}
