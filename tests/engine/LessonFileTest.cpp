// Lesson files: a saved lesson reads back whole; a hostile archive is
// refused with a message that says why, quickly and without a large
// allocation, and leaves the lesson in hand untouched.

#include <sys/stat.h>

#include <QByteArray>
#include <chrono>

#include "ExperimentFileFixture.h"
#include "ZipBuilder.h"
#include "files/LessonFile.h"
#include "files/LessonSession.h"

namespace {

FileBytes Text(const std::string& text) { return FileBytes(text.begin(), text.end()); }

std::string Index(const std::string& scenes, int version = 1) {
  return R"({"format": "veltrano-lesson", "version": )" + std::to_string(version) +
         R"(, "title": "T", "scenes": [)" + scenes + "]}";
}

std::string SceneRef(const std::string& file) { return R"({"file": ")" + file + R"("})"; }

// Zeros deflated (qCompress's zlib stream without its frame): a few
// kilobytes that inflate to `bytes`.
FileBytes DeflatedZeros(std::size_t bytes) {
  const QByteArray z = qCompress(QByteArray(qsizetype(bytes), '\0'), 9);
  return FileBytes(z.begin() + 6, z.end() - 4);
}

struct HostileLesson {
  std::string name;
  std::string says;  // part of the message
  std::function<FileBytes(const FileBytes& scene)> build;
};

void PrintTo(const HostileLesson& h, std::ostream* out) { *out << h.name; }

std::vector<HostileLesson> HostileLessons() {
  auto withIndex = [](std::vector<ZipEntry> more, const std::string& scenes) {
    more.insert(more.begin(), ZipEntry{"lesson.json", Text(Index(scenes))});
    return BuildZip(more);
  };
  auto many = [](std::size_t n) {
    std::vector<ZipEntry> entries;
    for (std::size_t i = 0; i < n; ++i) entries.push_back({"e" + std::to_string(i), {}});
    return BuildZip(entries);
  };
  return {
      {"NotAZip", "ZIP", [](const FileBytes&) { return Text(std::string(5000, 'x')); }},
      {"DotDotName", "不能接受的文件名",
       [=](const FileBytes& s) {
         return withIndex({{"../evil.exo", s}}, SceneRef("../evil.exo"));
       }},
      {"FolderName", "不能接受的文件名",
       [=](const FileBytes& s) {
         return withIndex({{"/etc/a.exo", s}}, SceneRef("/etc/a.exo"));
       }},
      {"DuplicateName", "ZIP",
       [=](const FileBytes& s) {
         return withIndex({{"a.exo", s}, {"a.exo", s}}, SceneRef("a.exo"));
       }},
      {"Entries300", "太多", [=](const FileBytes&) { return many(300); }},
      {"Entries100000", "太多", [=](const FileBytes&) { return many(100000); }},
      {"BombBehindASmallSize", "损坏",
       [=](const FileBytes& s) {
         ZipEntry bomb{"a.exo", DeflatedZeros(20u << 20), true, std::int64_t(s.size())};
         return withIndex({bomb}, SceneRef("a.exo"));
       }},
      {"ClaimsFourGigabytes", "太大",
       [=](const FileBytes&) {
         ZipEntry huge{"a.exo", DeflatedZeros(1000), true, 0xFFFFFFFEll};
         return withIndex({huge}, SceneRef("a.exo"));
       }},
      {"NoIndex", "lesson.json",
       [=](const FileBytes& s) {
         return BuildZip({{"a.exo", s}});
       }},
      {"IndexNotJson", "lesson.json",
       [=](const FileBytes& s) {
         return BuildZip({{"lesson.json", Text("{")}, {"a.exo", s}});
       }},
      {"NewerVersion", "较新",
       [=](const FileBytes& s) {
         return BuildZip({{"lesson.json", Text(Index(SceneRef("a.exo"), 2))}, {"a.exo", s}});
       }},
      {"SceneMissing", "找不到",
       [=](const FileBytes& s) {
         return withIndex({{"a.exo", s}}, SceneRef("b.exo"));
       }},
      {"SceneTwice", "找不到",
       [=](const FileBytes& s) {
         return withIndex({{"a.exo", s}}, SceneRef("a.exo") + "," + SceneRef("a.exo"));
       }},
      {"SceneNotAnExperiment", "不是本版本",
       [=](const FileBytes&) {
         return withIndex({{"a.exo", Text("hello")}}, SceneRef("a.exo"));
       }},
      {"Scenes101", "场景数",
       [=](const FileBytes& s) {
         std::vector<ZipEntry> entries;
         std::string refs;
         for (int i = 0; i < 101; ++i) {
           entries.push_back({std::to_string(i) + ".exo", s});
           refs += (i ? "," : "") + SceneRef(std::to_string(i) + ".exo");
         }
         return withIndex(entries, refs);
       }},
  };
}

class LessonFileTest : public ExperimentFileFixture {
 protected:
  Lesson Sample() {
    Lesson lesson;
    lesson.title = "凸透镜成像";
    for (int i = 0; i < 3; ++i) {
      LessonScene scene;
      scene.title = "场景 " + std::to_string(i);
      scene.note = "note\n" + std::to_string(i);
      scene.stepByStep = i == 0;
      scene.studentMode = i == 1;
      scene.equations = i == 2;
      scene.experiment = SerializeExperiment(document);
      lesson.scenes.push_back(scene);
    }
    lesson.SetPin("1234");
    return lesson;
  }
};

class HostileLessonTest : public LessonFileTest,
                          public testing::WithParamInterface<HostileLesson> {};

}  // namespace

TEST_F(LessonFileTest, ASavedLessonReadsBackWithItsScenesOptionsAndPin) {
  const Lesson saved = Sample();
  const std::string path = dir + "/a.exol";
  std::string error;
  ASSERT_TRUE(SaveLessonFile(path, saved, &error)) << error;
  Lesson read;
  ASSERT_TRUE(ReadLessonFile(path, read, &error)) << error;
  EXPECT_EQ(read.title, saved.title);
  ASSERT_EQ(read.scenes.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) {
    const LessonScene &a = saved.scenes[i], &b = read.scenes[i];
    EXPECT_EQ(std::tie(a.title, a.note, a.stepByStep, a.studentMode, a.equations, a.experiment),
              std::tie(b.title, b.note, b.stepByStep, b.studentMode, b.equations, b.experiment));
  }
  EXPECT_TRUE(read.PinMatches("1234"));
  EXPECT_FALSE(read.PinMatches("1235"));
  // Only the salted hash is stored.
  const FileBytes bytes = ReadBytesFromFile(path);
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()).find("1234"), std::string::npos);
  const OpenResult opened = OpenExperimentBytes(read.scenes[1].experiment, path, document);
  EXPECT_TRUE(opened.status == OpenStatus::Opened && opened.complete);
}

TEST_F(LessonFileTest, SavingIsAtomicAndKeepsAReadOnlyLesson) {
  const std::string path = dir + "/a.exol";
  std::string error;
  ASSERT_TRUE(SaveLessonFile(path, Sample(), &error)) << error;
  FileBytes leftover = ReadBytesFromFile(path);
  leftover.resize(100);
  WriteBytesToFile(dir + "/.a.exol.veltrano-save-Ab12Cd.tmp", leftover);
  ASSERT_TRUE(SaveLessonFile(path, Sample(), &error)) << error;
  EXPECT_FALSE(std::filesystem::exists(dir + "/.a.exol.veltrano-save-Ab12Cd.tmp"));
  const FileBytes before = ReadBytesFromFile(path);
  ASSERT_EQ(chmod(path.c_str(), 0444), 0);
  EXPECT_FALSE(SaveLessonFile(path, Sample(), &error));
  EXPECT_NE(error.find("只读"), std::string::npos) << error;
  EXPECT_EQ(ReadBytesFromFile(path), before);
}

TEST_P(HostileLessonTest, IsRefusedQuicklyWithItsReason) {
  const FileBytes archive = GetParam().build(SerializeExperiment(document));
  Lesson lesson = Sample();
  const std::string title = lesson.title;
  std::string error;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(ReadLessonData(archive, lesson, &error));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  EXPECT_NE(error.find(GetParam().says), std::string::npos) << error;
  EXPECT_EQ(lesson.title, title);
  EXPECT_EQ(lesson.scenes.size(), 3u);
}

INSTANTIATE_TEST_SUITE_P(Every, HostileLessonTest, testing::ValuesIn(HostileLessons()),
                         [](const auto& info) { return info.param.name; });

TEST_F(LessonFileTest, UndoOfADeletedSceneBringsItBackAndKeepsTheOthersLatestContent) {
  LessonSession session;
  ASSERT_TRUE(session.Start(document, "L", nullptr));
  ASSERT_TRUE(session.Add(document));  // scene 2 shown, an empty page
  document.page->rayWidth = 7;         // an edit inside scene 2
  ASSERT_TRUE(session.MoveCurrent(-1, document));
  ASSERT_TRUE(session.Show(1, document).complete);
  ASSERT_TRUE(session.Delete(document));
  EXPECT_EQ(session.Count(), 1u);
  ASSERT_TRUE(session.Undo(document));  // the deleted scene is back, where it was
  EXPECT_EQ(session.Count(), 2u);
  ASSERT_TRUE(session.Show(0, document).complete);
  EXPECT_EQ(document.page->rayWidth, 7);  // the moved scene, with its edit
  EXPECT_EQ(session.Status(), "场景 1 / 2: 场景 2");
}
