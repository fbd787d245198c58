// Triangular and rectangular media: drawing, handles, placing, moving, faces,
// property rows and file records.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <map>
#include <random>

#include "FakePropertySheet.h"
#include "ObjectRecord.h"
#include "TestEnvironment.h"
#include "TraceBuilders.h"
#include "gfx/RecordingCanvas.h"
#include "objects/elements/FourPrism.h"
#include "objects/elements/ThreePrism.h"
#include "optics/SelectionGeometry.h"
#include "scene/ByteStream.h"

namespace {

using PrismTest = EngineTest;
using Rows = std::vector<std::pair<std::string, std::string>>;
using Bytes = std::vector<std::uint8_t>;

void ExpectAxisParallel(const FourPrism& p) {
  EXPECT_EQ(p.vertices[1], (TPointF{p.vertices[2].x, p.vertices[0].y}));
  EXPECT_EQ(p.vertices[3], (TPointF{p.vertices[0].x, p.vertices[2].y}));
}

std::vector<RecordedOp> OpsOf(const RecordingCanvas& c, RecordedOp::Kind kind) {
  std::vector<RecordedOp> out;
  for (const auto& op : c.ops)
    if (op.kind == kind) out.push_back(op);
  return out;
}

ThreePrism MakeTriangle(RecordingCanvas& canvas) {
  ThreePrism t(&canvas);
  t.vertices = {TPointF{300, 100}, TPointF{400, 300}, TPointF{200, 300}};
  return t;
}

FourPrism MakeSlab(RecordingCanvas& canvas) {
  FourPrism f(&canvas);
  f.SetRectangle({200, 200}, {400, 300});
  return f;
}

void ExpectRows(const FakePropertySheet& sheet, const Rows& expected) {
  ASSERT_EQ(sheet.rows.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(sheet.rows[i].key, expected[i].first);
    EXPECT_EQ(sheet.rows[i].value, expected[i].second);
  }
}

// Shows the rows, types the given values and applies them.
bool Apply(FakeUi& ui, DrawObjectUnit& object, const std::map<std::string, std::string>& typed) {
  object.ShowProperties();
  for (const auto& [key, value] : typed) ui.sheet.SetValue(key, value);
  return object.ApplyProperties();
}

// Size of the class name and base records that open an object's record.
std::size_t HeadSize(const DrawObjectUnit& object) {
  ByteWriter head;
  object.SaveClassName(head);
  object.SaveBaseFields(head);
  return head.Size();
}

float FloatAt(const Bytes& bytes, std::size_t offset) {
  float v;
  std::memcpy(&v, bytes.data() + offset, 4);
  return v;
}

}  // namespace

// ---- construction and drawing ----------------------------------------------

TEST_F(PrismTest, ConstructorDefaults) {
  RecordingCanvas canvas;
  ThreePrism t(&canvas);
  FourPrism f(&canvas);
  EXPECT_EQ(t.className, "ThreePrism");
  EXPECT_EQ(f.className, "FourPrism");
  EXPECT_EQ(t.pointCount, 3);
  EXPECT_EQ(f.pointCount, 4);
  for (DrawObjectUnit* o : {static_cast<DrawObjectUnit*>(&t), static_cast<DrawObjectUnit*>(&f)}) {
    EXPECT_EQ(o->color, 0xFFFF80u);
    EXPECT_EQ(o->fillColor, 0xFFDAC4u);
    EXPECT_EQ(o->fillFlag, 1);
  }
  EXPECT_EQ(t.refractiveIndex, 1.3f);
  EXPECT_EQ(f.refractiveIndex, 1.3f);
  EXPECT_EQ(t.skipNextPaint + f.skipNextPaint, 2);
}

TEST_F(PrismTest, NormalPaintOutlinesThenMergeFillsRubberBandDoesNotFill) {
  RecordingCanvas canvas;
  FourPrism f = MakeSlab(canvas);
  f.lineWidth = 3;
  f.skipNextPaint = 0;
  f.Draw(2);
  const auto lines = OpsOf(canvas, RecordedOp::Line);
  ASSERT_EQ(lines.size(), 4u);  // closed outline
  for (const auto& l : lines) {
    EXPECT_EQ(l.pen.mode, TPenMode::Copy);
    EXPECT_EQ(l.pen.color, f.color);
    EXPECT_EQ(l.pen.width, 3);
  }
  EXPECT_EQ(lines.back().coords, (std::vector<float>{200, 300, 200, 200}));
  ASSERT_EQ(canvas.ops.back().kind, RecordedOp::Polygon);  // the fill comes last
  const RecordedOp& fill = canvas.ops.back();
  EXPECT_EQ(fill.pen.mode, TPenMode::Merge);
  EXPECT_EQ(fill.pen.style, TPenStyle::Clear);
  EXPECT_EQ(fill.brush.color, f.fillColor);

  canvas.Clear();
  f.Draw(1);
  EXPECT_EQ(canvas.Count(RecordedOp::Polygon), 0u);
  ASSERT_EQ(canvas.Count(RecordedOp::Line), 4u);
  EXPECT_EQ(canvas.ops[0].pen.mode, TPenMode::Xor);
  EXPECT_EQ(canvas.ops[0].pen.color, f.xorColor);

  canvas.Clear();
  f.fillFlag = 0;
  f.Draw(2);
  EXPECT_EQ(canvas.Count(RecordedOp::Polygon), 0u);
}

TEST_F(PrismTest, HighQualityOutlineOfTheTriangleOnlyInNormalPaint) {
  Settings().highQuality = true;
  RecordingCanvas canvas;
  ThreePrism t = MakeTriangle(canvas);
  t.skipNextPaint = 0;
  t.lineWidth = 4;
  t.Draw(2);
  EXPECT_EQ(canvas.Count(RecordedOp::Line), 0u);
  const auto aa = OpsOf(canvas, RecordedOp::AaPolyline);
  ASSERT_EQ(aa.size(), 1u);
  EXPECT_EQ(aa[0].coords.size(), 8u);  // three corners and the first again
  EXPECT_EQ(aa[0].aaPen.color, t.color);
  EXPECT_FLOAT_EQ(aa[0].aaPen.width, 4.0f);
  EXPECT_EQ(canvas.Count(RecordedOp::AaFillPolygon), 0u);  // outline only
  EXPECT_EQ(canvas.Count(RecordedOp::Polygon), 1u);        // the merge fill stays plain

  canvas.Clear();
  t.Draw(1);
  EXPECT_EQ(canvas.Count(RecordedOp::AaPolyline), 0u);
  canvas.Clear();
  FourPrism f = MakeSlab(canvas);  // the rectangle keeps the plain outline
  f.skipNextPaint = 0;
  f.Draw(2);
  EXPECT_EQ(canvas.Count(RecordedOp::AaPolyline), 0u);
}

// ---- hit test and rectangle selection --------------------------------------

TEST_F(PrismTest, HitTestBodyHandleAndMiss) {
  RecordingCanvas canvas;
  ThreePrism t = MakeTriangle(canvas);
  t.selectedHandle = 2;
  EXPECT_EQ(t.HitTest(300, 250), 2);
  EXPECT_EQ(t.selectedHandle, -1);
  EXPECT_EQ(t.HitTest(220, 150), 0);  // beside the slanted face, inside the bounding box
  // A handle beats the body, also from inside the triangle.
  EXPECT_EQ(t.HitTest(395, 296), 1);
  EXPECT_EQ(t.selectedHandle, 1);
  // Strictly less than half the handle size.
  EXPECT_EQ(t.HitTest(300 + 8, 100), 0);
  EXPECT_EQ(t.HitTest(300 + 7, 100), 1);
  EXPECT_EQ(t.selectedHandle, 0);
  // Overlapping handles: the first vertex wins.
  FourPrism f(&canvas);
  f.SetRectangle({100, 100}, {104, 104});
  EXPECT_EQ(f.HitTest(103, 103), 1);
  EXPECT_EQ(f.selectedHandle, 0);
}

TEST_F(PrismTest, InRectMeetsThePolygonArea) {
  RecordingCanvas canvas;
  ThreePrism t = MakeTriangle(canvas);
  EXPECT_TRUE(t.InRect(290, 240, 310, 260));   // wholly inside: no corner, no crossing
  EXPECT_TRUE(t.InRect(310, 260, 290, 240));   // corners in any order
  EXPECT_TRUE(t.InRect(0, 0, 1000, 1000));     // wholly around
  EXPECT_FALSE(t.InRect(200, 100, 230, 160));  // in the bounding box only
  FourPrism f = MakeSlab(canvas);
  EXPECT_TRUE(f.InRect(390.7f, 290.2f, 450, 350));
  EXPECT_FALSE(f.InRect(401, 301, 450, 350));
  // Left and top edges belong to the medium, right and bottom ones do not.
  EXPECT_EQ(f.HitTest(200, 250), 2);
  EXPECT_EQ(f.HitTest(300, 200), 2);
  EXPECT_EQ(f.HitTest(400, 250), 0);
  EXPECT_EQ(f.HitTest(300, 300), 0);
}

TEST_F(PrismTest, HugeTriangleIsHitAndSelectedAnywhere) {
  RecordingCanvas canvas;
  ThreePrism t(&canvas);
  t.vertices = {TPointF{500, -100000}, TPointF{1000, 100000}, TPointF{0, 100000}};
  EXPECT_EQ(t.HitTest(500, -99000), 2);
  EXPECT_EQ(t.HitTest(500, 99990), 2);
  EXPECT_EQ(t.HitTest(2, 99990), 2);
  EXPECT_EQ(t.HitTest(10, 0), 0);  // beside the slanted face, at mid height
  EXPECT_EQ(t.HitTest(500, 100001), 0);
  EXPECT_TRUE(t.InRect(400, 0, 600, 20));  // wholly inside
  EXPECT_FALSE(t.InRect(0, 0, 240, 20));   // left of the face at that height
  EXPECT_TRUE(t.InRect(0, 0, 260, 20));    // reaches across it
  EXPECT_TRUE(t.InRect(-5e5f, -5e5f, 5e5f, 5e5f));
}

// ---- placing, moving, copying ----------------------------------------------

TEST_F(PrismTest, PlacingTheTriangleMakesItIsosceles) {
  RecordingCanvas canvas;
  ThreePrism t(&canvas);
  t.BeginCreate(300, 100);
  t.DragCreate(340, 180);
  // The swallowed first erase drew nothing, the new rubber band is XOR.
  ASSERT_EQ(canvas.Count(RecordedOp::Line), 3u);
  EXPECT_EQ(canvas.ops[0].pen.mode, TPenMode::Xor);
  t.DragCreate(360, 220);
  EXPECT_EQ(canvas.Count(RecordedOp::Line), 9u);  // erase and redraw
  t.EndCreate(380, 250);
  EXPECT_EQ(t.vertices[0], (TPointF{300, 100}));
  EXPECT_EQ(t.vertices[1], (TPointF{380, 250}));
  EXPECT_EQ(t.vertices[2], (TPointF{220, 250}));
  EXPECT_EQ(canvas.Count(RecordedOp::Rectangle), 3u);
}

TEST_F(PrismTest, RectangleStaysAxisParallelWhenAnyCornerIsDragged) {
  RecordingCanvas canvas;
  std::mt19937 random(7);
  std::uniform_int_distribution<int> coord(-50, 600);
  for (int handle = 0; handle < 4; ++handle) {
    FourPrism f = MakeSlab(canvas);
    const TPointF opposite = f.vertices[(handle + 2) % 4];
    f.HitTest(Trunc(f.vertices[handle].x), Trunc(f.vertices[handle].y));
    ASSERT_EQ(f.selectedHandle, handle);
    for (int step = 0; step < 25; ++step) {
      const int x = coord(random), y = coord(random);
      f.Move(1, x, y);
      EXPECT_EQ(f.vertices[handle], (TPointF{float(x), float(y)}));
      EXPECT_EQ(f.vertices[(handle + 2) % 4], opposite);
      ExpectAxisParallel(f);
    }
  }
}

// ---- faces handed to the tracer --------------------------------------------

TEST_F(PrismTest, FacesHaveTheMediumOnTheirLeft) {
  RecordingCanvas canvas;
  const std::vector<std::vector<TPointF>> shapes = {
      {{300, 100}, {400, 300}, {200, 300}},
      {{300, 100}, {200, 300}, {400, 300}},  // the other winding
      {{300, 400}, {350, 250}, {250, 250}},  // apex below the base
      {{200, 200}, {400, 200}, {400, 300}, {200, 300}},
      {{400, 300}, {200, 300}, {200, 200}, {400, 200}},  // dragged up and left
  };
  for (const auto& v : shapes) {
    std::unique_ptr<DrawObjectUnit> object;
    if (v.size() == 3) {
      auto t = std::make_unique<ThreePrism>(&canvas);
      std::copy(v.begin(), v.end(), t->vertices.begin());
      t->refractiveIndex = 1.45f;
      object = std::move(t);
    } else {
      auto f = std::make_unique<FourPrism>(&canvas);
      f->SetRectangle(v[0], v[2]);
      f->refractiveIndex = 1.45f;
      object = std::move(f);
    }
    const auto faces = object->GetSurfaces();
    ASSERT_EQ(faces.size(), v.size());
    for (std::size_t i = 0; i < faces.size(); ++i) {
      const auto& face = faces[i];
      EXPECT_EQ(face.kind, kSurfaceRefract);
      EXPECT_EQ(face.shape, kShapeSegment);
      EXPECT_EQ(face.refractiveIndex, 1.45f);
      // Edges i -> i+1, the last from vertex 0 to the last vertex, either way round.
      const TPointF a = i + 1 < v.size() ? v[i] : v[0];
      const TPointF b = i + 1 < v.size() ? v[i + 1] : v.back();
      const TPointF p1{face.x1, face.y1}, p2{face.x2, face.y2};
      EXPECT_TRUE((p1 == a && p2 == b) || (p1 == b && p2 == a)) << "face " << i;
      EXPECT_FLOAT_EQ(face.direction, DirectionAngle(p1, p2));
      // Left of the direction (toward direction + 90) lies inside.
      const TPointF left = PointAt(Midpoint(p1, p2), face.direction + 90, 3);
      EXPECT_TRUE(PointInPolygon(left.x, left.y, v)) << "face " << i;
    }
  }
}

TEST_F(PrismTest, RayFromOutsideEntersAndFromInsideLeaves) {
  RecordingCanvas canvas;
  FourPrism f = MakeSlab(canvas);
  ThreePrism t = MakeTriangle(canvas);
  for (auto [object, centre] : {std::pair<DrawObjectUnit*, TPointF>{&f, {300, 250}},
                                std::pair<DrawObjectUnit*, TPointF>{&t, {300, 233}}}) {
    for (const auto& face : object->GetSurfaces()) {
      const TPointF mid = Midpoint({face.x1, face.y1}, {face.x2, face.y2});
      const double inward = DirectionAngle(mid, centre);
      TPointF hit;
      EXPECT_EQ(IntersectRay(RayAt(PointAt(mid, inward, -50), inward, 10), face, hit), 1);
      EXPECT_EQ(IntersectRay(RayAt(centre, inward + 180), face, hit), 2);
    }
  }
}

// ---- property rows ---------------------------------------------------------

TEST_F(PrismTest, TriangleRows) {
  FakeUi ui;
  ui.sheet.modalResult = 2;
  RecordingCanvas canvas;
  ThreePrism t = MakeTriangle(canvas);
  t.vertices[0].x = 300.9f;  // truncated before conversion
  EXPECT_EQ(t.ShowProperties(), 2);
  EXPECT_EQ(ui.sheet.caption, "三角介质属性");
  ExpectRows(ui.sheet, {{"X1", "280"},
                        {"Y1", "200"},
                        {"X2", "380"},
                        {"Y2", "0"},
                        {"X3", "180"},
                        {"Y3", "0"},
                        {"是否填充", "是"},
                        {"填充颜色", "16767684"},
                        {"颜色", "16777088"},
                        {"折射率", "1.3"},
                        {"旋转角度", "296.4"}});
  EXPECT_EQ(ui.sheet.rows[6].style, TEditStyle::PickList);
  EXPECT_EQ(ui.sheet.rows[6].pickList, (std::vector<std::string>{"是", "否"}));
  EXPECT_TRUE(ui.sheet.rows[6].readOnly);
  for (int row : {7, 8}) {
    EXPECT_EQ(ui.sheet.rows[row].style, TEditStyle::Ellipsis);
    EXPECT_TRUE(ui.sheet.rows[row].readOnly);
  }
  for (int row : {0, 5, 9}) EXPECT_FALSE(ui.sheet.rows[row].readOnly);
}

TEST_F(PrismTest, RectangleRowsShowTheNormalisedSizeAndRebuildRightAndDown) {
  FakeUi ui;
  RecordingCanvas canvas;
  FourPrism f(&canvas);
  f.BeginCreate(300, 300);
  f.EndCreate(200, 220);  // up and left of the first corner
  f.ShowProperties();
  EXPECT_EQ(ui.sheet.caption, "方形介质属性");
  ExpectRows(ui.sheet, {{"X1", "280"},
                        {"Y1", "0"},
                        {"宽度", "100"},
                        {"高度", "80"},
                        {"是否填充", "是"},
                        {"填充颜色", "16767684"},
                        {"颜色", "16777088"},
                        {"折射率", "1.3"},
                        {"中心X", "230"},
                        {"中心Y", "40"}});
  EXPECT_EQ(ui.sheet.rows[4].style, TEditStyle::PickList);
  EXPECT_EQ(ui.sheet.rows[6].style, TEditStyle::Ellipsis);
  EXPECT_TRUE(f.ApplyProperties());
  EXPECT_EQ(f.vertices[0], (TPointF{300, 300}));
  EXPECT_EQ(f.vertices[2], (TPointF{400, 380}));
  ExpectAxisParallel(f);

  EXPECT_TRUE(Apply(ui, f, {{"X1", "100"}, {"Y1", "50"}, {"宽度", "40"}, {"高度", "30"}}));
  EXPECT_EQ(f.vertices[0], (TPointF{120, 250}));
  EXPECT_EQ(f.vertices[2], (TPointF{160, 280}));
  ExpectAxisParallel(f);
  EXPECT_TRUE(ui.messages.messages.empty());
}

TEST_F(PrismTest, IndexRowKeepsTheShownDigitsAcceptsOneRefusesLess) {
  FakeUi ui;
  RecordingCanvas canvas;
  ThreePrism t = MakeTriangle(canvas);
  EXPECT_TRUE(Apply(ui, t, {}));  // applied unchanged: the shown text is the same float
  EXPECT_EQ(t.refractiveIndex, 1.3f);
  EXPECT_TRUE(Apply(ui, t, {{"折射率", "1"}}));
  EXPECT_EQ(t.refractiveIndex, 1.0f);
  for (const char* bad : {"0.99", "0.99999999999", "-2"}) {
    ui.messages.messages.clear();
    t.refractiveIndex = 1.5f;
    EXPECT_FALSE(Apply(ui, t, {{"折射率", bad}})) << bad;
    EXPECT_EQ(t.refractiveIndex, 1.5f) << bad;
    EXPECT_EQ(ui.messages.messages, (std::vector<std::string>{"折射率不能小于1"})) << bad;
  }
  FourPrism f = MakeSlab(canvas);
  for (const char* bad : {"abc", "", "1,5", "1e999", "nan"}) {
    ui.messages.messages.clear();
    EXPECT_FALSE(Apply(ui, f, {{"折射率", bad}})) << bad;
    EXPECT_EQ(f.refractiveIndex, 1.3f) << bad;
    EXPECT_EQ(ui.messages.messages,
              (std::vector<std::string>{"折射率,不是有用的浮点型,请输入一个浮点数."}))
        << bad;
  }
}

TEST_F(PrismTest, TriangleBadCoordinateStopsTheVerticesButNotTheIndex) {
  FakeUi ui;
  RecordingCanvas canvas;
  ThreePrism t = MakeTriangle(canvas);
  EXPECT_FALSE(Apply(ui, t,
                     {{"X2", "400"},  // canvas x 420
                      {"Y2", "2.5"},
                      {"X3", "0"},
                      {"折射率", "1.6"},
                      {"是否填充", " 否 "},
                      {"颜色", "255"}}));
  EXPECT_EQ(t.vertices[1], (TPointF{420, 300}));
  EXPECT_EQ(t.vertices[2], (TPointF{200, 300}));
  EXPECT_EQ(t.refractiveIndex, 1.6f);
  EXPECT_EQ(t.fillFlag, 0);
  EXPECT_EQ(t.color, 255u);
  EXPECT_EQ(ui.messages.messages,
            (std::vector<std::string>{"Y2=2.5,不是有用的整数,请输入一个整数."}));

  ui.messages.messages.clear();
  EXPECT_FALSE(Apply(ui, t, {{"X1", "x"}, {"X2", "1"}, {"折射率", "0.5"}}));
  EXPECT_EQ(t.vertices[1], (TPointF{420, 300}));
  EXPECT_EQ(ui.messages.messages,
            (std::vector<std::string>{"X1=x,不是有用的整数,请输入一个整数.", "折射率不能小于1"}));
}

TEST_F(PrismTest, RectangleStopsAtTheFirstBadRowAndStaysARectangle) {
  const Rows cases = {
      {"X1", "X1,不是有用的数值型,请输入一个数值型."},
      {"Y1", "Y1,不是有用的数值型,请输入一个数值型."},
      {"高度", "高度,不是有用的数值型,请输入一个数值型."},
      {"宽度", "宽度,不是有用的数值型,请输入一个数值型."},
  };
  for (const auto& [key, message] : cases) {
    FakeUi ui;
    RecordingCanvas canvas;
    FourPrism f = MakeSlab(canvas);
    std::map<std::string, std::string> typed = {{"X1", "0"}, {"Y1", "0"}, {"折射率", "0.2"}};
    typed[key] = "1.5";
    EXPECT_FALSE(Apply(ui, f, typed)) << key;
    EXPECT_EQ(ui.messages.messages, (std::vector<std::string>{message})) << key;
    EXPECT_EQ(f.vertices[0], (TPointF{200, 200})) << key;
    EXPECT_EQ(f.vertices[2], (TPointF{400, 300})) << key;
    ExpectAxisParallel(f);
  }
  FakeUi ui;  // height is read before width
  RecordingCanvas canvas;
  FourPrism f = MakeSlab(canvas);
  EXPECT_FALSE(Apply(ui, f, {{"宽度", "w"}, {"高度", "h"}}));
  EXPECT_EQ(ui.messages.messages,
            (std::vector<std::string>{"高度,不是有用的数值型,请输入一个数值型."}));
}

// ---- file records ----------------------------------------------------------

TEST_F(PrismTest, RecordLayoutIsByteExact) {
  RecordingCanvas canvas;
  ThreePrism t = MakeTriangle(canvas);
  t.refractiveIndex = 1.5f;
  t.skipNextPaint = 0;
  for (std::size_t i = 0; i < t.reserved.size(); ++i) t.reserved[i] = std::uint8_t(i + 1);
  const Bytes bytes = RecordBytes(t);
  const std::size_t base = HeadSize(t);
  ASSERT_EQ(bytes.size(), base + 24 + 4 + 1 + 40);
  EXPECT_EQ(FloatAt(bytes, base + 4), 100.0f);   // vertex 0 y
  EXPECT_EQ(FloatAt(bytes, base + 16), 200.0f);  // vertex 2 x
  EXPECT_EQ(FloatAt(bytes, base + 24), 1.5f);
  EXPECT_EQ(bytes[base + 28], 0);
  EXPECT_EQ(bytes[base + 29], 1);
  EXPECT_EQ(bytes.back(), 40);

  FourPrism f = MakeSlab(canvas);
  const Bytes fb = RecordBytes(f);
  const std::size_t fbase = HeadSize(f);
  ASSERT_EQ(fb.size(), fbase + 32 + 4 + 1 + 40);
  EXPECT_EQ(FloatAt(fb, fbase + 8), 400.0f);   // vertex 1 x
  EXPECT_EQ(FloatAt(fb, fbase + 28), 300.0f);  // vertex 3 y
  EXPECT_EQ(FloatAt(fb, fbase + 32), 1.3f);
  EXPECT_EQ(fb[fbase + 36], 1);  // never drawn
}

TEST_F(PrismTest, RecordWithUnusableNumbersIsRefusedAndLeavesTheObject) {
  RecordingCanvas canvas;
  ThreePrism t = MakeTriangle(canvas);
  const Bytes good = RecordBytes(t);
  const std::size_t base = HeadSize(t);
  for (std::size_t offset : {base + 0, base + 20, base + 24}) {
    for (float value : {NAN, INFINITY, 3e9f}) {
      if (offset == base + 24 && value == 3e9f) continue;  // a large index is still a number
      Bytes bytes = good;
      std::memcpy(bytes.data() + offset, &value, 4);
      ThreePrism target(&canvas);
      EXPECT_FALSE(LoadRecord(target, bytes)) << offset << " " << value;
      EXPECT_EQ(target.vertices[0], (TPointF{0, 0}));
      EXPECT_EQ(target.refractiveIndex, 1.3f);
    }
  }
}
