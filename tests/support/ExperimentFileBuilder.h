#pragma once
// Builds experiment files byte by byte from the published layout, without the
// engine's writer, so that reader tests do not check the writer against
// itself. Also builds files of the converted (older release) layout.

#include <cstdint>
#include <string>
#include <vector>

using FileBytes = std::vector<std::uint8_t>;

// Little-endian appends.
void AppendInt32(FileBytes& out, std::int32_t v);
void AppendUInt32(FileBytes& out, std::uint32_t v);
void AppendFloat(FileBytes& out, float v);
void AppendByte(FileBytes& out, std::uint8_t v);
void AppendZeros(FileBytes& out, std::size_t n);
// 32-bit length, then the raw bytes.
void AppendStringRecord(FileBytes& out, const std::string& raw);
void PatchInt32(FileBytes& data, std::size_t offset, std::int32_t v);
void PatchFloat(FileBytes& data, std::size_t offset, float v);
std::int32_t ReadInt32At(const FileBytes& data, std::size_t offset);
float ReadFloatAt(const FileBytes& data, std::size_t offset);
// UTF-8 -> GBK bytes.
std::string Gbk(const std::string& utf8);

void WriteBytesToFile(const std::string& path, const FileBytes& data);
FileBytes ReadBytesFromFile(const std::string& path);

// Base record fields of every object (defaults as a constructor sets them,
// except the names, which the caller chooses).
struct BaseFields {
  std::string name = "obj";  // UTF-8; written as GBK
  std::string name3 = "n3";
  std::string name4 = "n4";
  std::uint8_t flagD = 1;
  std::uint32_t xorColour = 0xFF;
  std::uint32_t colour = 0x80FF;
  std::uint32_t selectionColour = 0xFF;
  std::int32_t lineWidth = 2;
  std::uint8_t fillFlag = 0;
  std::uint32_t fillColour = 0xFF0000;
  std::int32_t handleSize = 16;
  std::uint32_t handleColour = 0xFF0000;
  std::uint8_t flagE = 0;
  std::uint8_t reservedByte = 0;  // the 40-byte reserved block is filled with it
};

struct PageFields {
  float scale = 1.0f;
  std::uint8_t highQuality = 0;
  std::int32_t rayWidth = 2;
  std::uint32_t ambient = 0;
  std::uint8_t normals = 1;
  std::uint8_t reverse = 1;
  std::uint8_t axes = 0;
  std::int32_t reservedColour = 255;
  std::uint32_t normalColour = 0xCACACA;
  std::uint32_t reverseColour = 0xFF;
  std::uint8_t showAngles = 0;
};

struct LampHouseFields {
  float x1 = 100, y1 = 300, x2 = 150, y2 = 300;
  float indexFactor = 1.0f;
  std::uint32_t rayColour = 0xFF;
  std::uint8_t blend = 0;
  std::int32_t sourceKind = 0;
  std::int32_t rayCount = 1;
  float spacing = 10.0f;
  std::uint8_t skipPaint = 0;
};

class ExperimentFileBuilder {
 public:
  float version = 6.0f;
  bool sizeOverridden = false;
  std::int32_t sizeField = 0;
  std::string formatTag = "ptx";
  std::string dateTime = "2024-01-02 03:04:05";
  std::string productTag = "物理光学软件";  // UTF-8
  PageFields page;
  FileBytes trailer = FileBytes(14, 0);

  ExperimentFileBuilder& SizeField(std::int32_t size) {
    sizeOverridden = true;
    sizeField = size;
    return *this;
  }
  ExperimentFileBuilder& LampHouse(const LampHouseFields& lamp, BaseFields base = Lamp());
  ExperimentFileBuilder& FlatMirror(float x1, float y1, float x2, float y2,
                                    BaseFields base = Mirror());
  ExperimentFileBuilder& ReferenceFrame(float originX, float originY, BaseFields base = Frame());
  // A record that holds only a class name (raw bytes), as an unknown class would.
  ExperimentFileBuilder& ClassNameOnly(const std::string& raw);
  ExperimentFileBuilder& RawBytes(const FileBytes& bytes);

  FileBytes Build() const;
  // Start offsets of the records added, in order.
  const std::vector<std::size_t>& RecordOffsets() const { return offsets_; }

  static BaseFields Lamp();
  static BaseFields Mirror();
  static BaseFields Frame();

 private:
  void StartRecord(const std::string& className, const BaseFields& base);
  FileBytes body_;  // the object records
  std::vector<std::size_t> offsets_;
};

// The converted layout: numbered lines (CR LF), picture data, trailer.
class ConvertedFileBuilder {
 public:
  ConvertedFileBuilder();
  // Lines 0 to 44 (page and counts); object lines follow in order.
  std::vector<std::string> head;
  std::vector<std::string> objectLines;
  FileBytes pictures;
  bool withMarker = true;
  bool lengthOverridden = false;
  std::int32_t lengthField = 0;

  void SetCount(int section, int count) {
    head[static_cast<std::size_t>(section + 2)] = std::to_string(count);
  }
  void Line(const std::string& text) { objectLines.push_back(text); }
  void Lines(const std::vector<std::string>& texts) {
    objectLines.insert(objectLines.end(), texts.begin(), texts.end());
  }
  // The text block only, GBK, CR LF after every line.
  FileBytes Text() const;
  FileBytes Build() const;
};
