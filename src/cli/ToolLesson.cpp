#include "cli/ToolLesson.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "cli/ToolArguments.h"
#include "cli/ToolConsole.h"
#include "cli/ToolStreams.h"
#include "files/ExperimentFile.h"
#include "files/LessonFile.h"
#include "gfx/RecordingCanvas.h"
#include "i18n/TtlmController.h"
#include "objects/ObjectFactory.h"
#include "platform/Platform.h"
#include "scene/Document.h"

namespace {

bool ReadOrSay(const std::string& path, Lesson& lesson, ToolConsole& console) {
  console.SetFile(path);
  std::string error;
  if (ReadLessonFile(path, lesson, &error)) return true;
  console.ShowMessage(error);
  return false;
}

std::string OneLine(std::string text) {
  for (char& c : text)
    if (c == '\n' || c == '\r' || c == '\t') c = ' ';
  return text;
}

std::string BaseTitle(const std::string& path) {
  std::string base = path.substr(path.rfind('/') == std::string::npos ? 0 : path.rfind('/') + 1);
  const auto dot = base.rfind('.');
  return dot == std::string::npos || dot == 0 ? base : base.substr(0, dot);
}

int Pack(const ToolArguments& args, ToolConsole& console) {
  Lesson lesson;
  const std::string& out = args.files[1];
  lesson.title = BaseTitle(out);
  for (std::size_t i = 2; i < args.files.size(); ++i) {
    RecordingCanvas canvas(kDefaultWidth, kDefaultHeight);
    canvas.keep = false;
    Document document(&canvas);
    console.SetFile(args.files[i]);
    document.header = MakeHeaderTemplate();
    document.ResetPage();
    AddCoordinateSystem(document);
    const OpenResult result = OpenExperimentFile(args.files[i], document);
    if (result.status != OpenStatus::Opened || !result.complete) {
      if (result.status == OpenStatus::Failed) console.AddReason(result.systemReason);
      return 1;
    }
    LessonScene scene;
    scene.title = BaseTitle(args.files[i]);
    std::string error;
    if (!ExperimentBytesForSave(document, scene.experiment, &error)) {
      console.ShowMessage(error);
      return 1;
    }
    lesson.scenes.push_back(std::move(scene));
  }
  console.SetFile(out, true);
  std::string error;
  if (SaveLessonFile(out, lesson, &error)) return 0;
  console.ShowMessage(error);
  return 1;
}

// Each scene as OUTDIR/scene-NNN.exo, the names ours, never the archive's.
int Unpack(const ToolArguments& args, ToolConsole& console) {
  Lesson lesson;
  if (!ReadOrSay(args.files[1], lesson, console)) return 1;
  const std::string folder = args.files[2];
  console.SetFile(folder, true);
  // A name already there goes on to the writes, which say what it is.
  std::error_code made;
  std::filesystem::create_directory(folder, made);
  if (made && made != std::errc::file_exists) {
    console.Problem(Tr("ExoTool.CannotWrite", "不能写入"), made.message());
    return 1;
  }
  for (std::size_t i = 0; i < lesson.scenes.size(); ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "scene-%03zu.exo", i + 1);
    const std::string path = folder + "/" + name;
    std::string reason;
    const TemporaryCheck ours = [](std::span<const std::uint8_t> head) {
      return head.empty() || HasCurrentProductTag(head);
    };
    if (!WriteFileAtomically(path, lesson.scenes[i].experiment, ours, &reason)) {
      console.SetFile(path, true);
      console.Problem(Tr("ExoTool.CannotWrite", "不能写入"), reason);
      return 1;
    }
    Print("%s\t%s\n", path.c_str(), OneLine(lesson.scenes[i].title).c_str());
  }
  return 0;
}

}  // namespace

OpenResult OpenLessonScene(const std::string& path, int scene, Document& document,
                           ToolConsole& console) {
  Lesson lesson;
  if (!ReadOrSay(path, lesson, console)) return {};
  const std::size_t index = scene > 0 ? std::size_t(scene - 1) : 0;
  if (index >= lesson.scenes.size()) {
    console.ShowMessage(MainController().Translate("ExoTool.NoScene", "课件只有 %s 个场景",
                                                   {std::to_string(lesson.scenes.size())}));
    return {};
  }
  return OpenExperimentBytes(std::move(lesson.scenes[index].experiment), path, document);
}

int LessonInfo(const ToolArguments& args, ToolConsole& console) {
  Lesson lesson;
  const std::string& name = args.files[0];
  if (!ReadOrSay(name, lesson, console)) return 1;
  if (args.json) {
    QJsonArray scenes;
    for (std::size_t i = 0; i < lesson.scenes.size(); ++i) {
      const LessonScene& s = lesson.scenes[i];
      scenes.append(QJsonObject{{"index", qint64(i + 1)},
                                {"title", QString::fromStdString(s.title)},
                                {"note", QString::fromStdString(s.note)},
                                {"size_bytes", qint64(s.experiment.size())},
                                {"step_by_step", s.stepByStep},
                                {"student_mode", s.studentMode},
                                {"equations", s.equations}});
    }
    const QByteArray text =
        QJsonDocument(QJsonObject{{"file", QString::fromStdString(name)},
                                  {"title", QString::fromStdString(lesson.title)},
                                  {"pin", lesson.HasPin()},
                                  {"scenes", scenes}})
            .toJson(QJsonDocument::Indented);
    StandardOutput().write(text.constData(), text.size());
    return 0;
  }
  Print("file: %s\n", name.c_str());
  Print("lesson: %s\n", OneLine(lesson.title).c_str());
  Print("pin: %s\n", lesson.HasPin() ? "yes" : "no");
  Print("scenes: %zu\n", lesson.scenes.size());
  for (std::size_t i = 0; i < lesson.scenes.size(); ++i) {
    const LessonScene& s = lesson.scenes[i];
    Print("%zu \"%s\" size=%zu stepByStep=%d studentMode=%d equations=%d note=\"%s\"\n", i + 1,
          OneLine(s.title).c_str(), s.experiment.size(), s.stepByStep, s.studentMode, s.equations,
          OneLine(s.note).c_str());
  }
  return 0;
}

int LessonCommand(const ToolArguments& args, ToolConsole& console) {
  return args.files[0] == "pack" ? Pack(args, console) : Unpack(args, console);
}
