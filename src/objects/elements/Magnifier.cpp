#include "objects/elements/Magnifier.h"

#include <cmath>

#include "i18n/TtlmController.h"
#include "optics/RayGeometry.h"
#include "scene/RecordIo.h"

Magnifier::Magnifier(TCanvas* c) : ObjectOf(c, 2) { SetClassName("Magnifier"); }

std::vector<PointRef> Magnifier::ControlPoints() {
  return {{&ends_[0].x, &ends_[0].y}, {&ends_[1].x, &ends_[1].y}};
}

std::vector<TPointF> Magnifier::FacePolyline() { return {ends_[0], ends_[1]}; }

// Every 2 degrees along the arc; the polygon closes along the chord.
std::vector<TPointF> Magnifier::Outline() { return ArcPolygon(2); }

std::vector<DrawObjectLineDataStruct> Magnifier::GetSurfaces() {
  DrawObjectLineDataStruct chord = MakeSegment(ends_[1], ends_[0]);
  chord.kind = kSurfaceRefract;
  chord.shape = kShapeSegment;
  chord.refractiveIndex = refractiveIndex;
  return {ArcSurface(kSurfaceRefract, 2, refractiveIndex), chord};
}

PropertyRows Magnifier::Rows() {
  return LensRows(Tr("145", "凸透镜属性"), true, {}, [this] {
    sweep = SweepOf(angle1, angle2);
    PlaceEnds();
    return true;
  });
}

void Magnifier::RecordFields(RecordIo& io) {
  ArcRecordHead(io);
  SweepRecord(io);
  io.Float(refractiveIndex);
  if (io.Reading() && !std::isfinite(refractiveIndex)) io.Refuse();
  io.Byte(skipNextPaint);
  io.Block(reserved);
}
