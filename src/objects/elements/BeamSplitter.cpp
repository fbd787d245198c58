#include "objects/elements/BeamSplitter.h"

#include "i18n/SharedTexts.h"
#include "i18n/TtlmController.h"
#include "objects/elements/StopShared.h"
#include "optics/PlaneMath.h"
#include "optics/RayGeometry.h"
#include "scene/RecordIo.h"

BeamSplitter::BeamSplitter(TCanvas* c) : ObjectOf(c) {
  SetClassName("BeamSplitter");
  color = 0xFFC080;
  pointCount = 2;
}

std::vector<PointRef> BeamSplitter::ControlPoints() { return {{&p1.x, &p1.y}, {&p2.x, &p2.y}}; }

void BeamSplitter::Draw(int mode) {
  constexpr double kPlate = 3;  // a thin plate: its two faces
  if (!BeginPaint(mode)) return;
  const double theta = DirectionAngle(p1, p2);
  PaintStrokes(mode,
               {{p1, p2}, {PointAt(p1, theta + 90, kPlate), PointAt(p2, theta + 90, kPlate)}});
}

std::vector<DrawObjectLineDataStruct> BeamSplitter::GetSurfaces() {
  DrawObjectLineDataStruct face = MakeSegment(p1, p2);
  face.kind = kSurfaceSplit;
  face.shape = kShapeSegment;
  face.orientation = 3;  // both sides
  face.refractiveIndex = reflected;
  return {face};
}

PropertyRows BeamSplitter::Rows() {
  PropertyRows rows(Tr("BeamSplitter.Caption", "半透半反镜属性"));
  const EndRows ends = AddTwoPointRows(rows, 0);
  const RowHandle colour = rows.Add(ColourRow(Tr(texts::kColour), color));
  const RowHandle fraction =
      rows.Add(BoundedRealRow(Tr("BeamSplitter.Reflected", "反射比例"), reflected, 0, 1,
                              Tr("BeamSplitter.BadReflected", "反射比例应是 0 到 1 之间的数.")));
  rows.Add(AngleRow(P1(), P2()));
  rows.ApplyOrder(Join({{colour, fraction}, ends.ByAxis()}));
  return rows;
}

void BeamSplitter::RecordFields(RecordIo& io) {
  io.Coordinate(p1, kMaxCoordinate);
  io.Coordinate(p2, kMaxCoordinate);
  io.Float(reflected);
  if (!(reflected >= 0 && reflected <= 1)) io.Refuse();
  io.Fields(skipNextPaint);
  io.Block(reserved);
}
