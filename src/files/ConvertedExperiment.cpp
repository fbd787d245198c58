// The converted layout: numbered text lines written by the converter from a
// file of an older release, picture data after them, and a 14-byte trailer.

#include <algorithm>
#include <cstring>
#include <functional>
#include <limits>
#include <memory>

#include "files/ConvertedRecord.h"
#include "files/ExperimentFile.h"
#include "gfx/PictureAllowance.h"
#include "i18n/Convert.h"
#include "i18n/TextCodec.h"
#include "i18n/TtlmController.h"
#include "objects/ObjectFactory.h"
#include "scene/ByteStream.h"
#include "scene/Document.h"
#include "scene/IMessageSink.h"

namespace {

constexpr const char* kTrailerMarker = "qmtv7rbnwd";
constexpr std::size_t kMarkerSize = 10;
constexpr long long kFirstObjectLine = 45;
constexpr const char* kOpenError = "打开文件时出错.";

// The converted text, split like a string list does: at CR LF, CR or LF.
std::vector<std::string> SplitLines(std::span<const std::uint8_t> text) {
  std::vector<std::string> lines;
  std::string line;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = static_cast<char>(text[i]);
    if (c == '\r' || c == '\n') {
      lines.push_back(GbkToUtf8(line));
      line.clear();
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      line += c;
    }
  }
  if (!line.empty()) lines.push_back(GbkToUtf8(line));
  return lines;
}

// Reads the numbered lines in order; the first failure stops everything and
// keeps the message the toolkit's conversion would have shown.
class LineCursor {
 public:
  explicit LineCursor(const std::vector<std::string>& lines) : lines_(lines) {}

  bool Failed() const { return !error_.empty(); }
  const std::string& Error() const { return error_; }
  long long Index() const { return index_; }
  void Seek(long long index) { index_ = index; }
  // Skipping does not read: a count past the end fails only at the next read.
  void Skip(long long count) {
    if (count > 0) index_ = std::min(index_ + count, kFar);
  }

  bool Line(long long index, std::string& out) {
    if (Failed()) return false;
    if (index < 0 || index >= static_cast<long long>(lines_.size())) {
      error_ = "List index out of bounds (" + std::to_string(index) + ")";
      return false;
    }
    out = lines_[static_cast<std::size_t>(index)];
    return true;
  }
  bool Text(std::string& out) { return Line(index_++, out); }
  bool IntAt(long long index, int& out) {
    std::string text;
    if (!Line(index, text)) return false;
    if (!TryStrToInt(text, out)) {
      error_ = "'" + text + "' is not a valid integer value";
      return false;
    }
    return true;
  }
  bool Int(int& out) { return IntAt(index_++, out); }
  bool Real(float& out) {
    std::string text;
    if (!Line(index_++, text)) return false;
    double value = 0;
    if (!TryStrToFloat(text, value)) {
      error_ = "'" + text + "' is not a valid floating point value";
      return false;
    }
    out = static_cast<float>(value);
    return true;
  }
  bool Reals(std::vector<float>& out, int count) {
    out.assign(static_cast<std::size_t>(count), 0.0f);
    for (auto& v : out)
      if (!Real(v)) return false;
    return true;
  }
  // Red, green and blue lines.
  bool Colour(TColor& out) {
    int r = 0, g = 0, b = 0;
    if (!Int(r) || !Int(g) || !Int(b)) return false;
    const long long value = static_cast<long long>(r) + static_cast<long long>(g) * 256 +
                            static_cast<long long>(b) * 65536;
    out = static_cast<TColor>(static_cast<std::uint64_t>(value) & 0xFFFFFFFFu);
    return true;
  }

 private:
  static constexpr long long kFar = std::numeric_limits<long long>::max() / 4;
  const std::vector<std::string>& lines_;
  long long index_ = 0;
  std::string error_;
};

struct Section {
  int number;             // 1 to 18, the count line is number + 2
  const char* className;  // null for the obsolete sections
  int reals;
  int obsoleteLines = 0;  // lines per object of an obsolete section
};

// Sections 1 to 17 in reading order (18, the pictures, is read after them).
constexpr Section kSections[] = {
    {1, "LampHouse", 5},    {2, "FourPrism", 5},       {3, "ThreePrism", 7},
    {4, "Magnifier", 10},   {5, "Concave", 15},        {6, "IdealMagnifier", 5},
    {7, "IdealConcave", 5}, {8, "ConvexityMirror", 9}, {9, "ConcaveMirror", 9},
    {10, "FlatMirror", 4},  {11, "OPticsLine", 4},     {12, "DrawString", 4},
    {13, "Protractor", 6},  {14, nullptr, 0},  // point sources, each with its ray records
    {15, nullptr, 0, 11},   {16, "LampHouse", 6},      {17, nullptr, 0, 9},
};

// Reads the lines of one object of `section` (1 to 17, not the obsolete ones).
bool ReadSectionLines(LineCursor& lines, const Section& section, ConvertedValues& out) {
  out.section = section.number;
  if (!lines.Text(out.name) || !lines.Reals(out.reals, section.reals)) return false;
  if (section.number == 12) {
    // The annotation's text, font size, font name, then the font colour.
    if (!lines.Text(out.text) || !lines.Real(out.fontSize) || !lines.Text(out.fontName))
      return false;
  }
  if (!lines.Colour(out.colour)) return false;
  switch (section.number) {
    case 2:
    case 3:
    case 4:
    case 5: {
      int fill = 0;
      if (!lines.Int(fill) || !lines.Int(out.fillFlag)) return false;
      out.hasFill = true;
      out.fillColour = static_cast<TColor>(fill);
      return true;
    }
    case 6:
    case 7:
      lines.Skip(4);
      return true;
    case 11: {
      int solid = 0, showLength = 0;
      float spare = 0;
      if (!lines.Int(solid) || !lines.Real(spare) || !lines.Int(showLength)) return false;
      out.extraInts = {solid, showLength};
      out.extraReals = {spare};
      return true;
    }
    case 13:
      lines.Skip(1);
      return true;
    case 16: {
      int m = 0;
      if (!lines.Int(m)) return false;
      out.extraInts = {m};
      lines.Skip(9LL * m);
      return true;
    }
    default:
      return true;
  }
}

void Report(OpenResult& result, const std::string& text) {
  result.messages.push_back(text);
  ShowMessage(text);
}

}  // namespace

void LoadConvertedExperiment(std::span<const std::uint8_t> data, Document& document,
                             OpenResult& result) {
  if (data.size() < kTrailerSize ||
      std::memcmp(data.data() + data.size() - kMarkerSize, kTrailerMarker, kMarkerSize) != 0)
    return;  // not converted: the experiment stays empty, without a message

  ByteReader trailer(data);
  trailer.Seek(data.size() - kTrailerSize);
  const std::int32_t textLength = trailer.ReadInt32();
  if (textLength < 0 || static_cast<std::size_t>(textLength) > data.size() - kTrailerSize) {
    Report(result, kOpenError);
    result.complete = false;
    return;
  }
  const auto lines = SplitLines(data.first(static_cast<std::size_t>(textLength)));
  LineCursor cursor(lines);
  // Pictures too large to decode are left out; the rest of the file is read.
  PictureAllowance allowance;
  auto stop = [&](const std::string& message) {
    Report(result, message);
    result.complete = false;
    ReportPicturesLeftOut(allowance, result);
  };

  int version = 0;
  if (lines.size() < 2 || !TryStrToInt(lines[1], version) || version != 5) {
    stop(kOpenError);
    return;
  }

  // Counts of sections 1 to 18 on lines 3 to 20.
  int counts[19] = {};
  for (int s = 1; s <= 18; ++s)
    if (!cursor.IntAt(s + 2, counts[s])) return stop(cursor.Error());

  int ambient = 0, normals = 0, reverse = 0, hasFrame = 0, originX = 0, originY = 0;
  if (!cursor.IntAt(36, ambient) || !cursor.IntAt(29, normals) || !cursor.IntAt(31, reverse) ||
      !cursor.IntAt(41, hasFrame))
    return stop(cursor.Error());
  // Near-white backgrounds become light grey, as in the page settings dialog.
  const auto colour = static_cast<TColor>(ambient);
  if ((colour & 0xFF) >= 201 && ((colour >> 8) & 0xFF) >= 201 && ((colour >> 16) & 0xFF) >= 201)
    document.page->ambientColour = 0xC8C8C8;
  else
    document.page->ambientColour = colour;
  document.page->drawNormals = normals != 0;
  document.page->drawReverse = reverse != 0;
  // The file's own coordinate-system line decides whether the axes show.
  document.page->showAxes = hasFrame != 0;

  if (hasFrame != 0) {
    if (!cursor.IntAt(25, originX) || !cursor.IntAt(26, originY)) return stop(cursor.Error());
    if (auto frame = CreateObjectByClassName("ReferenceFrame", document.canvas)) {
      SetReferenceFrameOrigin(*frame, static_cast<float>(originX), static_cast<float>(originY));
      frame->isDrawn = 1;
      document.scene.push_back(std::move(frame));
    }
  }

  cursor.Seek(kFirstObjectLine);
  for (const Section& section : kSections) {
    const int count = counts[section.number];
    if (section.number == 14) {
      // Obsolete point sources: 13 lines, the last a count k, then 9 k lines.
      for (int i = 0; i < count; ++i) {
        int k = 0;
        if (!cursor.IntAt(cursor.Index() + 12, k)) return stop(cursor.Error());
        cursor.Skip(13);
        cursor.Skip(9LL * k);
      }
      continue;
    }
    if (!section.className) {
      // Obsolete objects: passed over.
      if (count > 0) cursor.Skip(static_cast<long long>(section.obsoleteLines) * count);
      continue;
    }
    for (int i = 0; i < count; ++i) {
      ConvertedValues values;
      if (!ReadSectionLines(cursor, section, values)) return stop(cursor.Error());
      auto object = CreateObjectByClassName(section.className, document.canvas);
      if (!object || !ApplyConvertedValues(*object, values)) return stop(kOpenError);
      document.scene.push_back(std::move(object));
    }
  }

  // Section 18: the picture objects, whose pictures follow the text block.
  if (counts[18] > 0) {
    ByteReader pictures(data.first(data.size() - kTrailerSize));
    pictures.Seek(static_cast<std::size_t>(textLength));
    for (int i = 0; i < counts[18]; ++i) {
      ConvertedValues values;
      values.section = 18;
      int fill = 0, kind = 0;
      if (!cursor.Text(values.name) || !cursor.Reals(values.reals, 4) ||
          !cursor.Int(values.fillFlag) || !cursor.Int(fill) || !cursor.Int(kind))
        return stop(cursor.Error());
      values.fillColour = static_cast<TColor>(fill);
      std::shared_ptr<const DrawImage::Picture> picture;
      if (!ReadConvertedPicture(pictures, kind, picture)) return stop(kOpenError);
      auto object = CreateObjectByClassName("DrawImage", document.canvas);
      auto* image = dynamic_cast<DrawImage*>(object.get());
      if (!image || !ApplyConvertedValues(*object, values)) return stop(kOpenError);
      image->picture = std::move(picture);
      image->hasPicture = image->picture ? 1 : 0;
      document.scene.push_back(std::move(object));
    }
  }

  ReportPicturesLeftOut(allowance, result);
  std::string obsolete;
  if (counts[14] > 0) obsolete += "点光源,";
  if (counts[15] > 0) obsolete += "物体";
  if (counts[17] > 0) obsolete += "白屏,";
  if (!obsolete.empty()) Report(result, obsolete + "等工具已过时,在此版本中不能用.");
}
