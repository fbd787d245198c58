#pragma once
// Re-translates a window when the language changes: its font from the
// language's general information, then the texts of the window ("self") and
// of every named component it owns, by the keys of the text lookup
// ("SpeedButton8.Caption", "SpeedButton8.Hint", "PenWidthList.Items[0]").
//
// Each text is translated from the Chinese default the window's code gave
// when it looked the key up (kept by the controller), never from the text on
// the screen, so that going back to Chinese restores the texts exactly.
// Texts the code never looked up (status panels, typed values) are left as
// they are.

#include <string>

class QObject;
class QWidget;
class TtlmController;

// Makes `controller`'s language change re-translate `window`, and keeps the
// window's own font to go back to. Throws std::logic_error for a window that
// already has a controller.
void AttachTranslator(QWidget* window, TtlmController& controller);

// One pass over `window` with the active filter (none: the Chinese texts).
void TranslateWindow(QWidget* window, const TtlmController& controller);

// Looks up a component's property under another key than
// "<name>.<property>" (a window title that comes from a text id).
void SetTextKey(QObject* component, const char* property, const std::string& key);
