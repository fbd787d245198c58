#include "files/ConvertedRecord.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <algorithm>
#include <climits>
#include <cmath>
#include <functional>
#include <map>
#include <numbers>

#include "files/ExperimentFile.h"
#include "gfx/PixelMath.h"
#include "objects/BoxObject.h"
#include "objects/PolygonMedium.h"
#include "objects/elements/Concave.h"
#include "objects/elements/FlatMirror.h"
#include "objects/elements/IdealLens.h"
#include "objects/elements/RealLens.h"
#include "objects/sources/LampHouse.h"
#include "objects/tools/DrawString.h"
#include "objects/tools/OPticsLine.h"
#include "objects/tools/Protractor.h"
#include "objects/tools/ReferenceFrame.h"
#include "scene/ByteStream.h"
#include "scene/DrawObjectUnit.h"

namespace {

// The values go into the object's typed fields; one pass through its own
// record then gives them exactly the bounds and refusals a file gets.
bool PassThroughRecord(DrawObjectUnit& object) {
  ByteWriter out;
  if (!object.SaveToStream(out)) return false;
  ByteReader in(out.Data());
  in.ReadString(kMaxClassNameLength);
  return in.Ok() && object.LoadFromStream(in) && in.Ok() && in.Remaining() == 0;
}

TPointF At(const std::vector<float>& r, std::size_t i) { return {r[i], r[i + 1]}; }

// Corners of a rectangle given as left, top, right, bottom: top-left,
// top-right, bottom-right, bottom-left.
std::vector<TPointF> RectangleCorners(const std::vector<float>& r) {
  return {{r[0], r[1]}, {r[2], r[1]}, {r[2], r[3]}, {r[0], r[3]}};
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

// An applier for objects of class T; another class is a layout we do not know.
template <class T, class Set>
Applier For(Set set) {
  return [set](DrawObjectUnit& object, const ConvertedValues& v) {
    auto* typed = dynamic_cast<T*>(&object);
    return typed && set(*typed, v);
  };
}

bool SetLampHouse(LampHouse& o, const ConvertedValues& v) {
  DrawBaseRayDataStruct& ray = o.rayTemplate;
  ray.startX = v.reals[0];
  ray.startY = v.reals[1];
  ray.throughX = v.reals[2];
  ray.throughY = v.reals[3];
  ray.rayColour = v.colour;  // the light's colour
  o.raySpacing = v.reals[4];
  if (v.section == 16) {
    ray.indexFactor = v.reals[5];
    o.rayCount = std::clamp(v.extraInts.empty() ? 1 : v.extraInts[0], 1, LampHouse::kMaxRays);
  }
  return true;
}

bool SetFourPrism(PolygonMedium& o, const ConvertedValues& v) {
  o.vertices = RectangleCorners(v.reals);
  o.refractiveIndex = v.reals[4];
  return true;
}

bool SetThreePrism(PolygonMedium& o, const ConvertedValues& v) {
  o.vertices = {At(v.reals, 0), At(v.reals, 2), At(v.reals, 4)};
  o.refractiveIndex = v.reals[6];
  return true;
}

// From `first`: centre, radius, angle 1 and angle 2 in radians.
void SetArc(ArcObject& o, const ConvertedValues& v, std::size_t first) {
  o.centre = At(v.reals, first);
  o.radius = v.reals[first + 2];
  o.angle1 = float(Degrees(v.reals[first + 3]));
  o.angle2 = float(Degrees(v.reals[first + 4]));
  o.sweep = ArcObject::SweepOf(o.angle1, o.angle2);
}

// End points, then the arc.
bool SetCurvedMirror(ArcObject& o, const ConvertedValues& v) {
  SetArc(o, v, 4);
  return o.SetControlPoints({At(v.reals, 0), At(v.reals, 2)});
}

bool SetMagnifier(RealLens& o, const ConvertedValues& v) {
  o.refractiveIndex = v.reals[9];
  return SetCurvedMirror(o, v);
}

// Corners, the arc, thickness and index.
bool SetConcave(Concave& o, const ConvertedValues& v) {
  SetArc(o, v, 8);
  o.thickness = v.reals[13];
  o.refractiveIndex = v.reals[14];
  return o.SetControlPoints({At(v.reals, 0), At(v.reals, 2), At(v.reals, 4), At(v.reals, 6)});
}

bool SetIdealLens(IdealLens& o, const ConvertedValues& v) {
  o.end0 = At(v.reals, 0);
  o.end1 = At(v.reals, 2);
  o.focalLength = v.reals[4];
  o.UpdateFocalPoints();
  return true;
}

bool SetFlatMirror(FlatMirror& o, const ConvertedValues& v) {
  return o.SetControlPoints({At(v.reals, 0), At(v.reals, 2)});
}

bool SetOpticsLine(OPticsLine& o, const ConvertedValues& v) {
  o.segment.p1 = At(v.reals, 0);
  o.segment.p2 = At(v.reals, 2);
  o.solid = v.extraInts[0] != 0;
  // An integer in the record: truncated, within the int range (NaN 0).
  const double spare = v.extraReals[0];
  o.spareValue = spare == spare ? static_cast<std::int32_t>(std::clamp(
                                      std::trunc(spare), double(INT32_MIN), double(INT32_MAX)))
                                : 0;
  o.showLength = v.extraInts[1] != 0;
  return true;
}

bool SetProtractor(Protractor& o, const ConvertedValues& v) {
  o.arm1 = At(v.reals, 0);
  o.vertex = At(v.reals, 2);
  o.arm2 = At(v.reals, 4);
  return true;
}

bool SetBox(BoxObject& o, const ConvertedValues& v) {
  return o.SetControlPoints(RectangleCorners(v.reals));
}

bool SetDrawString(DrawString& o, const ConvertedValues& v) {
  // Any size: the record bounds it to one the canvas can draw.
  o.font.size = static_cast<int>(std::clamp<long>(std::lround(v.fontSize), INT_MIN, INT_MAX));
  o.font.color = v.colour;
  o.font.name = v.fontName;
  o.SetText(LinesFromConverted(v.text));
  return SetBox(o, v);
}

const std::map<std::string, Applier>& Appliers() {
  static const std::map<std::string, Applier> table = {
      {"LampHouse", For<LampHouse>(SetLampHouse)},
      {"FourPrism", For<PolygonMedium>(SetFourPrism)},
      {"ThreePrism", For<PolygonMedium>(SetThreePrism)},
      {"Magnifier", For<RealLens>(SetMagnifier)},
      {"Concave", For<Concave>(SetConcave)},
      {"IdealMagnifier", For<IdealLens>(SetIdealLens)},
      {"IdealConcave", For<IdealLens>(SetIdealLens)},
      {"ConvexityMirror", For<ArcObject>(SetCurvedMirror)},
      {"ConcaveMirror", For<ArcObject>(SetCurvedMirror)},
      {"FlatMirror", For<FlatMirror>(SetFlatMirror)},
      {"OPticsLine", For<OPticsLine>(SetOpticsLine)},
      {"DrawString", For<DrawString>(SetDrawString)},
      {"Protractor", For<Protractor>(SetProtractor)},
      {"DrawImage", For<BoxObject>(SetBox)},
  };
  return table;
}

}  // namespace

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
  return found->second(object, values) && PassThroughRecord(object);
}

bool SetReferenceFrameOrigin(DrawObjectUnit& frame, float x, float y) {
  auto* typed = dynamic_cast<ReferenceFrame*>(&frame);
  if (!typed) return false;
  typed->originX = x;
  typed->originY = y;
  return PassThroughRecord(frame);
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
  std::array<std::uint8_t, 14> header{};
  if (in.Remaining() < header.size()) return false;
  in.ReadBytes(header.data(), header.size());
  const std::uint32_t size = DrawImage::BmpFileSize(header);
  if (size == 0 || size - header.size() > in.Remaining()) return false;
  std::vector<std::uint8_t> bmp(header.begin(), header.end());
  bmp.resize(size);
  in.ReadBytes(bmp.data() + header.size(), size - header.size());
  picture = DrawImage::FromBmp(std::move(bmp), &status);
  return status != PictureStatus::Unreadable;
}
