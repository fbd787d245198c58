// Unsaved work kept in a recovery file and offered again after an unclean exit.
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "MainWindowFixture.h"
#include "app/CrashRecovery.h"
#include "app/LessonControls.h"

namespace {

class CrashRecoveryTest : public MainWindowTest {
 protected:
  std::unique_ptr<TLumidorNetworkFrm> Window() {
    TLumidorNetworkFrm::Options options;
    options.splash = false;
    options.surfaceSize = QSize(400, 300);
    options.recoveryFolder = dir.path();
    auto window = std::make_unique<TLumidorNetworkFrm>(options);
    window->Recovery()->SetAsker([this](const std::string& question) {
      asked.push_back(question);
      return restore;
    });
    return window;
  }
  void SetUp() override {
    MainWindowTest::SetUp();
    w = Window();
  }
  void Tick(TLumidorNetworkFrm& window) {
    window.Recovery()->Tick();
    window.Recovery()->WaitForWrite();
  }
  QStringList Files() { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }
  // A window that ends as a session does, leaving its file behind.
  void LeaveUnsavedWork() {
    if (!w) w = Window();
    PlaceMirror(50, 60, 150, 60);
    w->Recovery()->KeepForNextStart();
    w.reset();
  }
  QTemporaryDir dir;
  std::vector<std::string> asked;
  bool restore = true;
};

TEST_F(CrashRecoveryTest, OnlyUnsavedChangesAreKeptNeverDuringADragAndCleanExitRemovesThem) {
  const QString file = QFileInfo(w->Recovery()->File()).fileName();
  Tick(*w);
  EXPECT_EQ(Files(), QStringList{file.chopped(4) + ".lock"});
  PlaceMirror(50, 60, 150, 60);
  Down(100, 100);
  Tick(*w);  // a press is held
  EXPECT_FALSE(Files().contains(file));
  Up(100, 100);
  Tick(*w);
  ASSERT_TRUE(Files().contains(file)) << Files().join(" ").toStdString();
  Document copy(nullptr);
  EXPECT_EQ(OpenExperimentFile(w->Recovery()->File().toStdString(), copy).status,
            OpenStatus::Opened);
  EXPECT_EQ(copy.scene.size(), Doc().scene.size());
  Doc().page->saved = 1;  // as a save leaves it
  Tick(*w);
  EXPECT_FALSE(Files().contains(file));
  PlaceMirror(60, 70, 160, 70);
  // The window loses focus (which writes) and goes while it is active.
  w->show();
  w->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
  QWidget other;
  other.show();
  other.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
  w->Recovery()->WaitForWrite();
  EXPECT_EQ(Files().size(), 2);
  w->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
  w.reset();
  EXPECT_TRUE(Files().isEmpty());
}

TEST_F(CrashRecoveryTest, LeftOverWorkIsRestoredUntitledOrDiscardedAndALiveWindowsIsNot) {
  auto alive = Window();
  alive->Doc().page->saved = 0;
  Tick(*alive);
  for (bool answer : {true, false}) {
    restore = answer;
    LeaveUnsavedWork();
    ++alive->Doc().page->rayWidth;  // its file is the newest, and taken
    Tick(*alive);
    asked.clear();
    auto next = Window();
    next->FormShow();
    EXPECT_EQ(asked, std::vector<std::string>{"上次未保存的实验可以恢复。要恢复吗?"});
    EXPECT_EQ(next->Doc().scene.size(), base + (answer ? 1 : 0));
    EXPECT_EQ(next->Doc().page->fileName, "");
    // The live window's two files, the next one's lock and what it restored.
    EXPECT_EQ(Files().size(), answer ? 4 : 3) << Files().join(" ").toStdString();
    EXPECT_EQ(QFile::exists(next->Recovery()->File()), answer);
  }
}

TEST_F(CrashRecoveryTest, DamagedLeftOverShowsTheMessageAndIsKeptAside) {
  QFile damaged(dir.filePath("recovery-1-1.exo"));
  ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
  damaged.write(QByteArray(300, 'x'));
  damaged.close();
  w->FormShow();
  EXPECT_EQ(asked.size(), 1u);
  EXPECT_EQ(ui->messages.messages.size(), 1u);
  EXPECT_TRUE(QFile::exists(damaged.fileName() + ".damaged"));
  EXPECT_FALSE(damaged.exists());
}

// A recovery file is never followed as a link: a link planted under this
// window's name is replaced, not written through, and a left-over link is
// neither offered nor touched, nor what it names.
TEST_F(CrashRecoveryTest, LinksInTheFolderAreNeitherWrittenThroughNorOffered) {
  QTemporaryDir elsewhere;
  const QString victim = elsewhere.filePath("lesson.exo");
  ASSERT_TRUE(SaveExperimentFile(victim.toStdString(), Doc(), nullptr));
  const QDateTime before = QFileInfo(victim).lastModified();
  ASSERT_TRUE(QFile::link(victim, w->Recovery()->File()));
  ASSERT_TRUE(QFile::link(victim, dir.filePath("recovery-1-1.exo")));
  ASSERT_TRUE(QFile::link(victim, dir.filePath("recovery-2-2.lock")));
  PlaceMirror(50, 60, 150, 60);
  Tick(*w);
  EXPECT_FALSE(QFileInfo(w->Recovery()->File()).isSymLink());
  w->FormShow();
  EXPECT_TRUE(asked.empty());
  EXPECT_TRUE(QFileInfo(dir.filePath("recovery-1-1.exo")).isSymLink());
  EXPECT_EQ(QFileInfo(victim).lastModified(), before);
}

}  // namespace

TEST_F(CrashRecoveryTest, AnOpenLessonIsKeptWholeAndComesBackAsALesson) {
  w->findChild<QAction*>("NewLessonMenu")->trigger();
  w->findChild<QPushButton*>("AddSceneBtn")->click();
  PlaceMirror(50, 60, 150, 60);
  w->Recovery()->KeepForNextStart();
  w.reset();
  auto next = Window();
  next->FormShow();
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(next->Lessons()->Session().Count(), 2u);
  EXPECT_EQ(next->Lessons()->Session().FileName(), "");
}
