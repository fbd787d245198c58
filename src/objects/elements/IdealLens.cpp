#include "objects/elements/IdealLens.h"

#include <cfloat>
#include <cmath>

#include "i18n/Convert.h"
#include "i18n/SharedTexts.h"
#include "i18n/TtlmController.h"
#include "optics/PlaneMath.h"
#include "optics/RayGeometry.h"
#include "scene/IMessageSink.h"
#include "scene/RecordIo.h"

namespace {

constexpr double kWingLength = 10;
constexpr double kAxisOverhang = 200;  // beyond each focal point
constexpr int kFocalMarkRadius = 2;

}  // namespace

IdealLens::IdealLens(TCanvas* c, const Kind& kind) : TwoPointObject(c), kind_(&kind) {
  SetClassName(kind.className);
  color = 0xFFFFFF;
  pointCount = 4;
}

std::vector<PointRef> IdealLens::ControlPoints() {
  return {{&end0.x, &end0.y}, {&end1.x, &end1.y}, {&focal1.x, &focal1.y}, {&focal2.x, &focal2.y}};
}

void IdealLens::UpdateFocalPoints() {
  const TPointF middle = Midpoint(end0, end1);
  const double theta = DirectionAngle(end0, end1);
  focal1 = PointAt(middle, theta + 90, -double(focalLength));
  focal2 = PointAt(middle, theta + 90, double(focalLength));
}

void IdealLens::PlaceDragged(int x, int y) {
  end1 = {float(x), float(y)};
  UpdateFocalPoints();
}

void IdealLens::Move(int mode, int x, int y) {
  MovePoints(mode, x, y);
  if (mode == kMoveHandle) UpdateFocalPoints();
}

void IdealLens::Draw(int mode) {
  if (!BeginPaint(mode)) return;
  UpdateFocalPoints();
  const double h = DirectionAngle(end0, end1);
  const double b = DirectionAngle(focal1, focal2);
  PaintStrokes(mode, {{end0, end1},
                      {end0, PointAt(end0, h + kind_->wingAtStart, kWingLength)},
                      {end0, PointAt(end0, h - kind_->wingAtStart, kWingLength)},
                      {end1, PointAt(end1, h + kind_->wingAtEnd, kWingLength)},
                      {end1, PointAt(end1, h - kind_->wingAtEnd, kWingLength)}});
  if (!canvas) return;
  // The focal marks and the axis always go through the plain canvas.
  canvas->Pen.width = 1;
  canvas->Pen.style = TPenStyle::DashDot;
  canvas->Brush.style = TBrushStyle::Clear;
  for (const TPointF f : {focal1, focal2})
    canvas->Ellipse(Trunc(f.x - kFocalMarkRadius), Trunc(f.y - kFocalMarkRadius),
                    Trunc(f.x + kFocalMarkRadius), Trunc(f.y + kFocalMarkRadius));
  const TPointF a = PointAt(focal1, b, -kAxisOverhang), z = PointAt(focal2, b, kAxisOverhang);
  canvas->MoveTo(Trunc(a.x), Trunc(a.y));
  canvas->LineTo(Trunc(z.x), Trunc(z.y));
  canvas->Pen.style = TPenStyle::Solid;
}

std::vector<DrawObjectLineDataStruct> IdealLens::GetSurfaces() {
  UpdateFocalPoints();
  DrawObjectLineDataStruct surface = MakeSegment(end0, end1);
  // The tracer expects the centre field's focal point on the left of the
  // surface direction, whatever the sign of f.
  if (SideOf(surface, Midpoint(end0, focal1)) == 1) surface = MakeSegment(end1, end0);
  surface.kind = kSurfaceIdealLens;
  surface.shape = kShapeSegment;
  surface.orientation = kind_->orientation;
  surface.radius = focalLength;
  surface.SetFoci(focal1, focal2);
  return {surface};
}

PropertyRows IdealLens::Rows() {
  PropertyRows rows(Tr(kind_->captionId, kind_->caption));
  const EndRows ends = AddEndRows(rows, 1);
  const RowHandle colour = rows.Add(ColourRow(Tr(texts::kColour), color));
  const RowHandle focal =
      rows.Add(Tr(texts::kFocalLength), LeftStr(FloatToShortStr(focalLength), 6));
  focal->slider = PropertyRow::Slider{10, 1000, 1};
  focal->apply = [this](const std::string& text) {
    double value = 0;
    if (!TryStrToFloat(text, value)) {
      ShowMessage(Tr("150", "焦距不是有用的整数,请输入一个整数."));
      return false;
    }
    // Only a usable length: a zero one puts both focal points on the
    // centre, a negative one only swaps their sides.
    if (!(value > 0) || value > FLT_MAX) {
      ShowMessage(Tr(texts::kFocalLengthPositive));
      return false;
    }
    focalLength = static_cast<float>(value);
    return true;
  };
  // The colour first, then X1 Y1 X2 Y2 until a bad one, then the focal length.
  rows.ApplyOrder(Join({{colour}, ends.ByPoint(), {focal}}));
  AddCentreRows(rows, *this, Midpoint(P1(), P2()));
  rows.Finally([this] { UpdateFocalPoints(); });
  return rows;
}

void IdealLens::RecordFields(RecordIo& io) {
  io.Coordinate(end0, kMaxCoordinate);
  io.Coordinate(end1, kMaxCoordinate);
  // The focal points follow from the ends and the focal length.
  io.Fields(focal1, focal2, focalLength, skipNextPaint);
  io.Block(reserved);
}
