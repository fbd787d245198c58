#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <fstream>
#include <stdexcept>

#include "TestEnvironment.h"
#include "i18n/TInifileEx.h"
#include "i18n/TtlmController.h"
#include "i18n/TtlmIniFilter.h"
#include "i18n/TtlmIniGenerator.h"

namespace {

class LanguageFileTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.filePath("settings"));
    SetApplicationFile(Path("prog"));
  }
  void TearDown() override {
    TtlmSystem::Instance().DeactivateFilter();
    SetApplicationFile("");
    EngineTest::TearDown();
  }
  std::string Path(const char* name) { return dir.filePath(name).toStdString(); }
  std::string Write(const char* name, const QByteArray& text) {
    QFile file(dir.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(text) == text.size());
    return Path(name);
  }
  QByteArray Read(const std::string& path) {
    QFile file(QDir(dir.path()).filePath(QString::fromStdString(path)));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
  }
  std::shared_ptr<TtlmIniFilter> Filter(std::vector<std::string> files = {}) {
    auto filter = std::make_shared<TtlmIniFilter>("W");
    filter->CustomLanguageFiles = !files.empty();
    filter->LanguageFiles = std::move(files);
    filter->LoadLanguages();
    return filter;
  }
  QTemporaryDir dir;
};

TEST_F(LanguageFileTest, LookupIgnoresCaseFirstEntryWinsAndBomIsSkipped) {
  TInifileEx ini(
      Write("a.trk",
            "\xEF\xBB\xBF[General]\r\nLanguage =  English \r\n[Win]\nKey=first\n"
            "key = second\n; a = comment? no: it holds one\nx = a = b\n[win]\nkey=third\n"));
  EXPECT_EQ(ini.ReadString("general", "LANGUAGE", ""), "English");
  EXPECT_EQ(ini.Find("WIN", "KEY"), "first");
  EXPECT_EQ(ini.Find("Win", "x"), "a = b");
  EXPECT_EQ(ini.Find("Win", "missing").value_or(ini.ReadString("Other", "key", "-")), "-");
}

TEST_F(LanguageFileTest, NewEntriesGoAfterTheSectionAndOnlyAWriteSaves) {
  const QByteArray text = "[Win]\nKey=first\n\n[Next]\nx=1\n";
  const std::string path = Write("a.trk", text);
  TInifileEx(path).ReadString("Win", "Key", "");
  EXPECT_EQ(Read(path), text);
  {
    TInifileEx ini(path);
    ini.WriteString("win", "New", "v");
    ini.WriteString("Added", "k", "two\nlines");
    ini.WriteString("WIN", "key", "changed");
    EXPECT_TRUE(ini.Save() && !ini.Modified());
  }
  EXPECT_EQ(Read(path), "[Win]\nKey = changed\nNew = v\n\n[Next]\nx=1\n\n[Added]\nk = two lines\n");
}

TEST_F(LanguageFileTest, RefusedFilesReadEmptyAndAreNeverWrittenOver) {
  QByteArray big(TInifileEx::kMaxFileBytes + 1, ' ');
  big.replace(0, 20, "[General]\nLanguage=x");
  QByteArray manyLines = "[General]\nLanguage=x\n" + QByteArray(TInifileEx::kMaxLines, '\n');
  QDir(dir.path()).mkdir("folder.trk");
  for (const std::string& path :
       {Write("big.trk", big), Write("lines.trk", manyLines), Path("folder.trk")}) {
    const QByteArray before = Read(path);
    TInifileEx ini(path);
    EXPECT_FALSE(ini.Readable()) << path;
    EXPECT_FALSE(ini.SectionExists("General")) << path;
    ini.WriteString("General", "Language", "y");
    EXPECT_FALSE(ini.Save()) << path;
    EXPECT_EQ(Read(path), before) << path;
  }
  TInifileEx(Path("new.trk")).WriteString("General", "Language", "y");  // saved when released
  EXPECT_EQ(Read("new.trk"), "[General]\nLanguage = y\n");
}

// Reading a small file takes memory by its size, not by the bound: with far
// less address space to spare than the bound, it still reads.
TEST_F(LanguageFileTest, ASmallFileReadsWithLittleMemoryToSpare) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the address sanitizer reserves address space of its own";
#endif
  const std::string path = Write("small.trk", "[General]\nLanguage=Small\n");
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line) && line.rfind("VmSize:", 0) != 0) {
    }
    const rlim_t used = std::stoull(line.substr(7)) * 1024;
    const rlimit limit{used + TInifileEx::kMaxFileBytes / 2, used + TInifileEx::kMaxFileBytes / 2};
    if (setrlimit(RLIMIT_AS, &limit) != 0) _exit(3);
    try {
      _exit(TInifileEx(path).Find("General", "Language") == "Small" ? 0 : 1);
    } catch (...) {
      _exit(2);
    }
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

// A newline ends the last line without starting another: the bound on lines
// is the same with or without one.
TEST_F(LanguageFileTest, TheLineBoundHoldsWithOrWithoutAFinalNewline) {
  for (const char* end : {"", "\n"})
    for (const std::size_t lines : {TInifileEx::kMaxLines, TInifileEx::kMaxLines + 1}) {
      const QByteArray text = "[General]\nLanguage=x" +
                              QByteArray("\nk").repeated(qsizetype(lines - 2)) + QByteArray(end);
      EXPECT_EQ(TInifileEx(Write("lines.trk", text)).SectionExists("General"),
                lines == TInifileEx::kMaxLines)
          << lines << " lines" << end;
    }
}

TEST_F(LanguageFileTest, DiscoveryDropsFilesWithoutGeneralAndChoosesTheStartingLanguage) {
  Write("prog", "[General]\nLanguage=the program itself\n");
  Write("prog.eng", "[General]\nLanguage=English\n");
  Write("prog.deu", "[W]\nk=v\n");
  Write("prog.fra", "[general]\n");
  Write("other.trk", "[General]\nLanguage=Other\n");
  auto filter = Filter();
  EXPECT_EQ(filter->LoadedFiles(), (std::vector{Path("prog.eng"), Path("prog.fra")}));
  EXPECT_EQ(filter->LanguageNames(), (std::vector<std::string>{"English", "<Unknown Language>"}));
  EXPECT_EQ(filter->ActiveLanguage(), -1);  // no remembered choice, system language not found
  EXPECT_EQ(filter->StartingExtension().substr(0, 1), ".");

  TtlmIniFilter::RememberExtension(".FRA");
  filter->LoadLanguages();
  EXPECT_EQ(filter->ActiveLanguage(), 1);
  filter->CustomLanguageExt = true;
  filter->LanguageExt = ".Eng";
  filter->LoadLanguages();
  EXPECT_EQ(filter->ActiveLanguage(), 0);
  EXPECT_EQ(TtlmIniFilter::RememberedExtension(), ".FRA");  // starting is not choosing

  EXPECT_EQ(Filter({"prog.deu", "missing.trk", "other.trk", "prog.eng"})->LoadedFiles(),
            (std::vector{Path("other.trk"), Path("prog.eng")}));
}

TEST_F(LanguageFileTest, SettingALanguageRemembersItAndTellsTheWindows) {
  Write("prog.eng", "[General]\nLanguage=English\nFontSize=big\n[W]\nk=<  Padded  >\n");
  auto filter = Filter();
  TtlmController window("W");
  int changes = 0;
  window.OnLanguageChange = [&] { ++changes; };
  filter->SetActiveLanguage(0);  // not active yet: nobody is told
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(window.Translate("k", "默认"), "默认");
  filter->SetActive(true);
  filter->AddBracket = true;
  filter->SetActiveLanguage(0);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(window.Translate("k", "默认"), "  Padded  ");
  EXPECT_EQ(window.Translate("none", "默认"), "默认");
  EXPECT_EQ(filter->GeneralInfo().fontSize + filter->ActiveExtension(), "big.eng");
  EXPECT_EQ(TtlmIniFilter::RememberedExtension(), ".eng");
  filter->AddBracket = false;
  EXPECT_EQ(window.Translate("k", "默认"), "<  Padded  >");

  filter->SaveSettings = false;
  TtlmIniFilter::RememberExtension(".x");
  filter->SetActiveLanguage(7);  // out of range: no language, windows left as they are
  EXPECT_EQ(filter->ActiveLanguage(), -1);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(window.Translate("k", "默认") + TtlmIniFilter::RememberedExtension(), "默认.x");

  EXPECT_THROW(Filter()->SetActive(true), std::logic_error);
  EXPECT_THROW(TtlmIniFilter(""), std::logic_error);
  EXPECT_THROW(TtlmController(""), std::logic_error);
}

TEST_F(LanguageFileTest, GeneratorWritesMissingEntriesInBrackets) {
  const std::string path = Write("prog.eng", "[W]\na = A\n");
  auto generator = std::make_shared<TtlmIniGenerator>("W");
  generator->AddBracket = true;
  generator->OpenTarget(path, "English");
  generator->SetActive(true);
  TtlmController window("W");
  EXPECT_EQ(window.Translate("a", "甲"), "A");
  EXPECT_EQ(window.Translate("b", " 乙 "), " 乙 ");
  EXPECT_EQ(generator->Written(), (std::vector<std::pair<std::string, std::string>>{{"W", "b"}}));
  generator->KeepDefined = false;
  EXPECT_EQ(window.Translate("a", "甲"), "甲");
  ASSERT_TRUE(generator->Save());
  EXPECT_EQ(Read(path), "[W]\na = <甲>\nb = < 乙 >\n\n[General]\nLanguage = English\n");
}

}  // namespace
