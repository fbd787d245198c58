#include "objects/ArcObject.h"

#include <cfloat>
#include <cmath>

#include "gfx/TGDIPlusCanvas.h"
#include "i18n/Convert.h"
#include "i18n/TtlmController.h"
#include "optics/CanvasDrawing.h"
#include "optics/PlaneMath.h"
#include "optics/RayGeometry.h"
#include "optics/SelectionGeometry.h"
#include "scene/IMessageSink.h"
#include "scene/ProcessSettings.h"
#include "scene/RecordIo.h"
#include "scene/UserCoordinates.h"

namespace {

// A real typed into the sheet: a number within the float range.
bool ReadReal(const std::string& text, double& value) {
  return TryStrToFloat(text, value) && std::fabs(value) <= FLT_MAX;
}

std::string RealText(float value) { return LeftStr(FloatToShortStr(value), 6); }

// An angle read from a file, reduced to the same direction within one turn
// either way: 1e30 degrees would otherwise ask for an arc of 1e30 degrees.
float OneTurn(float angle) {
  return std::fabs(angle) <= 360 ? angle : static_cast<float>(std::fmod(double(angle), 360.0));
}

}  // namespace

ArcObject::ArcObject(TCanvas* canvas, int controlPoints) : DrawObjectUnit(canvas) {
  pointCount = controlPoints;
}

float ArcObject::SweepOf(float a1, float a2) {
  float s = a2 - a1;
  if (s < 0) s += 360;
  return s;
}

TPointF ArcObject::ArcPoint(double angle, double distance) const {
  return PointAt(centre, angle, distance);
}

bool ArcObject::OnArc(double angle) const {
  // Equal angles are a point or, with a sweep of 360, the whole circle.
  if (NormalAngle(angle1) == NormalAngle(angle2))
    return sweep >= 360 || NormalAngle(angle) == NormalAngle(angle1);
  return AngleOnArc(angle, angle1, angle2);
}

std::optional<DrawObjectUnit::Heading> ArcObject::Direction() {
  return Heading{centre, NormalAngle(double(angle1) + sweep / 2.0)};
}

void ArcObject::Turn(TPointF pivot, double degrees) {
  centre = TurnedAbout(centre, pivot, degrees);
  angle1 = static_cast<float>(NormalAngle(angle1 + degrees));
  angle2 = static_cast<float>(NormalAngle(angle2 + degrees));
  PlaceEnds();
}

void ArcObject::PlaceEnds() {
  SetEnds();
  ArcChanged();
}

void ArcObject::SetEnds() {
  auto points = ControlPoints();
  const TPointF start = ArcPoint(angle1, radius), end = ArcPoint(angle2, radius);
  points[0].Set(start.x, start.y);
  points[static_cast<std::size_t>(EndIndex())].Set(end.x, end.y);
}

void ArcObject::BeginCreate(int x, int y) {
  DrawObjectUnit::BeginCreate(x, y);
  centre = {float(x), float(y)};
  auto points = ControlPoints();
  for (const auto& p : points) p.Set(float(x), float(y));
}

void ArcObject::PlaceDragged(int x, int y) {
  const TPointF p{float(x), float(y)};
  radius = Distance(centre, p);
  angle1 = DirectionAngle(centre, p);
  angle2 = angle1 + sweep;
  if (angle2 > 360) angle2 -= 360;
  PlaceEnds();
}

void ArcObject::EndCreate(int x, int y) {
  // The release point decides the radius; the ends stay on the circle.
  DrawObjectUnit::EndCreate(x, y);
}

void ArcObject::Move(int mode, int x, int y) {
  auto points = ControlPoints();
  if (mode == kMoveHandle) {
    const int end = EndIndex();
    if (selectedHandle != 0 && selectedHandle != end) {
      MovePoints(mode, x, y);  // a handle that is not an arc end
      return;
    }
    const auto& dragged = points[static_cast<std::size_t>(selectedHandle)];
    const TPointF p{float(x), float(y)};
    if (dragged.Get() == p) return;
    radius = Distance(centre, p);
    // The arc rotates about the centre; its sweep stays.
    if (selectedHandle == 0) {
      angle1 = DirectionAngle(centre, p);
      angle2 = angle1 + sweep;
      if (angle2 > 360) angle2 -= 360;
    } else {
      angle2 = DirectionAngle(centre, p);
      angle1 = angle2 - sweep;
      if (angle1 < 0) angle1 += 360;
    }
    SetEnds();
    dragged.Set(p.x, p.y);
    ArcChanged();
    return;
  }
  // Modes 2 and 3 carry the centre with the points by the same whole pixels.
  float dx = float(x), dy = float(y);
  if (mode == kMoveDrag) {
    dx = float(Trunc(double(x) - dragOriginX));
    dy = float(Trunc(double(y) - dragOriginY));
  }
  if (mode != kMoveDrag && mode != kMoveBy) return;
  MovePoints(mode, x, y);
  centre = {centre.x + dx, centre.y + dy};
}

void ArcObject::Zoom(float cx, float cy, float factor) {
  ZoomPoints(cx, cy, factor);
  centre = {static_cast<float>(cx + (double(centre.x) - cx) * factor),
            static_cast<float>(cy + (double(centre.y) - cy) * factor)};
  radius = static_cast<float>(double(radius) * factor);
}

DrawObjectLineDataStruct ArcObject::ArcSurface(int kind, int orientation, float index) {
  auto points = ControlPoints();
  DrawObjectLineDataStruct arc;
  const TPointF start = points[0].Get();
  const TPointF end = points[static_cast<std::size_t>(EndIndex())].Get();
  arc.x1 = start.x;
  arc.y1 = start.y;
  arc.x2 = end.x;
  arc.y2 = end.y;
  arc.kind = kind;
  arc.shape = kShapeArc;
  arc.orientation = orientation;
  arc.SetArc(centre, angle1, angle2);
  arc.radius = radius;
  arc.refractiveIndex = index;
  return arc;
}

bool ArcObject::InRect(float x1, float y1, float x2, float y2) {
  for (const auto& p : ControlPoints())
    if (PointInRect(p.Get(), x1, y1, x2, y2)) return true;
  if (SegmentMeetsRect(ArcSurface(kSurfaceReflect, 1, 0), x1, y1, x2, y2)) return true;
  for (const auto& face : StraightFaces())
    if (SegmentMeetsRect(MakeSegment(face.a, face.b), x1, y1, x2, y2)) return true;
  return false;
}

void ArcObject::PaintArc(int mode) {
  if (!canvas) return;
  const TPointF a{centre.x - radius, centre.y - radius}, b{centre.x + radius, centre.y + radius};
  if (mode == kDrawCopy && Settings().highQuality) {
    TGDIPlusCanvas hq = TGDIPlusCanvas::Stroking(*canvas, color, float(lineWidth));
    // Clockwise angles: from angle 2 back to angle 1.
    hq.Arc(a.x, a.y, b.x, b.y, -angle2, sweep);
    return;
  }
  DrawAngleArc(*canvas, a, b, angle1, angle2);
}

void ArcObject::PaintCentre() {
  if (!canvas) return;
  const TBrushStyle brush = canvas->Brush.style;
  canvas->Brush.style = TBrushStyle::Clear;
  const int x = Trunc(centre.x), y = Trunc(centre.y);
  canvas->Ellipse(x - 2, y - 2, x + 2, y + 2);
  canvas->Brush.style = brush;
}

ArcObject::ArcRows ArcObject::AddArcRows(PropertyRows& rows, int group,
                                         const std::string& angle1NotANumber,
                                         const std::string& angle2NotANumber) {
  auto centreRow = [&](const std::string& key, float& value, int axis, const std::string& bad) {
    RowHandle row = rows.Add(key, axis == 1 ? UserXText(value) : UserYText(value), group, bad,
                             [&value, axis](const std::string& text) {
                               double v = 0;
                               if (!ReadReal(text, v)) return false;
                               value = UserToScreen(static_cast<float>(Trunc(v)), axis);
                               return true;
                             });
    return row;
  };
  const RowHandle centreX = centreRow(Tr("134", "圆心X"), centre.x, 1,
                                      Tr("135", "圆心X,不是有用的数值型,请输入一个数值."));
  const RowHandle centreY = centreRow(Tr("136", "圆心Y"), centre.y, 2,
                                      Tr("137", "圆心Y,不是有用的数值型,请输入一个数值."));

  const RowHandle r =
      rows.Add(Tr("126", "半径"), RealText(radius), group,
               Tr("127", "半径,不是有用的数值型,请输入一个数值."), [this](const std::string& text) {
                 double v = 0;
                 if (!ReadReal(text, v)) return false;
                 radius = static_cast<float>(v);
                 return true;
               });
  r->slider = PropertyRow::Slider{20, 1000, 1};

  auto angleRow = [&](const std::string& key, float& value, const std::string& outside,
                      const std::string& notANumber) {
    RowHandle row = rows.Add(key, RealText(value));
    row->group = group;
    row->apply = [&value, outside, notANumber](const std::string& text) {
      double v = 0;
      if (!ReadReal(text, v)) {
        ShowMessage(notANumber);
        return false;
      }
      if (v < 0 || v > 360) {
        ShowMessage(outside);
        return false;
      }
      value = static_cast<float>(v);
      return true;
    };
    return row;
  };
  const RowHandle a1 = angleRow(Tr("128", "角度1"), angle1,
                                Tr("129", "角度1错误, 请输入0~360之间的值."), angle1NotANumber);
  const RowHandle a2 = angleRow(Tr("130", "角度2"), angle2,
                                Tr("131", "角度2, 请输入0~360之间的值."), angle2NotANumber);
  return {centreX, centreY, r, a1, a2};
}

void ArcObject::ArcRecordHead(RecordIo& io) {
  for (const auto& p : ControlPoints()) {
    io.Coordinate(*p.x, kMaxCoordinate);
    io.Coordinate(*p.y, kMaxCoordinate);
  }
  io.Coordinate(centre, kMaxCoordinate);
  io.Coordinate(radius, kMaxCoordinate);
  io.Fields(angle1, angle2);
  if (!io.Reading()) return;
  if (!(std::isfinite(angle1) && std::isfinite(angle2))) io.Refuse();
  angle1 = OneTurn(angle1);
  angle2 = OneTurn(angle2);
}

float ArcObject::SweepWithinOneTurn(float a1, float a2) {
  float s = SweepOf(a1, a2);
  while (s < 0) s += 360;
  while (s > 360) s -= 360;
  return s;
}

void ArcObject::SweepRecord(RecordIo& io) {
  io.Float(sweep);
  // Not a sweep any arc can have: the one its angles give.
  if (io.Reading() && !(sweep >= 0 && sweep <= 360)) sweep = SweepWithinOneTurn(angle1, angle2);
}
