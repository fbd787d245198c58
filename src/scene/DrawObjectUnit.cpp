#include "scene/DrawObjectUnit.h"

#include <cmath>

#include "optics/Geometry.h"
#include "scene/ByteStream.h"
#include "scene/IPropertySheet.h"
#include "scene/ProcessSettings.h"

DrawObjectUnit::DrawObjectUnit(TCanvas* c) : canvas(c), lineWidth(Settings().toolLineWidth) {
  SetClassName("DrawObjectUnit");
}

void DrawObjectUnit::SetClassName(const std::string& name) {
  className = name;
  displayName = name;
  name3 = name;
  name4 = name;
}

void DrawObjectUnit::Draw(int) {}
void DrawObjectUnit::DrawHandles() {}
int DrawObjectUnit::HitTest(int, int) { return 0; }
bool DrawObjectUnit::InRect(float, float, float, float) { return false; }

void DrawObjectUnit::BeginCreate(int x, int y) {
  SetDragOrigin(float(x), float(y));
  auto points = ControlPoints();
  if (!points.empty()) points[0].Set(float(x), float(y));
  if (canvas) {
    canvas->Pen.mode = TPenMode::Xor;
    canvas->Pen.color = xorColor;
    canvas->Pen.width = lineWidth;
  }
}

void DrawObjectUnit::DragCreate(int x, int y) {
  Draw(1);
  auto points = ControlPoints();
  if (points.size() >= 2) points[1].Set(float(x), float(y));
  Draw(1);
}

void DrawObjectUnit::EndCreate(int x, int y) {
  if (canvas) {
    canvas->Pen.mode = TPenMode::Copy;
    canvas->Pen.color = xorColor;
    canvas->Pen.width = lineWidth;
  }
  auto points = ControlPoints();
  if (points.size() >= 2) points[1].Set(float(x), float(y));
  DrawHandles();
}

std::vector<DrawObjectLineDataStruct> DrawObjectUnit::GetSurfaces() { return {}; }
std::vector<DrawBaseRayDataStruct> DrawObjectUnit::GetBaseRays() { return {}; }

std::unique_ptr<DrawObjectUnit> DrawObjectUnit::Clone() const {
  return std::make_unique<DrawObjectUnit>(*this);
}

std::unique_ptr<DrawObjectUnit> DrawObjectUnit::CloneMoved(int dx, int dy) {
  Move(3, dx, dy);
  auto copy = Clone();
  Move(3, -dx, -dy);
  return copy;
}

void DrawObjectUnit::Move(int mode, int x, int y) { MovePoints(mode, x, y); }

int DrawObjectUnit::ShowProperties() { return Settings().sheet->ShowModal(); }
bool DrawObjectUnit::ApplyProperties() { return true; }

void DrawObjectUnit::Zoom(float cx, float cy, float factor) { ZoomPoints(cx, cy, factor); }

bool DrawObjectUnit::SaveToStream(ByteWriter& out) {
  SaveClassName(out);
  SaveBaseFields(out);
  return true;
}

bool DrawObjectUnit::LoadFromStream(ByteReader& in) { return LoadBaseFields(in); }

void DrawObjectUnit::SaveClassName(ByteWriter& out) const { out.WriteString(className); }

void DrawObjectUnit::SaveBaseFields(ByteWriter& out) const {
  out.WriteString(displayName);
  out.WriteString(name3);
  out.WriteString(name4);
  out.WriteByte(flagD);
  out.WriteUInt32(xorColor);
  out.WriteUInt32(color);
  out.WriteUInt32(selectionLineColor);
  out.WriteInt32(lineWidth);
  out.WriteByte(fillFlag);
  out.WriteUInt32(fillColor);
  out.WriteInt32(handleSize);
  out.WriteUInt32(handleColor);
  out.WriteByte(flagE);
}

// Names are display texts, never long; a bound keeps a damaged file from
// asking for gigabytes.
constexpr std::size_t kMaxNameLength = 64 * 1024;

bool DrawObjectUnit::LoadBaseFields(ByteReader& in) {
  displayName = in.ReadString(kMaxNameLength);
  name3 = in.ReadString(kMaxNameLength);
  name4 = in.ReadString(kMaxNameLength);
  flagD = in.ReadByte();
  xorColor = in.ReadUInt32();
  color = in.ReadUInt32();
  selectionLineColor = in.ReadUInt32();
  lineWidth = in.ReadInt32();
  fillFlag = in.ReadByte();
  fillColor = in.ReadUInt32();
  handleSize = in.ReadInt32();
  handleColor = in.ReadUInt32();
  flagE = in.ReadByte();
  return in.Ok();
}

void DrawObjectUnit::DrawHandleSquares() {
  if (!canvas) return;
  canvas->Pen.mode = TPenMode::Copy;
  canvas->Pen.width = 1;
  canvas->Pen.style = TPenStyle::Solid;
  canvas->Pen.color = handleColor;
  canvas->Brush.style = TBrushStyle::Solid;
  canvas->Brush.color = 0xFFFFFF;
  const int half = handleSize / 2;
  for (const auto& p : ControlPoints()) {
    const int x = Trunc(*p.x), y = Trunc(*p.y);
    canvas->Rectangle(x - half, y - half, x - half + handleSize, y - half + handleSize);
  }
}

int DrawObjectUnit::HitTestTwoPoints(int x, int y) {
  auto points = ControlPoints();
  if (points.size() < 2) return 0;
  const float h = float(handleSize / 2);
  const TPointF p{float(x), float(y)};
  const TPointF a = points[0].Get(), b = points[1].Get();
  const float d1 = Distance(p, a), d2 = Distance(p, b), length = Distance(a, b);
  if (d1 < h) {
    selectedHandle = 0;
    return 1;
  }
  if (d2 < h) {
    selectedHandle = 1;
    return 1;
  }
  if (double(length) + 0.5 > double(d1) + d2) return 2;
  selectedHandle = -1;
  return 0;
}

bool DrawObjectUnit::InRectPolyline(float x1, float y1, float x2, float y2, bool closed) {
  auto points = ControlPoints();
  for (const auto& p : points)
    if (PointInRect(p.Get(), x1, y1, x2, y2)) return true;
  const std::size_t n = points.size();
  const std::size_t edges = closed ? n : (n == 0 ? 0 : n - 1);
  for (std::size_t i = 0; i < edges && n >= 2; ++i) {
    const auto seg = MakeSegment(points[i].Get(), points[(i + 1) % n].Get());
    if (SegmentMeetsRect(seg, x1, y1, x2, y2)) return true;
  }
  return false;
}

void DrawObjectUnit::MovePoints(int mode, int x, int y) {
  auto points = ControlPoints();
  if (mode == 1) {
    if (selectedHandle < 0 || selectedHandle >= static_cast<int>(points.size())) return;
    const auto& p = points[static_cast<std::size_t>(selectedHandle)];
    if (*p.x != float(x) || *p.y != float(y)) p.Set(float(x), float(y));
  } else if (mode == 2) {
    const int dx = Trunc(double(x) - dragOriginX);
    const int dy = Trunc(double(y) - dragOriginY);
    if (dx == 0 && dy == 0) return;
    SetDragOrigin(float(x), float(y));
    for (const auto& p : points) p.Set(*p.x + dx, *p.y + dy);
  } else if (mode == 3) {
    for (const auto& p : points) p.Set(*p.x + x, *p.y + y);
  }
}

void DrawObjectUnit::ZoomPoints(float cx, float cy, float factor) {
  for (const auto& p : ControlPoints())
    p.Set(static_cast<float>(cx + (double(*p.x) - cx) * factor),
          static_cast<float>(cy + (double(*p.y) - cy) * factor));
}

void DrawObjectUnit::PreparePen(int mode) {
  if (!canvas) return;
  canvas->Pen.width = lineWidth;
  canvas->Pen.style = TPenStyle::Solid;
  if (mode == 1) {
    canvas->Pen.mode = TPenMode::Xor;
    canvas->Pen.color = xorColor;
  } else if (mode == 2) {
    canvas->Pen.mode = TPenMode::Copy;
    canvas->Pen.color = color;
  }
}
