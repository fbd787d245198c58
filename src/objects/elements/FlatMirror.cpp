#include "objects/elements/FlatMirror.h"

#include "i18n/SharedTexts.h"
#include "i18n/TtlmController.h"
#include "optics/PlaneMath.h"
#include "optics/RayGeometry.h"
#include "scene/RecordIo.h"

FlatMirror::FlatMirror(TCanvas* c) : ObjectOf(c) {
  SetClassName("FlatMirror");
  color = 0x80FFFF;
  pointCount = 2;
}

std::vector<PointRef> FlatMirror::ControlPoints() {
  return {{&segment.x1, &segment.y1}, {&segment.x2, &segment.y2}};
}

void FlatMirror::Draw(int mode) {
  constexpr int kHatchStrokes = 11;  // both ends included
  constexpr double kHatchAngle = 140, kHatchLength = 12;
  if (!BeginPaint(mode)) return;
  const TPointF p1{segment.x1, segment.y1};
  const TPointF p2{segment.x2, segment.y2};
  const double theta = DirectionAngle(p1, p2);
  const double step = double(Distance(p1, p2)) * 0.1;
  std::vector<Stroke> strokes;
  strokes.reserve(1 + kHatchStrokes);
  strokes.push_back({p1, p2});
  // The hatching lies on the left of P1 -> P2: the back of the mirror.
  for (int j = 0; j < kHatchStrokes; ++j) {
    const TPointF q = PointAt(p1, theta, j * step);
    strokes.push_back({q, PointAt(q, theta + kHatchAngle, kHatchLength)});
  }
  PaintStrokes(mode, strokes);
}

std::vector<DrawObjectLineDataStruct> FlatMirror::GetSurfaces() {
  DrawObjectLineDataStruct surface =
      MakeSegment({segment.x1, segment.y1}, {segment.x2, segment.y2});
  surface.kind = kSurfaceReflect;
  surface.shape = kShapeSegment;
  surface.orientation = 1;  // reflects rays arriving from the right only
  surface.refractiveIndex = 0;
  return {surface};
}

PropertyRows FlatMirror::Rows() {
  PropertyRows rows(Tr("94", "平面镜属性"));
  const EndRows ends = AddTwoPointRows(rows, 0);
  const RowHandle colour = rows.Add(ColourRow(Tr(texts::kColour), color));
  rows.Add(AngleRow(P1(), P2()));
  // The colour first; every coordinate row is read, a bad one keeps its value.
  rows.ApplyOrder(Join({{colour}, ends.ByAxis()}));
  return rows;
}

void FlatMirror::RecordFields(RecordIo& io) {
  io.Coordinate(segment.x1, kMaxCoordinate);
  io.Coordinate(segment.y1, kMaxCoordinate);
  io.Coordinate(segment.x2, kMaxCoordinate);
  io.Coordinate(segment.y2, kMaxCoordinate);
  io.Fields(segment.slope, segment.intercept, segment.direction, segment.vertical);
  io.Padding(3);
  io.Fields(segment.verticalX, segment.spare, skipNextPaint);
  io.Block(reserved);
}
