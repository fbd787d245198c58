#include "objects/sources/RealObject.h"

#include "i18n/Convert.h"
#include "i18n/TtlmController.h"
#include "objects/sources/SourceShared.h"
#include "optics/CanvasDrawing.h"
#include "optics/PlaneMath.h"
#include "optics/RayGeometry.h"
#include "scene/ProcessSettings.h"

namespace {
constexpr int kA = 0, kB = 1;
}  // namespace

RealObject::RealObject(TCanvas* canvas) : ObjectOf(canvas) {
  SetClassName("RealObject");
  pointCount = 6;
  record.rayCount = 4;
  record.ray.sourceKind = 2;
}

void RealObject::Draw(int mode) {
  if (!BeginPaint(mode)) return;
  const auto& pt = record.points;
  {
    StrokePainter strokes = Strokes(mode);
    strokes.SetWidth(SaturatedInt(3LL * lineWidth));
    strokes.Line(pt[kA], pt[kB]);
    strokes.SetWidth(lineWidth);
    // The special rays are drawn by the trace, from the ends on.
    const bool fan = !SpecialRays();
    if (fan) {
      strokes.Line(pt[kA], pt[2]);
      strokes.Line(pt[kA], pt[3]);
      strokes.Line(pt[kB], pt[4]);
      strokes.Line(pt[kB], pt[5]);
    }
    PaintDisc(*canvas, pt[kA], color);
    strokes.Head(pt[kB], DirectionAngle(pt[kA], pt[kB]));
    if (fan) {
      for (int i : {2, 3}) strokes.Head(pt[i], DirectionAngle(pt[kA], pt[i]));
      for (int i : {4, 5}) strokes.Head(pt[i], DirectionAngle(pt[kB], pt[i]));
    }
  }
  if (mode == kDrawCopy) {
    PaintLabel(*canvas, pt[kA], color, "A");
    PaintLabel(*canvas, pt[kB], color, "B");
  }
}

void RealObject::PlaceDragged(int x, int y) {
  auto& pt = record.points;
  const float fx = float(x), fy = float(y);
  pt[kB] = {fx, fy};
  pt[2] = {pt[kA].x + 60, pt[kA].y - 10};
  pt[3] = {pt[kA].x + 60, pt[kA].y + 10};
  pt[4] = {fx + 60, fy - 10};
  pt[5] = {fx + 60, fy + 10};
}

void RealObject::EndCreate(int x, int y) {
  record.ray.throughX = float(x);
  record.ray.throughY = float(y);
  EmitterObject::EndCreate(x, y);
}

std::vector<DrawBaseRayDataStruct> RealObject::GetBaseRays() {
  const int group = NextEmissionGroup();
  const auto& pt = record.points;
  std::vector<DrawBaseRayDataStruct> rays;
  const struct {
    int from, aim;
    const char* name;
  } plan[] = {{kA, 2, "A"}, {kA, 3, "A"}, {kB, 4, "B"}, {kB, 5, "B"}};
  for (const auto& step : plan) {
    DrawBaseRayDataStruct ray = RayTemplate();
    ray.startX = pt[step.from].x;
    ray.startY = pt[step.from].y;
    ray.throughX = pt[step.aim].x;
    ray.throughY = pt[step.aim].y;
    ray.sourceKind = 2;
    ray.emissionGroup = group;
    ray.sourceLineWidth = lineWidth;
    ray.name = step.name;
    DeriveRay(ray);
    rays.push_back(std::move(ray));
  }
  return rays;
}

void RealObject::Move(int mode, int x, int y) {
  if (mode != kMoveHandle) {
    MovePoints(mode, x, y);
    return;
  }
  if (selectedHandle < 0 || selectedHandle > 5) return;
  auto& pt = record.points;
  TPointF& p = pt[static_cast<std::size_t>(selectedHandle)];
  if (p.x == float(x) && p.y == float(y)) return;
  const int dx = Trunc(double(x) - p.x), dy = Trunc(double(y) - p.y);
  p = {float(x), float(y)};
  // An end carries the aim points of its own rays, so they keep their
  // directions.
  int first = 0;
  if (selectedHandle == kA) first = 2;
  if (selectedHandle == kB) first = 4;
  if (first == 0) return;
  for (int i = first; i < first + 2; ++i) pt[i] = {pt[i].x + dx, pt[i].y + dy};
}

PropertyRows RealObject::Rows() {
  PropertyRows rows(Tr("91", "物体属性"));
  AddEmitterRows(rows);
  AddRaysRow(rows);
  return rows;
}
