#pragma once
// Replacing a file in one step: the new content goes into a temporary file
// beside the file it replaces, is synced, renamed over it, and the directory
// is synced so that the new name survives a power cut.

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

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
