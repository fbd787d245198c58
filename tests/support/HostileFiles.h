#pragma once
// Experiment files made to cost the reader: pictures, arcs and texts whose
// few bytes ask for gigabytes or minutes, free-hand outlines that cross
// themselves at every point. Each must open (whole, or in part
// with a message) or be refused with a message, within 20 s and 600 MB, in
// the tests and as seeds of the fuzz targets (fuzz/corpus/experiment/regress-hostile-*).

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "ExperimentFileBuilder.h"

struct HostileFile {
  std::string name;                  // file name, ".exo"
  bool whole;                        // opens whole (else in part, with a message)
  int residentMb;                    // the most a command of exo-tool may keep resident
  std::function<FileBytes()> build;  // made when wanted, not with the list
};

std::vector<HostileFile> HostileFiles();
// Test parameters print by name.
inline void PrintTo(const HostileFile& file, std::ostream* out) { *out << file.name; }

// A run-length (RLE8) BMP of 64 bytes claiming width x height pixels, which
// all decode to its first colour, white.
FileBytes RunLengthBmp(std::int32_t width, std::int32_t height);
