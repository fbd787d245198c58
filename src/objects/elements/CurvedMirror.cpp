#include "objects/elements/CurvedMirror.h"

#include <algorithm>
#include <cmath>

#include "gfx/PixelMath.h"
#include "i18n/Convert.h"
#include "i18n/SharedTexts.h"
#include "i18n/TtlmController.h"
#include "optics/PlaneMath.h"
#include "optics/RayGeometry.h"
#include "optics/SelectionGeometry.h"
#include "scene/IMessageSink.h"
#include "scene/RecordIo.h"

namespace {

constexpr int kHatchStrokes = 11;  // both ends included
constexpr double kAxisBeyond = 40;
constexpr float kArcTolerance = 4;

}  // namespace

CurvedMirror::CurvedMirror(TCanvas* c, const Traits& traits)
    : ArcObject(c, 2),
      hatch_(traits.hatch),
      orientation_(traits.orientation),
      caption_(traits.caption),
      angle1NotANumber_(traits.angle1NotANumber),
      angle2NotANumber_(traits.angle2NotANumber) {
  SetClassName(traits.className);
  color = 0x80FFFF;
}

std::vector<PointRef> CurvedMirror::ControlPoints() {
  return {{&ends_[0].x, &ends_[0].y}, {&ends_[1].x, &ends_[1].y}};
}

TPointF CurvedMirror::AxisEnd() const {
  // Through 0 degrees the plain mean of the angles points away from the arc.
  const double length = angle1 > angle2 ? -(radius + kAxisBeyond) : radius + kAxisBeyond;
  return ArcPoint((double(angle1) + angle2) / 2, length);
}

void CurvedMirror::Draw(int mode) {
  if (!BeginPaint(mode)) return;
  const double s = angle1 > angle2 ? 360 - (double(angle1) - angle2) : double(angle2) - angle1;
  std::vector<Stroke> strokes;
  strokes.reserve(1 + kHatchStrokes);
  strokes.push_back({centre, AxisEnd()});
  for (int i = 0; i < kHatchStrokes; ++i) {
    const double a = angle1 + i * s / (kHatchStrokes - 1);
    strokes.push_back({ArcPoint(a, radius), ArcPoint(a, double(radius) + hatch_)});
  }
  PaintStrokes(mode, strokes);
  PaintCentre();
  PaintArc(mode);
}

int CurvedMirror::HitTest(int x, int y) {
  selectedHandle = -1;
  const TPointF p{float(x), float(y)};
  // Handles first: they are drawn over the arc, which passes through them.
  const int handle = HandleUnder(x, y);
  if (handle >= 0) {
    selectedHandle = handle;
    return kHitHandle;
  }
  if (std::fabs(Distance(centre, p) - radius) <= kArcTolerance && OnArc(DirectionAngle(centre, p)))
    return kHitBody;
  if (NearSegment(p, centre, AxisEnd(), 0.5f)) return kHitBody;
  return kHitNone;
}

std::vector<DrawObjectLineDataStruct> CurvedMirror::GetSurfaces() {
  return {ArcSurface(kSurfaceReflect, orientation_, spareValue)};
}

PropertyRows CurvedMirror::Rows() {
  PropertyRows rows(caption_);
  const ArcRows arc = AddArcRows(rows, 1, angle1NotANumber_, angle2NotANumber_);
  const RowHandle colour = rows.Add(ColourRow(Tr(texts::kColour), color));
  const std::string shownFocal = LeftStr(FloatToShortStr(radius / 2), 6);
  const RowHandle focal = rows.Add(Tr(texts::kFocalLength), shownFocal);
  focal->apply = [this, shownFocal](const std::string& text) {
    if (text == shownFocal) return true;  // left as shown: the radius row decides
    double f = 0;
    if (!TryStrToFloat(text, f) || !(f > 0) || f > kMaxCoordinate / 2) {
      ShowMessage(Tr(texts::kFocalLengthPositive));
      return false;
    }
    SetFocalLength(f);
    return true;
  };
  // The focal length last: it starts from the arc the other rows give.
  rows.ApplyOrder(Join({{colour}, arc.Order(), {focal}}));
  rows.OnSuccess([this] {
    sweep = SweepOf(angle1, angle2);
    PlaceEnds();
    return true;
  });
  return rows;
}

// The vertex (the arc's middle) and the axis stay; the centre moves along
// the axis to 2f behind the vertex, and the arc keeps its width across the
// axis as far as the new circle allows (at most a half circle).
void CurvedMirror::SetFocalLength(double f) {
  const double half = SweepOf(angle1, angle2) / 2, middle = angle1 + half;
  const TPointF vertex = ArcPoint(middle, radius);
  const double width = std::fabs(double(radius) * std::sin(Radians(std::min(half, 90.0))));
  const double r = 2 * f;
  centre = PointAt(vertex, middle, -r);
  radius = static_cast<float>(r);
  const double newHalf = width >= r ? 90.0 : Degrees(std::asin(width / r));
  angle1 = static_cast<float>(NormalAngle(middle - newHalf));
  angle2 = static_cast<float>(NormalAngle(middle + newHalf));
}

void CurvedMirror::RecordFields(RecordIo& io) {
  ArcRecordHead(io);
  SweepRecord(io);
  io.Fields(spareValue, skipNextPaint);
  io.Block(reserved);
}
