// A lesson in the window: scenes made, stepped through and reordered, the
// list's edits undone, saved and opened again; student mode with locked
// objects that refuse every change, left only with the teacher's PIN.
#include <QDockWidget>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>

#include "MainWindowFixture.h"
#include "app/LessonControls.h"
#include "files/LessonFile.h"

namespace {

class LessonWindowTest : public MainWindowTest {
 protected:
  LessonControls& Lessons() { return *w->Lessons(); }
  LessonSession& Session() { return Lessons().Session(); }
  QAction* Item(const char* name) { return w->findChild<QAction*>(name); }
  QTemporaryDir dir;
};

}  // namespace

TEST_F(LessonWindowTest, ScenesAreMadeSteppedThroughUndoneSavedAndOpenedAgain) {
  EXPECT_FALSE(w->findChild<QDockWidget*>("SceneBar")->isVisibleTo(w.get()));
  PlaceMirror(50, 60, 150, 60);
  Item("NewLessonMenu")->trigger();
  w->findChild<QPushButton*>("AddSceneBtn")->click();
  ASSERT_EQ(Session().Count(), 2u);
  EXPECT_EQ(Placed(), 0u);  // the new scene is an empty page
  EXPECT_TRUE(w->windowTitle().endsWith("场景 2 / 2: 场景 2")) << w->windowTitle().toStdString();
  EXPECT_EQ(w->findChild<QLabel*>("LessonPanel")->text(), "场景 2 / 2: 场景 2");
  // A worksheet printed now is headed by the lesson and the scene.
  EXPECT_EQ(Lessons().WorksheetTitles().lessonTitle, "新课件");
  EXPECT_EQ(Lessons().WorksheetTitles().title, "场景 2");
  EXPECT_EQ(Item("PreviousSceneMenu")->shortcut(), QKeySequence(Qt::Key_PageUp));
  Item("PreviousSceneMenu")->trigger();
  EXPECT_EQ(Placed(), 1u);  // scene 1 kept its mirror
  w->findChild<QPushButton*>("NextSceneBtn")->click();
  EXPECT_EQ(Session().Current(), 1u);
  // Nothing to undo in the scene: Ctrl+Z undoes the added scene.
  w->UndoMenuClick();
  EXPECT_EQ(Session().Count(), 1u);
  EXPECT_EQ(Placed(), 1u);
  w->RedoMenuClick();
  EXPECT_EQ(Session().Count(), 2u);

  const std::string path = dir.filePath("a.exol").toStdString();
  std::string error;
  ASSERT_TRUE(Session().Save(path, Doc(), &error)) << error;
  w->NewPageClick();
  EXPECT_FALSE(Session().Active());
  EXPECT_EQ(Lessons().WorksheetTitles().lessonTitle, "");
  ASSERT_EQ(w->OpenExperiment(path, false), OpenStatus::Opened);
  EXPECT_EQ(Session().Count(), 2u);
  EXPECT_EQ(Placed(), 1u);
  EXPECT_TRUE(w->findChild<QDockWidget*>("SceneBar")->isVisibleTo(w.get()));
}

TEST_F(LessonWindowTest, StudentModeKeepsLockedObjectsAndIsLeftOnlyWithThePin) {
  DrawObjectUnit* mirror = PlaceMirror(50, 60, 150, 60);
  DrawObjectUnit* free = PlaceMirror(50, 160, 150, 160);
  mirror->SetLocked(true);
  Doc().selection = {free};
  w->CopyMenuClick();
  Item("NewLessonMenu")->trigger();
  Lessons().SetPinAsker([](const std::string&) { return std::optional<std::string>("0000"); });
  Lessons().SetPin();
  Item("StudentModeMenu")->trigger();
  ASSERT_TRUE(Lessons().StudentMode());
  mirror = Doc().scene[base].get();
  free = Doc().scene[base + 1].get();
  EXPECT_FALSE(w->findChild<QWidget*>("Panel3")->isVisibleTo(w.get()));
  for (const char* hidden : {"NewMenu", "OpenMenu", "NewLessonMenu", "SaveLessonMenu", "PopupLock",
                             "PasteMenu", "PopupPaste"})
    EXPECT_FALSE(Item(hidden)->isVisible()) << hidden;
  EXPECT_TRUE(w->findChild<QPushButton*>("NextSceneBtn")->isVisibleTo(w.get()));
  const TPointF before = P1(mirror);
  Drag(100, 60, 130, 90);
  EXPECT_EQ(P1(mirror).x, before.x);
  w->DeleteMenuClick();
  w->CutMenuClick();
  w->PasteMenuClick();
  EXPECT_EQ(Placed(), 2u);
  Drag(100, 160, 130, 190);  // an unlocked object still moves
  EXPECT_NE(P1(free).y, 160.f);
  // Leaving: a confirmation, then the PIN.
  ui->messages.answer = false;
  EXPECT_FALSE(Lessons().LeaveStudentMode());
  EXPECT_FALSE(w->close());  // nor does closing the window (Ctrl+Q) end it
  EXPECT_TRUE(Lessons().StudentMode());
  ui->messages.answer = true;
  Lessons().SetPinAsker([](const std::string&) { return std::optional<std::string>("1111"); });
  EXPECT_FALSE(Lessons().LeaveStudentMode());
  Lessons().SetPinAsker([](const std::string&) { return std::optional<std::string>("0000"); });
  EXPECT_TRUE(Lessons().LeaveStudentMode());
  EXPECT_TRUE(w->findChild<QWidget*>("Panel3")->isVisibleTo(w.get()));
}
