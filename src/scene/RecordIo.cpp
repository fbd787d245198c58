#include "scene/RecordIo.h"

#include <cmath>

#include "i18n/TextCodec.h"
#include "optics/DrawBaseRayDataStruct.h"
#include "scene/ByteStream.h"

void RecordIo::Coordinate(float& v, float limit) {
  Float(v);
  if (Reading() && !(std::fabs(v) <= limit)) Refuse();
}

void RecordIo::PointBlock(std::vector<TPointF>& points, std::size_t capacity) {
  if (Reading()) points.assign(capacity, TPointF{});
  for (std::size_t i = 0; i < capacity; ++i) {
    TPointF p = i < points.size() ? points[i] : TPointF{};
    Point(p);
    if (i < points.size()) points[i] = p;
  }
}

void RecordIo::KeepPoints(std::vector<TPointF>& points, std::int32_t count, float limit) {
  if (!Reading()) return;
  if (count < 0 || static_cast<std::size_t>(count) > points.size()) {
    Refuse();
    return;
  }
  points.resize(static_cast<std::size_t>(count));
  for (const auto& p : points)
    if (!(std::fabs(p.x) <= limit && std::fabs(p.y) <= limit)) Refuse();
}

void RecordIo::ClampedInt32(std::int32_t& v, std::int32_t low, std::int32_t high) {
  Int32(v);
  if (Reading()) v = v < low ? low : (v > high ? high : v);
}

void RecordWriter::Byte(std::uint8_t& v) { out_.WriteByte(v); }
void RecordWriter::Int32(std::int32_t& v) { out_.WriteInt32(v); }
void RecordWriter::UInt32(std::uint32_t& v) { out_.WriteUInt32(v); }
void RecordWriter::Float(float& v) { out_.WriteFloat(v); }
void RecordWriter::Text(std::string& v, std::size_t) { out_.WriteString(v); }
void RecordWriter::Bytes(std::uint8_t* data, std::size_t size) { out_.WriteBytes(data, size); }
void RecordWriter::Padding(std::size_t size) { out_.WriteZeros(size); }

bool RecordReader::Check() {
  if (!in_.Ok()) ok_ = false;
  return ok_;
}

// After the first failure nothing more is stored: the fields keep what they
// had, and the caller drops the half-read copy anyway.
void RecordReader::Byte(std::uint8_t& v) {
  const std::uint8_t r = in_.ReadByte();
  if (Check()) v = r;
}
void RecordReader::Int32(std::int32_t& v) {
  const std::int32_t r = in_.ReadInt32();
  if (Check()) v = r;
}
void RecordReader::UInt32(std::uint32_t& v) {
  const std::uint32_t r = in_.ReadUInt32();
  if (Check()) v = r;
}
void RecordReader::Float(float& v) {
  const float r = in_.ReadFloat();
  if (Check()) v = r;
}
void RecordReader::Text(std::string& v, std::size_t maxLength) {
  std::string r = in_.ReadString(maxLength);
  if (Check()) v = std::move(r);
}
void RecordReader::Bytes(std::uint8_t* data, std::size_t size) {
  if (!ok_) return;
  in_.ReadBytes(data, size);
  Check();
}
std::size_t RecordReader::Remaining() const { return ok_ ? in_.Remaining() : 0; }

void RecordReader::Padding(std::size_t size) {
  in_.Skip(size);
  Check();
}

void RecordSizer::Text(std::string& v, std::size_t maxLength) {
  const std::size_t bytes = Utf8ToGbk(v).size();
  if (bytes > maxLength && textBound_ == 0) textBound_ = maxLength;
  size_ += 4 + bytes;
}

void RayRecord(RecordIo& io, DrawBaseRayDataStruct& ray) {
  io.Fields(ray.startX, ray.startY, ray.throughX, ray.throughY, ray.slope, ray.intercept,
            ray.direction, ray.vertical);
  io.Padding(3);
  io.Fields(ray.verticalX, ray.indexFactor, ray.rayColour, ray.blend);
  io.Padding(3);
  io.Int32(ray.sourceKind);
  io.Padding(4);  // name reference: carries nothing in a file
  if (io.Reading()) ray.name.clear();
  io.Fields(ray.emissionGroup, ray.lastSurface, ray.sourceLineWidth);
  io.Padding(8 + 4);  // list links and spare word
}
