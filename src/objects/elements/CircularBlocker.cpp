#include "objects/elements/CircularBlocker.h"

#include <cmath>

#include "i18n/Convert.h"
#include "i18n/SharedTexts.h"
#include "i18n/TtlmController.h"
#include "optics/PlaneMath.h"
#include "scene/IMessageSink.h"
#include "scene/RecordIo.h"
#include "scene/UserCoordinates.h"

CircularBlocker::CircularBlocker(TCanvas* c) : ObjectOf(c) {
  SetClassName("CircularBlocker");
  color = 0xA0A0A0;
  pointCount = 2;
}

std::vector<PointRef> CircularBlocker::ControlPoints() {
  return {{&centre.x, &centre.y}, {&rim.x, &rim.y}};
}

float CircularBlocker::Radius() const { return Distance(centre, rim); }

int CircularBlocker::HitTest(int x, int y) {
  constexpr float kNearOutline = 4;
  const int hit = TwoPointObject::HitTest(x, y);
  if (hit != kHitNone) return hit;
  if (std::fabs(Distance({float(x), float(y)}, centre) - Radius()) <= kNearOutline) return kHitBody;
  return kHitNone;
}

void CircularBlocker::Draw(int mode) {
  constexpr int kSides = 72;
  constexpr double kCross = 4;
  if (!BeginPaint(mode)) return;
  const double r = Radius(), start = DirectionAngle(centre, rim);
  std::vector<Stroke> strokes;
  strokes.reserve(kSides + 2);
  TPointF last = PointAt(centre, start, r);
  for (int j = 1; j <= kSides; ++j) {
    const TPointF next = PointAt(centre, start + 360.0 * j / kSides, r);
    strokes.push_back({last, next});
    last = next;
  }
  strokes.push_back({PointAt(centre, 0, -kCross), PointAt(centre, 0, kCross)});
  strokes.push_back({PointAt(centre, 90, -kCross), PointAt(centre, 90, kCross)});
  PaintStrokes(mode, strokes);
}

std::vector<DrawObjectLineDataStruct> CircularBlocker::GetSurfaces() {
  DrawObjectLineDataStruct face;
  face.x1 = face.x2 = rim.x;
  face.y1 = face.y2 = rim.y;
  face.kind = kSurfaceAbsorb;
  face.shape = kShapeArc;
  face.orientation = 1;
  face.SetArc(centre, 0, 360);  // the whole circle
  face.radius = Radius();
  return {face};
}

PropertyRows CircularBlocker::Rows() {
  PropertyRows rows(Tr("CircularBlocker.Caption", "圆形挡板属性"));
  // The centre carries the rim with it; the radius keeps the rim's direction.
  auto centreRow = [&](const std::string& key, int axis) {
    float& value = axis == 1 ? centre.x : centre.y;
    RowHandle row = rows.Add(key, axis == 1 ? UserXText(value) : UserYText(value));
    row->apply = [this, key, axis](const std::string& text) {
      int v = 0;
      if (!TryStrToInt(text, v)) {
        ShowMessage(key + "=" + text + Tr(texts::kNotAnInteger));
        return false;
      }
      float& c = axis == 1 ? centre.x : centre.y;
      float& r = axis == 1 ? rim.x : rim.y;
      const float moved = UserToScreen(float(v), axis);
      r += moved - c;
      c = moved;
      return true;
    };
    return row;
  };
  centreRow(Tr("CircularBlocker.CentreX", "圆心X"), 1);
  centreRow(Tr("CircularBlocker.CentreY", "圆心Y"), 2);
  RowHandle radius = rows.Add(Tr("CircularBlocker.Radius", "半径"), FloatToShortStr(Radius()));
  radius->message = Tr("CircularBlocker.BadRadius", "半径应是大于 0 的数.");
  radius->apply = [this](const std::string& text) {
    double v = 0;
    if (!TryStrToFloat(text, v) || !(v > 0) || v > double(kMaxCoordinate)) return false;
    rim = PointAt(centre, centre == rim ? 0.0 : double(DirectionAngle(centre, rim)), v);
    return true;
  };
  rows.Add(ColourRow(Tr(texts::kColour), color));
  return rows;
}

void CircularBlocker::RecordFields(RecordIo& io) {
  io.Coordinate(centre, kMaxCoordinate);
  io.Coordinate(rim, kMaxCoordinate);
  io.Fields(skipNextPaint);
  io.Block(reserved);
}
