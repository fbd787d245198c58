#include "files/LessonSession.h"

#include <algorithm>

#include "files/LessonFile.h"
#include "i18n/TtlmController.h"
#include "objects/ObjectFactory.h"
#include "scene/Document.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// What "新建" gives: a fresh page with its coordinate system.
Bytes EmptyScene() {
  Document scratch(nullptr);
  scratch.header = MakeHeaderTemplate();
  scratch.ResetPage();
  AddCoordinateSystem(scratch);
  return SerializeExperiment(scratch);
}

std::string DefaultTitle(std::size_t number) {
  return Tr("Lesson.Scene", "场景") + " " + std::to_string(number);
}

}  // namespace

LessonSession::Entry LessonSession::NewEntry(LessonScene scene) {
  Entry entry;
  entry.bytes = std::make_shared<const Bytes>(std::move(scene.experiment));
  scene.experiment.clear();
  entry.meta = std::move(scene);
  entry.id = nextId_++;
  return entry;
}

void LessonSession::SetPin(const std::string& pin) {
  Lesson holder;
  holder.SetPin(pin);
  pinSalt_ = holder.pinSalt;
  pinHash_ = holder.pinHash;
  changed_ = true;
}

bool LessonSession::PinMatches(const std::string& pin) const {
  Lesson holder;
  holder.pinSalt = pinSalt_;
  holder.pinHash = pinHash_;
  return holder.PinMatches(pin);
}

bool LessonSession::Keep(const Document& document, std::string* error) {
  if (!Active()) return false;
  Bytes bytes;
  if (!ExperimentBytesForSave(document, bytes, error)) return false;
  Entry& entry = scenes_[current_];
  if (*entry.bytes != bytes) {
    entry.bytes = std::make_shared<const Bytes>(std::move(bytes));
    changed_ = true;
  }
  return true;
}

void LessonSession::Remember() {
  history_.resize(std::min(history_.size(), at_ + 1));
  history_.push_back({scenes_, current_});
  if (history_.size() > kHistory) history_.erase(history_.begin());
  at_ = history_.size() - 1;
}

bool LessonSession::Start(const Document& document, const std::string& title, std::string* error) {
  LessonScene scene;
  scene.title = DefaultTitle(1);
  if (!ExperimentBytesForSave(document, scene.experiment, error)) return false;
  End();
  title_ = title;
  scenes_.push_back(NewEntry(std::move(scene)));
  Remember();
  changed_ = true;
  return true;
}

OpenResult LessonSession::Take(Lesson lesson, const std::string& path, Document& document) {
  End();
  fileName_ = path;
  title_ = lesson.title;
  pinSalt_ = lesson.pinSalt;
  pinHash_ = lesson.pinHash;
  for (LessonScene& scene : lesson.scenes) scenes_.push_back(NewEntry(std::move(scene)));
  Remember();
  OpenResult result = OpenExperimentBytes(*scenes_.front().bytes, fileName_, document);
  // A scene read in part would be saved in part: the lesson asks for a new name.
  if (!result.complete) fileName_.clear();
  return result;
}

void LessonSession::End() {
  scenes_.clear();
  history_.clear();
  at_ = current_ = 0;
  fileName_.clear();
  title_.clear();
  pinSalt_.clear();
  pinHash_.clear();
  changed_ = false;
}

bool LessonSession::Snapshot(const Document& document, Lesson& lesson, std::string* error) {
  if (!Keep(document, error)) return false;
  lesson = Lesson{};
  lesson.title = title_;
  lesson.pinSalt = pinSalt_;
  lesson.pinHash = pinHash_;
  for (const Entry& entry : scenes_) {
    LessonScene scene = entry.meta;
    scene.experiment = *entry.bytes;
    lesson.scenes.push_back(std::move(scene));
  }
  return true;
}

bool LessonSession::Save(const std::string& path, const Document& document, std::string* error) {
  Lesson lesson;
  if (!Snapshot(document, lesson, error) || !SaveLessonFile(path, lesson, error)) return false;
  fileName_ = path;
  changed_ = false;
  return true;
}

OpenResult LessonSession::Show(std::size_t index, Document& document, std::string* error) {
  OpenResult result;
  result.status = OpenStatus::Refused;
  if (index >= scenes_.size() || !Keep(document, error)) return result;
  current_ = index;
  result = OpenExperimentBytes(*scenes_[index].bytes, fileName_, document);
  if (!result.complete) fileName_.clear();
  return result;
}

bool LessonSession::Add(Document& document, std::string* error) {
  if (scenes_.size() >= kMaxLessonScenes || !Keep(document, error)) return false;
  LessonScene scene;
  scene.title = DefaultTitle(scenes_.size() + 1);
  scene.experiment = EmptyScene();
  scenes_.insert(scenes_.begin() + std::ptrdiff_t(current_ + 1), NewEntry(std::move(scene)));
  changed_ = true;
  Show(current_ + 1, document);
  Remember();
  return true;
}

bool LessonSession::Duplicate(Document& document, std::string* error) {
  if (scenes_.size() >= kMaxLessonScenes || !Keep(document, error)) return false;
  Entry copy = scenes_[current_];
  copy.id = nextId_++;
  scenes_.insert(scenes_.begin() + std::ptrdiff_t(current_ + 1), std::move(copy));
  changed_ = true;
  Show(current_ + 1, document);
  Remember();
  return true;
}

bool LessonSession::MoveCurrent(int by, Document& document, std::string* error) {
  const std::ptrdiff_t to = std::ptrdiff_t(current_) + by;
  if (!Active() || to < 0 || to >= std::ptrdiff_t(scenes_.size()) || !Keep(document, error))
    return false;
  std::swap(scenes_[current_], scenes_[std::size_t(to)]);
  current_ = std::size_t(to);
  changed_ = true;
  Remember();
  return true;
}

bool LessonSession::Rename(const std::string& title) {
  if (!Active() || title.size() > kMaxLessonTitleBytes || scenes_[current_].meta.title == title)
    return false;
  scenes_[current_].meta.title = title;
  changed_ = true;
  Remember();
  return true;
}

bool LessonSession::SetOptions(bool stepByStep, bool studentMode, bool equations) {
  if (!Active()) return false;
  LessonScene& meta = scenes_[current_].meta;
  meta.stepByStep = stepByStep;
  meta.studentMode = studentMode;
  meta.equations = equations;
  changed_ = true;
  Remember();
  return true;
}

bool LessonSession::Delete(Document& document, std::string* error) {
  if (scenes_.size() < 2 || !Keep(document, error)) return false;
  scenes_.erase(scenes_.begin() + std::ptrdiff_t(current_));
  current_ = std::min(current_, scenes_.size() - 1);
  OpenExperimentBytes(*scenes_[current_].bytes, fileName_, document);
  changed_ = true;
  Remember();
  return true;
}

bool LessonSession::Restore(const State& state, Document& document) {
  if (!Keep(document, nullptr)) return false;
  std::vector<Entry> restored = state.scenes;
  // A scene still in the list keeps what was done in it since.
  for (Entry& entry : restored)
    for (const Entry& live : scenes_)
      if (live.id == entry.id) entry.bytes = live.bytes;
  const std::uint64_t shown = scenes_[current_].id;
  scenes_ = std::move(restored);
  current_ = std::min(state.current, scenes_.size() - 1);
  changed_ = true;
  if (scenes_[current_].id != shown)
    OpenExperimentBytes(*scenes_[current_].bytes, fileName_, document);
  return true;
}

bool LessonSession::Undo(Document& document) {
  if (!CanUndo() || !Restore(history_[at_ - 1], document)) return false;
  --at_;
  return true;
}

bool LessonSession::Redo(Document& document) {
  if (!CanRedo() || !Restore(history_[at_ + 1], document)) return false;
  ++at_;
  return true;
}

std::string LessonSession::Status() const {
  if (!Active()) return {};
  return Tr("Lesson.Scene", "场景") + " " + std::to_string(current_ + 1) + " / " +
         std::to_string(scenes_.size()) + ": " + scenes_[current_].meta.title;
}
