#pragma once
// Reading and writing experiment files (*.exo, current binary layout) and the
// Open command's logic, shared by the window and the command-line tool.

#include <cstdint>
#include <string>
#include <vector>

class Document;

enum class OpenStatus {
  Opened,   // the experiment was replaced by the file's content
  Refused,  // the file was read but refused (damaged, too new); the old experiment stays
  Failed,   // the file could not be opened or converted; the old experiment stays
};

struct OpenResult {
  OpenStatus status = OpenStatus::Failed;
  // Every message text shown to the user, in order (also shown through ShowMessage).
  std::vector<std::string> messages;
};

// Opens `path` as the Open command does (without the dialog). Messages go to
// the process's message sink. On success the page's file name is `path`, the
// page is marked saved and one undo snapshot is pushed. A refused or failed
// file never takes over the current experiment's file name.
OpenResult OpenExperimentFile(const std::string& path, Document& document);

// The current layout of the document, with the true size in the header.
std::vector<std::uint8_t> SerializeExperiment(const Document& document);

// Writes atomically (temporary file beside it, then rename), so that a failed
// save leaves any previous file intact. On failure returns false and sets
// `error` to a message for the user.
bool SaveExperimentFile(const std::string& path, const Document& document, std::string* error);
