#include "files/ConvertedRecord.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <cmath>
#include <cstring>
#include <functional>
#include <map>
#include <numbers>

#include "files/ExperimentFile.h"
#include "i18n/TextCodec.h"
#include "optics/Geometry.h"
#include "scene/ByteStream.h"
#include "scene/DrawObjectUnit.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void PutUInt32(Bytes& b, std::size_t offset, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[offset + i] = static_cast<std::uint8_t>(v >> (8 * i));
}
void PutInt32(Bytes& b, std::size_t offset, std::int32_t v) {
  PutUInt32(b, offset, static_cast<std::uint32_t>(v));
}
void PutFloat(Bytes& b, std::size_t offset, float v) {
  std::uint32_t bits;
  std::memcpy(&bits, &v, 4);
  PutUInt32(b, offset, bits);
}
void PutFloats(Bytes& b, std::size_t offset, const std::vector<float>& values) {
  for (std::size_t i = 0; i < values.size(); ++i) PutFloat(b, offset + 4 * i, values[i]);
}
std::uint32_t GetUInt32(const Bytes& b, std::size_t offset) {
  std::uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v |= static_cast<std::uint32_t>(b[offset + i]) << (8 * i);
  return v;
}

// The object's saved record is split after the base record; `edit` changes
// the class's own fields, which are then read back by LoadFromStream.
bool RewriteRecord(DrawObjectUnit& object, const std::function<bool(Bytes&)>& edit) {
  ByteWriter out;
  object.SaveToStream(out);
  const Bytes& all = out.Data();
  ByteReader skip(all);
  skip.ReadString(kMaxClassNameLength);
  for (int i = 0; i < 3; ++i) skip.ReadString();
  skip.Skip(31);
  if (!skip.Ok()) return false;
  const std::size_t start = skip.Position();
  Bytes own(all.begin() + static_cast<std::ptrdiff_t>(start), all.end());
  if (!edit(own)) return false;
  Bytes rebuilt(all.begin(), all.begin() + static_cast<std::ptrdiff_t>(start));
  rebuilt.insert(rebuilt.end(), own.begin(), own.end());
  ByteReader in(rebuilt);
  in.ReadString(kMaxClassNameLength);
  return object.LoadFromStream(in) && in.Ok() && in.Remaining() == 0;
}

// Edits a record of a fixed own size; another size means a layout we do not know.
bool RewriteFixed(DrawObjectUnit& object, std::size_t ownSize,
                  const std::function<void(Bytes&)>& edit) {
  return RewriteRecord(object, [&](Bytes& own) {
    if (own.size() != ownSize) return false;
    edit(own);
    return true;
  });
}

float Degrees(float radians) { return static_cast<float>(radians * 180.0 / std::numbers::pi); }

float Sweep(float angle1, float angle2) {
  float sweep = angle2 - angle1;
  if (sweep < 0) sweep += 360;
  return sweep;
}

// Corner order of the rectangles: top-left, top-right, bottom-right, bottom-left.
std::vector<float> RectangleCorners(const std::vector<float>& r) {
  return {r[0], r[1], r[2], r[1], r[2], r[3], r[0], r[3]};
}

std::string LinesFromConverted(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    if (text.compare(i, 4, "<HC>") == 0) {
      out += "\r\n";
      i += 4;
    } else {
      out += text[i++];
    }
  }
  return out;
}

using Applier = std::function<bool(DrawObjectUnit&, const ConvertedValues&)>;

bool ApplyLampHouse(DrawObjectUnit& o, const ConvertedValues& v) {
  // Ray template (80), count, spacing, skip flag, reserved block.
  return RewriteFixed(o, 80 + 4 + 4 + 1 + 40, [&](Bytes& own) {
    PutFloats(own, 0, {v.reals[0], v.reals[1], v.reals[2], v.reals[3]});
    PutUInt32(own, 40, v.colour);  // the light's colour
    PutFloat(own, 84, v.reals[4]);
    if (v.section == 16) {
      PutFloat(own, 36, v.reals[5]);
      const int count = v.extraInts.empty() ? 1 : v.extraInts[0];
      PutInt32(own, 80, std::clamp(count, 1, 10));
    }
  });
}

bool ApplyFourPrism(DrawObjectUnit& o, const ConvertedValues& v) {
  return RewriteFixed(o, 32 + 4 + 1 + 40, [&](Bytes& own) {
    PutFloats(own, 0,
              {v.reals[0], v.reals[1], v.reals[2], v.reals[1], v.reals[2], v.reals[3], v.reals[0],
               v.reals[3]});
    PutFloat(own, 32, v.reals[4]);
  });
}

bool ApplyThreePrism(DrawObjectUnit& o, const ConvertedValues& v) {
  return RewriteFixed(o, 24 + 4 + 1 + 40, [&](Bytes& own) {
    PutFloats(own, 0, std::vector<float>(v.reals.begin(), v.reals.begin() + 7));
  });
}

// End points (4), centre (2), radius, angle 1 and angle 2 in radians.
bool ApplyArc(DrawObjectUnit& o, const ConvertedValues& v, std::size_t ownSize, bool withIndex) {
  const float a1 = Degrees(v.reals[7]), a2 = Degrees(v.reals[8]);
  return RewriteFixed(o, ownSize, [&](Bytes& own) {
    PutFloats(own, 0,
              {v.reals[0], v.reals[1], v.reals[2], v.reals[3], v.reals[4], v.reals[5], v.reals[6],
               a1, a2, Sweep(a1, a2)});
    if (withIndex) PutFloat(own, 40, v.reals[9]);
  });
}

bool ApplyConcave(DrawObjectUnit& o, const ConvertedValues& v) {
  // Corners (8), centre (2), radius, angle 1 and 2 in radians, thickness, index.
  const float a1 = Degrees(v.reals[11]), a2 = Degrees(v.reals[12]);
  return RewriteFixed(o, 32 + 8 + 4 * 6 + 1 + 40, [&](Bytes& own) {
    PutFloats(own, 0, std::vector<float>(v.reals.begin(), v.reals.begin() + 11));
    PutFloats(own, 44, {a1, a2, a2, v.reals[13], v.reals[14]});
  });
}

bool ApplyIdealLens(DrawObjectUnit& o, const ConvertedValues& v) {
  const TPointF p0{v.reals[0], v.reals[1]}, p1{v.reals[2], v.reals[3]};
  const float f = v.reals[4];
  const TPointF middle = Midpoint(p0, p1);
  const double theta = DirectionAngle(p0, p1);
  const TPointF f1 = PointAt(middle, theta + 90, -f), f2 = PointAt(middle, theta + 90, f);
  return RewriteFixed(o, 32 + 4 + 1 + 40, [&](Bytes& own) {
    PutFloats(own, 0, {p0.x, p0.y, p1.x, p1.y, f1.x, f1.y, f2.x, f2.y, f});
  });
}

bool ApplyFlatMirror(DrawObjectUnit& o, const ConvertedValues& v) {
  return RewriteFixed(o, 40 + 1 + 40, [&](Bytes& own) {
    PutFloats(own, 0, {v.reals[0], v.reals[1], v.reals[2], v.reals[3]});
  });
}

bool ApplyOpticsLine(DrawObjectUnit& o, const ConvertedValues& v) {
  // Segment (88), skip flag, solid flag, spare value, show-length flag, reserved.
  return RewriteFixed(o, 88 + 1 + 1 + 4 + 1 + 40, [&](Bytes& own) {
    PutFloats(own, 0, {v.reals[0], v.reals[1], v.reals[2], v.reals[3]});
    own[89] = v.extraInts[0] != 0;
    PutInt32(own, 90, Trunc(v.extraReals[0]));  // an integer in the record
    own[94] = v.extraInts[1] != 0;
  });
}

bool ApplyProtractor(DrawObjectUnit& o, const ConvertedValues& v) {
  return RewriteFixed(o, 56 + 40, [&](Bytes& own) { PutFloats(own, 0, v.reals); });
}

bool ApplyDrawString(DrawObjectUnit& o, const ConvertedValues& v) {
  // Corners (32), border flag, font size, font colour, font name (100), spare
  // flag, skip flag, then the text record and the reserved block.
  constexpr std::size_t kTextOffset = 32 + 1 + 4 + 4 + 100 + 1 + 1;
  return RewriteRecord(o, [&](Bytes& own) {
    if (own.size() < kTextOffset + 4 + 40) return false;
    const std::uint32_t oldLength = GetUInt32(own, kTextOffset);
    if (own.size() != kTextOffset + 4 + std::size_t{oldLength} + 40) return false;
    PutFloats(own, 0, RectangleCorners(v.reals));
    PutInt32(own, 33, static_cast<std::int32_t>(std::lround(v.fontSize)));
    PutUInt32(own, 37, v.colour);
    std::string fontName = Utf8ToGbk(v.fontName);
    if (fontName.size() > 99) fontName.resize(99);
    std::memset(own.data() + 41, 0, 100);
    std::memcpy(own.data() + 41, fontName.data(), fontName.size());
    const std::string text = Utf8ToGbk(LinesFromConverted(v.text));
    Bytes tail(own.end() - 40, own.end());
    own.resize(kTextOffset);
    ByteWriter w;
    w.WriteInt32(static_cast<std::int32_t>(text.size()));
    w.WriteBytes(text.data(), text.size());
    own.insert(own.end(), w.Data().begin(), w.Data().end());
    own.insert(own.end(), tail.begin(), tail.end());
    return true;
  });
}

bool ApplyDrawImage(DrawObjectUnit& o, const ConvertedValues& v) {
  // Corners (32), has-picture flag, spare flag, skip flag, [picture], reserved.
  return RewriteRecord(o, [&](Bytes& own) {
    if (own.size() != 32 + 3 + 40 || own[32] != 0) return false;
    PutFloats(own, 0, RectangleCorners(v.reals));
    return true;
  });
}

const std::map<std::string, Applier>& Appliers() {
  static const std::map<std::string, Applier> table = {
      {"LampHouse", ApplyLampHouse},
      {"FourPrism", ApplyFourPrism},
      {"ThreePrism", ApplyThreePrism},
      {"Magnifier",
       [](DrawObjectUnit& o, const ConvertedValues& v) {
         return ApplyArc(o, v, 16 + 8 + 4 * 5 + 1 + 40, true);
       }},
      {"Concave", ApplyConcave},
      {"IdealMagnifier", ApplyIdealLens},
      {"IdealConcave", ApplyIdealLens},
      {"ConvexityMirror",
       [](DrawObjectUnit& o, const ConvertedValues& v) {
         return ApplyArc(o, v, 16 + 8 + 4 * 5 + 1 + 40, false);
       }},
      {"ConcaveMirror",
       [](DrawObjectUnit& o, const ConvertedValues& v) {
         return ApplyArc(o, v, 16 + 8 + 4 * 5 + 1 + 40, false);
       }},
      {"FlatMirror", ApplyFlatMirror},
      {"OPticsLine", ApplyOpticsLine},
      {"DrawString", ApplyDrawString},
      {"Protractor", ApplyProtractor},
      {"DrawImage", ApplyDrawImage},
  };
  return table;
}

}  // namespace

bool HasConvertedRecord(const std::string& className) { return Appliers().count(className) != 0; }

bool ApplyConvertedValues(DrawObjectUnit& object, const ConvertedValues& values) {
  const auto found = Appliers().find(object.className);
  if (found == Appliers().end()) return false;
  object.displayName = values.name;
  if (values.section == 18) {
    // A picture's fill flag and colour are its transparency.
    object.fillFlag = values.fillFlag != 0;
    object.fillColor = values.fillColour;
  } else {
    object.color = values.colour;
    if (values.hasFill) {
      object.fillColor = values.fillColour;
      object.fillFlag = values.fillFlag != 0;
    }
  }
  return found->second(object, values);
}

bool SetReferenceFrameOrigin(DrawObjectUnit& frame, float x, float y) {
  return RewriteFixed(frame, 8 + 40, [&](Bytes& own) { PutFloats(own, 0, {x, y}); });
}

bool ReadConvertedPicture(ByteReader& in, int kind,
                          std::shared_ptr<const DrawImage::Picture>& picture) {
  picture.reset();
  const std::int32_t length = in.ReadInt32();
  if (!in.Ok()) return false;
  PictureStatus status = PictureStatus::Unreadable;
  if (kind == 1) {
    if (length < 0 || static_cast<std::size_t>(length) > in.Remaining()) return false;
    std::vector<std::uint8_t> jpeg(static_cast<std::size_t>(length));
    in.ReadBytes(jpeg.data(), jpeg.size());
    auto converted = std::make_shared<DrawImage::Picture>();
    status = DecodePicture(jpeg, "JPEG", converted->image);
    if (status != PictureStatus::Decoded) return status == PictureStatus::TooLarge;
    converted->image = converted->image.convertToFormat(QImage::Format_RGB32);
    QByteArray encoded;
    QBuffer buffer(&encoded);
    buffer.open(QIODevice::WriteOnly);
    if (!converted->image.save(&buffer, "BMP")) return false;
    converted->bmp.assign(encoded.begin(), encoded.end());
    picture = std::move(converted);
    return true;
  }
  // The length word is not used: the bitmap file header gives the size.
  if (in.Remaining() < 14) return false;
  const std::size_t start = in.Position();
  std::uint8_t fileHeader[6];
  in.ReadBytes(fileHeader, sizeof fileHeader);
  const std::uint32_t size = static_cast<std::uint32_t>(fileHeader[2]) |
                             static_cast<std::uint32_t>(fileHeader[3]) << 8 |
                             static_cast<std::uint32_t>(fileHeader[4]) << 16 |
                             static_cast<std::uint32_t>(fileHeader[5]) << 24;
  if (fileHeader[0] != 'B' || fileHeader[1] != 'M' || size < 14 + 12 ||
      size > in.Remaining() + sizeof fileHeader)
    return false;
  in.Seek(start);
  std::vector<std::uint8_t> bmp(size);
  in.ReadBytes(bmp.data(), size);
  picture = DrawImage::FromBmp(std::move(bmp), &status);
  return status != PictureStatus::Unreadable;
}
