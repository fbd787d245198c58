#pragma once
// Reading a whole regular file, bounded: anything else (a directory, a pipe
// that would block) counts as a file that cannot be opened.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

enum class FileRead { Read, CannotOpen, TooLarge };

FileRead ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& data,
                       std::size_t maxBytes);
