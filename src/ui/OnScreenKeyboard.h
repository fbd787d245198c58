#pragma once
// The desktop's on-screen keyboard, brought up with the property sheet while
// "使用软键盘" is on, for entering values on a whiteboard.

#include <QStringList>

// Programs tried, in order: the keyboards Debian's desktops ship.
QStringList OnScreenKeyboardPrograms();
// The first of them found on PATH; empty when none is installed.
QString FindOnScreenKeyboard();
// Starts it detached; false when none is installed or it does not start.
bool StartOnScreenKeyboard();
// StartOnScreenKeyboard, and when it fails, a note in the main window's
// status bar, once until ResetMissingKeyboardNotice.
void BringUpOnScreenKeyboard();
void ResetMissingKeyboardNotice();
