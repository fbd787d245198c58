// Saving experiment files: the atomic replacement and its failures.

#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>

#include "ExperimentFileFixture.h"

class ExperimentFileSaving : public ExperimentFileFixture {
 protected:
  std::vector<std::string> Entries(const std::string& directory) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(directory))
      names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
};

TEST_F(ExperimentFileSaving, WritesTheSerializedBytesWithNoTemporaryLeft) {
  const std::string path = dir + "/saved.exo";
  std::string error;
  ASSERT_TRUE(SaveExperimentFile(path, document, &error)) << error;
  EXPECT_EQ(ReadBytesFromFile(path), SerializeExperiment(document));
  EXPECT_EQ(Entries(dir), std::vector<std::string>{"saved.exo"});
}

TEST_F(ExperimentFileSaving, ReplacingKeepsThePermissionsOfTheOldFile) {
  const std::string path = Write("old.exo", FileBytes{1, 2, 3});
  ASSERT_EQ(chmod(path.c_str(), 0640), 0);
  std::string error;
  ASSERT_TRUE(SaveExperimentFile(path, document, &error)) << error;
  struct stat info {};
  ASSERT_EQ(stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
  EXPECT_EQ(ReadBytesFromFile(path), SerializeExperiment(document));
}

TEST_F(ExperimentFileSaving, OnlyLeftoversOfAKilledSaveAreRemoved) {
  const std::string path = dir + "/saved.exo";
  FileBytes ours = SerializeExperiment(document);
  ours.resize(200);
  const std::string temp = dir + "/.saved.exo.veltrano-save-";
  WriteBytesToFile(temp + "Ab12Cd.tmp", ours);
  WriteBytesToFile(temp + "000000.tmp", {});
  WriteBytesToFile(temp + "foreig.tmp", {'h', 'e', 'l', 'l', 'o'});  // not ours
  WriteBytesToFile(temp + "lockd1.tmp", ours);  // a save still running holds it locked
  // A teacher's own copies beside the file, whatever they hold.
  for (const char* name : {"saved.exo.backup", "saved.exo.orig01", "saved.exo.000000"})
    WriteBytesToFile(dir + "/" + name, ours);
  WriteBytesToFile(dir + "/saved.exo.empty1", {});
  const int running = open((temp + "lockd1.tmp").c_str(), O_RDONLY);
  ASSERT_EQ(flock(running, LOCK_EX), 0);
  std::string error;
  ASSERT_TRUE(SaveExperimentFile(path, document, &error)) << error;
  close(running);
  EXPECT_EQ(
      Entries(dir),
      (std::vector<std::string>{
          ".saved.exo.veltrano-save-foreig.tmp", ".saved.exo.veltrano-save-lockd1.tmp", "saved.exo",
          "saved.exo.000000", "saved.exo.backup", "saved.exo.empty1", "saved.exo.orig01"}));
}

TEST_F(ExperimentFileSaving, ThroughASymbolicLinkTheTargetIsReplaced) {
  std::filesystem::create_directory(dir + "/sub");
  const std::string target = Write("sub/real.exo", FileBytes{1, 2, 3});
  ASSERT_EQ(chmod(target.c_str(), 0640), 0);
  const std::string link = dir + "/link.exo";
  ASSERT_EQ(symlink("sub/real.exo", link.c_str()), 0);
  std::string error;
  ASSERT_TRUE(SaveExperimentFile(link, document, &error)) << error;
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(ReadBytesFromFile(target), SerializeExperiment(document));
  struct stat info {};
  ASSERT_EQ(stat(target.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
  EXPECT_EQ(Entries(dir + "/sub"), std::vector<std::string>{"real.exo"});
  // A link to a file not yet there creates it; links in a loop fail.
  ASSERT_EQ(symlink("sub/new.exo", (dir + "/dangling.exo").c_str()), 0);
  ASSERT_TRUE(SaveExperimentFile(dir + "/dangling.exo", document, &error)) << error;
  EXPECT_EQ(ReadBytesFromFile(dir + "/sub/new.exo"), SerializeExperiment(document));
  ASSERT_EQ(symlink("loop.exo", (dir + "/loop.exo").c_str()), 0);
  EXPECT_FALSE(SaveExperimentFile(dir + "/loop.exo", document, &error));
}

TEST_F(ExperimentFileSaving, MissingDirectoryFailsWithAMessage) {
  std::string error;
  EXPECT_FALSE(SaveExperimentFile(dir + "/no/such/dir/x.exo", document, &error));
  EXPECT_FALSE(error.empty());
}

TEST_F(ExperimentFileSaving, UnwritableDirectoryLeavesTheOldFileIntact) {
  const FileBytes old{9, 8, 7, 6};
  const std::string sub = dir + "/locked";
  std::filesystem::create_directory(sub);
  const std::string path = sub + "/old.exo";
  WriteBytesToFile(path, old);
  ASSERT_EQ(chmod(sub.c_str(), 0555), 0);
  // Permissions do not bind the superuser: save as an ordinary user then.
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (geteuid() == 0 && setuid(65534) != 0) _exit(3);
    std::string error;
    const bool saved = SaveExperimentFile(path, document, &error);
    _exit(saved ? 1 : (error.empty() ? 2 : 0));
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "1: saved anyway, 2: no message, 3: cannot drop rights";
  chmod(sub.c_str(), 0755);
  EXPECT_EQ(ReadBytesFromFile(path), old);
  EXPECT_EQ(Entries(sub), std::vector<std::string>{"old.exo"});
}

TEST_F(ExperimentFileSaving, WriteFailingHalfwayLeavesTheOldFileIntact) {
  const FileBytes old(300, 0x42);
  const std::string path = Write("old.exo", old);
  // A file size limit below the experiment's size makes the write fail as a
  // full disk would.
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{100, 100};
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(3);
    std::string error;
    const bool saved = SaveExperimentFile(path, document, &error);
    _exit(saved ? 1 : (error.empty() ? 2 : 0));
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(ReadBytesFromFile(path), old);
  EXPECT_EQ(Entries(dir), std::vector<std::string>{"old.exo"});
}

// Write-and-rename needs only the folder's permission: a read-only file and
// what is no regular file (even through a link) are kept, with a message.
TEST_F(ExperimentFileSaving, KeepsWhatMayNotOrCannotBeReplaced) {
  const std::string file = Write("lesson.exo", {1, 2, 3}), pipe = dir + "/pipe.exo";
  ASSERT_EQ(chmod(file.c_str(), 0444) | mkfifo(pipe.c_str(), 0600), 0);
  ASSERT_EQ(
      symlink("pipe.exo", (dir + "/link.exo").c_str()) | mkdir((dir + "/d.exo").c_str(), 0755), 0);
  const auto entries = Entries(dir);
  for (const auto& [name, message] : {std::pair{"/lesson.exo", "这个文件是只读的"},
                                      {"/pipe.exo", "这个名字不是普通文件"},
                                      {"/link.exo", "这个名字不是普通文件"},
                                      {"/d.exo", "这个名字不是普通文件"}}) {
    std::string error;
    EXPECT_FALSE(SaveExperimentFile(dir + name, document, &error));
    EXPECT_NE(error.find(message), std::string::npos) << error;
  }
  EXPECT_EQ(Entries(dir), entries);
  EXPECT_EQ(ReadBytesFromFile(file), (FileBytes{1, 2, 3}));
  EXPECT_TRUE(std::filesystem::is_fifo(pipe));
}
