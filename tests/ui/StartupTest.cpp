// Start-up of the main window (the fresh page and the experiment named on
// the command line) and its Open and Save commands.

#include <QApplication>
#include <QFileDialog>
#include <QLibraryInfo>
#include <QTemporaryDir>
#include <QToolButton>

#include "FakeBoard.h"
#include "UiTest.h"
#include "UiTestApp.h"
#include "app/TLumidorNetworkFrm.h"
#include "files/ExperimentFile.h"
#include "objects/ObjectFactory.h"
#include "objects/elements/FlatMirror.h"
#include "scene/ObjectList.h"

namespace {

class StartupTest : public UiTest {
 protected:
  std::unique_ptr<TLumidorNetworkFrm> Start(const std::string& file) {
    TLumidorNetworkFrm::Options options;
    options.splash = false;
    options.openFile = file;
    options.surfaceSize = QSize(400, 300);
    return std::make_unique<TLumidorNetworkFrm>(options);
  }

  // An experiment with a coordinate system and one plane mirror, saved to `path`.
  void WriteExperiment(const std::string& path, std::uint8_t showAngles) {
    Document doc(nullptr);
    AddCoordinateSystem(doc);
    auto mirror = CreateObjectByClassName("FlatMirror", nullptr);
    auto* m = static_cast<FlatMirror*>(mirror.get());
    m->segment = {};
    m->segment.x1 = 50;
    m->segment.y1 = 60;
    m->segment.x2 = 150;
    m->segment.y2 = 60;
    doc.scene.push_back(std::move(mirror));
    doc.showAngles = showAngles;
    doc.page->ambientColour = 0x123456;
    std::string error;
    ASSERT_TRUE(SaveExperimentFile(path, doc, &error)) << error;
  }

  QTemporaryDir dir;
};

TEST_F(StartupTest, FreshPageHasItsCoordinateSystemAndOneSnapshot) {
  auto w = Start("");
  ASSERT_EQ(w->Doc().scene.size(), 1u);
  EXPECT_EQ(w->Doc().scene.front()->className, "ReferenceFrame");
  EXPECT_EQ(w->Doc().scene.front()->isDrawn, 0);  // the page hides the axes
  EXPECT_TRUE(w->Doc().page->fileName.empty());
  EXPECT_EQ(w->Doc().history.Size(), 1u);  // the fresh page, so the first edit can be undone
  EXPECT_EQ(w->Doc().page->saved, 1);
  EXPECT_FALSE(w->Doc().running);
  EXPECT_FALSE(w->moveMode);
  EXPECT_EQ(w->Doc().header.formatTag, "ptx");
  EXPECT_FALSE(w->Doc().header.dateTime.empty());
}

TEST_F(StartupTest, FileOnTheCommandLineIsOpenedAndKeptAsTheFileName) {
  ASSERT_TRUE(dir.isValid());
  const std::string path = dir.filePath("镜子.exo").toStdString();
  WriteExperiment(path, 1);
  auto w = Start(path);
  const Document& doc = w->Doc();
  EXPECT_EQ(doc.page->fileName, path);
  EXPECT_EQ(doc.page->ambientColour, 0x123456u);
  // The file's show-angles setting survives start-up.
  EXPECT_EQ(doc.showAngles, 1);
  ASSERT_NE(FindByClass(doc.scene, "FlatMirror"), nullptr);
  auto* m = static_cast<const FlatMirror*>(FindByClass(doc.scene, "FlatMirror"));
  EXPECT_EQ(m->segment.x1, 50.0f);
  EXPECT_EQ(doc.history.Size(), 1u);
  EXPECT_EQ(doc.page->saved, 1);
}

TEST_F(StartupTest, MissingFileOnTheCommandLineIsIgnoredSilently) {
  auto w = Start(dir.filePath("nichts.exo").toStdString());
  EXPECT_EQ(w->Doc().scene.size(), 1u);
  EXPECT_TRUE(w->Doc().page->fileName.empty());
  EXPECT_TRUE(ui->messages.messages.empty());
  // A directory is not an experiment file either.
  auto w2 = Start(dir.path().toStdString());
  EXPECT_TRUE(w2->Doc().page->fileName.empty());
  EXPECT_TRUE(ui->messages.messages.empty());
}

TEST_F(StartupTest, DamagedFileLeavesTheFreshPageAndIsToldOverTheShownWindow) {
  const std::string path = dir.filePath("kaputt.exo").toStdString();
  {
    QFile f(QString::fromStdString(path));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("not an experiment at all");
  }
  WatchingMessageSink sink;  // told over the shown window, in its language
  TLumidorNetworkFrm* window = nullptr;
  bool shown = false;
  QString ok;
  sink.onMessage = [&] {
    shown = window && window->isVisible();
    ok = QCoreApplication::translate("QPlatformTheme", "OK");  // the box's button
  };
  Settings().messages = &sink;
  auto w = Start(path);
  window = w.get();
  EXPECT_NE(w->Doc().page->fileName, path);
  ASSERT_NE(FindByClass(w->Doc().scene, "ReferenceFrame"), nullptr);
  EXPECT_EQ(FindByClass(w->Doc().scene, "FlatMirror"), nullptr);
  EXPECT_TRUE(sink.messages.empty());
  w->show();
  for (int i = 0; i < 100 && sink.messages.empty(); ++i) QApplication::processEvents();
  EXPECT_TRUE(shown);
  if (QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_zh_CN.qm")) {
    EXPECT_EQ(ok, "确定");
  }
  Settings().messages = &ui->messages;
}

TEST_F(StartupTest, OpenReplacesTheExperimentAndStopsTheRun) {
  const std::string path = dir.filePath("open.exo").toStdString();
  WriteExperiment(path, 0);
  auto w = Start("");
  FakeBoard board;
  board.visible = false;
  w->SetDrawingBoard(&board);
  w->Button("SpeedButton24")->click();
  w->SurfaceMouseDown(Qt::LeftButton, 10, 10);
  w->SurfaceMouseMove(Qt::LeftButton, 90, 10);
  w->SurfaceMouseUp(Qt::LeftButton, 90, 10);
  w->CopyMenuClick();
  w->RunMenuClick();
  WhenModal([&] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    dialog->selectFile(QString::fromStdString(path));
    static_cast<QDialog*>(dialog)->accept();
  });
  w->OpenPageClick();
  const Document& doc = w->Doc();
  EXPECT_EQ(doc.page->fileName, path);
  EXPECT_FALSE(doc.running);
  EXPECT_TRUE(w->Action("RunMenu")->isEnabled());
  EXPECT_FALSE(w->Action("StopMenu")->isEnabled());
  EXPECT_FALSE(doc.CanPaste());
  EXPECT_EQ(doc.history.Size(), 1u);
  EXPECT_FALSE(w->Button("UndoBtn")->isEnabled());
  EXPECT_FALSE(w->Button("PasteBtn")->isEnabled());
  EXPECT_EQ(board.clears, 1);
  EXPECT_EQ(doc.scene.size(), 2u);
  w->SetDrawingBoard(nullptr);
}

TEST_F(StartupTest, CancelledOpenChangesNothing) {
  auto w = Start("");
  w->RunMenuClick();
  WhenModal([] {
    if (auto* dialog = QApplication::activeModalWidget()) static_cast<QDialog*>(dialog)->reject();
  });
  w->OpenPageClick();
  EXPECT_TRUE(w->Doc().running);
  EXPECT_EQ(w->Doc().scene.size(), 1u);
}

TEST_F(StartupTest, CtrlSSavesToThePagesFileWithoutADialog) {
  const std::string path = dir.filePath("save.exo").toStdString();
  WriteExperiment(path, 0);
  auto w = Start(path);
  w->Button("SpeedButton24")->click();
  w->SurfaceMouseDown(Qt::LeftButton, 10, 10);
  w->SurfaceMouseMove(Qt::LeftButton, 90, 10);
  w->SurfaceMouseUp(Qt::LeftButton, 90, 10);
  EXPECT_EQ(w->Doc().page->saved, 0);
  w->Action("SaveShortcut")->trigger();
  EXPECT_EQ(w->Doc().page->saved, 1);
  Document reread(nullptr);
  ASSERT_EQ(OpenExperimentFile(path, reread).status, OpenStatus::Opened);
  int mirrors = 0;
  for (const auto& object : reread.scene) mirrors += object->className == "FlatMirror";
  EXPECT_EQ(mirrors, 2);
}

}  // namespace
