#pragma once
// Reading a whole regular file, bounded. Anything else (a directory, a pipe
// that would block, a device whose opening does something) is not opened.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

enum class FileRead { Read, CannotOpen, NotRegularFile, TooLarge };

// `systemError`, when given, gets the errno of a file that cannot be opened.
FileRead ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& data,
                       std::size_t maxBytes, int* systemError = nullptr);
