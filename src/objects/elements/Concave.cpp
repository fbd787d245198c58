#include "objects/elements/Concave.h"

#include <cfloat>
#include <cmath>

#include "i18n/Convert.h"
#include "i18n/TtlmController.h"
#include "optics/PlaneMath.h"
#include "optics/RayGeometry.h"
#include "scene/IMessageSink.h"
#include "scene/RecordIo.h"

Concave::Concave(TCanvas* c) : ObjectOf(c, 4) { SetClassName("Concave"); }

std::vector<PointRef> Concave::ControlPoints() {
  std::vector<PointRef> points;
  for (auto& p : corners) points.push_back({&p.x, &p.y});
  return points;
}

double Concave::AxisAngle() const {
  return DirectionAngle(centre, Midpoint(corners[0], corners[3]));
}

void Concave::ArcChanged() {
  const double a = AxisAngle();
  const double d = double(radius) + thickness - Distance(centre, Midpoint(corners[0], corners[3]));
  corners[1] = PointAt(corners[0], a, d);
  corners[2] = PointAt(corners[3], a, d);
}

void Concave::Move(int mode, int x, int y) {
  if (mode != kMoveHandle || (selectedHandle != 1 && selectedHandle != 2)) {
    ArcObject::Move(mode, x, y);
    return;
  }
  // Distance of the pointer from the centre along the axis, less the radius.
  const double a = Radians(AxisAngle());
  const double along = (double(x) - centre.x) * std::cos(a) - (double(y) - centre.y) * std::sin(a);
  thickness = static_cast<float>(std::max(0.0, along - radius));
  ArcChanged();
}

std::vector<ArcObject::Stroke> Concave::StraightFaces() {
  return {{corners[0], corners[1]}, {corners[1], corners[2]}, {corners[2], corners[3]}};
}

std::vector<TPointF> Concave::FacePolyline() {
  return {corners[0], corners[1], corners[2], corners[3]};
}

// Every half degree along the arc, then back along the straight faces.
std::vector<TPointF> Concave::Outline() {
  std::vector<TPointF> outline = ArcPolygon(0.5);
  outline.push_back(corners[3]);
  outline.push_back(corners[2]);
  outline.push_back(corners[1]);
  return outline;
}

std::vector<DrawObjectLineDataStruct> Concave::GetSurfaces() {
  std::vector<DrawObjectLineDataStruct> faces{ArcSurface(kSurfaceRefract, 1, refractiveIndex)};
  for (const Stroke& s : StraightFaces()) {
    DrawObjectLineDataStruct face = MakeSegment(s.a, s.b);
    face.kind = kSurfaceRefract;
    face.shape = kShapeSegment;
    face.refractiveIndex = refractiveIndex;
    faces.push_back(face);
  }
  return faces;
}

PropertyRows Concave::Rows() {
  PropertyRow t{Tr("146", "厚度"), FloatToShortStr(thickness)};
  t.message = Tr("147", "厚度,不是有用的数值型,请输入一个数值.");
  t.apply = [this](const std::string& text) {
    double v = 0;
    if (!TryStrToFloat(text, v) || std::fabs(v) > FLT_MAX) return false;
    thickness = static_cast<float>(v);
    return true;
  };
  return LensRows(Tr("149", "凹透镜属性"), false, {t}, [this] {
    sweep = SweepOf(angle1, angle2);
    if (sweep >= 180) {
      ShowMessage(Tr("148", "两角度的差不能大于180,请入正确的角度1和角度2"));
      angle1 = kDefaultAngle1;
      angle2 = kDefaultAngle2;
      sweep = kDefaultSweep;
      return false;
    }
    PlaceEnds();
    return true;
  });
}

void Concave::RecordFields(RecordIo& io) {
  ArcRecordHead(io);
  float angle2Again = angle2;  // written twice, read back from the first
  io.Fields(angle2Again, thickness, refractiveIndex);
  if (io.Reading() && !(std::isfinite(thickness) && std::fabs(thickness) <= kMaxCoordinate &&
                        std::isfinite(refractiveIndex)))
    io.Refuse();
  io.Byte(skipNextPaint);
  io.Block(reserved);
  if (io.Reading()) sweep = SweepWithinOneTurn(angle1, angle2);
}
