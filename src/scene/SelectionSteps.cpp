#include "scene/SelectionSteps.h"

#include <algorithm>

#include "scene/Document.h"

bool NudgeSelection(Document& doc, int dx, int dy) {
  // Locked objects stay (MoveSelection passes them by); only they: no step.
  if (std::ranges::all_of(doc.selection, [](DrawObjectUnit* o) { return o->Locked(); }))
    return false;
  doc.MoveSelection(kMoveBy, dx, dy);
  doc.PushUndoSnapshot();
  return true;
}

bool TurnSelection(Document& doc, double degrees) {
  bool turned = false;
  for (DrawObjectUnit* object : doc.selection) turned = object->TurnBy(degrees) || turned;
  if (turned) doc.PushUndoSnapshot();
  return turned;
}

bool TurnObjectTo(Document& doc, DrawObjectUnit& object, double degrees) {
  if (!object.TurnTo(degrees)) return false;
  doc.PushUndoSnapshot();
  return true;
}

bool DuplicateSelection(Document& doc, int offset) {
  if (!doc.CanCopy()) return false;
  Selection copies;
  for (DrawObjectUnit* object : doc.selection) {
    if (!object->canCopy) continue;
    auto copy = object->CloneMoved(offset, offset);
    if (!copy) continue;
    copies.push_back(copy.get());
    doc.scene.push_back(std::move(copy));
  }
  if (copies.empty()) return false;
  doc.selection = std::move(copies);
  doc.PushUndoSnapshot();
  return true;
}

bool SelectNextObject(Document& doc, bool forward) {
  const int count = static_cast<int>(doc.scene.size());
  int at = forward ? -1 : count;
  if (!doc.selection.empty()) {
    const auto it = std::find_if(doc.scene.begin(), doc.scene.end(), [&](const auto& object) {
      return object.get() == doc.selection.back();
    });
    if (it != doc.scene.end()) at = static_cast<int>(it - doc.scene.begin());
  }
  for (int i = at + (forward ? 1 : -1); i >= 0 && i < count; i += forward ? 1 : -1) {
    if (!doc.scene[static_cast<std::size_t>(i)]->isDrawn) continue;
    doc.SelectOnly(doc.scene[static_cast<std::size_t>(i)].get());
    return true;
  }
  doc.selection.clear();
  return false;
}
