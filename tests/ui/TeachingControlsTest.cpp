// The classroom commands on a shown window: stepping through the
// generations by menu, keys and timer, and following one ray.
#include <QAction>
#include <QLabel>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <map>

#include "MainWindowFixture.h"
#include "app/TeachingControls.h"

namespace {

class TeachingControlsTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    // A ray through a prism: four generations (in, reflected twice, out).
    Open("三棱镜的全反射.exo");
  }
  void Open(const std::string& example) {
    TLumidorNetworkFrm::Options options;
    options.splash = false;
    options.surfaceSize = QSize(800, 600);
    options.openFile = std::string(EXO_EXAMPLES_DIR) + "/" + example;
    w.reset();
    w = std::make_unique<TLumidorNetworkFrm>(options);
    w->show();
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    t = w->Teaching();
  }
  void TearDown() override {
    w.reset();
    UiTest::TearDown();
  }
  void Trigger(const char* name) { w->findChild<QAction*>(name)->trigger(); }
  void Key(Qt::Key key) { QTest::keyClick(w.get(), key); }
  QString Status() {
    auto* panel = w->findChild<QLabel*>("StepPanel");
    return panel->isVisible() ? panel->text() : QString();
  }
  QImage Picture() { return w->Surface()->Image().copy(); }
  QString Hint() {
    auto* panel = w->findChild<QLabel*>("FollowHintPanel");
    return panel->isVisibleTo(w.get()) ? panel->text() : QString();
  }
  void Click(int x, int y) {
    w->SurfaceMouseDown(Qt::LeftButton, x, y);
    w->SurfaceMouseUp(Qt::LeftButton, x, y);
  }

  std::unique_ptr<TLumidorNetworkFrm> w;
  TeachingControls* t = nullptr;
};

TEST_F(TeachingControlsTest, StepsByMenuAndArrowKeysThenShowsAll) {
  w->RunMenuClick();
  const QImage whole = Picture();
  Key(Qt::Key_Right);  // not stepping: the arrows are not taken
  EXPECT_FALSE(t->Stepping());
  w->findChild<QToolButton*>("StepStartBtn")->click();
  EXPECT_EQ(Status(), "第 1 步 / 共 4 步");
  const QImage first = Picture();
  EXPECT_NE(first, whole);
  Key(Qt::Key_Right);
  Key(Qt::Key_Right);
  EXPECT_EQ(t->Step(), 3);
  Key(Qt::Key_Left);
  EXPECT_EQ(Status(), "第 2 步 / 共 4 步");
  for (int i = 0; i < 5; ++i) Trigger("StepBackMenu");
  EXPECT_EQ(t->Step(), 1);
  EXPECT_EQ(Picture(), first);
  for (int i = 0; i < 5; ++i) Trigger("StepNextMenu");
  EXPECT_EQ(Status(), "第 4 步 / 共 4 步");
  EXPECT_EQ(Picture(), whole);  // the last step is the whole trace
  Trigger("StepAllMenu");
  EXPECT_FALSE(t->Stepping());
  EXPECT_EQ(Status(), "");
  EXPECT_EQ(Picture(), whole);
  EXPECT_FALSE(w->findChild<QAction*>("StepNextMenu")->isEnabled());
}

TEST_F(TeachingControlsTest, EditingKeepsTheStepWithinTheNewTraceAndStopLeaves) {
  Trigger("StepStartMenu");  // starts tracing too
  EXPECT_TRUE(w->Doc().running);
  Trigger("StepNextMenu");
  Trigger("StepNextMenu");
  Trigger("StepNextMenu");
  ASSERT_EQ(t->Step(), 4);
  w->Doc().SelectOnly(FindByClass(w->Doc().scene, "ThreePrism"));
  w->DeleteMenuClick();  // the ray now meets nothing: one generation
  EXPECT_EQ(t->Steps(), 1);
  EXPECT_EQ(Status(), "第 1 步 / 共 1 步");
  w->StopMenuClick();
  EXPECT_FALSE(t->Stepping());
  EXPECT_EQ(w->Doc().view.maxGeneration, 0);
}

// "自动播放" is drawn pressed exactly while it plays.
TEST_F(TeachingControlsTest, AutoPlayRevealsEveryStepAndASecondPressPauses) {
  QToolButton* play = w->findChild<QToolButton*>("StepPlayBtn");
  Trigger("StepPlayMenu");
  EXPECT_TRUE(t->AutoPlaying());
  EXPECT_TRUE(play->isChecked());
  play->click();
  EXPECT_FALSE(t->AutoPlaying());
  EXPECT_FALSE(play->isChecked());
  EXPECT_EQ(t->Step(), 1);
  play->click();
  EXPECT_TRUE(play->isChecked());
  // The bound only ends a run where the timer never fires.
  EXPECT_TRUE(QTest::qWaitFor([&] { return t->Step() == 4; }, 30000));
  EXPECT_FALSE(t->AutoPlaying());
  EXPECT_FALSE(play->isChecked());
}

// No classroom command borrows another button's picture.
TEST_F(TeachingControlsTest, EveryToolBarButtonHasItsOwnPicture) {
  std::map<QString, QImage> pictures;
  for (QToolButton* button : w->findChild<QToolBar*>("ToolBar1")->findChildren<QToolButton*>()) {
    if (button->icon().isNull()) continue;
    const QImage picture = button->icon().pixmap(QSize(16, 16), 1.0).toImage();
    for (const auto& [name, other] : pictures)
      EXPECT_NE(picture, other) << button->objectName().toStdString() << " looks like "
                                << name.toStdString();
    pictures[button->objectName()] = picture;
  }
  EXPECT_GE(pictures.size(), 20u);
}

TEST_F(TeachingControlsTest, FollowPicksTheClickedRayUntilEscOrAnEmptyClick) {
  w->RunMenuClick();
  const QImage whole = Picture();
  Click(250, 121);  // on the outgoing ray, follow off
  EXPECT_EQ(w->Doc().view.followedRoot, -1);
  EXPECT_EQ(Hint(), "");
  Trigger("ShowLawMenu");  // shows nothing yet: the status bar says what it needs
  EXPECT_EQ(Hint(), "显示折射定律: 打开“跟随光线”, 运行时点击一条光线");
  Trigger("ShowLawMenu");
  EXPECT_EQ(Hint(), "");
  Trigger("FollowRayMenu");
  EXPECT_EQ(Hint(), "跟随光线: 运行时点击一条光线");
  w->Button("SpeedButton7")->click();  // the pan mode is no select tool
  Click(250, 121);
  EXPECT_EQ(w->Doc().view.followedRoot, -1);
  w->Button("SpeedButton7")->click();
  Click(250, 121);
  EXPECT_EQ(w->Doc().view.followedRoot, 0);
  EXPECT_EQ(Hint(), "");
  EXPECT_NE(Picture(), whole);  // its angles show
  const QImage followed = Picture();
  Trigger("ShowLawMenu");  // the law beside each of its hits
  EXPECT_NE(Picture(), followed);
  Trigger("ShowLawMenu");
  Key(Qt::Key_Escape);
  EXPECT_EQ(w->Doc().view.followedRoot, -1);
  EXPECT_EQ(Picture(), whole);
  Click(250, 121);
  Click(700, 500);
  EXPECT_EQ(w->Doc().view.followedRoot, -1);
  Click(250, 121);
  Trigger("FollowRayMenu");  // switched off
  EXPECT_EQ(w->Doc().view.followedRoot, -1);
  EXPECT_EQ(Picture(), whole);
}

// The panel shows over a lens's image while running, and the choice holds
// for the next window.
TEST_F(TeachingControlsTest, EquationPanelsAreAViewOptionThatIsRemembered) {
  Open("凸透镜成像(物体在一倍焦距以内).exo");
  w->RunMenuClick();
  const QImage plain = Picture();
  Trigger("ShowEquationsMenu");
  EXPECT_NE(Picture(), plain);
  Open("凸透镜成像(物体在一倍焦距以内).exo");
  EXPECT_TRUE(w->findChild<QAction*>("ShowEquationsMenu")->isChecked());
  w->RunMenuClick();
  EXPECT_NE(Picture(), plain);
  Trigger("ShowEquationsMenu");
  EXPECT_EQ(Picture(), plain);
}

}  // namespace
