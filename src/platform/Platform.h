#pragma once
// The operating system's services that Qt's portable classes do not give the
// way this program needs them. This header is the whole seam: Platform.cpp
// implements it with POSIX calls, and a build for another system replaces
// that one file. Everything else uses Qt (QProcess, QLibrary, QTemporaryFile)
// or the standard library for what those do portably.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

// ---- Reading a whole file --------------------------------------------------

enum class FileRead { Read, CannotOpen, NotRegularFile, TooLarge };

// Reads a whole regular file of at most `maxBytes`. Anything else (a
// directory, a pipe that would block, a device whose opening does something)
// is not opened. `systemError`, when given, gets the errno of a file that
// cannot be opened.
FileRead ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& data,
                       std::size_t maxBytes, int* systemError = nullptr);

// ---- The atomic writer -----------------------------------------------------
// Replacing a file in one step: the new content goes into a temporary file
// beside the file it replaces, is synced, renamed over it, and the directory
// is synced so that the new name survives a power cut.

// Tells whether the start of a leftover temporary file (at most 4096 bytes,
// empty for an empty file) is something this program wrote.
using TemporaryCheck = std::function<bool(std::span<const std::uint8_t> head)>;

// Why a write was refused before anything was touched.
enum class WriteRefusal {
  None,
  ReadOnly,        // the file is there but may not be written (no write bit, or not ours)
  NotRegularFile,  // the name is a pipe, a device, a directory, a socket
};

// What a symbolic link at the path itself means.
enum class LinkRule {
  Follow,   // the file it names is replaced; the link stays
  Replace,  // the link itself is replaced; what it names is never touched
};

// Writes `data` to `path`. Only a regular file that may be written, or a name
// that is free, is written: a read-only file (no write permission bit, or not
// writable by this user) and anything that is no regular file are refused
// with `refusal` set, since write-and-rename would replace them with nothing
// but the folder's permission. The replaced file's permissions are
// kept. Temporary files ".NAME.veltrano-save-XXXXXX.tmp" that an earlier,
// interrupted write of the same file left behind are removed first when `ours`
// accepts them and no other writer holds them; no other file is ever removed. On failure returns
// false, sets `error` to the system's reason and leaves any previous file as it was.
bool WriteFileAtomically(const std::string& path, const std::vector<std::uint8_t>& data,
                         const TemporaryCheck& ours, std::string* error,
                         WriteRefusal* refusal = nullptr, LinkRule links = LinkRule::Follow);

// The file a path names after following symbolic links (at most 40 of them);
// the path itself when it is no link or names nothing yet. Empty when the
// links run in a loop.
std::string FollowSymbolicLinks(const std::string& path);

// ---- Locks -----------------------------------------------------------------

// An exclusive lock on a file of its own, taken without waiting. The system
// drops it when the process ends, however it ends, so a lock nobody holds
// is one whose owner is gone. (QLockFile decides that by process number
// and age instead, which a reused number or a long session deceives.)
class FileLock {
 public:
  FileLock() = default;
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;
  ~FileLock();  // lets the lock go; the file stays

  // Creates the file at `path` (mode 0600, never through a link) and locks
  // it; false when another holds it or it cannot be made.
  bool TryTake(const std::string& path);
  bool Held() const { return handle_ >= 0; }
  // Removes the file, then lets the lock go, so that nobody takes a lock on
  // a name that is about to go.
  void RemoveAndRelease();

 private:
  int handle_ = -1;
  std::string path_;
};

// ---- Standard streams and signals ------------------------------------------

// Writes some of `data` to standard output; the count written, or -1 with
// `error` set to the system's reason. Interrupted calls are retried.
std::ptrdiff_t WriteStandardOutput(const char* data, std::size_t size, int* error);
// Reads at most `size` bytes of standard input; 0 at its end, -1 with `error`.
std::ptrdiff_t ReadStandardInput(char* data, std::size_t size, int* error);

// A closed pipe makes a write fail with its reason instead of ending the process.
void IgnoreBrokenPipes();
// `handler` runs when the session ends or the terminal is interrupted;
// it may only set a flag.
void OnStopRequest(void (*handler)(int));

// ---- The program -----------------------------------------------------------

// The running executable's full path, links resolved; empty when unknown.
std::string ExecutablePath();
