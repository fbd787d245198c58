#pragma once
// Little-endian, packed record streams. The reader is bounded: any read past
// the end of the data, or a text longer than allowed, fails cleanly and every
// later read fails too.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

class ByteWriter {
 public:
  void WriteByte(std::uint8_t v) { data_.push_back(v); }
  void WriteInt32(std::int32_t v);
  void WriteUInt32(std::uint32_t v);
  void WriteFloat(float v);
  void WriteBytes(const void* bytes, std::size_t count);
  void WriteZeros(std::size_t count) { data_.insert(data_.end(), count, 0); }
  // String record: 32-bit length, then the GBK bytes, no terminator.
  void WriteString(const std::string& utf8);
  // Fixed-size, NUL-padded GBK text field (cut to at most size - 1 bytes, on a
  // character boundary).
  void WriteFixedText(const std::string& utf8, std::size_t size);

  const std::vector<std::uint8_t>& Data() const { return data_; }
  std::vector<std::uint8_t>& Data() { return data_; }
  std::size_t Size() const { return data_.size(); }
  void PatchInt32(std::size_t offset, std::int32_t v);

 private:
  std::vector<std::uint8_t> data_;
};

class ByteReader {
 public:
  // Longest text a string record may carry (class names, display names).
  static constexpr std::size_t kMaxStringLength = 1 << 20;

  explicit ByteReader(std::span<const std::uint8_t> data) : data_(data) {}

  bool Ok() const { return ok_; }
  std::size_t Position() const { return pos_; }
  std::size_t Size() const { return data_.size(); }
  std::size_t Remaining() const { return ok_ ? data_.size() - pos_ : 0; }
  bool Seek(std::size_t pos);

  std::uint8_t ReadByte();
  std::int32_t ReadInt32();
  std::uint32_t ReadUInt32();
  float ReadFloat();
  bool ReadBytes(void* out, std::size_t count);
  bool Skip(std::size_t count);
  // String record, converted from GBK; fails on a negative length, on one above
  // maxLength, or when fewer bytes remain.
  std::string ReadString(std::size_t maxLength = kMaxStringLength);
  // Fixed-size NUL-terminated GBK field.
  std::string ReadFixedText(std::size_t size);

 private:
  std::span<const std::uint8_t> data_;
  std::size_t pos_ = 0;
  bool ok_ = true;
};
