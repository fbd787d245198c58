#pragma once
// The page settings command: the ten page rows in the shared property sheet.
// The row logic itself is headless (scene/PageSettingsRows.h).

class Document;

// Fills Settings().sheet with the page rows and shows it modally; "确定"
// applies them (ApplyPageSettings). 1 when applied, 2 when cancelled. The
// caller refreshes afterwards; no undo snapshot is taken.
int ShowPageSettings(Document& document);
