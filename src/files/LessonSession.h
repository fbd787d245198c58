#pragma once
// The lesson the window shows: its scenes, the one on the surface and the
// history of the scene list's edits. The surface's experiment is the live
// copy of the current scene; it goes back into the lesson before the list
// changes, before another scene is shown and before the lesson is saved.
// Undo of a list edit brings back the list (order, titles, options, deleted
// scenes), while each scene that is still there keeps its latest content.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "files/ExperimentFile.h"
#include "files/Lesson.h"

class Document;

class LessonSession {
 public:
  static constexpr std::size_t kHistory = 30;

  bool Active() const { return !scenes_.empty(); }
  std::size_t Count() const { return scenes_.size(); }
  std::size_t Current() const { return current_; }
  const LessonScene& Scene(std::size_t index) const { return scenes_.at(index).meta; }
  const std::string& FileName() const { return fileName_; }
  const std::string& Title() const { return title_; }
  // The teacher's PIN and its check (Lesson::SetPin, PinMatches).
  void SetPin(const std::string& pin);
  bool PinMatches(const std::string& pin) const;
  bool HasPin() const { return !pinHash_.empty(); }
  // The lesson changed since it was opened or saved (the scenes' own
  // changes are the document's saved flag).
  bool Changed() const { return changed_; }

  // A lesson of one scene, the experiment on the surface.
  bool Start(const Document& document, const std::string& title, std::string* error);
  // The lesson read from `path` (empty: unnamed); its first scene shown.
  OpenResult Take(Lesson lesson, const std::string& path, Document& document);
  // Back to a plain experiment.
  void End();
  // Unnamed and changed (a recovered lesson: saving asks for a name).
  void Untitle() {
    fileName_.clear();
    changed_ = true;
  }

  // The whole lesson, the surface's experiment in its scene; false with the
  // message when the experiment cannot be kept (Save's own refusals).
  bool Snapshot(const Document& document, Lesson& lesson, std::string* error);
  bool Save(const std::string& path, const Document& document, std::string* error);

  // Stores the surface, then shows scene `index`.
  OpenResult Show(std::size_t index, Document& document, std::string* error = nullptr);

  // The scene list's edits; each keeps the surface first and is undoable.
  // New and duplicated scenes come after the current one and are shown.
  bool Add(Document& document, std::string* error = nullptr);
  bool Duplicate(Document& document, std::string* error = nullptr);
  // The current scene one place earlier (-1) or later (+1).
  bool MoveCurrent(int by, Document& document, std::string* error = nullptr);
  bool Rename(const std::string& title);
  bool SetOptions(bool stepByStep, bool studentMode, bool equations);
  // Never the last scene.
  bool Delete(Document& document, std::string* error = nullptr);
  bool CanUndo() const { return at_ > 0; }
  bool CanRedo() const { return at_ + 1 < history_.size(); }
  bool Undo(Document& document);
  bool Redo(Document& document);

  // "场景 k / n: TITLE".
  std::string Status() const;

 private:
  struct Entry {
    LessonScene meta;  // without its experiment
    std::uint64_t id = 0;
    std::shared_ptr<const std::vector<std::uint8_t>> bytes;
  };
  struct State {
    std::vector<Entry> scenes;
    std::size_t current = 0;
  };
  bool Keep(const Document& document, std::string* error);
  void Remember();
  bool Restore(const State& state, Document& document);
  Entry NewEntry(LessonScene scene);

  std::vector<Entry> scenes_;
  std::size_t current_ = 0;
  std::string fileName_, title_, pinSalt_, pinHash_;
  std::vector<State> history_;
  std::size_t at_ = 0;
  std::uint64_t nextId_ = 1;
  bool changed_ = false;
};
