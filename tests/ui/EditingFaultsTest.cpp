// Mouse and undo cases where the picture, the selection, the edit buttons
// and the coordinate origin must agree with one another.

#include <QToolButton>

#include "MainWindowFixture.h"

namespace {

using EditingTest = MainWindowTest;

TEST_F(EditingTest, FirstEditAfterStartUpCanBeUndone) {
  PlaceMirror(50, 60, 150, 60);
  ASSERT_TRUE(Enabled("UndoBtn"));
  w->UndoMenuClick();
  EXPECT_EQ(Placed(), 0u);
  EXPECT_FALSE(Enabled("UndoBtn"));
}

TEST_F(EditingTest, ClickWithAnArmedToolDropsTheSelectionAndItsButtons) {
  PlaceMirror(50, 60, 150, 60);
  ASSERT_TRUE(Enabled("CopyBtn"));
  w->Button("SpeedButton24")->click();
  Click(300, 250);
  EXPECT_TRUE(Doc().selection.empty());
  for (const char* b : {"CopyBtn", "CutBtn", "DeleteBtn"}) EXPECT_FALSE(Enabled(b)) << b;
}

TEST_F(EditingTest, RightClickDisarmsTheTool) {
  w->Button("SpeedButton24")->click();
  Click(300, 250, Qt::RightButton);
  EXPECT_TRUE(w->Button("ArrowBtn")->isChecked());
  EXPECT_FALSE(Doc().placement);
  EXPECT_EQ(w->ActiveHandlers(), TLumidorNetworkFrm::Handlers::Default);
  Drag(10, 10, 90, 40);  // a rubber band now, not a mirror
  EXPECT_EQ(Placed(), 0u);
}

TEST_F(EditingTest, APanSelectsNothing) {
  DrawObjectUnit* a = PlaceMirror(60, 100, 100, 100);
  Click(300, 250);
  w->SpeedButton7Click();
  Drag(150, 150, 250, 250);  // the mirror ends inside the dragged rectangle
  ASSERT_EQ(P1(a), (TPointF{160, 200}));
  EXPECT_TRUE(Doc().selection.empty());
  EXPECT_FALSE(Enabled("CopyBtn"));
}

TEST_F(EditingTest, DoubleClickSheetLeavesSelectionAndButtonsInStep) {
  DrawObjectUnit* a = PlaceMirror(50, 60, 150, 60);
  Click(300, 250);
  ui->sheet.typed["Y1"] = "0";  // the sheet moves the mirror away from the pointer
  ui->sheet.typed["Y2"] = "0";
  QWidget* surface = w->Surface();
  Send(surface, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, {100, 60});
  Send(surface, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, {100, 60});
  Send(surface, QEvent::MouseButtonDblClick, Qt::LeftButton, Qt::LeftButton, {100, 60});
  EXPECT_EQ(ui->sheet.shown, 1);
  EXPECT_EQ(ui->sheet.caption, "平面镜属性");
  EXPECT_EQ(P1(a).y, 300);
  EXPECT_EQ(Doc().selection, Selection{a});
  EXPECT_TRUE(Enabled("CopyBtn"));
  EXPECT_FALSE(w->mouseDown);
  w->ShowPropertiesMenuClick();
  EXPECT_EQ(ui->sheet.caption, "平面镜属性");
}

TEST_F(EditingTest, HiddenCoordinateSystemIsNeitherHitNorCaught) {
  DrawObjectUnit* frame = FindByClass(Doc().scene, "ReferenceFrame");
  ASSERT_NE(frame, nullptr);
  ASSERT_EQ(frame->isDrawn, 0);
  Drag(20, 295, 120, 200);
  EXPECT_EQ(Settings().originX, 20);
  EXPECT_EQ(Settings().originY, 300);
  EXPECT_TRUE(Doc().selection.empty());
  EXPECT_FALSE(Doc().SelectInRect(0, 0, 400, 300));
}

TEST_F(EditingTest, AFreehandObjectAtItsLimitIsPlacedWholeAndToldAfterTheRelease) {
  for (const char* tool : {"SpeedButton11", "SpeedButton29"}) {  // irregular object, fibre
    WatchingMessageSink sink;
    std::vector<bool> pressed;  // whether the drag was still on at each message
    sink.onMessage = [&] { pressed.push_back(w->mouseDown); };
    Settings().messages = &sink;
    const std::size_t before = Placed();
    w->Button(tool)->click();
    Down(20, 20);
    for (int i = 1; i <= 510; ++i) MoveTo(20 + i % 300, 20 + i / 2);
    Up(50, 280);
    ASSERT_EQ(Placed(), before + 1) << tool;
    EXPECT_EQ(Doc().scene.back()->pointCount, 500) << tool;
    EXPECT_EQ(pressed, std::vector<bool>{false}) << tool;  // once, after the release
    Settings().messages = &ui->messages;
  }
}

TEST_F(EditingTest, OriginFollowsTheAxesAfterUndoRedoAndNew) {
  ShowAxes();
  PlaceMirror(50, 60, 150, 60);
  Drag(20, 295, 120, 200);  // the axes move: a snapshot
  ASSERT_EQ(Settings().originX, 120);
  w->UndoMenuClick();
  EXPECT_EQ(Settings().originX, 20);
  EXPECT_EQ(Settings().originY, 300);
  w->RedoMenuClick();
  EXPECT_EQ(Settings().originX, 120);
  EXPECT_EQ(Settings().originY, 200);
  EXPECT_EQ(Doc().scene.front()->isDrawn, 1);
  Doc().page->showAxes = 0;  // the page settings change without a snapshot
  w->UndoMenuClick();
  EXPECT_EQ(Doc().scene.front()->isDrawn, 0);
  w->RedoMenuClick();
  ASSERT_EQ(Settings().originX, 120);
  w->NewPageClick();
  EXPECT_EQ(Settings().originX, 20);
  EXPECT_EQ(Settings().originY, 300);
}

}  // namespace
