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

// Where the picture dialogs start: the folder of the last picture chosen or
// saved, else the user's Pictures, Documents or home folder, the first that
// exists (never the program's folder, which the user may not write to).
QString PicturesFolder();
void RememberPictureFolder(const QString& filePath);
// Where a first save of an experiment starts: the last experiment's folder,
// else Documents, else home.
QString ExperimentSaveFolder();

// The folder of the last experiment opened or saved; empty before the first.
QString LastExperimentFolder();
void RememberExperimentFolder(const QString& filePath);
