// The window with the keyboard alone: keys go through Qt's shortcuts and focus
// chain as a user's would.
#include <QAccessible>
#include <QApplication>
#include <QTest>
#include <fstream>

#include "MainWindowFixture.h"
#include "app/SurfaceKeys.h"
#include "files/ExperimentFile.h"
#include "objects/elements/IdealLens.h"
#include "ui/FileCommands.h"

namespace {

class SurfaceKeysTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    w->show();
    QApplication::setActiveWindow(w.get());
  }
  void Key(int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QWidget* focus = QApplication::focusWidget();
    QTest::keyClick(focus ? focus : w.get(), Qt::Key(key), mods);
  }
  QWidget* Focus() { return QApplication::focusWidget(); }
  QAction* Act(const char* name) { return w->findChild<QAction*>(name); }
  // Arms the palette tool `steps` buttons after the arrow, by keys.
  void ArmByKeys(int steps) {
    w->Button("ArrowBtn")->setFocus();
    for (int i = 0; i < steps; ++i) Key(Qt::Key_Right);
    Key(Qt::Key_Return);
  }
  void TabToSurface() {
    for (int i = 0; i < 4 && Focus() != w->Surface(); ++i) Key(Qt::Key_Tab);
    ASSERT_EQ(Focus(), w->Surface());
  }
};

// Source, mirror and lens placed, run, edited and saved without a pointer.
TEST_F(SurfaceKeysTest, BuildsRunsEditsAndSavesAnExperiment) {
  ArmByKeys(1);  // 平行光源
  ASSERT_EQ(Doc().placement->className, "LampHouse");
  TabToSurface();
  const QPoint start = w->Keys()->Cursor();
  Key(Qt::Key_Right, Qt::ShiftModifier);
  Key(Qt::Key_Down);
  Key(Qt::Key_Return);
  ASSERT_EQ(Placed(), 1u);
  EXPECT_EQ(Doc().scene.back()->ControlPointValues()[0],
            (TPointF{float(start.x() + 10), float(start.y() + 1)}));

  for (int tool : {11 /* 平面镜 */, 7 /* 理想凸透镜 */}) {
    ArmByKeys(tool);
    TabToSurface();
    for (int i = 0; i < 3; ++i) Key(Qt::Key_Right, Qt::ShiftModifier);
    Key(Qt::Key_Return);
  }
  ASSERT_EQ(Placed(), 3u);
  EXPECT_EQ(Doc().scene.back()->className, "IdealMagnifier");

  Key(Qt::Key_F9);
  EXPECT_TRUE(Doc().running);
  // Tab from nothing: the first drawn object, the source.
  Key(Qt::Key_Escape);
  EXPECT_TRUE(Doc().selection.empty());
  Key(Qt::Key_Tab);
  Key(Qt::Key_Tab);
  Key(Qt::Key_Tab);
  auto* lens = dynamic_cast<IdealLens*>(Doc().selection.at(0));
  ASSERT_NE(lens, nullptr);
  ui->sheet.typed = {{"焦距", "150"}};
  Key(Qt::Key_Return);
  EXPECT_EQ(lens->focalLength, 150.0f);

  const std::string path = testing::TempDir() + "keys.exo";
  ASSERT_TRUE(SavePageFile(path, Doc()));
  Key(Qt::Key_Delete);
  EXPECT_EQ(Placed(), 2u);
  Key(Qt::Key_S, Qt::ControlModifier);
  Document read(nullptr);
  ASSERT_EQ(OpenExperimentFile(path, read).status, OpenStatus::Opened);
  EXPECT_EQ(read.scene.size(), Doc().scene.size());
}

TEST_F(SurfaceKeysTest, ArrowsBracketsAndCtrlDEditTheSelectionOneStepEach) {
  w->Button("SpeedButton24")->click();
  Drag(50, 60, 150, 60);
  w->Surface()->setFocus();
  DrawObjectUnit* mirror = Doc().scene.back().get();
  const std::size_t snapshots = Doc().history.Size();
  Key(Qt::Key_Left, Qt::ShiftModifier);
  Key(Qt::Key_Up);
  EXPECT_EQ(P1(mirror), (TPointF{40, 59}));
  Key(Qt::Key_BracketLeft, Qt::ShiftModifier);
  EXPECT_NEAR(mirror->Direction()->angle, 15, 1e-3);
  Key(Qt::Key_BracketRight);
  EXPECT_NEAR(mirror->Direction()->angle, 14, 1e-3);
  Key(Qt::Key_D, Qt::ControlModifier);
  EXPECT_EQ(Doc().history.Size(), snapshots + 5);
  EXPECT_EQ(Doc().selection.front()->ControlPointValues()[0].x, P1(mirror).x + 20);

  SurfaceKeys::SetAngleQuestion([](double) { return 30.0; });
  Doc().SelectOnly(mirror);
  Act("PopupTurn")->trigger();
  SurfaceKeys::SetAngleQuestion({});
  EXPECT_NEAR(mirror->Direction()->angle, 30, 1e-3);
  EXPECT_EQ(Doc().history.Size(), snapshots + 6);
}

TEST_F(SurfaceKeysTest, StepsKeepLeftAndRightWhileStepping) {
  w->Button("SpeedButton24")->click();
  Drag(50, 60, 150, 60);
  Doc().StartStepping();
  w->RefreshView();
  EXPECT_FALSE(Act("KeyLeft")->isEnabled());
  Doc().StopStepping();
  w->RefreshView();
  EXPECT_TRUE(Act("KeyLeft")->isEnabled());
}

// Snapping moves placing onto grid points.
TEST_F(SurfaceKeysTest, GridSnapsPlacing) {
  Act("SnapMenu")->trigger();
  Act("GridMenu")->trigger();
  EXPECT_TRUE(Doc().page->gridSnap && Doc().page->gridShown);
  w->Button("SpeedButton24")->click();
  Drag(47, 63, 151, 58);
  EXPECT_EQ(P1(Doc().scene.back().get()), (TPointF{40, 60}));
  EXPECT_EQ(P2(Doc().scene.back().get()), (TPointF{160, 60}));
}

}  // namespace

namespace {

// In process, through QAccessible: an AT-SPI bus was not set up headless.
TEST_F(SurfaceKeysTest, EveryButtonIsNamedAndTheSurfaceTellsTheSelection) {
  int buttons = 0;
  w->RefreshView();
  for (auto* button : w->findChildren<QToolButton*>()) {
    if (!button->isVisibleTo(w.get())) continue;
    QAccessibleInterface* item = QAccessible::queryAccessibleInterface(button);
    ASSERT_NE(item, nullptr);
    EXPECT_FALSE(item->text(QAccessible::Name).isEmpty()) << button->objectName().toStdString();
    ++buttons;
  }
  EXPECT_GE(buttons, 39);
  QAccessibleInterface* surface = QAccessible::queryAccessibleInterface(w->Surface());
  ASSERT_NE(surface, nullptr);
  EXPECT_EQ(surface->text(QAccessible::Name), "绘图区");
  EXPECT_TRUE(surface->text(QAccessible::Value).contains("没有选择对象"));
  ArmByKeys(7);  // 理想凸透镜
  TabToSurface();
  Key(Qt::Key_Return);
  const QString value = surface->text(QAccessible::Value);
  EXPECT_TRUE(value.contains("理想凸透镜") && value.contains("焦距")) << value.toStdString();
}

}  // namespace
