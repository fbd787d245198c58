#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <array>
#include <fstream>
#include <functional>
#include <iterator>

#include "ExperimentFileBuilder.h"
#include "FakePropertySheet.h"
#include "TestEnvironment.h"
#include "UiTestApp.h"
#include "files/ExperimentFile.h"
#include "scene/Document.h"
#include "ui/FileCommands.h"
#include "ui/TShowPropertiesFrm.h"

namespace {

class FileCommandsTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    UiTestApp();
    ASSERT_TRUE(dir.isValid());
    Settings().messages = &messages;
    // A fixed header time, so that two serialisations never straddle a second.
    document.header.dateTime = "2026-01-01 08:00:00";
  }
  std::string PathOf(const char* name) const {
    return QDir(dir.path()).filePath(name).toStdString();
  }
  static std::vector<std::uint8_t> Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  static void Write(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  }

  QTemporaryDir dir;
  CollectingMessageSink messages;
  Document document{nullptr};
};

}  // namespace

TEST_F(FileCommandsTest, SaveWritesTheFileAndMarksThePageSaved) {
  document.page->rayWidth = 3;
  document.PushUndoSnapshot();
  ASSERT_EQ(document.page->saved, 0);
  const std::string path = PathOf("a.exo");
  EXPECT_TRUE(SavePageFile(path, document));
  EXPECT_EQ(document.page->saved, 1);
  EXPECT_EQ(document.page->fileName, path);
  EXPECT_EQ(Bytes(path), SerializeExperiment(document));
  EXPECT_TRUE(messages.messages.empty());
}

TEST_F(FileCommandsTest, FailedSaveReportsAndKeepsThePageUnsaved) {
  // A regular file where a directory should be: no user, not even root, can
  // create a file below it.
  const std::string blocker = PathOf("blocker");
  Write(blocker, {1});
  document.page->fileName = "/earlier/name.exo";
  document.PushUndoSnapshot();
  EXPECT_FALSE(SavePageFile(blocker + "/x.exo", document));
  EXPECT_EQ(document.page->saved, 0);
  EXPECT_EQ(document.page->fileName, "/earlier/name.exo");
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_FALSE(messages.messages[0].empty());
}

TEST_F(FileCommandsTest, OnlyAnExistingFullPathCountsAsThePagesFile) {
  const QString oldCurrent = QDir::currentPath();
  QDir::setCurrent(dir.path());
  Write(PathOf("0"), {1});
  document.page->fileName = "0";  // the initial name; a file "0" lies in the working directory
  EXPECT_FALSE(PageNamesExistingFile(document));
  document.page->fileName = PathOf("0");
  EXPECT_TRUE(PageNamesExistingFile(document));
  document.page->fileName = PathOf("missing.exo");
  EXPECT_FALSE(PageNamesExistingFile(document));
  document.page->fileName = dir.path().toStdString();  // a directory
  EXPECT_FALSE(PageNamesExistingFile(document));
  QDir::setCurrent(oldCurrent);
}

TEST_F(FileCommandsTest, SaveToTheExistingFileAsksNothing) {
  const std::string path = PathOf("b.exo");
  ASSERT_TRUE(SavePageFile(path, document));
  document.page->rayWidth = 1;
  document.PushUndoSnapshot();
  EXPECT_TRUE(SavePageClick(nullptr, document));  // no dialog: would block
  EXPECT_EQ(document.page->saved, 1);
  EXPECT_EQ(Bytes(path), SerializeExperiment(document));
}

TEST_F(FileCommandsTest, SaveDialogCancelledWritesNothing) {
  document.page->fileName = "0";
  document.PushUndoSnapshot();
  QString title, filter, suffix;
  bool confirms = false;
  WhenModal([&] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    title = dialog->windowTitle();
    filter = dialog->nameFilters().value(0);
    suffix = dialog->defaultSuffix();
    confirms = !dialog->testOption(QFileDialog::DontConfirmOverwrite);
    dialog->reject();
  });
  EXPECT_FALSE(SavePageClick(nullptr, document));
  EXPECT_EQ(title, "保存");
  EXPECT_EQ(filter, "光学文件(*.exo)");
  EXPECT_EQ(suffix, "exo");
  EXPECT_TRUE(confirms);
  EXPECT_EQ(document.page->saved, 0);
  EXPECT_EQ(document.page->fileName, "0");
}

TEST_F(FileCommandsTest, SaveDialogAddsTheSuffix) {
  document.page->fileName = "0";
  WhenModal([&] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    dialog->setDirectory(dir.path());
    dialog->selectFile("experiment");
    static_cast<QDialog*>(dialog)->accept();
  });
  EXPECT_TRUE(SavePageClick(nullptr, document));
  EXPECT_EQ(QFileInfo(QString::fromStdString(document.page->fileName)).fileName(),
            "experiment.exo");
  EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(PathOf("experiment.exo"))));
}

TEST_F(FileCommandsTest, OpenReadsTheFileAndTakesItsName) {
  Document other(nullptr);
  other.page->rayWidth = 3;
  other.page->ambientColour = 0x123456;
  const std::string path = PathOf("c.exo");
  Write(path, SerializeExperiment(other));
  document.page->fileName = "/earlier.exo";
  EXPECT_EQ(OpenPageFile(path, document), OpenStatus::Opened);
  EXPECT_EQ(document.page->fileName, path);
  EXPECT_EQ(document.page->saved, 1);
  EXPECT_EQ(document.page->rayWidth, 3);
  EXPECT_EQ(document.page->ambientColour, 0x123456u);
  EXPECT_TRUE(messages.messages.empty());
}

TEST_F(FileCommandsTest, RefusedFileKeepsThePreviousNameAndExperiment) {
  Document other(nullptr);
  auto bytes = SerializeExperiment(other);
  bytes[4] ^= 1;  // the header's file size is off by one
  const std::string path = PathOf("damaged.exo");
  Write(path, bytes);
  document.page->fileName = "/earlier.exo";
  document.page->rayWidth = 1;
  EXPECT_EQ(OpenPageFile(path, document), OpenStatus::Refused);
  EXPECT_EQ(document.page->fileName, "/earlier.exo");
  EXPECT_EQ(document.page->rayWidth, 1);
  ASSERT_FALSE(messages.messages.empty());
  EXPECT_EQ(messages.messages[0], "文件格已经损,不能打开.");
}

TEST_F(FileCommandsTest, MissingFileReportsAndChangesNothing) {
  document.page->fileName = "/earlier.exo";
  EXPECT_EQ(OpenPageFile(PathOf("none.exo"), document), OpenStatus::Failed);
  EXPECT_EQ(document.page->fileName, "/earlier.exo");
  ASSERT_FALSE(messages.messages.empty());
  EXPECT_EQ(messages.messages[0], "打开文件失败.");
}

TEST_F(FileCommandsTest, OpenDialogStartsInTheExamplesAndCancelDoesNothing) {
  const QString oldCurrent = QDir::currentPath();
  QDir::setCurrent(dir.path());
  QDir(dir.path()).mkdir("Optics example");
  QString directory, filter;
  WhenModal([&] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    directory = dialog->directory().absolutePath();
    filter = dialog->nameFilters().value(0);
    dialog->reject();
  });
  document.page->fileName = "/earlier.exo";
  EXPECT_FALSE(OpenPageClick(nullptr, document));
  QDir::setCurrent(oldCurrent);
  EXPECT_EQ(QFileInfo(directory), QFileInfo(QDir(dir.path()).filePath("Optics example")));
  EXPECT_EQ(filter, "实验和课件(*.exo *.exol)");
  EXPECT_EQ(document.page->fileName, "/earlier.exo");
  EXPECT_TRUE(messages.messages.empty());
}

// After a file is chosen, the next dialog starts in its folder; each is at
// least half the screen wide.
TEST_F(FileCommandsTest, OpenDialogStartsWhereTheLastExperimentWasAndIsWide) {
  QDir(dir.path()).mkdir("class");
  const QString chosen = QDir(dir.path()).filePath("class/a.exo");
  QString directory;
  int width = 0;
  auto answer = [&](bool accept) {
    WhenModal([&, accept] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      directory = dialog->directory().absolutePath();
      width = dialog->width();
      if (!accept) return dialog->reject();
      dialog->selectFile(chosen);
      static_cast<QDialog*>(dialog)->accept();
    });
  };
  Write(chosen.toStdString(), {1});
  answer(true);
  EXPECT_EQ(ChooseExperimentToOpen(nullptr), chosen.toStdString());
  answer(false);
  ChooseExperimentToOpen(nullptr);
  EXPECT_EQ(directory, QDir(dir.path()).filePath("class"));
  EXPECT_GE(width, QGuiApplication::primaryScreen()->availableGeometry().width() / 2);
  QSettings("Fenwark Workshop", "Veltrano Optics").remove("lastExperimentFolder");
}

TEST_F(FileCommandsTest, SaveAfterAPartialOpenAsksForANameAndKeepsTheFile) {
  ExperimentFileBuilder b;
  b.LampHouse({}).ClassNameOnly("Foo").FlatMirror(1, 2, 3, 4);
  const std::string path = PathOf("whole.exo");
  Write(path, b.Build());
  ASSERT_EQ(OpenPageFile(path, document), OpenStatus::Opened);
  ASSERT_EQ(document.scene.size(), 1u);
  ASSERT_GE(messages.messages.size(), 2u);
  EXPECT_EQ(messages.messages.back().rfind("文件只读取了一部分", 0), 0u);
  bool asked = false;
  WhenModal([&] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    asked = dialog != nullptr;
    if (dialog) dialog->reject();
  });
  EXPECT_FALSE(SavePageClick(nullptr, document));
  EXPECT_TRUE(asked);
  EXPECT_EQ(Bytes(path), b.Build());
}

namespace {

// Which of the user's folders exist, and where a first save and the
// picture dialog start then (relative to home).
struct StartCase {
  std::vector<const char*> existing;
  const char* saveStart;
  const char* pictureStart;
};

class DialogStartTest : public FileCommandsTest, public ::testing::WithParamInterface<StartCase> {
 protected:
  void SetUp() override {
    FileCommandsTest::SetUp();
    home = QDir(dir.path()).filePath("home");
    for (const char* folder : {"home", "program"}) QDir(dir.path()).mkpath(folder);
    for (const char* folder : GetParam().existing) QDir(home).mkpath(folder);
    saved = {qgetenv("HOME"), qgetenv("XDG_CONFIG_HOME"), QDir::currentPath().toUtf8()};
    qputenv("HOME", home.toUtf8());
    qputenv("XDG_CONFIG_HOME", QDir(home).filePath(".config").toUtf8());
    // Started from its desktop entry, the program runs in its own folder.
    QDir::setCurrent(QDir(dir.path()).filePath("program"));
    QSettings settings("Fenwark Workshop", "Veltrano Optics");
    settings.remove("lastExperimentFolder");
    settings.remove("lastPictureFolder");
  }
  void TearDown() override {
    qputenv("HOME", saved[0]);
    qputenv("XDG_CONFIG_HOME", saved[1]);
    if (saved[1].isEmpty()) qunsetenv("XDG_CONFIG_HOME");
    QDir::setCurrent(QString::fromUtf8(saved[2]));
    FileCommandsTest::TearDown();
  }
  // The folder a dialog opened by `open` starts in; `choose` picks a file there.
  std::string StartOf(const std::function<void()>& open, const QString& choose = {}) {
    QString start;
    WhenModal([&] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      start = QDir(dialog->directory()).canonicalPath();
      if (choose.isEmpty()) return dialog->reject();
      dialog->setDirectory(QFileInfo(choose).path());
      dialog->selectFile(choose);
      static_cast<QDialog*>(dialog)->accept();
    });
    open();
    return QDir(home).relativeFilePath(start).toStdString();
  }
  QString home;
  std::array<QByteArray, 3> saved;
};

}  // namespace

TEST_P(DialogStartTest, FirstSaveAndPicturesStartInTheUsersFolders) {
  TShowPropertiesFrm sheet;
  sheet.InsertRow("图片路径", "无图片");
  auto save = [&] { SavePageClick(nullptr, document); };
  auto picture = [&] { sheet.EditButtonClick(0); };
  const std::string expectSave = GetParam().saveStart, expectPicture = GetParam().pictureStart;
  EXPECT_EQ(StartOf(save), expectSave.empty() ? "." : expectSave);
  EXPECT_EQ(StartOf(picture), expectPicture.empty() ? "." : expectPicture);
  // Then the folder last used.
  QDir(home).mkpath("lesson");
  StartOf(save, QDir(QDir(home).filePath("lesson")).filePath("b.exo"));
  document.page->fileName = "0";
  EXPECT_EQ(StartOf(save), "lesson");
}

INSTANTIATE_TEST_SUITE_P(
    Folders, DialogStartTest,
    ::testing::Values(StartCase{{}, "", ""}, StartCase{{"Documents"}, "Documents", "Documents"},
                      StartCase{{"Pictures"}, "", "Pictures"},
                      StartCase{{"Documents", "Pictures"}, "Documents", "Pictures"}));
