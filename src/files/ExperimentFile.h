#pragma once
// Reading and writing experiment files (*.exo, current binary layout) and the
// Open command's logic, shared by the window and the command-line tool.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "scene/TNewPage.h"

class Document;
class PictureAllowance;
class ByteReader;
class ByteWriter;

enum class OpenStatus {
  Opened,   // the experiment was replaced by the file's content
  Refused,  // the file was read but refused (damaged, too new); the old experiment stays
  Failed,   // the file could not be opened or converted; the old experiment stays
};

struct OpenResult {
  OpenStatus status = OpenStatus::Failed;
  // Every message text shown to the user, in order (also shown through ShowMessage).
  std::vector<std::string> messages;
  // False when part of the file was not read (unknown class, damaged record,
  // bad converted line, converted objects whose class this build lacks): the
  // experiment holds what was read and does not take the file's name.
  bool complete = true;
  // True when the file was an older one that went through the converter.
  bool converted = false;
  // Why the system could not read the file ("No such file or directory"),
  // when that was the failure.
  std::string systemReason;
};

// Sizes of the fixed parts of the current layout.
constexpr std::size_t kHeaderSize = 120;
constexpr std::size_t kPageRecordSize = 108;
constexpr std::size_t kTrailerSize = 14;
// Class names are short identifiers; anything longer is not a class name.
constexpr std::size_t kMaxClassNameLength = 64;
// Far above any classroom scene (the largest examples hold a few hundred
// objects), and low enough that the objects, their faces and a few undo
// steps of them fit in memory.
constexpr std::size_t kMaxObjects = 100'000;
// Experiment files hold a few objects and perhaps pictures; a bigger file is
// not one of ours and is not read into memory. The save refuses to write one
// with the same message, so that whatever is saved can be opened again.
constexpr std::size_t kMaxExperimentFileSize = 256u * 1024u * 1024u;

// Opens `path` as the Open command does (without the dialog). Messages go to
// the process's message sink. On success one undo snapshot is pushed and,
// when the whole file was read, the page's file name is `path` and the page
// is marked saved; a file read in part leaves the page unnamed ("0") and
// unsaved. A refused or failed file never takes over the current
// experiment's file name.
// Pictures beyond the allowance of one experiment (PictureAllowance) are
// left out with a message, and the file counts as read in part.
// `maxBytes` is the largest file accepted (tests lower it).
OpenResult OpenExperimentFile(const std::string& path, Document& document,
                              std::size_t maxBytes = kMaxExperimentFileSize);

// Open of an experiment held in memory (a scene of a lesson): the current
// layout only, as OpenExperimentFile reads it; `name` takes the place of the
// file's path. `result` may carry messages said before.
OpenResult OpenExperimentBytes(std::vector<std::uint8_t> data, const std::string& name,
                               Document& document, OpenResult result = {});

// The current layout of the document, with the true size in the header.
std::vector<std::uint8_t> SerializeExperiment(const Document& document);
// Its length in bytes, measured without writing it.
std::size_t SerializedExperimentSize(const Document& document);
// Shown when a file is over kMaxExperimentFileSize, by Open and by Save.
std::string TooLargeFileMessage();
// Says how many pictures the allowance of a file's reading refused; such a
// file counts as read in part.
void ReportPicturesLeftOut(const PictureAllowance& pictures, OpenResult& result);

// Writes atomically (see WriteFileAtomically: through a symbolic link to its
// target, keeping its permissions, removing our own stale temporary files),
// so that a failed save leaves any previous file intact. An experiment
// whose file would be larger than `maxBytes` (what Open accepts) is not
// written at all. On failure returns false and sets `error` to a message
// for the user.
bool SaveExperimentFile(const std::string& path, const Document& document, std::string* error,
                        std::size_t maxBytes = kMaxExperimentFileSize);

// The bytes SaveExperimentFile would write, after the same checks; false
// with the message (nothing is made) when it would refuse.
bool ExperimentBytesForSave(const Document& document, std::vector<std::uint8_t>& data,
                            std::string* error, std::size_t maxBytes = kMaxExperimentFileSize);

// The header template the window sets at start-up: version 6.0, "ptx", the
// current date and time, "物理光学软件".
FileHeader MakeHeaderTemplate();
void WriteFileHeader(ByteWriter& out, const FileHeader& header);
// Reads the 120 bytes; a shorter input reads as if padded with zero bytes.
FileHeader ReadFileHeader(std::span<const std::uint8_t> data);
// True when the header's product tag is the current one.
bool HasCurrentProductTag(std::span<const std::uint8_t> data);

void WritePageSettings(ByteWriter& out, const TNewPage& page, std::uint8_t showAngles);
// Reads the 108-byte page record; false when it is cut short.
bool LoadPageSettings(ByteReader& in, TNewPage& page, std::uint8_t& showAngles);

// Reads the converted (older release) layout into a document that ResetPage
// has emptied. Messages are shown and added to `result`.
void LoadConvertedExperiment(std::span<const std::uint8_t> data, Document& document,
                             OpenResult& result);

// Directory that holds the converter library "changfiletov5.dat"; by default
// "DAT/" in the program's data folder (ProgramDataFolder()).
std::string DataDirectory();
void SetDataDirectory(const std::string& directory);
