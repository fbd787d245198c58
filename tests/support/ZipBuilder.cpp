#include "ZipBuilder.h"

namespace {

void Put(FileBytes& out, std::uint64_t value, int bytes) {
  // Past eight bytes the field is zero padding.
  for (int i = 0; i < bytes; ++i) out.push_back(i < 8 ? std::uint8_t(value >> (8 * i)) : 0);
}

}  // namespace

std::uint32_t Crc32(const FileBytes& data) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (std::uint8_t byte : data) {
    crc ^= byte;
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

FileBytes BuildZip(const std::vector<ZipEntry>& entries) {
  FileBytes out, directory;
  for (const ZipEntry& e : entries) {
    const std::uint32_t crc = e.deflated ? e.crc : Crc32(e.data);
    const std::uint64_t size = e.claimedSize >= 0 ? std::uint64_t(e.claimedSize) : e.data.size();
    const std::uint64_t offset = out.size();
    for (FileBytes* record : {&out, &directory}) {
      const bool central = record == &directory;
      Put(*record, central ? 0x02014b50 : 0x04034b50, 4);
      if (central) Put(*record, 20, 2);  // made by
      Put(*record, 20, 2);               // needed
      Put(*record, 0, 2);                // flags
      Put(*record, e.deflated ? 8 : 0, 2);
      Put(*record, 0, 4);  // time, date
      Put(*record, crc, 4);
      Put(*record, e.data.size(), 4);
      Put(*record, size, 4);
      Put(*record, e.name.size(), 2);
      Put(*record, 0, 2);  // extra
      if (central) {
        Put(*record, 0, 2 + 2 + 2 + 4);  // comment, disk, attributes
        Put(*record, offset, 4);
      }
      record->insert(record->end(), e.name.begin(), e.name.end());
    }
    out.insert(out.end(), e.data.begin(), e.data.end());
  }
  const std::uint64_t start = out.size(), count = entries.size();
  out.insert(out.end(), directory.begin(), directory.end());
  const bool zip64 = count > 0xFFFF;
  if (zip64) {
    const std::uint64_t at = out.size();
    Put(out, 0x06064b50, 4);
    Put(out, 44, 8);
    Put(out, 45, 2);
    Put(out, 45, 2);
    Put(out, 0, 8);
    Put(out, count, 8);
    Put(out, count, 8);
    Put(out, directory.size(), 8);
    Put(out, start, 8);
    Put(out, 0x07064b50, 4);
    Put(out, 0, 4);
    Put(out, at, 8);
    Put(out, 1, 4);
  }
  Put(out, 0x06054b50, 4);
  Put(out, 0, 4);
  Put(out, zip64 ? 0xFFFF : count, 2);
  Put(out, zip64 ? 0xFFFF : count, 2);
  Put(out, directory.size(), 4);
  Put(out, start, 4);
  Put(out, 0, 2);
  return out;
}
