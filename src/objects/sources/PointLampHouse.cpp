#include "objects/sources/PointLampHouse.h"

#include <algorithm>

#include "i18n/Convert.h"
#include "i18n/TtlmController.h"
#include "objects/sources/SourceShared.h"
#include "optics/CanvasDrawing.h"
#include "optics/PlaneMath.h"
#include "optics/RayGeometry.h"
#include "scene/ProcessSettings.h"
#include "scene/RecordIo.h"

PointLampHouse::PointLampHouse(TCanvas* canvas) : ObjectOf(canvas) {
  SetClassName("PointLampHouse");
  pointCount = 4;
  record.ray.sourceKind = 1;
}

void PointLampHouse::Draw(int mode) {
  if (!BeginPaint(mode)) return;
  const auto& pt = record.points;
  {
    StrokePainter strokes = Strokes(mode);
    // The special rays are drawn by the trace, from the source on.
    const bool fan = !SpecialRays();
    if (fan)
      for (int i = 1; i <= 3; ++i) strokes.Line(pt[0], pt[i]);
    PaintDisc(*canvas, pt[0], strokes.HighQuality() ? TColor(0xFF0000) : color);
    canvas->Pen.color = color;
    if (fan)
      for (int i = 1; i <= record.rayCount; ++i) strokes.Head(pt[i], DirectionAngle(pt[0], pt[i]));
  }
  // The label also in high quality: a renamed source must show its name.
  PaintLabel(*canvas, pt[0], color, record.objectName);
}

void PointLampHouse::BeginCreate(int x, int y) {
  SetDragOrigin(float(x), float(y));
  record.ray.startX = float(x);
  record.ray.startY = float(y);
  SetCreationPen(TPenMode::Xor);
}

// Placed by a click: nothing follows the mouse.
void PointLampHouse::DragCreate(int, int) {}

void PointLampHouse::EndCreate(int x, int y) {
  SetCreationPen(TPenMode::Copy);
  const float fx = float(x), fy = float(y);
  record.ray.throughX = fx;
  record.ray.throughY = fy;
  record.points[0] = {fx, fy};
  record.points[1] = {fx + 60, fy};
  record.points[2] = {fx + 60, fy - 20};
  record.points[3] = {fx + 60, fy + 20};
  Draw(kDrawCopy);
  DrawHandles();
}

std::vector<DrawBaseRayDataStruct> PointLampHouse::GetBaseRays() {
  // Rays of one source in one trace form one image; a fresh group per call
  // keeps two sources, and two traces, apart.
  const int group = NextEmissionGroup();
  std::vector<DrawBaseRayDataStruct> rays;
  for (int i = 1; i <= record.rayCount; ++i) {
    DrawBaseRayDataStruct ray = RayTemplate();
    ray.startX = record.points[0].x;
    ray.startY = record.points[0].y;
    ray.throughX = record.points[i].x;
    ray.throughY = record.points[i].y;
    ray.emissionGroup = group;
    DeriveRay(ray);
    ray.name = record.objectName;
    rays.push_back(std::move(ray));
  }
  return rays;
}

void PointLampHouse::Move(int mode, int x, int y) {
  if (mode == kMoveHandle) {
    // Any aim point in use can be dragged, the source point alone included.
    if (selectedHandle < 0 || selectedHandle > record.rayCount) return;
    TPointF& p = record.points[static_cast<std::size_t>(selectedHandle)];
    if (p.x != float(x) || p.y != float(y)) p = {float(x), float(y)};
    return;
  }
  MovePoints(mode, x, y);
}

PropertyRows PointLampHouse::Rows() {
  PropertyRows rows(Tr("93", "点光源属性"));
  const EmitterRows emitter = AddEmitterRows(rows);
  const RowHandle name = rows.Add(Tr("92", "物体名称"), record.objectName);
  name->style = TEditStyle::Ellipsis;
  name->apply = [this](const std::string& text) {
    record.objectName = Trim(text).empty() ? std::string("S") : text;
    return true;
  };
  const RowHandle raysRow = AddRaysRow(rows);
  // The name first, then the colours and the factor.
  rows.ApplyOrder(Join({{name}, emitter.Order(), {raysRow}}));
  return rows;
}

void PointLampHouse::RecordFields(RecordIo& io) {
  EmitterObject::RecordFields(io);
  // The point table serves at most ten rays; a damaged count must not reach
  // past it.
  if (io.Reading())
    record.rayCount = std::clamp(record.rayCount, 0, static_cast<int>(Record::kMaxRays));
}
