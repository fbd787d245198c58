#pragma once
// An object's record is declared once, as a list of fields in file order; the
// same list writes it, reads it and measures it, so saving and loading cannot
// drift apart. Readers bound every value the same way.

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "gfx/TCanvas.h"

class ByteReader;
class ByteWriter;
struct DrawBaseRayDataStruct;

// A whole 88-byte surface record kept with an object (the auxiliary line,
// the ruler): only its two points mean anything; the other 72 bytes are
// carried as read, and start as a fresh surface's (orientation 1).
struct SegmentRecord {
  TPointF p1, p2;
  std::array<std::uint8_t, 72> rest = [] {
    std::array<std::uint8_t, 72> bytes{};
    bytes[32] = 1;  // orientation, the 9th word after the points
    return bytes;
  }();
};

// The bound on every coordinate a file gives an object: finite and within
// +-1e8, so that whole-pixel conversion and the sums of drawing stay safe.
// Objects that hold points refuse a record beyond it.
inline constexpr float kMaxCoordinate = 1.0e8f;

class RecordIo {
 public:
  virtual ~RecordIo() = default;

  virtual void Byte(std::uint8_t& v) = 0;
  virtual void Int32(std::int32_t& v) = 0;
  virtual void UInt32(std::uint32_t& v) = 0;
  virtual void Float(float& v) = 0;
  // A text record (32-bit length, GBK bytes); longer than maxLength fails.
  virtual void Text(std::string& v, std::size_t maxLength) = 0;
  virtual void Bytes(std::uint8_t* data, std::size_t size) = 0;
  // Bytes that carry nothing: written as zeros, skipped when read.
  virtual void Padding(std::size_t size) = 0;
  virtual bool Reading() const { return false; }
  // Bytes left to read: a length from the file is checked against it before
  // anything is allocated for it. Unbounded when writing or measuring.
  virtual std::size_t Remaining() const { return SIZE_MAX; }

  // False once a field could not be read or held a value no object can use.
  bool Ok() const { return ok_; }
  // Refuses the record being read (writers ignore it).
  void Refuse() {
    if (Reading()) ok_ = false;
  }

  void Point(TPointF& p) {
    Float(p.x);
    Float(p.y);
  }
  // Plain fields in file order, each written or read as its type gives.
  template <typename... T>
  void Fields(T&... v) {
    (Field(v), ...);
  }
  template <std::size_t N>
  void Block(std::array<std::uint8_t, N>& block) {
    Bytes(block.data(), N);
  }
  // A coordinate read from a file must be finite and within ±limit, so that
  // whole-pixel conversion cannot overflow.
  void Coordinate(float& v, float limit);
  void Coordinate(TPointF& p, float limit) {
    Coordinate(p.x, limit);
    Coordinate(p.y, limit);
  }
  // A value already read that must be finite and within ±limit.
  void Within(float v, float limit) {
    if (!(std::fabs(v) <= limit)) Refuse();
  }
  // Its points must be within ±limit.
  void Segment(SegmentRecord& s, float limit) {
    Coordinate(s.p1, limit);
    Coordinate(s.p2, limit);
    Block(s.rest);
  }
  // A fixed block of `capacity` points of which only the first are in use
  // (the count follows later in the record): written padded with zeros, read
  // whole. KeepPoints then cuts the block to the count read.
  void PointBlock(std::vector<TPointF>& points, std::size_t capacity);
  // Keeps the first `count` points of a block just read; a count outside
  // 0 ... block size or a kept point beyond ±limit refuses the record.
  void KeepPoints(std::vector<TPointF>& points, std::int32_t count, float limit);
  // An integer clamped into [low, high] when read; written as it is.
  void ClampedInt32(std::int32_t& v, std::int32_t low, std::int32_t high);

 protected:
  bool ok_ = true;

 private:
  void Field(std::uint8_t& v) { Byte(v); }
  void Field(std::int32_t& v) { Int32(v); }
  void Field(std::uint32_t& v) { UInt32(v); }
  void Field(float& v) { Float(v); }
  void Field(TPointF& p) { Point(p); }
};

class RecordWriter : public RecordIo {
 public:
  explicit RecordWriter(ByteWriter& out) : out_(out) {}
  void Byte(std::uint8_t& v) override;
  void Int32(std::int32_t& v) override;
  void UInt32(std::uint32_t& v) override;
  void Float(float& v) override;
  void Text(std::string& v, std::size_t maxLength) override;
  void Bytes(std::uint8_t* data, std::size_t size) override;
  void Padding(std::size_t size) override;

 private:
  ByteWriter& out_;
};

class RecordReader : public RecordIo {
 public:
  explicit RecordReader(ByteReader& in) : in_(in) {}
  void Byte(std::uint8_t& v) override;
  void Int32(std::int32_t& v) override;
  void UInt32(std::uint32_t& v) override;
  void Float(float& v) override;
  void Text(std::string& v, std::size_t maxLength) override;
  void Bytes(std::uint8_t* data, std::size_t size) override;
  void Padding(std::size_t size) override;
  bool Reading() const override { return true; }
  std::size_t Remaining() const override;

 private:
  bool Check();
  ByteReader& in_;
};

// Counts the bytes the fields take when written, and notes a text longer
// than its reader accepts: such a record would not read back.
class RecordSizer : public RecordIo {
 public:
  void Byte(std::uint8_t&) override { size_ += 1; }
  void Int32(std::int32_t&) override { size_ += 4; }
  void UInt32(std::uint32_t&) override { size_ += 4; }
  void Float(float&) override { size_ += 4; }
  void Text(std::string& v, std::size_t maxLength) override;
  void Bytes(std::uint8_t*, std::size_t size) override { size_ += size; }
  void Padding(std::size_t size) override { size_ += size; }
  std::size_t Size() const { return size_; }
  // The bound of the first text over it; 0 when every text fits.
  std::size_t TextBoundExceeded() const { return textBound_; }

 private:
  std::size_t size_ = 0;
  std::size_t textBound_ = 0;
};

// The 80-byte saved layout of a ray template inside a light source's record.
// The name is not stored; it comes back empty.
constexpr std::size_t kRayRecordSize = 80;
void RayRecord(RecordIo& io, DrawBaseRayDataStruct& ray);
