// Checks every class the factory knows must pass: copies, records, zoom,
// moves, hit tests and property rows. A new class gets them by being
// registered; the small trait table below says where a class differs.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <memory>

#include "FakePropertySheet.h"
#include "GuiApplication.h"
#include "ObjectRecord.h"
#include "TestEnvironment.h"
#include "gfx/PixelMath.h"
#include "gfx/RecordingCanvas.h"
#include "gfx/paint/QImageCanvas.h"
#include "objects/ObjectFactory.h"
#include "objects/elements/FitfulObject.h"
#include "objects/elements/RayFibre.h"

namespace {

using Points = std::vector<TPointF>;

struct Traits {
  // False for the coordinate system: panning (move modes 2 and 3, moved
  // copies) and zooming leave it where it is.
  bool pansAndZooms = true;
  // Points that follow the first handle when it is dragged.
  std::vector<std::size_t> followFirstHandle;
  // Rows typed into the sheet to give the object non-default values.
  std::map<std::string, std::string> rows;
  // How far the first handle is dragged (the imaging system's frame cannot
  // shrink below its default size).
  TPointF firstHandleDrag{13, -11};
  // Free-hand objects start without points and offer point handles only
  // when a file asks for them: this sets that flag.
  void (*fileHandles)(DrawObjectUnit&) = nullptr;
};

Traits TraitsOf(const std::string& name) {
  static const std::map<std::string, Traits> table = {
      {"ReferenceFrame", {false, {}, {{"坐标轴原点X", "40"}, {"坐标轴原点Y", "280"}}}},
      {"FourPrism", {true, {1, 3}, {{"折射率", "1.5"}, {"是否填充", "否"}}}},
      {"ThreePrism", {true, {}, {{"折射率", "1.5"}}}},
      {"RealObject", {true, {2, 3}, {{"发光颜色", "65280"}, {"折射率倍", "1.25"}}}},
      {"PointLampHouse", {true, {}, {{"物体名称", "P1"}, {"折射率倍", "1.25"}}}},
      {"LampHouse", {true, {}, {{"平行光线的条数", "3"}, {"光线间距", "12"}}}},
      {"ComplexlH", {true, {}, {{"平行光线的条数", "2"}, {"光线间距", "-7"}}}},
      {"OPticsLine", {true, {}, {{"是否实线", "否"}, {"是否显示长度", "是"}}}},
      {"Ruler", {true, {}, {{"X2", "300"}}}},
      {"Protractor", {true, {}, {{"X3", "100"}}}},
      {"DrawString", {true, {1, 3}, {{"编辑字符串", "一\r\n二"}, {"是否有边框", "否"}}}},
      {"DrawImage", {true, {1, 3}, {{"是否透明", "是"}, {"透明颜色", "16777215"}}}},
      // Arcs: the other end follows a dragged end round the centre.
      {"ConcaveMirror", {true, {1}, {{"角度1", "300"}, {"角度2", "40"}}}},
      {"ConvexityMirror", {true, {1}, {{"半径", "75.5"}, {"角度2", "200"}}}},
      {"Magnifier", {true, {1}, {{"折射率", "1.5"}, {"是否填充", "是"}}}},
      {"Concave", {true, {1, 2, 3}, {{"厚度", "14"}, {"角度1", "330"}, {"角度2", "20"}}}},
      {"IdealMagnifier", {true, {2, 3}, {{"焦距", "150.5"}}}},
      {"IdealConcave", {true, {2, 3}, {{"焦距", "80"}}}},
      {"LightBlocker", {true, {}, {{"显示为光屏", "是"}}}},
      {"CircularBlocker", {true, {}, {{"半径", "40"}}}},
      {"Aperture", {true, {}, {{"缺口宽度", "6"}, {"缺口位置(0-1)", "0.3"}}}},
      {"BeamSplitter", {true, {}, {{"反射比例", "0.25"}}}},
      {"PolygonGlass", {true, {}, {{"折射率", "1.6"}}}},
      // The lens and the screen stay centred on the frame's height.
      {"ImagingSystem",
       {true, {1, 3, 6, 7, 8, 9}, {{"凸透镜焦距", "120"}, {"是否关联物体", "否"}}, {-13, -11}}},
      {"FitfulObject",
       {true,
        {},
        {{"是否填充", "否"}, {"填充颜色", "255"}},
        {13, -11},
        [](DrawObjectUnit& o) { dynamic_cast<FitfulObject&>(o).vertexHandles = 1; }}},
      {"RayFibre",
       {true,
        {},
        {{"光导纤维直径", "14.5"}, {"折射率", "1.5"}},
        {13, -11},
        [](DrawObjectUnit& o) { dynamic_cast<RayFibre&>(o).pointHandles = 1; }}},
  };
  const auto it = table.find(name);
  return it == table.end() ? Traits{} : it->second;
}

Points Shifted(Points points, float dx, float dy) {
  for (auto& p : points) p = {p.x + dx, p.y + dy};
  return points;
}

class ObjectConformanceTest : public EngineTest, public ::testing::WithParamInterface<std::string> {
 protected:
  RecordingCanvas canvas;
  std::unique_ptr<FakeUi> ui;
  Traits traits = TraitsOf(GetParam());

  void SetUp() override {
    EngineTest::SetUp();
    ui = std::make_unique<FakeUi>();
  }
  void TearDown() override {
    ui.reset();
    EngineTest::TearDown();
  }

  std::unique_ptr<DrawObjectUnit> Fresh() {
    auto object = CreateObjectByClassName(GetParam(), &canvas);
    EXPECT_NE(object, nullptr);
    return object;
  }

  // Placed with the mouse on whole pixels, down and right, with base fields
  // and the class's rows changed from their defaults.
  std::unique_ptr<DrawObjectUnit> Prepared() {
    auto object = Fresh();
    object->BeginCreate(120, 140);
    object->DragCreate(160, 180);
    object->EndCreate(200, 230);
    object->displayName = GetParam() + "7";
    object->color = 0x123456;
    object->lineWidth = 3;
    for (std::size_t i = 0; i < object->reserved.size(); ++i)
      object->reserved[i] = std::uint8_t(i + 1);
    object->ShowProperties();
    for (const auto& [key, value] : traits.rows) {
      EXPECT_NE(ui->sheet.Find(key), nullptr) << "no row " << key;
      ui->sheet.SetValue(key, value);
    }
    EXPECT_TRUE(object->ApplyProperties()) << ::testing::PrintToString(ui->messages.messages);
    canvas.Clear();
    return object;
  }

  void ExpectPoints(DrawObjectUnit& object, const Points& expected) {
    const Points actual = object.ControlPointValues();
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < actual.size(); ++i) {
      EXPECT_NEAR(actual[i].x, expected[i].x, 1e-3) << "point " << i;
      EXPECT_NEAR(actual[i].y, expected[i].y, 1e-3) << "point " << i;
    }
  }
};

}  // namespace

TEST_P(ObjectConformanceTest, FactoryMakesTheNamedClassWithControlPoints) {
  auto object = Fresh();
  EXPECT_EQ(object->className, GetParam());
  EXPECT_EQ(object->displayName, GetParam());
  EXPECT_EQ(object->ControlPointValues().empty(), traits.fileHandles != nullptr);
}

TEST_P(ObjectConformanceTest, CloneEqualsTheOriginal) {
  auto object = Prepared();
  auto copy = object->Clone();
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->className, GetParam());
  EXPECT_EQ(RecordBytes(*copy), RecordBytes(*object));
  EXPECT_EQ(copy->ControlPointValues(), object->ControlPointValues());
}

TEST_P(ObjectConformanceTest, CloneMovedIsDisplacedAndLeavesTheOriginal) {
  auto object = Prepared();
  const auto bytes = RecordBytes(*object);
  const Points points = object->ControlPointValues();
  auto copy = object->CloneMoved(7, -4);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->className, GetParam());
  ExpectPoints(*copy, traits.pansAndZooms ? Shifted(points, 7, -4) : points);
  EXPECT_EQ(RecordBytes(*object), bytes);
}

TEST_P(ObjectConformanceTest, SaveLoadRoundTripIsByteExact) {
  auto object = Prepared();
  const auto bytes = RecordBytes(*object);
  auto loaded = Fresh();
  ASSERT_NE(RecordBytes(*loaded), bytes);  // the prepared values are not the defaults
  ByteReader in(bytes);
  EXPECT_EQ(in.ReadString(), GetParam());
  ASSERT_TRUE(loaded->LoadFromStream(in));
  EXPECT_EQ(in.Remaining(), 0u);
  EXPECT_EQ(RecordBytes(*loaded), bytes);
  EXPECT_EQ(loaded->ControlPointValues(), object->ControlPointValues());
}

TEST_P(ObjectConformanceTest, TruncatedRecordFails) {
  const auto bytes = RecordBytes(*Prepared());
  for (std::size_t length = 0; length < bytes.size(); ++length)
    EXPECT_FALSE(LoadRecord(*Fresh(), bytes, length)) << "length " << length;
}

TEST_P(ObjectConformanceTest, TruncatedRecordLeavesTheObjectUnchanged) {
  const auto bytes = RecordBytes(*Prepared());
  std::vector<std::size_t> changed;
  for (std::size_t length = 0; length < bytes.size(); ++length) {
    auto target = Fresh();
    const auto before = RecordBytes(*target);
    LoadRecord(*target, bytes, length);
    if (RecordBytes(*target) != before) changed.push_back(length);
  }
  EXPECT_TRUE(changed.empty()) << changed.size() << " of " << bytes.size()
                               << " prefixes changed the object, the shortest " << changed.front()
                               << " bytes long";
}

TEST_P(ObjectConformanceTest, ZoomScalesEveryPointAboutTheCentre) {
  auto object = Prepared();
  const Points points = object->ControlPointValues();
  for (float factor : {1.25f, 0.8f}) {
    Points expected = points;
    const Points now = object->ControlPointValues();
    for (std::size_t i = 0; i < now.size() && traits.pansAndZooms; ++i)
      expected[i] = {float(50 + (double(now[i].x) - 50) * factor),
                     float(70 + (double(now[i].y) - 70) * factor)};
    object->Zoom(50, 70, factor);
    ExpectPoints(*object, expected);
  }
}

TEST_P(ObjectConformanceTest, DragAndOffsetMoveEveryPoint) {
  auto object = Prepared();
  const Points points = object->ControlPointValues();
  const float pan = traits.pansAndZooms ? 1.0f : 0.0f;
  object->SetDragOrigin(50, 50);
  object->Move(2, 57, 46);  // pointer motion since the drag origin
  ExpectPoints(*object, Shifted(points, 7 * pan, -4 * pan));
  object->Move(3, -5, 9);
  ExpectPoints(*object, Shifted(points, 2 * pan, 5 * pan));
}

TEST_P(ObjectConformanceTest, HitOnTheFirstHandleThenDraggingMovesIt) {
  auto object = Prepared();
  if (traits.fileHandles) traits.fileHandles(*object);
  EXPECT_EQ(object->HitTest(5000, -5000), 0);  // far from everything
  Points expected = object->ControlPointValues();
  const int x = Trunc(expected[0].x), y = Trunc(expected[0].y);
  EXPECT_EQ(object->HitTest(x, y), 1);
  const int dx = int(traits.firstHandleDrag.x), dy = int(traits.firstHandleDrag.y);
  object->Move(1, x + dx, y + dy);
  expected[0] = {float(x + dx), float(y + dy)};
  const Points actual = object->ControlPointValues();
  for (std::size_t i : traits.followFirstHandle) expected.at(i) = actual.at(i);
  ExpectPoints(*object, expected);
}

TEST_P(ObjectConformanceTest, PropertyRowsAppliedUnchangedKeepTheRecord) {
  auto object = Prepared();
  const auto bytes = RecordBytes(*object);
  ui->sheet.typed.clear();
  object->ShowProperties();
  EXPECT_FALSE(ui->sheet.rows.empty());
  EXPECT_TRUE(object->ApplyProperties());
  EXPECT_TRUE(ui->messages.messages.empty());
  EXPECT_EQ(RecordBytes(*object), bytes);
}

// A refresh paints in a batch, in one or more bands; what lands on the
// surface, and where each object's clipping stops it, must be what painting
// step by step gives.
TEST_P(ObjectConformanceTest, BatchedDrawingPaintsAsDirectDrawing) {
  EnsureGuiApplication();
  auto object = Prepared();
  if (GetParam() == "DrawString") {
    ui->sheet.typed.clear();
    object->ShowProperties();
    ui->sheet.SetValue("编辑字符串", std::string(400, 'W') + "\r\n" + std::string(40, 'M'));
    ASSERT_TRUE(object->ApplyProperties());
  }
  OwnedImageCanvas direct(480, 400);
  object->SetCanvas(&direct);
  object->Draw(2);
  for (int bands : {1, 2, 3}) {
    OwnedImageCanvas batched(480, 400);
    batched.SetBands(bands);
    object->SetCanvas(&batched);
    {
      CanvasBatch batch(batched);
      object->Draw(2);
    }
    EXPECT_EQ(batched.Picture(), direct.Picture()) << bands << " bands";
  }
}

INSTANTIATE_TEST_SUITE_P(EveryClass, ObjectConformanceTest, ::testing::ValuesIn(KnownClassNames()),
                         [](const auto& info) { return info.param; });
