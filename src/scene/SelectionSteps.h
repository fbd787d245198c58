#pragma once
// Exact edits of the selection, for the keys and the typed angle: each is
// one undo snapshot, and none changes anything without a selection.

class Document;
class DrawObjectUnit;

// Moves every selected object by (dx, dy) pixels.
bool NudgeSelection(Document& doc, int dx, int dy);
// Turns every selected object that has a direction about its own pivot.
bool TurnSelection(Document& doc, double degrees);
// Turns one object about its pivot to `degrees`.
bool TurnObjectTo(Document& doc, DrawObjectUnit& object, double degrees);
// Copies of the copyable selected objects, moved by (offset, offset),
// become the selection.
bool DuplicateSelection(Document& doc, int offset);
// Selects the next drawn object in scene order after the one selected (the
// first when none is), or the previous; false past either end, the selection
// then empty.
bool SelectNextObject(Document& doc, bool forward);
