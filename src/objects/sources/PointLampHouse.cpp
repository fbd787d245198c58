#include "objects/sources/PointLampHouse.h"

#include <algorithm>

#include "i18n/TtlmController.h"
#include "optics/Geometry.h"
#include "scene/ByteStream.h"
#include "scene/Convert.h"
#include "scene/IPropertySheet.h"
#include "scene/ProcessSettings.h"

PointLampHouse::PointLampHouse(TCanvas* canvas) : DrawObjectUnit(canvas) {
  SetClassName("PointLampHouse");
  color = 0xFF;
  pointCount = 4;
  record.ray.rayColour = 0xFF;
  record.ray.indexFactor = 1.0f;
  record.ray.blend = 0;
  record.ray.sourceKind = 1;
}

std::vector<PointRef> PointLampHouse::ControlPoints() { return record.PointRefs(4); }

void PointLampHouse::Draw(int mode) {
  if (!canvas) return;
  PreparePen(mode);
  if (record.skipNextPaint) {
    record.skipNextPaint = 0;
    return;
  }
  const auto& pt = record.points;
  const bool hq = Settings().highQuality && mode == 2;
  {
    StrokePainter strokes(*canvas, hq, color, lineWidth);
    for (int i = 1; i <= 3; ++i) strokes.Line(pt[0], pt[i]);
    if (hq) {
      PaintDisc(*canvas, pt[0], 0xFF0000);
    } else {
      PaintDisc(*canvas, pt[0], color);
    }
    canvas->Pen.color = color;
    for (int i = 1; i <= record.rayCount; ++i) strokes.Head(pt[i], DirectionAngle(pt[0], pt[i]));
  }
  // The label also in high quality: a renamed source must show its name.
  PaintLabel(*canvas, pt[0], color, record.objectName);
}

void PointLampHouse::DrawHandles() {
  if (!canvas) return;
  PaintSourceCircle(*canvas, record.points[0]);
  for (int i = 1; i <= record.rayCount; ++i)
    PaintHandleSquare(*canvas, record.points[i], handleSize, handleColor);
}

int PointLampHouse::HitTest(int x, int y) {
  const TPointF p{float(x), float(y)};
  const auto& pt = record.points;
  const int half = handleSize / 2;
  for (int i = 1; i <= record.rayCount; ++i) {
    if (Distance(p, pt[i]) < half) {
      selectedHandle = i;
      return 1;
    }
  }
  const float d0 = Distance(p, pt[0]);
  if (d0 < 4) {
    selectedHandle = 0;
    return 1;
  }
  if (d0 < 10) {
    selectedHandle = 0;
    return 2;
  }
  for (int i = 1; i <= record.rayCount; ++i) {
    if (NearSegment(p, pt[0], pt[i], 0.5f)) {
      selectedHandle = 0;
      return 2;
    }
  }
  selectedHandle = -1;
  return 0;
}

bool PointLampHouse::InRect(float x1, float y1, float x2, float y2) {
  const auto& pt = record.points;
  for (int i = 0; i <= 3; ++i)
    if (PointInRect(pt[i], x1, y1, x2, y2)) return true;
  for (int j = 1; j <= 3; ++j)
    if (SegmentMeetsRect(MakeSegment(pt[0], pt[j]), x1, y1, x2, y2)) return true;
  return false;
}

void PointLampHouse::BeginCreate(int x, int y) {
  SetDragOrigin(float(x), float(y));
  record.ray.startX = float(x);
  record.ray.startY = float(y);
  if (canvas) {
    canvas->Pen.mode = TPenMode::Xor;
    canvas->Pen.color = xorColor;
    canvas->Pen.width = lineWidth;
  }
}

// Placed by a click: nothing follows the mouse.
void PointLampHouse::DragCreate(int, int) {}

void PointLampHouse::EndCreate(int x, int y) {
  if (canvas) {
    canvas->Pen.mode = TPenMode::Copy;
    canvas->Pen.color = xorColor;
    canvas->Pen.width = lineWidth;
  }
  const float fx = float(x), fy = float(y);
  record.ray.throughX = fx;
  record.ray.throughY = fy;
  record.points[0] = {fx, fy};
  record.points[1] = {fx + 60, fy};
  record.points[2] = {fx + 60, fy - 20};
  record.points[3] = {fx + 60, fy + 20};
  Draw(2);
  DrawHandles();
}

std::vector<DrawBaseRayDataStruct> PointLampHouse::GetBaseRays() {
  // Rays of one source in one trace form one image; a fresh group per call
  // keeps two sources, and two traces, apart.
  const int group = NextEmissionGroup();
  std::vector<DrawBaseRayDataStruct> rays;
  for (int i = 1; i <= record.rayCount; ++i) {
    DrawBaseRayDataStruct ray = record.ray;
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

std::unique_ptr<DrawObjectUnit> PointLampHouse::Clone() const {
  return std::make_unique<PointLampHouse>(*this);
}

void PointLampHouse::Move(int mode, int x, int y) {
  if (mode == 1) {
    // Any aim point in use can be dragged, the source point alone included.
    if (selectedHandle < 0 || selectedHandle > record.rayCount) return;
    TPointF& p = record.points[static_cast<std::size_t>(selectedHandle)];
    if (p.x != float(x) || p.y != float(y)) p = {float(x), float(y)};
    return;
  }
  MovePoints(mode, x, y);
}

int PointLampHouse::ShowProperties() {
  FillRows(Tr("93", "点光源属性"), {
                                       {Tr("58", "颜色"), IntToStr(color)},
                                       {Tr("87", "发光颜色"), IntToStr(record.ray.rayColour)},
                                       {Tr("88", "折射率倍"), FactorText(record.ray.indexFactor)},
                                       {Tr("92", "物体名称"), record.objectName},
                                   });
  IPropertySheet& sheet = *Settings().sheet;
  for (int row : {0, 1}) {
    sheet.SetEditStyle(row, TEditStyle::Ellipsis);
    sheet.SetReadOnly(row, true);
  }
  sheet.SetEditStyle(3, TEditStyle::Ellipsis);
  return sheet.ShowModal();
}

bool PointLampHouse::ApplyProperties() {
  const std::string name = Settings().sheet->Value(Tr("92", "物体名称"));
  record.objectName = Trim(name).empty() ? std::string("S") : name;
  // Filled only by the colour dialog, so they always convert.
  ReadColorRow(Tr("58", "颜色"), color);
  ReadColorRow(Tr("87", "发光颜色"), record.ray.rayColour);
  return ReadFactorRow(record.ray.indexFactor);
}

bool PointLampHouse::SaveToStream(ByteWriter& out) {
  SaveClassName(out);
  SaveBaseFields(out);
  record.Save(out);
  out.WriteBytes(reserved.data(), reserved.size());
  return true;
}

bool PointLampHouse::LoadFromStream(ByteReader& in) {
  // Read into a copy so that a damaged record leaves this object untouched.
  PointLampHouse loaded(*this);
  if (!loaded.LoadBaseFields(in) || !loaded.record.Load(in)) return false;
  if (!in.ReadBytes(loaded.reserved.data(), loaded.reserved.size())) return false;
  // The point table serves at most ten rays; a damaged count must not reach
  // past it.
  loaded.record.rayCount = std::clamp(loaded.record.rayCount, 0, EmitterRecord::kMaxRays);
  *this = loaded;
  return true;
}
