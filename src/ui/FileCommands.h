#pragma once
// Opening and saving experiment files from the main window. The dialogs are
// thin; the work after a path is chosen is in the *File functions, which
// tests call directly.

#include <string>

#include "files/ExperimentFile.h"

class Document;
class QWidget;

// The open dialog, starting in "<working directory>/Optics example". Nothing
// happens when it is cancelled. True when a file was read (opened or refused):
// the window then clears the drawing board and shows the surface.
bool OpenPageClick(QWidget* parent, Document& document);
// The open dialog alone: the chosen file, or empty when it was cancelled.
std::string ChooseExperimentToOpen(QWidget* parent);
// The dialog for a Ray Optics Simulation scene file (*.json), and the one
// that takes a pasted share link; empty when cancelled.
std::string ChooseRayOpticsScene(QWidget* parent);
std::string AskRayOpticsLink(QWidget* parent);
// Asks for a file name and writes the experiment there as a Ray Optics
// scene; what the peer lacks is named in a message. True when written.
bool ExportRayOpticsClick(QWidget* parent, const Document& document);
// Opens `path` as the Open command does, without the dialog (also for the
// command line): messages go through the message sink, a refused file keeps
// the previous file name, a file read in part leaves the page unnamed (so
// that Ctrl+S asks for a name), and the document's surface is refreshed.
OpenStatus OpenPageFile(const std::string& path, Document& document);

// Ctrl+S: saves to the page's file when it names an existing file, otherwise
// asks for a name first. True when the file was written.
bool SavePageClick(QWidget* parent, Document& document);
// Writes the experiment to `path`. On success the page takes the path as its
// file name and is marked saved; on failure the error is shown and the page
// stays unsaved under its old name.
bool SavePageFile(const std::string& path, Document& document);
// The file the page was opened from or saved to, when that file still exists.
bool PageNamesExistingFile(const Document& document);

// The dialogs' start directory and filter.
std::string ExampleDirectory();
inline constexpr const char* kExperimentFilter = "光学文件(*.exo)";
