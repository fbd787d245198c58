#include "objects/sources/RealObject.h"

#include "i18n/TtlmController.h"
#include "optics/Geometry.h"
#include "scene/ByteStream.h"
#include "scene/Convert.h"
#include "scene/IPropertySheet.h"
#include "scene/ProcessSettings.h"

namespace {
constexpr int kA = 0, kB = 1;
}  // namespace

RealObject::RealObject(TCanvas* canvas) : DrawObjectUnit(canvas) {
  SetClassName("RealObject");
  color = 0xFF;
  pointCount = 6;
  record.rayCount = 4;
  record.ray.rayColour = 0xFF;
  record.ray.indexFactor = 1.0f;
  record.ray.blend = 0;
  record.ray.sourceKind = 2;
}

std::vector<PointRef> RealObject::ControlPoints() { return record.PointRefs(6); }

void RealObject::Draw(int mode) {
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
    strokes.SetWidth(SaturatedInt(3LL * lineWidth));
    strokes.Line(pt[kA], pt[kB]);
    strokes.SetWidth(lineWidth);
    strokes.Line(pt[kA], pt[2]);
    strokes.Line(pt[kA], pt[3]);
    strokes.Line(pt[kB], pt[4]);
    strokes.Line(pt[kB], pt[5]);
    PaintDisc(*canvas, pt[kA], color);
    for (int i : {1, 2, 3}) strokes.Head(pt[i], DirectionAngle(pt[kA], pt[i]));
    for (int i : {4, 5}) strokes.Head(pt[i], DirectionAngle(pt[kB], pt[i]));
  }
  if (mode == 2) {
    PaintLabel(*canvas, pt[kA], color, "A");
    PaintLabel(*canvas, pt[kB], color, "B");
  }
}

void RealObject::DrawHandles() {
  if (!canvas) return;
  PaintSourceCircle(*canvas, record.points[kA]);
  for (int i = 1; i <= 5; ++i)
    PaintHandleSquare(*canvas, record.points[i], handleSize, handleColor);
}

int RealObject::HitTest(int x, int y) {
  const TPointF p{float(x), float(y)};
  const auto& pt = record.points;
  const int half = handleSize / 2;
  for (int i = 1; i <= 5; ++i) {
    if (Distance(p, pt[i]) < half) {
      selectedHandle = i;
      return 1;
    }
  }
  const float dA = Distance(p, pt[kA]);
  if (dA < 4) {
    selectedHandle = kA;
    return 1;
  }
  if (dA < 10) {
    selectedHandle = kA;
    return 2;
  }
  for (int i = 1; i <= 5; ++i) {
    if (NearSegment(p, pt[kA], pt[i], 0.5f)) {
      selectedHandle = kA;
      return 2;
    }
  }
  selectedHandle = -1;
  return 0;
}

bool RealObject::InRect(float x1, float y1, float x2, float y2) {
  const auto& pt = record.points;
  for (int i = 0; i <= 5; ++i)
    if (PointInRect(pt[i], x1, y1, x2, y2)) return true;
  for (int j = 1; j <= 5; ++j)
    if (SegmentMeetsRect(MakeSegment(pt[kA], pt[j]), x1, y1, x2, y2)) return true;
  return false;
}

void RealObject::BeginCreate(int x, int y) {
  SetDragOrigin(float(x), float(y));
  record.points[kA] = {float(x), float(y)};
  if (canvas) {
    canvas->Pen.mode = TPenMode::Xor;
    canvas->Pen.color = xorColor;
    canvas->Pen.width = lineWidth;
  }
}

void RealObject::PlaceEnd(int x, int y) {
  auto& pt = record.points;
  const float fx = float(x), fy = float(y);
  pt[kB] = {fx, fy};
  pt[2] = {pt[kA].x + 60, pt[kA].y - 10};
  pt[3] = {pt[kA].x + 60, pt[kA].y + 10};
  pt[4] = {fx + 60, fy - 10};
  pt[5] = {fx + 60, fy + 10};
}

void RealObject::DragCreate(int x, int y) {
  Draw(1);
  PlaceEnd(x, y);
  Draw(1);
}

void RealObject::EndCreate(int x, int y) {
  if (canvas) {
    canvas->Pen.mode = TPenMode::Copy;
    canvas->Pen.color = xorColor;
    canvas->Pen.width = lineWidth;
  }
  record.ray.throughX = float(x);
  record.ray.throughY = float(y);
  PlaceEnd(x, y);
  DrawHandles();
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
    DrawBaseRayDataStruct ray = record.ray;
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

std::unique_ptr<DrawObjectUnit> RealObject::Clone() const {
  return std::make_unique<RealObject>(*this);
}

void RealObject::Move(int mode, int x, int y) {
  if (mode != 1) {
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

int RealObject::ShowProperties() {
  FillRows(Tr("91", "物体属性"), {
                                     {Tr("58", "颜色"), IntToStr(color)},
                                     {Tr("87", "发光颜色"), IntToStr(record.ray.rayColour)},
                                     {Tr("88", "折射率倍"), FactorText(record.ray.indexFactor)},
                                 });
  IPropertySheet& sheet = *Settings().sheet;
  for (int row : {0, 1}) {
    sheet.SetEditStyle(row, TEditStyle::Ellipsis);
    sheet.SetReadOnly(row, true);
  }
  return sheet.ShowModal();
}

bool RealObject::ApplyProperties() {
  // Filled only by the colour dialog, so they always convert.
  ReadColorRow(Tr("58", "颜色"), color);
  ReadColorRow(Tr("87", "发光颜色"), record.ray.rayColour);
  return ReadFactorRow(record.ray.indexFactor);
}

bool RealObject::SaveToStream(ByteWriter& out) {
  SaveClassName(out);
  SaveBaseFields(out);
  record.Save(out);
  out.WriteBytes(reserved.data(), reserved.size());
  return true;
}

bool RealObject::LoadFromStream(ByteReader& in) {
  // Read into a copy so that a damaged record leaves this object untouched.
  RealObject loaded(*this);
  if (!loaded.LoadBaseFields(in) || !loaded.record.Load(in)) return false;
  if (!in.ReadBytes(loaded.reserved.data(), loaded.reserved.size())) return false;
  *this = loaded;
  return true;
}
