// The main window driven as a user would: palette, mouse on the surface,
// edit commands, run/stop, zoom and pan. Test objects stand in for object
// classes that this build does not have.

#include <QAction>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <set>
#include <stdexcept>

#include "FakeBoard.h"
#include "MainWindowFixture.h"
#include "app/TAboutBox.h"
#include "app/TDrawSurface.h"
#include "app/TLumidorApplication.h"
#include "app/TLumidorNetworkFrm.h"
#include "objects/ArcObject.h"
#include "objects/ObjectFactory.h"
#include "objects/elements/FlatMirror.h"

namespace {

// ---- placing

TEST_F(MainWindowTest, DragPlacesTheArmedObjectAndSelectsIt) {
  w->Button("SpeedButton24")->click();
  EXPECT_EQ(w->ActiveHandlers(), TLumidorNetworkFrm::Handlers::Placing);
  ASSERT_TRUE(Doc().placement);
  EXPECT_EQ(Doc().placement->className, "FlatMirror");
  EXPECT_TRUE(w->Button("SpeedButton24")->isChecked());
  Drag(50, 60, 150, 60);
  ASSERT_EQ(Placed(), 1u);
  DrawObjectUnit* mirror = Doc().scene.back().get();
  EXPECT_EQ(P1(mirror), (TPointF{50, 60}));
  EXPECT_EQ(P2(mirror), (TPointF{150, 60}));
  EXPECT_EQ(Doc().selection, Selection{mirror});
  EXPECT_FALSE(Doc().placement);
  EXPECT_EQ(w->ActiveHandlers(), TLumidorNetworkFrm::Handlers::Default);
  EXPECT_TRUE(w->Button("ArrowBtn")->isChecked());
  EXPECT_EQ(Doc().history.Size(), 2u);
  EXPECT_TRUE(Enabled("CopyBtn"));
  EXPECT_TRUE(Enabled("DeleteBtn"));
  EXPECT_TRUE(Enabled("UndoBtn"));  // back to the fresh page of start-up
}

// The arc tools: press at the centre of curvature, release at the arc's start.
TEST_F(MainWindowTest, ArcToolsPlaceByDraggingFromTheCentre) {
  for (const char* button : {"SpeedButton26", "SpeedButton25", "SpeedButton14", "SpeedButton15"}) {
    w->Button(button)->click();
    Drag(200, 150, 200, 90);
    auto* arc = dynamic_cast<ArcObject*>(Doc().scene.back().get());
    ASSERT_NE(arc, nullptr) << button;
    EXPECT_EQ(arc->centre, (TPointF{200, 150})) << button;
    EXPECT_FLOAT_EQ(arc->radius, 60) << button;
    EXPECT_FLOAT_EQ(arc->angle1, 90) << button;
    EXPECT_FLOAT_EQ(arc->angle2, 210) << button;
    EXPECT_EQ(Doc().selection, Selection{arc}) << button;
  }
  EXPECT_EQ(Placed(), 4u);
}

TEST_F(MainWindowTest, ClickWithTheMirrorToolPlacesNothing) {
  w->Button("SpeedButton24")->click();
  Click(50, 60);
  EXPECT_EQ(Placed(), 0u);
  EXPECT_FALSE(Doc().placement);
  EXPECT_EQ(w->ActiveHandlers(), TLumidorNetworkFrm::Handlers::Default);
  EXPECT_EQ(Doc().history.Size(), 1u);
  EXPECT_FALSE(w->mouseDown);
  EXPECT_TRUE(w->Button("ArrowBtn")->isChecked());
}

TEST_F(MainWindowTest, ClickWithThePointSourceToolPlacesIt) {
  w->Button("SpeedButton1")->click();
  Click(70, 80);
  ASSERT_EQ(Placed(), 1u);
  EXPECT_EQ(Doc().scene.back()->className, "PointLampHouse");
  EXPECT_EQ(Doc().history.Size(), 2u);
}

TEST_F(MainWindowTest, ArmingAnotherToolReplacesThePendingObjectAndArrowCancels) {
  w->Button("SpeedButton24")->click();
  w->Button("SpeedButton19")->click();
  ASSERT_TRUE(Doc().placement);
  EXPECT_EQ(Doc().placement->className, "LampHouse");
  EXPECT_FALSE(w->Button("SpeedButton24")->isChecked());
  w->Button("ArrowBtn")->click();
  EXPECT_FALSE(Doc().placement);
  EXPECT_EQ(w->ActiveHandlers(), TLumidorNetworkFrm::Handlers::Default);
  Drag(10, 10, 100, 100);
  EXPECT_EQ(Placed(), 0u);
}

TEST_F(MainWindowTest, PlacingAtOnceAddsSelectsAndSnapshots) {
  w->Button("SpeedButton7")->click();
  ASSERT_TRUE(w->moveMode);
  QToolButton* protractor = w->Button("SpeedButton21");
  EXPECT_FALSE(protractor->isCheckable());
  protractor->click();
  ASSERT_EQ(Placed(), 1u);
  EXPECT_EQ(Doc().scene.back()->className, "Protractor");
  EXPECT_EQ(Doc().selection.size(), 1u);
  EXPECT_EQ(Doc().history.Size(), 2u);
  EXPECT_FALSE(w->moveMode);
  EXPECT_TRUE(w->Button("ArrowBtn")->isChecked());
}

// Each palette button places the class it names; none is left disabled.
TEST_F(MainWindowTest, EveryPaletteButtonIsEnabledForItsClass) {
  const std::map<std::string, std::string> classes = {
      {"SpeedButton19", "LampHouse"},      {"SpeedButton20", "ComplexlH"},
      {"SpeedButton12", "FourPrism"},      {"SpeedButton13", "ThreePrism"},
      {"SpeedButton14", "Magnifier"},      {"SpeedButton15", "Concave"},
      {"SpeedButton17", "IdealMagnifier"}, {"SpeedButton18", "IdealConcave"},
      {"SpeedButton26", "ConcaveMirror"},  {"SpeedButton25", "ConvexityMirror"},
      {"SpeedButton24", "FlatMirror"},     {"SpeedButton11", "FitfulObject"},
      {"SpeedButton29", "RayFibre"},       {"SpeedButton16", "ImagingSystem"},
      {"SpeedButton1", "PointLampHouse"},  {"SpeedButton2", "RealObject"},
      {"SpeedButton21", "Protractor"},     {"SpeedButton22", "Ruler"},
      {"SpeedButton23", "OPticsLine"},     {"SpeedButton27", "DrawImage"},
      {"SpeedButton28", "DrawString"},     {"StopButton1", "LightBlocker"},
      {"StopButton2", "CircularBlocker"},  {"StopButton3", "Aperture"},
      {"StopButton4", "BeamSplitter"}};
  for (const auto& [button, className] : classes) {
    EXPECT_NE(CreateObjectByClassName(className, nullptr), nullptr) << className;
    ASSERT_NE(w->Button(button), nullptr) << button;
    EXPECT_TRUE(w->Button(button)->isEnabled()) << button;
  }
  EXPECT_TRUE(w->Button("ArrowBtn")->isEnabled());
}

TEST_F(MainWindowTest, PaletteHasHintsAndOneRadioGroupWithTheArrow) {
  EXPECT_EQ(w->Button("SpeedButton24")->toolTip(), "平面镜");
  EXPECT_EQ(w->Button("ArrowBtn")->toolTip(), "取消选取工具");
  EXPECT_EQ(w->Button("SpeedButton28")->toolTip(), "注释");
  EXPECT_TRUE(w->Button("ArrowBtn")->isChecked());
  EXPECT_FALSE(w->Button("SpeedButton16")->isCheckable());
  EXPECT_TRUE(w->Button("SpeedButton1")->isCheckable());
  EXPECT_EQ(w->findChild<QWidget*>("Panel3")->width(), 94);
}

// ---- selecting

TEST_F(MainWindowTest, LeftClickOnEmptyDropsSelectionRightClickKeepsIt) {
  DrawObjectUnit* a = PlaceMirror(50, 60, 150, 60);
  ASSERT_EQ(Doc().selection, Selection{a});
  Click(300, 250, Qt::RightButton);
  EXPECT_EQ(Doc().selection, Selection{a});
  Click(300, 250);
  EXPECT_TRUE(Doc().selection.empty());
  EXPECT_FALSE(Enabled("CopyBtn"));
}

TEST_F(MainWindowTest, RightClickOnAnObjectSelectsOnlyIt) {
  DrawObjectUnit* a = PlaceMirror(50, 60, 150, 60);
  DrawObjectUnit* b = PlaceMirror(50, 160, 150, 160);
  Drag(0, 0, 399, 299);
  ASSERT_EQ(Doc().selection.size(), 2u);
  Click(20, 250);  // nothing there
  Click(100, 60, Qt::RightButton);
  EXPECT_EQ(Doc().selection, Selection{a});
  Click(100, 160, Qt::RightButton);
  EXPECT_EQ(Doc().selection, Selection{b});
}

TEST_F(MainWindowTest, RubberBandSelectsInBothDirectionsButNotAsALine) {
  DrawObjectUnit* a = PlaceMirror(50, 60, 150, 60);
  DrawObjectUnit* b = PlaceMirror(50, 160, 150, 160);
  Drag(10, 10, 390, 100);
  EXPECT_EQ(Doc().selection, Selection{a});
  Drag(390, 290, 10, 10);
  EXPECT_EQ(Doc().selection, (Selection{a, b}));
  Drag(10, 120, 390, 120);  // zero height
  EXPECT_TRUE(Doc().selection.empty());
  Drag(100, 5, 100, 290);  // zero width, crossing both mirrors
  EXPECT_TRUE(Doc().selection.empty());
  EXPECT_EQ(Doc().history.Size(), 3u);  // selecting takes no snapshot
}

TEST_F(MainWindowTest, RubberBandIsDrawnWhileDraggingAndGoneAfterwards) {
  QImage& image = w->Surface()->Image();
  w->RefreshView();
  const QRgb background = image.pixel(5, 5);
  auto bandVisible = [&] {
    for (int x = 101; x < 200; ++x)
      if (image.pixel(x, 50) != background) return true;
    return false;
  };
  Down(100, 50);
  MoveTo(200, 150);
  EXPECT_TRUE(bandVisible());
  Up(200, 150);
  EXPECT_FALSE(bandVisible());
}

TEST_F(MainWindowTest, RefreshPaintsTheAmbientColour) {
  Doc().page->ambientColour = 0x0000FF;  // red, as 0x00BBGGRR
  w->RefreshView();
  EXPECT_EQ(w->Surface()->Image().pixel(3, 3), qRgb(255, 0, 0));
}

// ---- dragging

TEST_F(MainWindowTest, DraggingAHandleMovesOnlyThatPointAndSnapshots) {
  DrawObjectUnit* a = PlaceMirror(50, 60, 150, 60);
  Drag(150, 60, 170, 90);
  EXPECT_EQ(P1(a), (TPointF{50, 60}));
  EXPECT_EQ(P2(a), (TPointF{170, 90}));
  EXPECT_EQ(Doc().history.Size(), 3u);
  EXPECT_TRUE(Enabled("UndoBtn"));
}

TEST_F(MainWindowTest, WithTwoSelectedAHandleDragMovesBoth) {
  DrawObjectUnit* a = PlaceMirror(50, 60, 150, 60);
  DrawObjectUnit* b = PlaceMirror(50, 160, 150, 160);
  Drag(0, 0, 399, 299);
  ASSERT_EQ(Doc().selection.size(), 2u);
  Drag(150, 60, 160, 80);
  EXPECT_EQ(P1(a), (TPointF{60, 80}));
  EXPECT_EQ(P2(a), (TPointF{160, 80}));
  EXPECT_EQ(P1(b), (TPointF{60, 180}));
  EXPECT_EQ(P2(b), (TPointF{160, 180}));
}

TEST_F(MainWindowTest, HorizontalDragSnapshotsAClickDoesNot) {
  DrawObjectUnit* a = PlaceMirror(50, 60, 150, 60);
  Click(100, 60);
  EXPECT_EQ(Doc().history.Size(), 2u);
  Drag(100, 60, 130, 60);
  EXPECT_EQ(P1(a), (TPointF{80, 60}));
  EXPECT_EQ(Doc().history.Size(), 3u);
}

TEST_F(MainWindowTest, DragOverlappingObjectsMovesTheEarliestPlaced) {
  DrawObjectUnit* a = PlaceMirror(50, 60, 150, 60);
  DrawObjectUnit* b = PlaceMirror(40, 60, 160, 60);
  Click(300, 250);
  Drag(100, 60, 100, 100);
  EXPECT_EQ(P1(a), (TPointF{50, 100}));
  EXPECT_EQ(P1(b), (TPointF{40, 60}));
}

TEST_F(MainWindowTest, PanModeMovesEverythingWithoutSnapshot) {
  DrawObjectUnit* a = PlaceMirror(50, 60, 150, 60);
  DrawObjectUnit* b = PlaceMirror(50, 160, 150, 160);
  w->Button("SpeedButton7")->click();
  ASSERT_TRUE(w->moveMode);
  EXPECT_TRUE(w->Button("SpeedButton7")->isChecked());
  EXPECT_EQ(w->Surface()->cursor().shape(), Qt::PointingHandCursor);
  const std::size_t snapshots = Doc().history.Size();
  Drag(300, 250, 320, 240);
  EXPECT_EQ(P1(a), (TPointF{70, 50}));
  EXPECT_EQ(P2(b), (TPointF{170, 150}));
  EXPECT_EQ(Doc().history.Size(), snapshots);
  // A drag that starts on an object drags that object as usual.
  Drag(100, 50, 100, 70);
  EXPECT_EQ(P1(a), (TPointF{70, 70}));
  EXPECT_EQ(P1(b), (TPointF{70, 150}));
  EXPECT_EQ(Doc().history.Size(), snapshots + 1);
  w->Button("SpeedButton7")->click();
  EXPECT_FALSE(w->moveMode);
  EXPECT_TRUE(w->Button("ArrowBtn")->isChecked());
  EXPECT_EQ(w->Surface()->cursor().shape(), Qt::CrossCursor);
}

TEST_F(MainWindowTest, ChoosingAToolEndsPanMode) {
  w->Button("SpeedButton7")->click();
  w->Button("SpeedButton24")->click();
  EXPECT_FALSE(w->moveMode);
  EXPECT_FALSE(w->Button("SpeedButton7")->isChecked());
  EXPECT_TRUE(w->Button("SpeedButton24")->isChecked());
  w->Button("SpeedButton7")->click();
  w->Button("ArrowBtn")->click();
  EXPECT_FALSE(w->moveMode);
}

TEST_F(MainWindowTest, StatusBarShowsThePointer) {
  MoveTo(12, 34, Qt::NoButton);
  EXPECT_EQ(w->StatusPanelText(0), "X:12");
  EXPECT_EQ(w->StatusPanelText(1), "Y:34");
  EXPECT_EQ(w->StatusPanelText(2), "");
  const int widths[] = {50, 50, 80, 50};
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(w->findChild<QWidget*>(QString("StatusPanel%1").arg(i))->width(), widths[i]);
}

// ---- the surface widget passes real mouse events on

TEST_F(MainWindowTest, SurfaceEventsReachTheHandlersAndRightReleaseOpensThePopup) {
  DrawObjectUnit* a = PlaceMirror(50, 60, 150, 60);
  QWidget* surface = w->Surface();
  Send(surface, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, {100, 60});
  Send(surface, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, {110, 70});
  Send(surface, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, {110, 70});
  EXPECT_EQ(P1(a), (TPointF{60, 70}));
  EXPECT_EQ(w->StatusPanelText(0), "X:110");
  Click(300, 250);
  ASSERT_TRUE(Doc().selection.empty());
  Send(surface, QEvent::MouseButtonPress, Qt::RightButton, Qt::RightButton, {100, 70});
  EXPECT_EQ(Doc().selection, Selection{a});
  EXPECT_FALSE(w->ToolUnitMenu()->isVisible());
  Send(surface, QEvent::MouseButtonRelease, Qt::RightButton, Qt::NoButton, {100, 70});
  EXPECT_TRUE(w->ToolUnitMenu()->isVisible());
  // Opening it applied the enabling rules to the selected mirror.
  EXPECT_TRUE(w->Action("PopupCopy")->isEnabled());
  EXPECT_FALSE(w->Action("PopupPaste")->isEnabled());
  w->ToolUnitMenu()->close();
}

TEST_F(MainWindowTest, DoubleClickOnTheSurfaceOpensTheProperties) {
  PlaceMirror(50, 60, 150, 60);
  QWidget* surface = w->Surface();
  Send(surface, QEvent::MouseButtonDblClick, Qt::LeftButton, Qt::LeftButton, {100, 60});
  Send(surface, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, {100, 60});
  EXPECT_EQ(ui->sheet.shown, 1);
  EXPECT_FALSE(w->mouseDown);
}

// ---- edit commands

TEST_F(MainWindowTest, CopyThenClickElsewhereThenPasteDisplacesTheCopy) {
  PlaceMirror(50, 60, 150, 60);
  Click(100, 60);
  w->CopyMenuClick();
  EXPECT_TRUE(Enabled("PasteBtn"));
  Click(130, 200);
  EXPECT_TRUE(Doc().selection.empty());
  w->PasteMenuClick();
  ASSERT_EQ(Placed(), 2u);
  DrawObjectUnit* copy = Doc().scene.back().get();
  EXPECT_EQ(P1(copy), (TPointF{80, 200}));
  EXPECT_EQ(P2(copy), (TPointF{180, 200}));
  EXPECT_EQ(Doc().selection, Selection{copy});
  EXPECT_EQ(Doc().history.Size(), 3u);
}

TEST_F(MainWindowTest, PasteWithoutAClickInBetweenLandsOnTheOriginal) {
  DrawObjectUnit* a = PlaceMirror(50, 60, 150, 60);
  w->CopyMenuClick();
  w->PasteMenuClick();
  DrawObjectUnit* copy = Doc().scene.back().get();
  EXPECT_NE(copy, a);
  EXPECT_EQ(P1(copy), P1(a));
}

TEST_F(MainWindowTest, DeleteAndCutThroughTheMenus) {
  PlaceMirror(50, 60, 150, 60);
  PlaceMirror(50, 160, 150, 160);
  w->Action("DeleteMenu")->trigger();
  EXPECT_EQ(Placed(), 1u);
  EXPECT_FALSE(Enabled("DeleteBtn"));
  Click(100, 60);
  w->Action("CutMenu")->trigger();
  EXPECT_EQ(Placed(), 0u);
  EXPECT_TRUE(Enabled("PasteBtn"));
  w->Action("PasteMenu")->trigger();
  EXPECT_EQ(Placed(), 1u);
}

TEST_F(MainWindowTest, ThirtyEditsGiveTwentyNineUndoSteps) {
  for (int i = 0; i < 30; ++i) PlaceMirror(10, 5 + i * 9, 100, 5 + i * 9);
  ASSERT_EQ(Placed(), 30u);
  int steps = 0;
  while (Enabled("UndoBtn") && steps < 100) {
    w->UndoMenuClick();
    ++steps;
  }
  EXPECT_EQ(steps, 29);
  EXPECT_EQ(Placed(), 1u);
  EXPECT_TRUE(Enabled("RedoBtn"));
  w->UndoMenuClick();  // at the oldest snapshot nothing happens
  EXPECT_EQ(Placed(), 1u);
}

TEST_F(MainWindowTest, NewEditAfterUndoDropsTheRedoBranch) {
  PlaceMirror(50, 60, 150, 60);
  PlaceMirror(50, 160, 150, 160);
  w->Action("UndoMenu")->trigger();
  EXPECT_EQ(Placed(), 1u);
  EXPECT_TRUE(Enabled("RedoBtn"));
  PlaceMirror(50, 200, 150, 200);
  EXPECT_FALSE(Enabled("RedoBtn"));
  w->RedoMenuClick();
  EXPECT_EQ(Placed(), 2u);
  w->UndoMenuClick();
  w->RedoMenuClick();
  DrawObjectUnit* last = Doc().scene.back().get();
  EXPECT_EQ(P1(last), (TPointF{50, 200}));
}

TEST_F(MainWindowTest, PropertiesOfOneObjectSnapshotEvenWhenCancelled) {
  PlaceMirror(50, 60, 150, 60);
  ui->sheet.modalResult = 2;
  w->ShowPropertiesMenuClick();
  EXPECT_EQ(ui->sheet.shown, 1);
  EXPECT_EQ(Doc().history.Size(), 3u);
  // A double-click on the surface asks for the properties too.
  emit w->Surface()->DoubleClick();
  EXPECT_EQ(ui->sheet.shown, 2);
}

TEST_F(MainWindowTest, ConfirmedPropertiesAreAppliedToTheObject) {
  DrawObjectUnit* a = PlaceMirror(50, 60, 150, 60);
  ui->sheet.typed["X1"] = "100";  // user coordinates: the origin is at x = 20
  ui->sheet.typed["Y2"] = "200";
  w->ShowPropertiesMenuClick();
  EXPECT_EQ(ui->sheet.caption, "平面镜属性");
  EXPECT_EQ(P1(a), (TPointF{120, 60}));
  EXPECT_EQ(P2(a), (TPointF{150, 100}));
  EXPECT_EQ(Doc().history.Size(), 3u);
  w->UndoMenuClick();
  EXPECT_EQ(P1(Doc().scene.back().get()), (TPointF{50, 60}));
}

TEST_F(MainWindowTest, PropertiesWithSeveralSelectedDoNothing) {
  PlaceMirror(50, 60, 150, 60);
  PlaceMirror(50, 160, 150, 160);
  Drag(0, 0, 399, 299);
  const std::size_t snapshots = Doc().history.Size();
  w->ShowPropertiesMenuClick();
  EXPECT_EQ(ui->sheet.shown, 0);
  EXPECT_EQ(Doc().history.Size(), snapshots);
}

TEST_F(MainWindowTest, PropertiesWithNothingSelectedShowThePageSettings) {
  PlaceMirror(50, 60, 150, 60);
  Click(300, 250);
  const std::size_t snapshots = Doc().history.Size();
  ui->sheet.typed["发出光线的宽度"] = "5";
  w->ShowPropertiesMenuClick();
  EXPECT_EQ(ui->sheet.shown, 1);
  EXPECT_EQ(ui->sheet.caption, "页面设置属性");
  EXPECT_EQ(Doc().page->rayWidth, 5);
  EXPECT_EQ(Doc().history.Size(), snapshots);  // page settings are not undone
}

TEST_F(MainWindowTest, TheCoordinateSystemCanBeNeitherCopiedNorDeleted) {
  // The page starts with its coordinate system; shown, a click on its origin selects it.
  DrawObjectUnit* frame = ShowAxes();
  Click(20, 295);
  ASSERT_EQ(Doc().selection, Selection{frame});
  for (const char* b : {"CopyBtn", "CutBtn", "DeleteBtn", "PasteBtn", "UndoBtn", "RedoBtn"})
    EXPECT_FALSE(Enabled(b)) << b;
  w->EditMenuClick();
  for (const char* a : {"CutMenu", "CopyMenu", "DeleteMenu", "PasteMenu", "UndoMenu", "RedoMenu"})
    EXPECT_FALSE(w->Action(a)->isEnabled()) << a;
  EXPECT_TRUE(w->Action("ShowPropertiesMenu")->isEnabled());
  EXPECT_TRUE(w->Action("N31")->isEnabled());
  w->ToolUnitMenuPopup();
  EXPECT_FALSE(w->Action("PopupCut")->isEnabled());
  EXPECT_TRUE(w->Action("PopupProperties")->isEnabled());
  // Commands that arrive anyway (a stale shortcut) find nothing they may do.
  w->CutMenuClick();
  w->DeleteMenuClick();
  EXPECT_EQ(FindByClass(Doc().scene, "ReferenceFrame"), frame);
  EXPECT_FALSE(Doc().CanPaste());
}

TEST_F(MainWindowTest, DraggingTheOriginMovesTheZoomCentreButPanLeavesTheAxes) {
  ShowAxes();
  DrawObjectUnit* a = PlaceMirror(220, 100, 320, 100);
  Drag(20, 295, 120, 200);
  EXPECT_EQ(Settings().originX, 120);
  EXPECT_EQ(Settings().originY, 200);
  w->SpeedButton5Click();
  EXPECT_NEAR(P1(a).x, 120 + 100 * 1.1, 1e-3);
  EXPECT_NEAR(P1(a).y, 200 - 100 * 1.1, 1e-3);
  w->SpeedButton7Click();
  Drag(300, 280, 330, 290);
  EXPECT_EQ(Settings().originX, 120);
  EXPECT_EQ(Settings().originY, 200);
  EXPECT_NEAR(P1(a).x, 120 + 110 + 30, 1e-3);
}

TEST_F(MainWindowTest, SoftKeyboardItemFollowsTheSetting) {
  Settings().softKeyboard = true;
  w->EditMenuClick();
  EXPECT_TRUE(w->Action("N24")->isChecked());
  w->Action("N24")->trigger();
  EXPECT_FALSE(Settings().softKeyboard);
}

// ---- run, zoom, new

TEST_F(MainWindowTest, RunAndStopSwapTheirEnabling) {
  QAction* run = w->Action("RunMenu");
  QAction* stop = w->Action("StopMenu");
  EXPECT_EQ(run->shortcut(), QKeySequence(Qt::Key_F9));
  EXPECT_TRUE(run->isEnabled());
  EXPECT_FALSE(stop->isEnabled());
  EXPECT_FALSE(Enabled("stopbtn"));
  w->Button("runbtn")->click();
  EXPECT_TRUE(Doc().running);
  EXPECT_FALSE(run->isEnabled());
  EXPECT_FALSE(Enabled("runbtn"));
  EXPECT_TRUE(stop->isEnabled());
  EXPECT_TRUE(Enabled("stopbtn"));
  w->Action("StopMenu")->trigger();
  EXPECT_FALSE(Doc().running);
  EXPECT_TRUE(run->isEnabled());
  EXPECT_FALSE(Enabled("stopbtn"));
}

TEST_F(MainWindowTest, F9DoesNothingWhileRunning) {
  int runs = 0;
  QAction* run = w->Action("RunMenu");
  QObject::connect(run, &QAction::triggered, [&runs] { ++runs; });
  run->trigger();
  EXPECT_EQ(runs, 1);
  ASSERT_TRUE(Doc().running);
  run->trigger();  // what F9 does: the disabled item does not fire
  EXPECT_EQ(runs, 1);
  // Even a direct second Run leaves the state as it was.
  w->RunMenuClick();
  EXPECT_TRUE(Doc().running);
  EXPECT_FALSE(run->isEnabled());
}

TEST_F(MainWindowTest, ZoomInThenOutIsNotExactAndTakesNoSnapshot) {
  DrawObjectUnit* a = PlaceMirror(220, 100, 320, 100);
  w->Button("SpeedButton5")->click();
  EXPECT_NEAR(P1(a).x, 20 + 200 * 1.1, 1e-3);
  w->Button("SpeedButton6")->click();
  EXPECT_NEAR(P1(a).x, 20 + 200 * 1.045, 1e-3);
  EXPECT_NEAR(P1(a).y, 300 - 200 * 1.045, 1e-3);
  EXPECT_EQ(Doc().history.Size(), 2u);
}

TEST_F(MainWindowTest, NewEmptiesTheExperimentAndTakesOneSnapshot) {
  PlaceMirror(50, 60, 150, 60);
  w->CopyMenuClick();
  w->RunMenuClick();
  w->Button("SpeedButton24")->click();
  w->NewPageClick();
  EXPECT_EQ(Doc().history.Size(), 1u);
  EXPECT_FALSE(Doc().running);
  EXPECT_TRUE(w->Action("RunMenu")->isEnabled());
  EXPECT_FALSE(Doc().CanPaste());
  EXPECT_FALSE(Doc().placement);
  EXPECT_EQ(w->ActiveHandlers(), TLumidorNetworkFrm::Handlers::Default);
  EXPECT_EQ(Doc().page->saved, 1);
  EXPECT_FALSE(Enabled("UndoBtn"));
  EXPECT_FALSE(Enabled("PasteBtn"));
  // The coordinate system is there when its class exists.
  const bool hasFrame = CreateObjectByClassName("ReferenceFrame", nullptr) != nullptr;
  EXPECT_EQ(Doc().scene.size(), hasFrame ? 1u : 0u);
}

// ---- window parts

TEST_F(MainWindowTest, SaveCommandsAreHiddenButCtrlSStillReachesTheSave) {
  EXPECT_FALSE(w->Action("SaveMenu")->isVisible());
  EXPECT_FALSE(w->Action("SaveAsMenu")->isVisible());
  EXPECT_FALSE(w->Action("MakeExeMenu")->isVisible());
  EXPECT_FALSE(w->Action("MakeWebMenu")->isVisible());
  EXPECT_FALSE(w->Action("SaveBtnHolder")->isVisible());
  QAction* key = w->Action("SaveShortcut");
  ASSERT_NE(key, nullptr);
  EXPECT_TRUE(key->isVisible());
  EXPECT_TRUE(key->isEnabled());
  EXPECT_EQ(key->shortcut(), QKeySequence("Ctrl+S"));
  EXPECT_TRUE(w->actions().contains(key));
}

std::vector<QString> Texts(QMenu* menu) {
  std::vector<QString> out;
  for (QAction* a : menu->actions())
    if (a->isVisible()) out.push_back(a->isSeparator() ? "-" : a->text());
  return out;
}

TEST_F(MainWindowTest, MenusHoldTheirItemsInOrder) {
  auto* edit = w->findChild<QMenu*>("EditMenu");
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(Texts(edit),
            (std::vector<QString>{"撤消", "重作", "-", "剪切", "复制", "粘贴", "删除", "-", "属性",
                                  "-", "使用软键盘", "画板", "键盘操作"}));
  EXPECT_EQ(Texts(w->ToolUnitMenu()),
            (std::vector<QString>{"撤消", "重作", "-", "剪切", "复制", "粘贴", "删除", "-", "属性",
                                  "锁定", "-", "画板", "-", "旋转…"}));
  auto* file = w->findChild<QMenu*>("FileMenu");
  EXPECT_EQ(Texts(file),
            (std::vector<QString>{"新建", "-", "打开", "最近打开的实验", "导入 Ray Optics 场景…",
                                  "打开 Ray Optics 分享链接…", "导出为 Ray Optics 场景…",
                                  "新建课件", "保存为图片", "-", "打印设置", "打印", "打印预览",
                                  "打印作业单…", "-", "退出"}));
  EXPECT_EQ(w->Action("RedoMenu")->shortcut(), QKeySequence("Ctrl+Alt+Z"));
  EXPECT_EQ(w->Action("DeleteMenu")->shortcut(), QKeySequence(Qt::Key_Delete));
  EXPECT_EQ(w->Action("PopupProperties")->shortcut(), QKeySequence("Ctrl+P"));
  EXPECT_EQ(w->Action("StateMenu")->text(), "状态栏 ");
}

TEST_F(MainWindowTest, ViewItemsToggleTheirPartsEachTime) {
  auto* toolBar = w->findChild<QToolBar*>("ToolBar1");
  for (int round = 0; round < 2; ++round) {
    w->Action("ToolBarMenu")->trigger();
    EXPECT_TRUE(toolBar->isHidden());
    EXPECT_FALSE(w->Action("ToolBarMenu")->isChecked());
    w->Action("ToolBarMenu")->trigger();
    EXPECT_FALSE(toolBar->isHidden());
    EXPECT_TRUE(w->Action("ToolBarMenu")->isChecked());
  }
  w->Action("N18")->trigger();
  EXPECT_TRUE(w->findChild<QWidget*>("Panel3")->isHidden());
  w->Action("StateMenu")->trigger();
  EXPECT_TRUE(w->findChild<QWidget*>("LumidorStatusBar")->isHidden());
  EXPECT_FALSE(w->Action("StateMenu")->isChecked());
}

TEST_F(MainWindowTest, CaptionsAndTitle) {
  EXPECT_EQ(w->windowTitle(), "Veltrano Suite-光学 V5.0");
  w->FormShow();
  EXPECT_EQ(w->windowTitle(), "QorvanVeltrano Suite 光学 V5.0");
  // Titles show exactly their texts: no display name for the window system
  // to append (it falls back to the application's name when none is set).
  EXPECT_EQ(QGuiApplication::applicationDisplayName(), QCoreApplication::applicationName());
  EXPECT_EQ(w->Button("CutBtn")->text(), "属性");
  EXPECT_EQ(w->Button("CutBtn")->toolTip(), "剪切");
  EXPECT_EQ(w->Button("runbtn")->width(), 54);
  EXPECT_EQ(w->Button("SpeedButton5")->toolTip(), "");
}

TEST(AboutBoxTest, SplashClosesItselfAfterThreeSeconds) {
  TestApplication();
  TAboutBox splash(nullptr, true);
  ASSERT_NE(splash.SplashTimer(), nullptr);
  EXPECT_TRUE(splash.SplashTimer()->isActive());
  EXPECT_TRUE(splash.SplashTimer()->isSingleShot());
  EXPECT_EQ(splash.SplashTimer()->interval(), 3000);
  EXPECT_TRUE(splash.windowFlags() & Qt::FramelessWindowHint);
  // Its expiry accepts the box (made immediate here).
  splash.SplashTimer()->start(0);
  for (int i = 0; i < 100 && splash.result() != QDialog::Accepted; ++i)
    QCoreApplication::processEvents();
  EXPECT_EQ(splash.result(), QDialog::Accepted);
}

TEST(AboutBoxTest, OrdinaryBoxClosesOnAClickOnThePicture) {
  TestApplication();
  TAboutBox about(nullptr, false);
  EXPECT_EQ(about.SplashTimer(), nullptr);
  auto* picture = about.findChild<QWidget*>("AboutPicture");
  ASSERT_NE(picture, nullptr);
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(picture, &press);
  EXPECT_EQ(about.result(), QDialog::Accepted);
}

// ---- the drawing board takes the surface while it is visible

TEST_F(MainWindowTest, VisibleBoardTakesTheMouseAndToolsCloseIt) {
  DrawObjectUnit* a = PlaceMirror(50, 60, 150, 60);
  Click(300, 250);
  FakeBoard board;
  w->SetDrawingBoard(&board);
  Drag(100, 60, 100, 120);
  EXPECT_TRUE(Doc().selection.empty());
  EXPECT_EQ(P1(a), (TPointF{50, 60}));
  EXPECT_EQ(board.downs, 1);
  EXPECT_EQ(board.moves, 2);
  EXPECT_EQ(board.ups, 1);
  Click(100, 60, Qt::RightButton);  // never a stroke
  EXPECT_EQ(board.downs, 1);
  EXPECT_TRUE(Doc().selection.empty());
  w->Button("SpeedButton24")->click();
  EXPECT_EQ(board.closes, 1);
  Drag(10, 10, 90, 10);
  EXPECT_EQ(Placed(), 2u);
  w->NewPageClick();
  EXPECT_EQ(board.clears, 1);
  w->SetDrawingBoard(nullptr);
}

}  // namespace

namespace {

TEST_F(UiTest, ExceptionFromAnEventIsShownAndTheLoopGoesOn) {
  EXPECT_TRUE(DeliverShowingExceptions([] { return true; }));
  EXPECT_FALSE(DeliverShowingExceptions(
      []() -> bool { throw std::invalid_argument("'x' is not a valid integer value"); }));
  EXPECT_FALSE(DeliverShowingExceptions([]() -> bool { throw 42; }));
  ASSERT_EQ(ui->messages.messages.size(), 2u);
  EXPECT_EQ(ui->messages.messages[0], "'x' is not a valid integer value");
}

}  // namespace
