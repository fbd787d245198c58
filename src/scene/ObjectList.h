#pragma once
// Lists of scene objects. An ObjectList owns its objects; a selection only
// points at objects owned elsewhere.

#include <memory>
#include <string>
#include <vector>

#include "scene/DrawObjectUnit.h"

using ObjectList = std::vector<std::unique_ptr<DrawObjectUnit>>;
using Selection = std::vector<DrawObjectUnit*>;

// First object at or after index `from` whose class name equals the text.
DrawObjectUnit* FindByClass(const ObjectList& list, const std::string& className,
                            std::size_t from = 0);
// Every object's name as the readouts give it: its class name and its number
// among the objects of that class, in list order (IdealMagnifier1,
// RealObject1, RealObject2, ...). Files often give several objects one name.
std::vector<std::string> SerialNames(const ObjectList& list);
ObjectList DeepCopy(const ObjectList& list);
// Unlinks and destroys the object; false when the list does not hold it.
bool RemoveObject(ObjectList& list, const DrawObjectUnit* object);

// Snapshots of the whole scene for undo and redo.
class UndoHistory {
 public:
  explicit UndoHistory(std::size_t limit = 30) : limit_(limit) {}

  // Drops the redo branch, then the oldest snapshot when the limit is reached.
  void Push(const ObjectList& scene);
  bool CanUndo() const { return current_ > 0; }
  bool CanRedo() const { return current_ >= 0 && current_ + 1 < static_cast<int>(nodes_.size()); }
  // Moves the current snapshot and returns it; null when impossible.
  const ObjectList* Undo();
  const ObjectList* Redo();
  void Clear() {
    nodes_.clear();
    current_ = -1;
  }
  std::size_t Size() const { return nodes_.size(); }
  int Current() const { return current_; }

 private:
  std::vector<ObjectList> nodes_;
  int current_ = -1;
  std::size_t limit_;
};
