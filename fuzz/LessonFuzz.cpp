// Lesson files: whatever the bytes, the reader refuses them with a message
// or gives a lesson that saves and reads back to the same lesson, and whose
// scenes open as experiments.

#include "FuzzHarness.h"
#include "files/ExperimentFile.h"
#include "files/LessonFile.h"
#include "gfx/RecordingCanvas.h"
#include "scene/Document.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  FuzzSetUp();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzResetSettings();
  Lesson lesson;
  std::string error;
  if (!ReadLessonData({data, size}, lesson, &error)) {
    Require(!error.empty(), "a refused lesson says why");
    return 0;
  }
  Bytes saved;
  Require(LessonBytes(lesson, saved, &error), "a lesson read saves: " + error);
  Lesson again;
  Require(ReadLessonData(saved, again, &error), "a saved lesson reads back: " + error);
  Require(again.scenes.size() == lesson.scenes.size() && again.title == lesson.title &&
              again.pinHash == lesson.pinHash,
          "the lesson reads back the same");
  for (std::size_t i = 0; i < lesson.scenes.size(); ++i) {
    Require(again.scenes[i].experiment == lesson.scenes[i].experiment &&
                again.scenes[i].title == lesson.scenes[i].title &&
                again.scenes[i].note == lesson.scenes[i].note,
            "scene " + std::to_string(i + 1) + " reads back the same");
    RecordingCanvas canvas(320, 240);
    canvas.keep = false;
    Document document(&canvas);
    LowerWorkBounds(document);
    OpenExperimentBytes(lesson.scenes[i].experiment, "scene", document);
  }
  return 0;
}
