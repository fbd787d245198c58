#pragma once
// ZIP archives byte by byte, stored or as given, so that tests can make the
// archives no honest writer makes: duplicate names, names with "..", sizes
// that lie, more entries than a lesson may have.

#include <cstdint>
#include <string>
#include <vector>

#include "ExperimentFileBuilder.h"

struct ZipEntry {
  std::string name;
  FileBytes data;         // as stored (raw deflate when `deflated`)
  bool deflated = false;  // method 8
  // Sizes written in the headers; the true ones when left at -1.
  std::int64_t claimedSize = -1;
  std::uint32_t crc = 0;  // used only for deflated entries
};

// Local headers, central directory and end record; with more than 65535
// entries the ZIP64 end record and locator as well.
FileBytes BuildZip(const std::vector<ZipEntry>& entries);
std::uint32_t Crc32(const FileBytes& data);
