#include "files/LessonFile.h"

#include <zip.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <map>
#include <memory>
#include <set>
#include <string_view>

#include "files/ExperimentFile.h"
#include "i18n/TtlmController.h"
#include "platform/Platform.h"

namespace {

constexpr const char* kIndexName = "lesson.json";
constexpr const char* kFormat = "veltrano-lesson";
constexpr int kFormatVersion = 1;

struct ArchiveCloser {
  void operator()(zip_t* archive) const { zip_discard(archive); }
};
using Archive = std::unique_ptr<zip_t, ArchiveCloser>;
struct EntryCloser {
  void operator()(zip_file_t* file) const { zip_fclose(file); }
};

std::string CannotOpen(const std::string& reason) {
  return Tr("Lesson.CannotOpen", "不能打开课件.") + " " + reason;
}

std::string NotAnArchive() {
  return CannotOpen(Tr("Lesson.NotArchive", "这不是课件文件(不是 ZIP 格式,或已经损坏)."));
}

std::uint32_t Le16(const std::uint8_t* p) { return p[0] | (p[1] << 8); }

// libzip keeps every central directory entry in memory: the counts are
// looked at before it parses them. Every end record in the tail counts (a
// comment may hold a false one), and ZIP64, which no lesson needs, is refused.
bool EntryCountsBounded(std::span<const std::uint8_t> data) {
  constexpr std::size_t kEndRecord = 22, kTail = kEndRecord + 0xFFFF;
  const std::size_t from = data.size() > kTail ? data.size() - kTail : 0;
  for (std::size_t i = from; i + 4 <= data.size(); ++i) {
    const std::uint8_t* p = data.data() + i;
    if (p[0] != 'P' || p[1] != 'K') continue;
    if (p[2] == 6 && p[3] == 7) return false;  // ZIP64 locator
    if (p[2] == 5 && p[3] == 6 && i + kEndRecord <= data.size() &&
        (Le16(p + 8) > kMaxLessonEntries || Le16(p + 10) > kMaxLessonEntries))
      return false;
  }
  return true;
}

// Plain file names only: no folders, no "..", nothing hidden, nothing that
// garbles a message.
bool SafeEntryName(const std::string& name) {
  if (name.empty() || name.size() > kMaxLessonEntryName || name[0] == '.') return false;
  for (unsigned char c : name)
    if (c < 0x20 || c == 0x7F || c == '/' || c == '\\' || c == ':') return false;
  return true;
}

std::string Printable(const std::string& raw) {
  std::string text = raw.substr(0, kMaxLessonEntryName);
  for (char& c : text)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
  return text;
}

struct Entry {
  zip_uint64_t index = 0;
  std::size_t size = 0;
};

// Exactly `entry.size` bytes, whatever the compressed stream would give.
bool ReadEntry(zip_t* archive, const Entry& entry, std::vector<std::uint8_t>& out) {
  std::unique_ptr<zip_file_t, EntryCloser> file(zip_fopen_index(archive, entry.index, 0));
  if (!file) return false;
  out.assign(entry.size, 0);
  std::size_t done = 0;
  while (done < entry.size) {
    const zip_int64_t got = zip_fread(file.get(), out.data() + done, entry.size - done);
    if (got <= 0) return false;
    done += static_cast<std::size_t>(got);
  }
  // A stream longer than its entry says is damaged (or a bomb).
  std::uint8_t extra = 0;
  return zip_fread(file.get(), &extra, 1) == 0;
}

bool ReadText(const QJsonObject& object, const char* key, std::size_t bound, std::string& out) {
  const QJsonValue value = object.value(key);
  if (value.isUndefined()) return true;
  if (!value.isString()) return false;
  out = value.toString().toStdString();
  return out.size() <= bound;
}

bool ReadFlag(const QJsonObject& object, const char* key, bool& out) {
  const QJsonValue value = object.value(key);
  if (value.isUndefined()) return true;
  if (!value.isBool()) return false;
  out = value.toBool();
  return true;
}

bool IsHex(const std::string& text, std::size_t length) {
  return text.size() == length &&
         std::all_of(text.begin(), text.end(), [](char c) { return std::isxdigit(c) != 0; });
}

// What the window's Open would refuse is refused here, by the header alone.
bool LooksLikeExperiment(const std::vector<std::uint8_t>& bytes) {
  if (bytes.size() < kHeaderSize + kPageRecordSize + kTrailerSize) return false;
  if (!HasCurrentProductTag(bytes)) return false;
  const FileHeader header = ReadFileHeader(bytes);
  return header.fileSize >= 0 && static_cast<std::size_t>(header.fileSize) == bytes.size() &&
         static_cast<double>(header.version) - 6.0 < 0.01;
}

std::string SceneFileName(std::size_t index) {
  char name[32];
  std::snprintf(name, sizeof name, "scene-%03zu.exo", index + 1);
  return name;
}

std::string SceneProblem(std::size_t index, const std::string& text) {
  return Tr("Lesson.Scene", "场景") + " " + std::to_string(index + 1) + ": " + text;
}

bool ParseIndex(const std::vector<std::uint8_t>& bytes, const std::map<std::string, Entry>& entries,
                zip_t* archive, Lesson& lesson, std::string& problem) {
  QJsonParseError parseError{};
  const QJsonDocument document = QJsonDocument::fromJson(
      QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())),
      &parseError);
  const std::string badIndex = Tr("Lesson.BadIndex", "lesson.json 有错:") + " ";
  if (!document.isObject()) {
    problem = badIndex + parseError.errorString().toStdString();
    return false;
  }
  const QJsonObject root = document.object();
  if (root.value("format").toString() != kFormat) {
    problem = badIndex + "format";
    return false;
  }
  if (root.value("version").toInt(-1) < 1 || root.value("version").toInt() > kFormatVersion) {
    problem = Tr("Lesson.TooNew", "这个课件是较新的版本做的,请在新版本中打开.");
    return false;
  }
  if (!ReadText(root, "title", kMaxLessonTitleBytes, lesson.title)) {
    problem = badIndex + "title";
    return false;
  }
  const QJsonObject pin = root.value("pin").toObject();
  if (!pin.isEmpty()) {
    if (!ReadText(pin, "salt", 64, lesson.pinSalt) ||
        !ReadText(pin, "sha256", 64, lesson.pinHash) || !IsHex(lesson.pinSalt, 32) ||
        !IsHex(lesson.pinHash, 64)) {
      problem = badIndex + "pin";
      return false;
    }
  }
  const QJsonArray scenes = root.value("scenes").toArray();
  if (scenes.isEmpty() || std::size_t(scenes.size()) > kMaxLessonScenes) {
    problem = Tr("Lesson.SceneCount", "课件的场景数不对(至少 1 个,最多 100 个).");
    return false;
  }
  std::set<std::string> used;
  std::size_t total = 0;
  for (qsizetype i = 0; i < scenes.size(); ++i) {
    const std::size_t k = std::size_t(i);
    const QJsonObject item = scenes[i].toObject();
    LessonScene scene;
    std::string file;
    if (!ReadText(item, "file", kMaxLessonEntryName, file) ||
        !ReadText(item, "title", kMaxLessonTitleBytes, scene.title) ||
        !ReadText(item, "note", kMaxLessonNoteBytes, scene.note) ||
        !ReadFlag(item, "stepByStep", scene.stepByStep) ||
        !ReadFlag(item, "studentMode", scene.studentMode) ||
        !ReadFlag(item, "equations", scene.equations)) {
      problem = SceneProblem(k, badIndex);
      return false;
    }
    const auto found = entries.find(file);
    if (found == entries.end() || !used.insert(file).second) {
      problem = SceneProblem(
          k, Tr("Lesson.SceneMissing", "课件里找不到这个场景的文件:") + " " + Printable(file));
      return false;
    }
    total += found->second.size;
    if (found->second.size > kMaxExperimentFileSize || total > kMaxLessonBytes) {
      problem = Tr("Lesson.TooLargeUnpacked", "课件解压后太大(全部场景合计最多 128 MB).");
      return false;
    }
    if (!ReadEntry(archive, found->second, scene.experiment)) {
      problem = SceneProblem(
          k, Tr("Lesson.EntryDamaged", "课件里的文件已经损坏:") + " " + Printable(file));
      return false;
    }
    if (!LooksLikeExperiment(scene.experiment)) {
      problem = SceneProblem(
          k, Tr("Lesson.NotExperiment", "这个场景不是本版本的实验文件:") + " " + Printable(file));
      return false;
    }
    lesson.scenes.push_back(std::move(scene));
  }
  return true;
}

}  // namespace

bool IsLessonPath(const std::string& path) {
  constexpr std::string_view kExtension = ".exol";
  if (path.size() < kExtension.size()) return false;
  std::string tail = path.substr(path.size() - kExtension.size());
  std::transform(tail.begin(), tail.end(), tail.begin(), [](char c) { return std::tolower(c); });
  return tail == kExtension;
}

bool ReadLessonFile(const std::string& path, Lesson& lesson, std::string* error) {
  std::vector<std::uint8_t> data;
  int systemError = 0;
  const FileRead read = ReadWholeFile(path, data, kMaxLessonFileSize, &systemError);
  if (read != FileRead::Read) {
    if (error)
      *error = CannotOpen(
          read == FileRead::TooLarge ? Tr("Lesson.TooLarge", "课件文件不能大于 64 MB.")
          : read == FileRead::NotRegularFile
              ? Tr("Lesson.NotRegular", "这个名字不是普通文件(是文件夹、管道或设备).")
              : Tr("8", "打开文件失败.") +
                    (systemError ? std::string(" ") + std::strerror(systemError) : std::string()));
    return false;
  }
  return ReadLessonData(data, lesson, error);
}

bool ReadLessonData(std::span<const std::uint8_t> data, Lesson& lesson, std::string* error) {
  auto fail = [&](const std::string& text) {
    if (error) *error = text;
    return false;
  };
  if (data.size() > kMaxLessonFileSize)
    return fail(CannotOpen(Tr("Lesson.TooLarge", "课件文件不能大于 64 MB.")));
  const std::string tooMany =
      CannotOpen(Tr("Lesson.TooManyEntries", "课件里的文件太多(最多 256 个)."));
  if (!EntryCountsBounded(data)) return fail(tooMany);

  zip_error_t zipError;
  zip_error_init(&zipError);
  zip_source_t* source = zip_source_buffer_create(data.data(), data.size(), 0, &zipError);
  if (!source) return fail(NotAnArchive());
  Archive archive(zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &zipError));
  zip_error_fini(&zipError);
  if (!archive) {
    zip_source_free(source);
    return fail(NotAnArchive());
  }
  const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
  if (count < 0) return fail(NotAnArchive());
  if (std::size_t(count) > kMaxLessonEntries) return fail(tooMany);

  std::map<std::string, Entry> entries;
  for (zip_int64_t i = 0; i < count; ++i) {
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(archive.get(), zip_uint64_t(i), ZIP_FL_ENC_RAW, &stat) != 0 ||
        !(stat.valid & ZIP_STAT_NAME) || !(stat.valid & ZIP_STAT_SIZE))
      return fail(NotAnArchive());
    const std::string name = stat.name;
    if (!SafeEntryName(name))
      return fail(
          CannotOpen(Tr("Lesson.UnsafeName", "课件里有不能接受的文件名:") + " " + Printable(name)));
    if (entries.count(name))
      return fail(
          CannotOpen(Tr("Lesson.DuplicateName", "课件里有重复的文件名:") + " " + Printable(name)));
    if ((stat.valid & ZIP_STAT_ENCRYPTION_METHOD) && stat.encryption_method != ZIP_EM_NONE)
      return fail(CannotOpen(Tr("Lesson.Encrypted", "课件里的文件加了密码,不能读.")));
    if ((stat.valid & ZIP_STAT_COMP_METHOD) && stat.comp_method != ZIP_CM_STORE &&
        stat.comp_method != ZIP_CM_DEFLATE)
      return fail(CannotOpen(Tr("Lesson.Compression", "课件里的文件用了不认识的压缩方法.")));
    // Bounded here so that the size fits in memory arithmetic below.
    const std::size_t size = std::size_t(std::min<zip_uint64_t>(stat.size, kMaxLessonBytes + 1));
    entries.emplace(name, Entry{zip_uint64_t(i), size});
  }
  const auto index = entries.find(kIndexName);
  if (index == entries.end())
    return fail(CannotOpen(Tr("Lesson.NoIndex", "课件里缺少 lesson.json.")));
  if (index->second.size > kMaxLessonIndexSize)
    return fail(CannotOpen(Tr("Lesson.BadIndex", "lesson.json 有错:") + " > 1 MB"));
  std::vector<std::uint8_t> indexBytes;
  if (!ReadEntry(archive.get(), index->second, indexBytes))
    return fail(CannotOpen(Tr("Lesson.EntryDamaged", "课件里的文件已经损坏:") + " " + kIndexName));

  Lesson read;
  std::string problem;
  if (!ParseIndex(indexBytes, entries, archive.get(), read, problem))
    return fail(CannotOpen(problem));
  lesson = std::move(read);
  return true;
}

namespace {

// The archive in memory; libzip writes it when it closes.
bool BuildArchive(const std::vector<std::pair<std::string, std::span<const std::uint8_t>>>& files,
                  std::vector<std::uint8_t>& data) {
  zip_error_t zipError;
  zip_error_init(&zipError);
  zip_source_t* target = zip_source_buffer_create(nullptr, 0, 0, &zipError);
  zip_error_fini(&zipError);
  if (!target) return false;
  zip_source_keep(target);
  std::unique_ptr<zip_source_t, decltype(&zip_source_free)> keep(target, zip_source_free);
  zip_t* archive = zip_open_from_source(target, ZIP_TRUNCATE, nullptr);
  if (!archive) return false;
  const std::time_t now = std::time(nullptr);
  for (const auto& [name, bytes] : files) {
    zip_source_t* entry = zip_source_buffer(archive, bytes.data(), bytes.size(), 0);
    const zip_int64_t at =
        entry ? zip_file_add(archive, name.c_str(), entry, ZIP_FL_ENC_UTF_8) : -1;
    if (at < 0) {
      if (entry) zip_source_free(entry);
      zip_discard(archive);
      return false;
    }
    zip_set_file_compression(archive, zip_uint64_t(at), ZIP_CM_DEFLATE, 0);
    zip_file_set_mtime(archive, zip_uint64_t(at), now, 0);
  }
  if (zip_close(archive) != 0) {
    zip_discard(archive);
    return false;
  }
  if (zip_source_open(target) != 0) return false;
  zip_source_seek(target, 0, SEEK_END);
  const zip_int64_t size = zip_source_tell(target);
  zip_source_seek(target, 0, SEEK_SET);
  bool ok = size > 0;
  if (ok) {
    data.assign(std::size_t(size), 0);
    ok = zip_source_read(target, data.data(), zip_uint64_t(size)) == size;
  }
  zip_source_close(target);
  return ok;
}

}  // namespace

bool LessonBytes(const Lesson& lesson, std::vector<std::uint8_t>& data, std::string* error) {
  auto fail = [&](const std::string& text) {
    if (error) *error = Tr("Lesson.SaveFailed", "保存课件失败.") + " " + text;
    return false;
  };
  if (lesson.scenes.empty() || lesson.scenes.size() > kMaxLessonScenes)
    return fail(Tr("Lesson.SceneCount", "课件的场景数不对(至少 1 个,最多 100 个)."));
  QJsonArray scenes;
  std::size_t total = 0;
  for (std::size_t i = 0; i < lesson.scenes.size(); ++i) {
    const LessonScene& scene = lesson.scenes[i];
    total += scene.experiment.size();
    if (total > kMaxLessonBytes)
      return fail(Tr("Lesson.TooLargeUnpacked", "课件解压后太大(全部场景合计最多 128 MB)."));
    if (!LooksLikeExperiment(scene.experiment))
      return fail(SceneProblem(i, Tr("Lesson.NotExperiment", "这个场景不是本版本的实验文件:")));
    if (scene.title.size() > kMaxLessonTitleBytes || scene.note.size() > kMaxLessonNoteBytes)
      return fail(SceneProblem(i, Tr("Lesson.TextTooLong", "标题或备注太长.")));
    scenes.append(QJsonObject{{"file", QString::fromStdString(SceneFileName(i))},
                              {"title", QString::fromStdString(scene.title)},
                              {"note", QString::fromStdString(scene.note)},
                              {"stepByStep", scene.stepByStep},
                              {"studentMode", scene.studentMode},
                              {"equations", scene.equations}});
  }
  if (lesson.title.size() > kMaxLessonTitleBytes)
    return fail(Tr("Lesson.TextTooLong", "标题或备注太长."));
  QJsonObject root{{"format", kFormat},
                   {"version", kFormatVersion},
                   {"title", QString::fromStdString(lesson.title)},
                   {"scenes", scenes}};
  if (lesson.HasPin())
    root.insert("pin", QJsonObject{{"salt", QString::fromStdString(lesson.pinSalt)},
                                   {"sha256", QString::fromStdString(lesson.pinHash)}});
  const QByteArray index = QJsonDocument(root).toJson(QJsonDocument::Indented);
  if (std::size_t(index.size()) > kMaxLessonIndexSize)
    return fail(Tr("Lesson.TextTooLong", "标题或备注太长."));

  // lesson.json first: a leftover temporary file is recognised by it.
  std::vector<std::pair<std::string, std::span<const std::uint8_t>>> files;
  files.emplace_back(kIndexName, std::span(reinterpret_cast<const std::uint8_t*>(index.constData()),
                                           std::size_t(index.size())));
  for (std::size_t i = 0; i < lesson.scenes.size(); ++i)
    files.emplace_back(SceneFileName(i), lesson.scenes[i].experiment);
  if (!BuildArchive(files, data)) return fail("zip");
  if (data.size() > kMaxLessonFileSize)
    return fail(Tr("Lesson.TooLarge", "课件文件不能大于 64 MB."));
  return true;
}

bool SaveLessonFile(const std::string& path, const Lesson& lesson, std::string* error) {
  std::vector<std::uint8_t> data;
  if (!LessonBytes(lesson, data, error)) return false;
  // A killed save leaves an empty file or one that starts with our index.
  const TemporaryCheck ours = [](std::span<const std::uint8_t> head) {
    constexpr std::size_t kNameAt = 30;
    const std::size_t length = std::strlen(kIndexName);
    return head.empty() ||
           (head.size() >= kNameAt + length && std::memcmp(head.data(), "PK\3\4", 4) == 0 &&
            std::memcmp(head.data() + kNameAt, kIndexName, length) == 0);
  };
  std::string reason;
  WriteRefusal refusal = WriteRefusal::None;
  if (WriteFileAtomically(path, data, ours, &reason, &refusal)) return true;
  if (error) {
    *error = Tr("Lesson.SaveFailed", "保存课件失败.") + " ";
    if (refusal == WriteRefusal::ReadOnly)
      *error += Tr("Lesson.ReadOnly", "这个文件是只读的,文件保持原样.") + " " + path;
    else if (refusal == WriteRefusal::NotRegularFile)
      *error += Tr("Lesson.SaveNotRegular", "这个名字不是普通文件,不能保存到这里.") + " " + path;
    else
      *error += reason;
  }
  return false;
}
