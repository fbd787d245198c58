#pragma once
// "-" for standard input and output, and writes whose failure is noticed:
// a full disk, /dev/full or a closed pipe gives the system's reason.

#include <QByteArray>
#include <QTemporaryFile>
#include <cstddef>
#include <memory>
#include <ostream>
#include <string>

class ToolConsole;

bool IsStandardStream(const std::string& name);

// Standard input copied whole into a temporary file, so that it opens as a
// file does (the converter of older files rewrites the file it is given).
// At most `maxBytes` are read, as Open reads at most that much of a file;
// null, with the problem said, when it is larger or cannot be kept.
std::unique_ptr<QTemporaryFile> CopyStandardInput(std::size_t maxBytes, ToolConsole& console);

// Standard output, through a buffer that keeps the reason of a failed write;
// everything exo-tool prints there goes through it.
std::ostream& StandardOutput();
// printf into StandardOutput().
[[gnu::format(printf, 1, 2)]] void Print(const char* format, ...);

// Writes `bytes` to the file `name`, or to standard output for "-"; false
// with the system's reason.
bool WriteOutput(const std::string& name, const QByteArray& bytes, std::string& reason);

// Flushes standard output; false with the system's reason when anything
// written there was lost.
bool FlushStandardOutput(std::string& reason);
