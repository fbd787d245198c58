#pragma once
// Where file dialogs open and how large: at least half the screen's width
// (their default of 600 pixels elides the size and date columns on a large
// screen at 200 %), with the columns wide enough for what they show; the
// experiment dialogs in the folder of the last experiment opened or saved.

#include <QString>

class QFileDialog;

// Sizes `dialog` for the screen of its parent (or the primary screen) and
// lets its detail columns fit their contents.
void LayOutFileDialog(QFileDialog& dialog);

// The user's Pictures folder, empty when there is none: where the picture
// dialogs start.
QString PicturesFolder();

// The folder of the last experiment opened or saved; empty before the first.
QString LastExperimentFolder();
void RememberExperimentFolder(const QString& filePath);
