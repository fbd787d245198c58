// Triangular and rectangular media: drawing, handles, placing, moving, faces,
// property rows and file records.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>

#include "FakePropertySheet.h"
#include "TestEnvironment.h"
#include "gfx/RecordingCanvas.h"
#include "objects/ObjectFactory.h"
#include "objects/elements/FourPrism.h"
#include "objects/elements/ThreePrism.h"
#include "optics/Geometry.h"
#include "scene/ByteStream.h"

namespace {

using PrismTest = EngineTest;

void ExpectAxisParallel(const FourPrism& p) {
  EXPECT_EQ(p.vertices[1].x, p.vertices[2].x);
  EXPECT_EQ(p.vertices[1].y, p.vertices[0].y);
  EXPECT_EQ(p.vertices[3].x, p.vertices[0].x);
  EXPECT_EQ(p.vertices[3].y, p.vertices[2].y);
}

// Every recorded op of one kind.
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

std::vector<std::uint8_t> Save(DrawObjectUnit& object) {
  ByteWriter out;
  EXPECT_TRUE(object.SaveToStream(out));
  return out.Data();
}

// Reader positioned after the class name record, as the file loader leaves it.
ByteReader AfterClassName(const std::vector<std::uint8_t>& bytes) {
  ByteReader in(bytes);
  in.ReadString();
  return in;
}

float FloatAt(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
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
    EXPECT_EQ(o->xorColor, 0xFFu);
  }
  EXPECT_EQ(t.refractiveIndex, 1.3f);
  EXPECT_EQ(f.refractiveIndex, 1.3f);
  EXPECT_EQ(t.firstPaint, 1);
  EXPECT_EQ(f.firstPaint, 1);
}

TEST_F(PrismTest, FirstDrawOnlyClearsTheFlag) {
  RecordingCanvas canvas;
  ThreePrism t = MakeTriangle(canvas);
  t.Draw(2);
  EXPECT_TRUE(canvas.ops.empty());
  EXPECT_EQ(t.firstPaint, 0);
  t.Draw(2);
  EXPECT_FALSE(canvas.ops.empty());
}

TEST_F(PrismTest, NormalPaintOutlinesThenMergeFills) {
  RecordingCanvas canvas;
  FourPrism f = MakeSlab(canvas);
  f.lineWidth = 3;
  f.firstPaint = 0;
  f.Draw(2);
  const auto lines = OpsOf(canvas, RecordedOp::Line);
  ASSERT_EQ(lines.size(), 4u);  // closed outline
  for (const auto& l : lines) {
    EXPECT_EQ(l.pen.mode, TPenMode::Copy);
    EXPECT_EQ(l.pen.color, f.color);
    EXPECT_EQ(l.pen.width, 3);
    EXPECT_EQ(l.pen.style, TPenStyle::Solid);
  }
  EXPECT_EQ(lines.back().coords, (std::vector<float>{200, 300, 200, 200}));
  const auto fills = OpsOf(canvas, RecordedOp::Polygon);
  ASSERT_EQ(fills.size(), 1u);
  EXPECT_EQ(fills[0].pen.mode, TPenMode::Merge);
  EXPECT_EQ(fills[0].pen.style, TPenStyle::Clear);
  EXPECT_EQ(fills[0].brush.style, TBrushStyle::Solid);
  EXPECT_EQ(fills[0].brush.color, f.fillColor);
  EXPECT_EQ(canvas.ops.back().kind, RecordedOp::Polygon);  // fill after the outline
}

TEST_F(PrismTest, RubberBandIsXorWithoutFill) {
  RecordingCanvas canvas;
  ThreePrism t = MakeTriangle(canvas);
  t.firstPaint = 0;
  t.Draw(1);
  EXPECT_EQ(canvas.Count(RecordedOp::Polygon), 0u);
  const auto lines = OpsOf(canvas, RecordedOp::Line);
  ASSERT_EQ(lines.size(), 3u);
  for (const auto& l : lines) {
    EXPECT_EQ(l.pen.mode, TPenMode::Xor);
    EXPECT_EQ(l.pen.color, t.xorColor);
  }
}

TEST_F(PrismTest, NoFillWhenTheFlagIsOff) {
  RecordingCanvas canvas;
  ThreePrism t = MakeTriangle(canvas);
  t.firstPaint = 0;
  t.fillFlag = 0;
  t.Draw(2);
  EXPECT_EQ(canvas.Count(RecordedOp::Polygon), 0u);
  EXPECT_EQ(canvas.Count(RecordedOp::Line), 3u);
}

TEST_F(PrismTest, HighQualityOutlineOfTheTriangleOnlyInNormalPaint) {
  Settings().highQuality = true;
  RecordingCanvas canvas;
  ThreePrism t = MakeTriangle(canvas);
  t.firstPaint = 0;
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
  EXPECT_EQ(canvas.Count(RecordedOp::Line), 3u);

  // The rectangle keeps the plain outline.
  canvas.Clear();
  FourPrism f = MakeSlab(canvas);
  f.firstPaint = 0;
  f.Draw(2);
  EXPECT_EQ(canvas.Count(RecordedOp::AaPolyline), 0u);
  EXPECT_EQ(canvas.Count(RecordedOp::Line), 4u);
}

TEST_F(PrismTest, HandlesAreWhiteSquaresOnEveryVertex) {
  RecordingCanvas canvas;
  FourPrism f = MakeSlab(canvas);
  f.handleSize = 11;  // odd: the half is 5
  f.DrawHandles();
  const auto squares = OpsOf(canvas, RecordedOp::Rectangle);
  ASSERT_EQ(squares.size(), 4u);
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(squares[i].coords[0], f.vertices[i].x - 5);
    EXPECT_EQ(squares[i].coords[1], f.vertices[i].y - 5);
    EXPECT_EQ(squares[i].coords[2], f.vertices[i].x + 6);
    EXPECT_EQ(squares[i].pen.color, f.handleColor);
    EXPECT_EQ(squares[i].pen.width, 1);
    EXPECT_EQ(squares[i].pen.mode, TPenMode::Copy);
    EXPECT_EQ(squares[i].brush.color, 0xFFFFFFu);
  }
}

// ---- hit test and rectangle selection --------------------------------------

TEST_F(PrismTest, HitTestBodyHandleAndMiss) {
  RecordingCanvas canvas;
  ThreePrism t = MakeTriangle(canvas);
  t.selectedHandle = 2;
  EXPECT_EQ(t.HitTest(300, 250), 2);
  EXPECT_EQ(t.selectedHandle, -1);
  EXPECT_EQ(t.HitTest(220, 150), 0);  // beside the slanted face, inside the bounding box
  EXPECT_EQ(t.HitTest(500, 500), 0);
  EXPECT_EQ(t.selectedHandle, -1);
  // A handle beats the body, also from inside the triangle.
  EXPECT_EQ(t.HitTest(395, 296), 1);
  EXPECT_EQ(t.selectedHandle, 1);
  // Strictly less than half the handle size.
  EXPECT_EQ(t.HitTest(300 + 8, 100), 0);
  EXPECT_EQ(t.HitTest(300 + 7, 100), 1);
  EXPECT_EQ(t.selectedHandle, 0);
}

TEST_F(PrismTest, HitTestFirstVertexWinsOnOverlap) {
  RecordingCanvas canvas;
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
  EXPECT_FALSE(t.InRect(500, 500, 600, 600));
  FourPrism f = MakeSlab(canvas);
  EXPECT_TRUE(f.InRect(390.7f, 290.2f, 450, 350));
  EXPECT_FALSE(f.InRect(401, 301, 450, 350));
}

// ---- placing, moving, zooming, copying -------------------------------------

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
  EXPECT_EQ(canvas.Pen.mode, TPenMode::Copy);
}

TEST_F(PrismTest, PlacingTheRectangleUpAndLeft) {
  RecordingCanvas canvas;
  FourPrism f(&canvas);
  f.BeginCreate(300, 300);
  f.DragCreate(250, 260);
  f.EndCreate(200, 220);
  EXPECT_EQ(f.vertices[0], (TPointF{300, 300}));
  EXPECT_EQ(f.vertices[2], (TPointF{200, 220}));
  ExpectAxisParallel(f);
  EXPECT_EQ(canvas.Count(RecordedOp::Rectangle), 4u);
}

TEST_F(PrismTest, RectangleStaysAxisParallelWhenAnyCornerIsDragged) {
  RecordingCanvas canvas;
  std::mt19937 random(7);
  std::uniform_int_distribution<int> coord(-50, 600);
  for (int handle = 0; handle < 4; ++handle) {
    FourPrism f = MakeSlab(canvas);
    const FourPrism before = f;
    const std::size_t opposite = static_cast<std::size_t>((handle + 2) % 4);
    f.HitTest(Trunc(f.vertices[handle].x), Trunc(f.vertices[handle].y));
    ASSERT_EQ(f.selectedHandle, handle);
    for (int step = 0; step < 25; ++step) {
      const int x = coord(random), y = coord(random);
      f.Move(1, x, y);
      EXPECT_EQ(f.vertices[handle], (TPointF{float(x), float(y)}));
      EXPECT_EQ(f.vertices[opposite], before.vertices[opposite]);
      ExpectAxisParallel(f);
    }
  }
}

TEST_F(PrismTest, TriangleHandleDragMovesOnlyThatVertex) {
  RecordingCanvas canvas;
  ThreePrism t = MakeTriangle(canvas);
  t.selectedHandle = 2;
  t.Move(1, 150, 320);
  EXPECT_EQ(t.vertices[2], (TPointF{150, 320}));
  EXPECT_EQ(t.vertices[0], (TPointF{300, 100}));
  EXPECT_EQ(t.vertices[1], (TPointF{400, 300}));
}

TEST_F(PrismTest, BodyDragMovesWholePixelsAndIgnoresSubpixel) {
  RecordingCanvas canvas;
  FourPrism f = MakeSlab(canvas);
  f.vertices[0].x += 0.5f;  // a fractional corner moves by whole pixels
  f.vertices[3].x += 0.5f;
  f.SetDragOrigin(10, 10);
  f.Move(2, 10, 10);
  EXPECT_EQ(f.vertices[0].x, 200.5f);
  f.Move(2, 15, 7);
  EXPECT_EQ(f.vertices[0], (TPointF{205.5f, 197}));
  EXPECT_EQ(f.vertices[2], (TPointF{405, 297}));
  EXPECT_EQ(f.dragOriginX, 15);
  f.Move(3, -5, 3);
  EXPECT_EQ(f.vertices[2], (TPointF{400, 300}));
  ExpectAxisParallel(f);
}

TEST_F(PrismTest, ZoomScalesAboutTheCentre) {
  RecordingCanvas canvas;
  ThreePrism t = MakeTriangle(canvas);
  t.Zoom(100, 100, 1.1f);
  EXPECT_NEAR(t.vertices[1].x, 100 + 300 * 1.1, 1e-3);
  EXPECT_NEAR(t.vertices[1].y, 100 + 200 * 1.1, 1e-3);
  FourPrism f = MakeSlab(canvas);
  f.Zoom(20, 300, 0.95f);
  ExpectAxisParallel(f);
}

TEST_F(PrismTest, CloneCopiesEverythingAndCloneMovedLeavesTheOriginal) {
  RecordingCanvas canvas;
  ThreePrism t = MakeTriangle(canvas);
  t.refractiveIndex = 1.7f;
  t.firstPaint = 0;
  t.reserved[5] = 9;
  auto copy = t.Clone();
  auto* c = dynamic_cast<ThreePrism*>(copy.get());
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->vertices, t.vertices);
  EXPECT_EQ(c->refractiveIndex, 1.7f);
  EXPECT_EQ(c->firstPaint, 0);
  EXPECT_EQ(c->reserved[5], 9);
  auto moved = t.CloneMoved(10, -20);
  auto* m = dynamic_cast<ThreePrism*>(moved.get());
  ASSERT_NE(m, nullptr);
  EXPECT_EQ(m->vertices[0], (TPointF{310, 80}));
  EXPECT_EQ(t.vertices[0], (TPointF{300, 100}));

  FourPrism f = MakeSlab(canvas);
  auto fm = f.CloneMoved(5, 5);
  ASSERT_NE(dynamic_cast<FourPrism*>(fm.get()), nullptr);
  EXPECT_EQ(dynamic_cast<FourPrism*>(fm.get())->vertices[2], (TPointF{405, 305}));
  EXPECT_EQ(f.vertices[2], (TPointF{400, 300}));
}

// ---- faces handed to the tracer --------------------------------------------

TEST_F(PrismTest, FacesHaveTheMediumOnTheirLeft) {
  RecordingCanvas canvas;
  std::vector<std::unique_ptr<DrawObjectUnit>> media;
  auto t1 = std::make_unique<ThreePrism>(&canvas);
  t1->vertices = {TPointF{300, 100}, TPointF{400, 300}, TPointF{200, 300}};
  auto t2 = std::make_unique<ThreePrism>(&canvas);  // the other winding
  t2->vertices = {TPointF{300, 100}, TPointF{200, 300}, TPointF{400, 300}};
  auto t3 = std::make_unique<ThreePrism>(&canvas);  // apex below the base
  t3->vertices = {TPointF{300, 400}, TPointF{350, 250}, TPointF{250, 250}};
  auto f1 = std::make_unique<FourPrism>(&canvas);
  f1->SetRectangle({200, 200}, {400, 300});
  auto f2 = std::make_unique<FourPrism>(&canvas);  // dragged up and left
  f2->SetRectangle({400, 300}, {200, 200});
  media.push_back(std::move(t1));
  media.push_back(std::move(t2));
  media.push_back(std::move(t3));
  media.push_back(std::move(f1));
  media.push_back(std::move(f2));
  for (auto& object : media) {
    auto* t = dynamic_cast<ThreePrism*>(object.get());
    auto* f = dynamic_cast<FourPrism*>(object.get());
    std::vector<TPointF> v = t ? std::vector<TPointF>(t->vertices.begin(), t->vertices.end())
                               : std::vector<TPointF>(f->vertices.begin(), f->vertices.end());
    const float index = 1.45f;
    if (t) t->refractiveIndex = index;
    if (f) f->refractiveIndex = index;
    TPointF centroid{0, 0};
    for (const auto& p : v) centroid = {centroid.x + p.x / v.size(), centroid.y + p.y / v.size()};

    const auto faces = object->GetSurfaces();
    ASSERT_EQ(faces.size(), v.size());
    for (std::size_t i = 0; i < faces.size(); ++i) {
      const auto& face = faces[i];
      EXPECT_EQ(face.kind, kSurfaceRefract);
      EXPECT_EQ(face.shape, kShapeSegment);
      EXPECT_EQ(face.refractiveIndex, index);
      // Edges i -> i+1, the last from vertex 0 to the last vertex, either way round.
      const TPointF a = i + 1 < v.size() ? v[i] : v[0];
      const TPointF b = i + 1 < v.size() ? v[i + 1] : v.back();
      const bool same = TPointF{face.x1, face.y1} == a && TPointF{face.x2, face.y2} == b;
      const bool swapped = TPointF{face.x1, face.y1} == b && TPointF{face.x2, face.y2} == a;
      EXPECT_TRUE(same || swapped) << "face " << i;
      EXPECT_FLOAT_EQ(face.direction, DirectionAngle({face.x1, face.y1}, {face.x2, face.y2}));
      // Left of the direction is toward direction + 90.
      const TPointF mid = Midpoint({face.x1, face.y1}, {face.x2, face.y2});
      const TPointF left = PointAt(mid, face.direction + 90, 3);
      EXPECT_TRUE(PointInPolygon(left.x, left.y, v)) << "face " << i;
      EXPECT_EQ(SideOf(face, centroid), 2);
    }
    EXPECT_NE(faces[0].serial, faces[1].serial);
  }
}

TEST_F(PrismTest, RayFromOutsideEntersAndFromInsideLeaves) {
  RecordingCanvas canvas;
  FourPrism f = MakeSlab(canvas);
  ThreePrism t = MakeTriangle(canvas);
  const TPointF slabCentre{300, 250}, triangleCentre{300, 233};
  for (auto [object, centre] : {std::pair<DrawObjectUnit*, TPointF>{&f, slabCentre},
                                std::pair<DrawObjectUnit*, TPointF>{&t, triangleCentre}}) {
    for (const auto& face : object->GetSurfaces()) {
      const TPointF mid = Midpoint({face.x1, face.y1}, {face.x2, face.y2});
      const double inward = DirectionAngle(mid, centre);
      // From outside toward the centre: entering (code 1).
      DrawBaseRayDataStruct in;
      const TPointF a = PointAt(mid, inward, -50), b = PointAt(mid, inward, -40);
      in.startX = a.x, in.startY = a.y, in.throughX = b.x, in.throughY = b.y;
      DeriveRay(in);
      TPointF hit;
      EXPECT_EQ(IntersectRay(in, face, hit), 1);
      // From the centre outward: leaving (code 2).
      DrawBaseRayDataStruct out;
      const TPointF c = PointAt(centre, inward, -1);
      out.startX = centre.x, out.startY = centre.y, out.throughX = c.x, out.throughY = c.y;
      DeriveRay(out);
      EXPECT_EQ(IntersectRay(out, face, hit), 2);
    }
  }
}

TEST_F(PrismTest, MediaEmitNoRays) {
  RecordingCanvas canvas;
  ThreePrism t = MakeTriangle(canvas);
  FourPrism f = MakeSlab(canvas);
  EXPECT_TRUE(t.GetBaseRays().empty());
  EXPECT_TRUE(f.GetBaseRays().empty());
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
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"X1", "280"},        {"Y1", "200"},       {"X2", "380"},      {"Y2", "0"},
      {"X3", "180"},        {"Y3", "0"},         {"是否填充", "是"}, {"填充颜色", "16767684"},
      {"颜色", "16777088"}, {"折射率", "1.2999"}};
  ASSERT_EQ(ui.sheet.rows.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(ui.sheet.rows[i].key, expected[i].first);
    EXPECT_EQ(ui.sheet.rows[i].value, expected[i].second);
  }
  EXPECT_EQ(ui.sheet.rows[6].style, TEditStyle::PickList);
  EXPECT_EQ(ui.sheet.rows[6].pickList, (std::vector<std::string>{"是", "否"}));
  EXPECT_TRUE(ui.sheet.rows[6].readOnly);
  for (int row : {7, 8}) {
    EXPECT_EQ(ui.sheet.rows[row].style, TEditStyle::Ellipsis);
    EXPECT_TRUE(ui.sheet.rows[row].readOnly);
  }
  for (int row : {0, 1, 2, 3, 4, 5, 9}) {
    EXPECT_EQ(ui.sheet.rows[row].style, TEditStyle::Simple);
    EXPECT_FALSE(ui.sheet.rows[row].readOnly);
  }
}

TEST_F(PrismTest, RectangleRowsShowTheNormalisedSize) {
  FakeUi ui;
  RecordingCanvas canvas;
  FourPrism f(&canvas);
  f.BeginCreate(300, 300);
  f.EndCreate(200, 220);  // up and left of the first corner
  f.ShowProperties();
  EXPECT_EQ(ui.sheet.caption, "方形介质属性");
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"X1", "280"},        {"Y1", "0"},         {"宽度", "100"},
      {"高度", "80"},       {"是否填充", "是"},  {"填充颜色", "16767684"},
      {"颜色", "16777088"}, {"折射率", "1.2999"}};
  ASSERT_EQ(ui.sheet.rows.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(ui.sheet.rows[i].key, expected[i].first);
    EXPECT_EQ(ui.sheet.rows[i].value, expected[i].second);
  }
  EXPECT_EQ(ui.sheet.rows[4].style, TEditStyle::PickList);
  EXPECT_EQ(ui.sheet.rows[5].style, TEditStyle::Ellipsis);
  EXPECT_EQ(ui.sheet.rows[6].style, TEditStyle::Ellipsis);
  // Applied unchanged, the rectangle is rebuilt right of and below X1, Y1.
  EXPECT_TRUE(f.ApplyProperties());
  EXPECT_EQ(f.vertices[0], (TPointF{300, 300}));
  EXPECT_EQ(f.vertices[2], (TPointF{400, 380}));
  ExpectAxisParallel(f);
  EXPECT_TRUE(ui.messages.messages.empty());
}

TEST_F(PrismTest, UnchangedIndexTextStoresTheShownDigits) {
  FakeUi ui;
  RecordingCanvas canvas;
  ThreePrism t = MakeTriangle(canvas);
  t.ShowProperties();
  EXPECT_TRUE(t.ApplyProperties());
  EXPECT_EQ(t.refractiveIndex, 1.2999f);
  EXPECT_EQ(t.vertices[1], (TPointF{400, 300}));
}

TEST_F(PrismTest, IndexOfOneIsAcceptedBelowIsRefused) {
  FakeUi ui;
  RecordingCanvas canvas;
  ThreePrism t = MakeTriangle(canvas);
  t.ShowProperties();
  ui.sheet.SetValue("折射率", "1");
  EXPECT_TRUE(t.ApplyProperties());
  EXPECT_EQ(t.refractiveIndex, 1.0f);
  for (const char* bad : {"0.99", "0.99999999999", "-2", "0"}) {
    ui.messages.messages.clear();
    t.refractiveIndex = 1.5f;
    ui.sheet.SetValue("折射率", bad);
    EXPECT_FALSE(t.ApplyProperties()) << bad;
    EXPECT_EQ(t.refractiveIndex, 1.5f) << bad;
    EXPECT_EQ(ui.messages.messages, (std::vector<std::string>{"折射率不能小于1"})) << bad;
  }
}

TEST_F(PrismTest, IndexThatIsNotANumberIsRefused) {
  FakeUi ui;
  RecordingCanvas canvas;
  FourPrism f = MakeSlab(canvas);
  f.ShowProperties();
  for (const char* bad : {"abc", "", "1,5", "1e999", "nan"}) {
    ui.messages.messages.clear();
    ui.sheet.SetValue("折射率", bad);
    EXPECT_FALSE(f.ApplyProperties()) << bad;
    EXPECT_EQ(f.refractiveIndex, 1.3f) << bad;
    EXPECT_EQ(ui.messages.messages,
              (std::vector<std::string>{"折射率,不是有用的浮点型,请输入一个浮点数."}))
        << bad;
  }
}

TEST_F(PrismTest, TriangleBadYStopsTheVerticesButNotTheIndex) {
  FakeUi ui;
  RecordingCanvas canvas;
  ThreePrism t = MakeTriangle(canvas);
  t.ShowProperties();
  ui.sheet.SetValue("X2", "400");  // canvas x 420
  ui.sheet.SetValue("Y2", "2.5");
  ui.sheet.SetValue("X3", "0");
  ui.sheet.SetValue("折射率", "1.6");
  ui.sheet.SetValue("是否填充", " 否 ");
  ui.sheet.SetValue("颜色", "255");
  EXPECT_FALSE(t.ApplyProperties());
  EXPECT_EQ(t.vertices[1], (TPointF{420, 300}));
  EXPECT_EQ(t.vertices[2], (TPointF{200, 300}));
  EXPECT_EQ(t.refractiveIndex, 1.6f);
  EXPECT_EQ(t.fillFlag, 0);
  EXPECT_EQ(t.color, 255u);
  EXPECT_EQ(ui.messages.messages,
            (std::vector<std::string>{"Y2=2.5,不是有用的整数,请输入一个整数."}));
}

TEST_F(PrismTest, TriangleBadXNamesTheRowAndSkipsTheRest) {
  FakeUi ui;
  RecordingCanvas canvas;
  ThreePrism t = MakeTriangle(canvas);
  t.ShowProperties();
  ui.sheet.SetValue("Y1", "150");
  ui.sheet.SetValue("X1", "x");
  ui.sheet.SetValue("X2", "1");
  ui.sheet.SetValue("折射率", "0.5");
  EXPECT_FALSE(t.ApplyProperties());
  EXPECT_EQ(t.vertices[0], (TPointF{300, 100}));
  EXPECT_EQ(t.vertices[1], (TPointF{400, 300}));
  EXPECT_EQ(ui.messages.messages,
            (std::vector<std::string>{"X1=x,不是有用的整数,请输入一个整数.", "折射率不能小于1"}));
}

TEST_F(PrismTest, TriangleVerticesFromPageCoordinates) {
  FakeUi ui;
  Settings().originX = 100;
  Settings().originY = 400;
  RecordingCanvas canvas;
  ThreePrism t = MakeTriangle(canvas);
  t.ShowProperties();
  EXPECT_EQ(ui.sheet.Value("X1"), "200");
  EXPECT_EQ(ui.sheet.Value("Y1"), "300");
  ui.sheet.SetValue("X3", "-50");
  ui.sheet.SetValue("Y3", "-20");
  EXPECT_TRUE(t.ApplyProperties());
  EXPECT_EQ(t.vertices[2], (TPointF{50, 420}));
}

TEST_F(PrismTest, RectangleRowsRebuildTheRectangle) {
  FakeUi ui;
  RecordingCanvas canvas;
  FourPrism f = MakeSlab(canvas);
  f.ShowProperties();
  ui.sheet.SetValue("X1", "100");
  ui.sheet.SetValue("Y1", "50");
  ui.sheet.SetValue("宽度", "40");
  ui.sheet.SetValue("高度", "30");
  ui.sheet.SetValue("折射率", "1.5");
  EXPECT_TRUE(f.ApplyProperties());
  EXPECT_EQ(f.vertices[0], (TPointF{120, 250}));
  EXPECT_EQ(f.vertices[1], (TPointF{160, 250}));
  EXPECT_EQ(f.vertices[2], (TPointF{160, 280}));
  EXPECT_EQ(f.vertices[3], (TPointF{120, 280}));
  EXPECT_EQ(f.refractiveIndex, 1.5f);
}

TEST_F(PrismTest, RectangleStopsAtTheFirstBadRowAndStaysARectangle) {
  struct Case {
    std::string key, message;
  };
  const std::vector<Case> cases = {
      {"X1", "X1,不是有用的数值型,请输入一个数值型."},
      {"Y1", "Y1,不是有用的数值型,请输入一个数值型."},
      {"高度", "高度,不是有用的数值型,请输入一个数值型."},
      {"宽度", "宽度,不是有用的数值型,请输入一个数值型."},
  };
  for (const auto& c : cases) {
    FakeUi ui;
    RecordingCanvas canvas;
    FourPrism f = MakeSlab(canvas);
    f.ShowProperties();
    ui.sheet.SetValue("X1", "0");
    ui.sheet.SetValue("Y1", "0");
    ui.sheet.SetValue("折射率", "0.2");  // never reached
    ui.sheet.SetValue(c.key, "1.5");
    EXPECT_FALSE(f.ApplyProperties()) << c.key;
    EXPECT_EQ(ui.messages.messages, (std::vector<std::string>{c.message})) << c.key;
    EXPECT_EQ(f.vertices[0], (TPointF{200, 200})) << c.key;
    EXPECT_EQ(f.vertices[2], (TPointF{400, 300})) << c.key;
    ExpectAxisParallel(f);
  }
  // Height is read before width.
  FakeUi ui;
  RecordingCanvas canvas;
  FourPrism f = MakeSlab(canvas);
  f.ShowProperties();
  ui.sheet.SetValue("宽度", "w");
  ui.sheet.SetValue("高度", "h");
  EXPECT_FALSE(f.ApplyProperties());
  EXPECT_EQ(ui.messages.messages,
            (std::vector<std::string>{"高度,不是有用的数值型,请输入一个数值型."}));
}

// ---- file records ----------------------------------------------------------

TEST_F(PrismTest, RecordLayoutIsByteExact) {
  RecordingCanvas canvas;
  ThreePrism t = MakeTriangle(canvas);
  t.refractiveIndex = 1.5f;
  t.firstPaint = 0;
  for (std::size_t i = 0; i < t.reserved.size(); ++i) t.reserved[i] = std::uint8_t(i + 1);
  const auto bytes = Save(t);
  ByteWriter head;
  t.SaveClassName(head);
  t.SaveBaseFields(head);
  const std::size_t base = head.Size();
  ASSERT_EQ(bytes.size(), base + 24 + 4 + 1 + 40);
  EXPECT_TRUE(std::equal(head.Data().begin(), head.Data().end(), bytes.begin()));
  EXPECT_EQ(FloatAt(bytes, base + 0), 300.0f);
  EXPECT_EQ(FloatAt(bytes, base + 4), 100.0f);
  EXPECT_EQ(FloatAt(bytes, base + 16), 200.0f);
  EXPECT_EQ(FloatAt(bytes, base + 20), 300.0f);
  EXPECT_EQ(FloatAt(bytes, base + 24), 1.5f);
  EXPECT_EQ(bytes[base + 28], 0);
  EXPECT_EQ(bytes[base + 29], 1);
  EXPECT_EQ(bytes.back(), 40);

  FourPrism f = MakeSlab(canvas);
  const auto fb = Save(f);
  ByteWriter fhead;
  f.SaveClassName(fhead);
  f.SaveBaseFields(fhead);
  ASSERT_EQ(fb.size(), fhead.Size() + 32 + 4 + 1 + 40);
  EXPECT_EQ(FloatAt(fb, fhead.Size() + 8), 400.0f);   // vertex 1 x
  EXPECT_EQ(FloatAt(fb, fhead.Size() + 28), 300.0f);  // vertex 3 y
  EXPECT_EQ(FloatAt(fb, fhead.Size() + 32), 1.3f);
  EXPECT_EQ(fb[fhead.Size() + 36], 1);  // never drawn
}

TEST_F(PrismTest, RoundTripThroughTheFactory) {
  RecordingCanvas canvas;
  ThreePrism t = MakeTriangle(canvas);
  t.refractiveIndex = 2.25f;
  t.displayName = "三棱镜1";
  t.fillFlag = 0;
  t.reserved[39] = 0xAB;
  FourPrism f = MakeSlab(canvas);
  f.firstPaint = 0;
  f.color = 0x123456;
  for (DrawObjectUnit* original :
       {static_cast<DrawObjectUnit*>(&t), static_cast<DrawObjectUnit*>(&f)}) {
    const auto bytes = Save(*original);
    ByteReader in(bytes);
    const std::string name = in.ReadString();
    EXPECT_EQ(name, original->className);
    auto loaded = CreateObjectByClassName(name, &canvas);
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->className, original->className);
    ASSERT_TRUE(loaded->LoadFromStream(in));
    EXPECT_EQ(in.Remaining(), 0u);
    EXPECT_EQ(Save(*loaded), bytes);
  }
}

TEST_F(PrismTest, TruncatedRecordsFail) {
  RecordingCanvas canvas;
  ThreePrism t = MakeTriangle(canvas);
  FourPrism f = MakeSlab(canvas);
  for (DrawObjectUnit* original :
       {static_cast<DrawObjectUnit*>(&t), static_cast<DrawObjectUnit*>(&f)}) {
    const auto bytes = Save(*original);
    for (std::size_t cut = 0; cut < bytes.size(); ++cut) {
      const std::vector<std::uint8_t> shortBytes(bytes.begin(), bytes.begin() + cut);
      auto fresh = CreateObjectByClassName(original->className, &canvas);
      ByteReader in(shortBytes);
      in.ReadString();
      EXPECT_FALSE(fresh->LoadFromStream(in)) << original->className << " cut at " << cut;
    }
  }
}

TEST_F(PrismTest, RecordWithUnusableNumbersIsRefusedAndLeavesTheObject) {
  RecordingCanvas canvas;
  ThreePrism t = MakeTriangle(canvas);
  const auto good = Save(t);
  ByteWriter head;
  t.SaveClassName(head);
  t.SaveBaseFields(head);
  const std::size_t base = head.Size();
  const float bad[] = {NAN, INFINITY, -INFINITY, 3e9f};
  for (std::size_t offset : {base + 0, base + 20, base + 24}) {
    for (float value : bad) {
      if (offset == base + 24 && value == 3e9f) continue;  // a large index is still a number
      auto bytes = good;
      std::memcpy(bytes.data() + offset, &value, 4);
      ThreePrism target(&canvas);
      ByteReader in = AfterClassName(bytes);
      EXPECT_FALSE(target.LoadFromStream(in)) << offset << " " << value;
      EXPECT_EQ(target.vertices[0], (TPointF{0, 0}));
      EXPECT_EQ(target.refractiveIndex, 1.3f);
    }
  }
}

TEST_F(PrismTest, BaseRecordWithAbsurdNameLengthFails) {
  RecordingCanvas canvas;
  FourPrism f = MakeSlab(canvas);
  auto bytes = Save(f);
  ByteReader probe(bytes);
  probe.ReadString();
  const std::size_t at = probe.Position();  // display name length
  const std::int32_t huge = 0x7FFFFFF0;
  std::memcpy(bytes.data() + at, &huge, 4);
  FourPrism target(&canvas);
  ByteReader in = AfterClassName(bytes);
  EXPECT_FALSE(target.LoadFromStream(in));
}
