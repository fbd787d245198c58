// The system seam as its callers lean on it: recovery locks, and the language
// file saved by the one atomic writer with the rules of every other save.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "TestEnvironment.h"
#include "i18n/TInifileEx.h"
#include "platform/Platform.h"

namespace {

class PlatformTest : public EngineTest {
 protected:
  std::string Path(const char* name) { return dir.filePath(name).toStdString(); }
  void Write(const char* name, const QByteArray& bytes) {
    QFile file(dir.filePath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
  }
  QStringList Files() { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }
  QTemporaryDir dir;
};

// Two windows of one process lock apart; a lock let go without removal is
// free again, a removed one leaves nothing; a link is never locked.
TEST_F(PlatformTest, ALockIsHeldOnceAndNeverThroughALink) {
  const std::string path = Path("a.lock");
  FileLock second;
  {
    FileLock first;
    ASSERT_TRUE(first.TryTake(path));
    EXPECT_FALSE(second.TryTake(path));
    EXPECT_FALSE(second.Held());
  }
  ASSERT_TRUE(second.TryTake(path));
  second.RemoveAndRelease();
  EXPECT_FALSE(second.Held());
  EXPECT_TRUE(Files().isEmpty());
  ASSERT_TRUE(QFile::link(dir.filePath("elsewhere"), dir.filePath("link.lock")));
  EXPECT_FALSE(FileLock().TryTake(Path("link.lock")));
  EXPECT_FALSE(QFile::exists(dir.filePath("elsewhere")));
}

// Text a killed save left is cleared, anything else of that name stays; the
// file keeps its permissions; a read-only one is kept as it is.
TEST_F(PlatformTest, TheLanguageFileIsSavedAsEveryFileIs) {
  Write("a.trk", "[General]\nLanguage=x\n");
  ASSERT_EQ(chmod(Path("a.trk").c_str(), 0640), 0);
  Write(".a.trk.veltrano-save-Ab12Cd.tmp", "[General]\nLangu");
  Write(".a.trk.veltrano-save-bin001.tmp", QByteArray("PK\3\4\0\0", 6));
  {
    TInifileEx ini(Path("a.trk"));
    ini.WriteString("General", "Language", "y");
    EXPECT_TRUE(ini.Save());
  }
  EXPECT_EQ(Files(), (QStringList{".a.trk.veltrano-save-bin001.tmp", "a.trk"}));
  struct stat info {};
  ASSERT_EQ(stat(Path("a.trk").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
  ASSERT_EQ(chmod(Path("a.trk").c_str(), 0444), 0);
  TInifileEx ini(Path("a.trk"));
  ini.WriteString("General", "Language", "z");
  EXPECT_FALSE(ini.Save());
  QFile file(dir.filePath("a.trk"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), "[General]\nLanguage = y\n");
}

}  // namespace
