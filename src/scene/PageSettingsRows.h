#pragma once
// The page settings as property rows: filling the sheet and reading it back.
// No widgets here, so tests drive it with a fake sheet.

#include "gfx/TCanvas.h"

class Document;
class IPropertySheet;

// A background with all three channels at 201 or more is replaced by
// (200, 200, 200): the rays and objects would not show on it.
TColor AcceptableAmbientColour(TColor colour);

// Clears the sheet, sets the caption "页面设置属性" and inserts the ten page
// rows (all read-only; colours with the ellipsis, the rest with pick lists).
void FillPageSettingsRows(const Document& document, IPropertySheet& sheet);

// Reads the rows back into the page, the process-wide settings and the scene
// objects. Always true: every row changes only through its pick list or the
// colour dialog. A value that still fails to convert keeps the old setting.
bool ApplyPageSettings(Document& document, const IPropertySheet& sheet);
