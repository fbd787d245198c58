#include "scene/ByteStream.h"

#include <algorithm>
#include <cstring>

#include "i18n/TextCodec.h"

void ByteWriter::WriteUInt32(std::uint32_t v) {
  for (int i = 0; i < 4; ++i) data_.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

void ByteWriter::WriteInt32(std::int32_t v) { WriteUInt32(static_cast<std::uint32_t>(v)); }

void ByteWriter::WriteFloat(float v) {
  std::uint32_t bits;
  std::memcpy(&bits, &v, 4);
  WriteUInt32(bits);
}

void ByteWriter::WriteBytes(const void* bytes, std::size_t count) {
  const auto* p = static_cast<const std::uint8_t*>(bytes);
  data_.insert(data_.end(), p, p + count);
}

void ByteWriter::WriteString(const std::string& utf8) {
  const std::string gbk = Utf8ToGbk(utf8);
  WriteInt32(static_cast<std::int32_t>(gbk.size()));
  WriteBytes(gbk.data(), gbk.size());
}

void ByteWriter::WriteFixedText(const std::string& utf8, std::size_t size) {
  if (size == 0) return;
  std::string gbk = Utf8ToGbk(utf8);
  gbk.resize(GbkPrefixLength(gbk, size - 1));
  WriteBytes(gbk.data(), gbk.size());
  WriteZeros(size - gbk.size());
}

void ByteWriter::PatchInt32(std::size_t offset, std::int32_t v) {
  if (offset + 4 > data_.size()) return;
  const auto u = static_cast<std::uint32_t>(v);
  for (int i = 0; i < 4; ++i) data_[offset + i] = static_cast<std::uint8_t>(u >> (8 * i));
}

bool ByteReader::Seek(std::size_t pos) {
  if (!ok_ || pos > data_.size()) {
    ok_ = false;
    return false;
  }
  pos_ = pos;
  return true;
}

bool ByteReader::ReadBytes(void* out, std::size_t count) {
  if (!ok_ || count > data_.size() - pos_) {
    ok_ = false;
    if (out && count) std::memset(out, 0, count);
    return false;
  }
  if (count) std::memcpy(out, data_.data() + pos_, count);
  pos_ += count;
  return true;
}

bool ByteReader::Skip(std::size_t count) {
  if (!ok_ || count > data_.size() - pos_) {
    ok_ = false;
    return false;
  }
  pos_ += count;
  return true;
}

std::uint8_t ByteReader::ReadByte() {
  std::uint8_t v = 0;
  ReadBytes(&v, 1);
  return v;
}

std::uint32_t ByteReader::ReadUInt32() {
  std::uint8_t b[4] = {0, 0, 0, 0};
  ReadBytes(b, 4);
  return static_cast<std::uint32_t>(b[0]) | (static_cast<std::uint32_t>(b[1]) << 8) |
         (static_cast<std::uint32_t>(b[2]) << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
}

std::int32_t ByteReader::ReadInt32() { return static_cast<std::int32_t>(ReadUInt32()); }

float ByteReader::ReadFloat() {
  const std::uint32_t bits = ReadUInt32();
  float v;
  std::memcpy(&v, &bits, 4);
  return v;
}

std::string ByteReader::ReadString(std::size_t maxLength) {
  const std::int32_t n = ReadInt32();
  if (!ok_ || n < 0 || static_cast<std::size_t>(n) > maxLength ||
      static_cast<std::size_t>(n) > Remaining()) {
    ok_ = false;
    return {};
  }
  std::string gbk(reinterpret_cast<const char*>(data_.data() + pos_), static_cast<std::size_t>(n));
  pos_ += static_cast<std::size_t>(n);
  return GbkToUtf8(gbk);
}

std::string ByteReader::ReadFixedText(std::size_t size) {
  std::string raw(size, '\0');
  if (!ReadBytes(raw.data(), size)) return {};
  raw.resize(std::strlen(raw.c_str()));
  return GbkToUtf8(raw);
}
