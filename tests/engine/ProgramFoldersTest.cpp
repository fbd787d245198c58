#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <memory>

#include "TestEnvironment.h"
#include "i18n/TtlmIniFilter.h"
#include "i18n/TtlmSystem.h"
#include "platform/ProgramFolders.h"

namespace {

// A program folder laid out in a scratch folder: a build tree (the data
// beside the program) or the installed layout (bin/ and share/veltrano-optics/).
struct Layout {
  const char* name;
  const char* programFolder;  // relative to the scratch folder
  bool installed;             // the data folder exists under ../share
  bool dataIsAFile;           // a plain file where the data folder would be
};

class ProgramFoldersTest : public EngineTest, public ::testing::WithParamInterface<Layout> {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, root.filePath("settings"));
    const Layout& layout = GetParam();
    program = root.filePath(layout.programFolder) + "/";
    ASSERT_TRUE(QDir().mkpath(program));
    const QString installed = QDir::cleanPath(program + kInstalledDataFolder) + "/";
    if (layout.installed) {
      ASSERT_TRUE(QDir().mkpath(installed));
      expected = installed;
    } else {
      expected = program;
      if (layout.dataIsAFile) {
        ASSERT_TRUE(QDir().mkpath(QFileInfo(QDir::cleanPath(installed)).absolutePath()));
        QFile file(QDir::cleanPath(installed));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
      }
    }
  }
  void TearDown() override {
    TtlmSystem::Instance().DeactivateFilter();
    SetApplicationFile("");
    EngineTest::TearDown();
  }
  QTemporaryDir root;
  QString program;   // with a trailing '/'
  QString expected;  // the data folder the layout should give
};

TEST_P(ProgramFoldersTest, DataFolderIsTheLayoutsOwn) {
  EXPECT_EQ(DataFolderOf(program.toStdString()), expected.toStdString());
  // The same without the trailing separator.
  EXPECT_EQ(DataFolderOf(program.chopped(1).toStdString()), expected.toStdString());
}

// The language file named "beside the program" ({$APPHOME}) is read from the
// layout's data folder, and one left beside an installed program is not.
TEST_P(ProgramFoldersTest, LanguageFileComesFromTheDataFolder) {
  for (const QString& folder : {expected, program}) {
    QFile file(folder + "prog.trk");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(folder == expected ? "[General]\nLanguage=<Here>\n"
                                  : "[General]\nLanguage=<Stray>\n");
  }
  SetApplicationFile((program + "prog").toStdString());
  auto filter = std::make_shared<TtlmIniFilter>("Owner");
  filter->CustomLanguageFiles = true;
  filter->LanguageFiles = {"prog.trk"};
  filter->AddBracket = true;
  filter->LoadLanguages();
  ASSERT_EQ(filter->LoadedFiles().size(), 1u);
  EXPECT_EQ(filter->LoadedFiles()[0], (expected + "prog.trk").toStdString());
  EXPECT_EQ(filter->LanguageNames()[0], "Here");
}

INSTANTIATE_TEST_SUITE_P(Layouts, ProgramFoldersTest,
                         ::testing::Values(Layout{"BuildTree", "build", false, false},
                                           Layout{"Installed", "usr/bin", true, false},
                                           Layout{"DataFolderIsAFile", "usr/bin", false, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ProgramFolders, ProgramDirectoryHoldsTheRunningProgram) {
  const std::string directory = ProgramDirectory();
  ASSERT_FALSE(directory.empty());
  EXPECT_EQ(directory.back(), '/');
  EXPECT_TRUE(QFileInfo(QString::fromStdString(directory) + "exo_tests").isExecutable());
}

}  // namespace
