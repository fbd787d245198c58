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

// Writes `data` to `path`. A symbolic link is followed to the file it names,
// which is replaced (the link stays). The replaced file's permissions are
// kept. Temporary files ".NAME.veltrano-save-XXXXXX.tmp" that an earlier,
// interrupted write of the same file left behind are removed first when `ours`
// accepts them and no other writer holds them; no other file is ever removed. On failure returns
// false, sets `error` to the system's reason and leaves any previous file as it was.
bool WriteFileAtomically(const std::string& path, const std::vector<std::uint8_t>& data,
                         const TemporaryCheck& ours, std::string* error);

// The file a path names after following symbolic links (at most 40 of them);
// the path itself when it is no link or names nothing yet. Empty when the
// links run in a loop.
std::string FollowSymbolicLinks(const std::string& path);
