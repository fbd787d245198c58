#include "ExperimentFileBuilder.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "i18n/TextCodec.h"

void AppendUInt32(FileBytes& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}
void AppendInt32(FileBytes& out, std::int32_t v) {
  AppendUInt32(out, static_cast<std::uint32_t>(v));
}
void AppendFloat(FileBytes& out, float v) {
  std::uint32_t bits;
  std::memcpy(&bits, &v, 4);
  AppendUInt32(out, bits);
}
void AppendByte(FileBytes& out, std::uint8_t v) { out.push_back(v); }
void AppendZeros(FileBytes& out, std::size_t n) { out.insert(out.end(), n, 0); }
void AppendStringRecord(FileBytes& out, const std::string& raw) {
  AppendInt32(out, static_cast<std::int32_t>(raw.size()));
  out.insert(out.end(), raw.begin(), raw.end());
}

void PatchInt32(FileBytes& data, std::size_t offset, std::int32_t v) {
  const auto u = static_cast<std::uint32_t>(v);
  for (int i = 0; i < 4; ++i) data.at(offset + i) = static_cast<std::uint8_t>(u >> (8 * i));
}
void PatchFloat(FileBytes& data, std::size_t offset, float v) {
  std::int32_t bits;
  std::memcpy(&bits, &v, 4);
  PatchInt32(data, offset, bits);
}
std::int32_t ReadInt32At(const FileBytes& data, std::size_t offset) {
  std::uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v |= static_cast<std::uint32_t>(data.at(offset + i)) << (8 * i);
  return static_cast<std::int32_t>(v);
}
float ReadFloatAt(const FileBytes& data, std::size_t offset) {
  const std::int32_t bits = ReadInt32At(data, offset);
  float v;
  std::memcpy(&v, &bits, 4);
  return v;
}

std::string Gbk(const std::string& utf8) { return Utf8ToGbk(utf8); }

void WriteBytesToFile(const std::string& path, const FileBytes& data) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

FileBytes ReadBytesFromFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return FileBytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

namespace {

void AppendFixedText(FileBytes& out, const std::string& raw, std::size_t size) {
  const std::size_t n = std::min(raw.size(), size - 1);
  out.insert(out.end(), raw.begin(), raw.begin() + static_cast<std::ptrdiff_t>(n));
  AppendZeros(out, size - n);
}

}  // namespace

BaseFields ExperimentFileBuilder::Lamp() {
  BaseFields b;
  b.name = "LampHouse";
  b.colour = 0xFF;
  return b;
}
BaseFields ExperimentFileBuilder::Mirror() {
  BaseFields b;
  b.name = "FlatMirror";
  b.colour = 0x80FFFF;
  return b;
}
BaseFields ExperimentFileBuilder::Frame() {
  BaseFields b;
  b.name = "ReferenceFrame";
  return b;
}

void ExperimentFileBuilder::StartRecord(const std::string& className, const BaseFields& base) {
  offsets_.push_back(120 + 108 + body_.size());
  AppendStringRecord(body_, className);
  AppendStringRecord(body_, Gbk(base.name));
  AppendStringRecord(body_, Gbk(base.name3));
  AppendStringRecord(body_, Gbk(base.name4));
  AppendByte(body_, base.flagD);
  AppendUInt32(body_, base.xorColour);
  AppendUInt32(body_, base.colour);
  AppendUInt32(body_, base.selectionColour);
  AppendInt32(body_, base.lineWidth);
  AppendByte(body_, base.fillFlag);
  AppendUInt32(body_, base.fillColour);
  AppendInt32(body_, base.handleSize);
  AppendUInt32(body_, base.handleColour);
  AppendByte(body_, base.flagE);
}

ExperimentFileBuilder& ExperimentFileBuilder::LampHouse(const LampHouseFields& f, BaseFields base) {
  StartRecord("LampHouse", base);
  // The 80-byte ray template.
  for (float v : {f.x1, f.y1, f.x2, f.y2, 0.0f, 0.0f, 0.0f}) AppendFloat(body_, v);
  AppendByte(body_, 0);
  AppendZeros(body_, 3);
  AppendFloat(body_, 0);
  AppendFloat(body_, f.indexFactor);
  AppendUInt32(body_, f.rayColour);
  AppendByte(body_, f.blend);
  AppendZeros(body_, 3);
  AppendInt32(body_, f.sourceKind);
  AppendZeros(body_, 4 * 4 + 8 + 4);
  AppendInt32(body_, f.rayCount);
  AppendFloat(body_, f.spacing);
  AppendByte(body_, f.skipPaint);
  body_.insert(body_.end(), 40, base.reservedByte);
  return *this;
}

ExperimentFileBuilder& ExperimentFileBuilder::FlatMirror(float x1, float y1, float x2, float y2,
                                                         BaseFields base) {
  StartRecord("FlatMirror", base);
  for (float v : {x1, y1, x2, y2, 0.0f, 0.0f, 0.0f}) AppendFloat(body_, v);
  AppendZeros(body_, 4 + 4 + 4);
  AppendByte(body_, 0);  // skip-next-paint flag
  body_.insert(body_.end(), 40, base.reservedByte);
  return *this;
}

ExperimentFileBuilder& ExperimentFileBuilder::ReferenceFrame(float originX, float originY,
                                                             BaseFields base) {
  StartRecord("ReferenceFrame", base);
  AppendFloat(body_, originX);
  AppendFloat(body_, originY);
  body_.insert(body_.end(), 40, base.reservedByte);
  return *this;
}

ExperimentFileBuilder& ExperimentFileBuilder::ClassNameOnly(const std::string& raw) {
  offsets_.push_back(120 + 108 + body_.size());
  AppendStringRecord(body_, raw);
  return *this;
}

ExperimentFileBuilder& ExperimentFileBuilder::RawBytes(const FileBytes& bytes) {
  body_.insert(body_.end(), bytes.begin(), bytes.end());
  return *this;
}

FileBytes ExperimentFileBuilder::Build() const {
  FileBytes out;
  AppendFloat(out, version);
  AppendInt32(out, 0);
  AppendFixedText(out, formatTag, 20);
  AppendFixedText(out, dateTime, 30);
  AppendFixedText(out, Gbk(productTag), 62);
  AppendFloat(out, page.scale);
  AppendByte(out, page.highQuality);
  AppendInt32(out, page.rayWidth);
  AppendUInt32(out, page.ambient);
  AppendByte(out, page.normals);
  AppendByte(out, page.reverse);
  AppendByte(out, page.axes);
  AppendInt32(out, page.reservedColour);
  AppendUInt32(out, page.normalColour);
  AppendUInt32(out, page.reverseColour);
  AppendByte(out, page.showAngles);
  AppendZeros(out, 3 + 76);
  out.insert(out.end(), body_.begin(), body_.end());
  out.insert(out.end(), trailer.begin(), trailer.end());
  PatchInt32(out, 4, sizeOverridden ? sizeField : static_cast<std::int32_t>(out.size()));
  return out;
}

ConvertedFileBuilder::ConvertedFileBuilder() : head(45, "0") {
  head[0] = "Converted experiment";
  head[1] = "5";
  head[25] = "20";
  head[26] = "300";
  head[29] = "1";
  head[31] = "1";
  head[36] = "0";
  head[41] = "0";
}

FileBytes ConvertedFileBuilder::Text() const {
  FileBytes out;
  auto add = [&](const std::string& line) {
    const std::string raw = Gbk(line);
    out.insert(out.end(), raw.begin(), raw.end());
    out.push_back('\r');
    out.push_back('\n');
  };
  for (const auto& line : head) add(line);
  for (const auto& line : objectLines) add(line);
  return out;
}

FileBytes ConvertedFileBuilder::Build() const {
  FileBytes out = Text();
  const auto length = static_cast<std::int32_t>(out.size());
  out.insert(out.end(), pictures.begin(), pictures.end());
  AppendInt32(out, lengthOverridden ? lengthField : length);
  const std::string marker = withMarker ? "qmtv7rbnwd" : "xxxxxxxxxx";
  out.insert(out.end(), marker.begin(), marker.end());
  return out;
}
