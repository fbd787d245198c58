#pragma once
// A document on a recording canvas set up as the program is at start-up,
// a scratch directory, a fake message sink, and helpers to write files.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "ExperimentFileBuilder.h"
#include "FakePropertySheet.h"
#include "TestEnvironment.h"
#include "files/ExperimentFile.h"
#include "gfx/RecordingCanvas.h"
#include "objects/ObjectFactory.h"
#include "scene/Document.h"

class ExperimentFileFixture : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    ui = std::make_unique<FakeUi>();
    char pattern[] = "/tmp/exo-files-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir = pattern;
    SetDataDirectory(dir + "/DAT/");  // no converter unless a test installs one
    StartLikeTheProgram(document);
  }
  void TearDown() override {
    SetDataDirectory("");
    std::error_code ignored;
    std::filesystem::permissions(dir, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(dir, ignored);
    ui.reset();
    EngineTest::TearDown();
  }

  static void StartLikeTheProgram(Document& d) {
    d.header = MakeHeaderTemplate();
    d.ResetPage();
    AddCoordinateSystem(d);
  }

  std::string Write(const std::string& name, const FileBytes& bytes) {
    const std::string path = dir + "/" + name;
    WriteBytesToFile(path, bytes);
    return path;
  }

  // Copies the test converter into the data directory.
  void InstallConverter() {
    std::filesystem::create_directories(dir + "/DAT");
    std::filesystem::copy_file(EXO_CONVERTER_STUB, dir + "/DAT/changfiletov5.dat",
                               std::filesystem::copy_options::overwrite_existing);
  }

  // A file the test converter rewrites into `converted`.
  static FileBytes ForTheConverter(const FileBytes& converted) {
    const std::string mark = "STUB-CONVERT\n";
    FileBytes older;
    older.reserve(mark.size() + converted.size());
    older.assign(mark.begin(), mark.end());
    older.insert(older.end(), converted.begin(), converted.end());
    return older;
  }

  const std::vector<std::string>& Messages() const { return ui->messages.messages; }

  std::unique_ptr<FakeUi> ui;
  std::string dir;
  RecordingCanvas canvas{1920, 1080};
  Document document{&canvas};
};
