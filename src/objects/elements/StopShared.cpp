#include "objects/elements/StopShared.h"

#include "i18n/Convert.h"
#include "optics/RayGeometry.h"

DrawObjectLineDataStruct AbsorbingFace(TPointF a, TPointF b, bool screen) {
  DrawObjectLineDataStruct face = MakeSegment(a, b);
  face.kind = kSurfaceAbsorb;
  face.shape = kShapeSegment;
  face.orientation = screen ? 2 : 1;
  return face;
}

PropertyRow BoundedRealRow(const std::string& key, float& value, double low, double high,
                           const std::string& message) {
  PropertyRow row{key, LeftStr(FloatToShortStr(value), 6)};
  row.message = message;
  row.apply = [&value, low, high](const std::string& text) {
    double v = 0;
    if (!TryStrToFloat(text, v) || !(v >= low && v <= high)) return false;
    value = static_cast<float>(v);
    return true;
  };
  return row;
}
