#include "scene/ObjectList.h"

#include <algorithm>
#include <map>

DrawObjectUnit* FindByClass(const ObjectList& list, const std::string& className,
                            std::size_t from) {
  for (std::size_t i = from; i < list.size(); ++i)
    if (list[i]->className == className) return list[i].get();
  return nullptr;
}

std::vector<std::string> SerialNames(const ObjectList& list) {
  std::map<std::string, int> counts;
  std::vector<std::string> names;
  names.reserve(list.size());
  for (const auto& object : list)
    names.push_back(object->className + std::to_string(++counts[object->className]));
  return names;
}

ObjectList DeepCopy(const ObjectList& list) {
  ObjectList copy;
  copy.reserve(list.size());
  for (const auto& object : list) copy.push_back(object->Clone());
  return copy;
}

bool RemoveObject(ObjectList& list, const DrawObjectUnit* object) {
  auto it =
      std::find_if(list.begin(), list.end(), [object](const auto& p) { return p.get() == object; });
  if (it == list.end()) return false;
  list.erase(it);
  return true;
}

void UndoHistory::Push(const ObjectList& scene) {
  ObjectList snapshot = DeepCopy(scene);
  // A restored object must paint on the first refresh after Undo.
  for (auto& object : snapshot) object->skipNextPaint = 0;
  if (current_ >= 0) nodes_.resize(static_cast<std::size_t>(current_) + 1);
  if (nodes_.size() >= limit_ && !nodes_.empty()) nodes_.erase(nodes_.begin());
  nodes_.push_back(std::move(snapshot));
  current_ = static_cast<int>(nodes_.size()) - 1;
}

const ObjectList* UndoHistory::Undo() {
  if (!CanUndo()) return nullptr;
  --current_;
  return &nodes_[static_cast<std::size_t>(current_)];
}

const ObjectList* UndoHistory::Redo() {
  if (!CanRedo()) return nullptr;
  ++current_;
  return &nodes_[static_cast<std::size_t>(current_)];
}
