// Typed angles and centres, the key edits of the selection, and the grid.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

#include "FakePropertySheet.h"
#include "files/ExperimentFile.h"
#include "gfx/RecordingCanvas.h"
#include "objects/ObjectFactory.h"
#include "optics/PlaneMath.h"
#include "scene/Document.h"
#include "scene/PageGrid.h"
#include "scene/SelectionSteps.h"

namespace {

std::unique_ptr<DrawObjectUnit> Placed(const std::string& name, TCanvas* canvas) {
  auto object = CreateObjectByClassName(name, canvas);
  object->BeginCreate(300, 300);
  object->DragCreate(360, 340);
  object->DragCreate(380, 360);
  object->EndCreate(380, 360);
  return object;
}

double Gap(double a, double b) { return AngleGap(NormalAngle(a), NormalAngle(b)); }

class TurnEveryClass : public testing::TestWithParam<std::string> {};

// Every class with a direction turns to a typed angle about a pivot that stays,
// through TurnTo and through its sheet's row; untouched, the row changes nothing.
TEST_P(TurnEveryClass, ToTheTypedAngleAboutItsPivot) {
  FakeUi ui;
  RecordingCanvas canvas;
  auto object = Placed(GetParam(), &canvas);
  const auto before = object->Direction();
  if (!before) GTEST_SKIP() << "no direction";
  const auto points = object->ControlPointValues();
  ASSERT_TRUE(object->ApplyProperties() || !ui.messages.messages.empty());
  EXPECT_EQ(object->ControlPointValues(), points) << "an untouched sheet turned it";

  ui.sheet.typed = {{"旋转角度", "30"}};
  object->ShowProperties();
  ASSERT_TRUE(object->ApplyProperties());
  const auto after = object->Direction();
  EXPECT_LT(Gap(after->angle, 30), 1e-3);
  EXPECT_NEAR(after->pivot.x, before->pivot.x, 1e-3);
  EXPECT_NEAR(after->pivot.y, before->pivot.y, 1e-3);
  ASSERT_TRUE(object->TurnBy(-45));
  EXPECT_LT(Gap(object->Direction()->angle, -15), 1e-3);
}

INSTANTIATE_TEST_SUITE_P(Factory, TurnEveryClass, testing::ValuesIn(KnownClassNames()));

// The centre rows move the whole object by what was typed.
TEST(CentreRows, MoveLensesAndBoxes) {
  for (const char* name : {"IdealMagnifier", "DrawString", "FourPrism"}) {
    FakeUi ui;
    RecordingCanvas canvas;
    auto object = Placed(name, &canvas);
    auto points = object->ControlPointValues();
    object->ShowProperties();
    const int x = std::stoi(ui.sheet.Find("中心X")->value);
    const int y = std::stoi(ui.sheet.Find("中心Y")->value);
    ui.sheet.typed = {{"中心X", std::to_string(x + 7)}, {"中心Y", std::to_string(y + 5)}};
    object->ShowProperties();
    ASSERT_TRUE(object->ApplyProperties()) << name;
    for (auto& p : points) p = {p.x + 7, p.y - 5};
    EXPECT_EQ(object->ControlPointValues(), points) << name;
  }
}

class KeyEdits : public testing::Test {
 protected:
  RecordingCanvas canvas;
  Document doc{&canvas};
  DrawObjectUnit* Add(const char* name) { return doc.AppendObject(Placed(name, &canvas)); }
};

TEST_F(KeyEdits, EachIsOneUndoStep) {
  DrawObjectUnit* mirror = Add("FlatMirror");
  doc.PushUndoSnapshot();
  const auto start = mirror->ControlPointValues();
  const std::size_t snapshots = doc.history.Size();

  ASSERT_TRUE(NudgeSelection(doc, 10, -1));
  EXPECT_EQ(mirror->ControlPointValues()[0], (TPointF{start[0].x + 10, start[0].y - 1}));
  ASSERT_TRUE(TurnSelection(doc, 15));
  ASSERT_TRUE(DuplicateSelection(doc, 20));
  EXPECT_EQ(doc.scene.size(), 2u);
  EXPECT_EQ(doc.selection.front(), doc.scene.back().get());
  EXPECT_EQ(doc.history.Size(), snapshots + 3);

  ASSERT_TRUE(doc.Undo() && doc.Undo() && doc.Undo());
  EXPECT_EQ(doc.scene.size(), 1u);
  EXPECT_EQ(doc.scene.front()->ControlPointValues(), start);
}

TEST_F(KeyEdits, TabGoesThroughTheDrawnObjectsInSceneOrder) {
  DrawObjectUnit* a = Add("FlatMirror");
  Add("LampHouse")->isDrawn = 0;
  DrawObjectUnit* c = Add("IdealMagnifier");
  doc.selection.clear();
  ASSERT_TRUE(SelectNextObject(doc, true));
  EXPECT_EQ(doc.selection.front(), a);
  ASSERT_TRUE(SelectNextObject(doc, true));
  EXPECT_EQ(doc.selection.front(), c);
  EXPECT_FALSE(SelectNextObject(doc, true));
  EXPECT_TRUE(doc.selection.empty());
  ASSERT_TRUE(SelectNextObject(doc, false));
  EXPECT_EQ(doc.selection.front(), c);
}

TEST(Grid, SnapsToWholeStepsFromTheOrigin) {
  TNewPage page;
  page.gridSpacing = 25;
  ResetSettings();  // origin (20, 300)
  EXPECT_EQ(SnapToGrid(page, 32, 312), (TPoint{20, 300}));
  EXPECT_EQ(SnapToGrid(page, 33, 288), (TPoint{45, 300}));
  EXPECT_EQ(SnapToGrid(page, 0, 0), (TPoint{-5, 0}));
  page.gridSpacing = 0;  // out of bounds: the default spacing
  EXPECT_EQ(SnapToGrid(page, 31, 311), (TPoint{40, 320}));
}

// Off, the file ends as it always did; on, the page brings its grid back.
TEST(Grid, TravelsInTheTrailerOnlyWhileOn) {
  RecordingCanvas canvas;
  Document doc{&canvas};
  doc.AppendObject(Placed("FlatMirror", &canvas));
  const auto plain = SerializeExperiment(doc);
  doc.page->gridSpacing = 40;  // a spacing alone is not written
  EXPECT_EQ(SerializeExperiment(doc), plain);
  ASSERT_TRUE(std::all_of(plain.end() - kTrailerSize, plain.end(), [](auto b) { return b == 0; }));

  doc.page->gridShown = 1;
  doc.page->gridSnap = 1;
  const auto withGrid = SerializeExperiment(doc);
  ASSERT_EQ(withGrid.size(), plain.size());
  const std::string path = testing::TempDir() + "grid.exo";
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(withGrid.data()), std::streamsize(withGrid.size()));
  Document opened{&canvas};
  ASSERT_EQ(OpenExperimentFile(path, opened).status, OpenStatus::Opened);
  EXPECT_EQ(opened.page->gridSpacing, 40);
  EXPECT_TRUE(opened.page->gridShown && opened.page->gridSnap);

  TNewPage bad;
  FileTrailer trailer = GridTrailer(*doc.page);
  trailer[3] = 0xFF;  // a spacing of 40 + 255 * 256 is out of bounds
  ReadGridTrailer(trailer.data(), trailer.size(), bad);
  EXPECT_FALSE(bad.gridShown);
  EXPECT_EQ(bad.gridSpacing, 20);
}

}  // namespace
