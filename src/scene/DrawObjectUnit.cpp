#include "scene/DrawObjectUnit.h"

#include <cmath>

#include "gfx/TGDIPlusCanvas.h"
#include "optics/Geometry.h"
#include "scene/ByteStream.h"
#include "scene/Convert.h"
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
  // Read everything first: a short record leaves the object as it was.
  std::string name = in.ReadString(kMaxNameLength);
  std::string third = in.ReadString(kMaxNameLength);
  std::string fourth = in.ReadString(kMaxNameLength);
  const std::uint8_t d = in.ReadByte();
  const TColor xorC = in.ReadUInt32();
  const TColor c = in.ReadUInt32();
  const TColor selectionC = in.ReadUInt32();
  const std::int32_t width = in.ReadInt32();
  const std::uint8_t fill = in.ReadByte();
  const TColor fillC = in.ReadUInt32();
  const std::int32_t handle = in.ReadInt32();
  const TColor handleC = in.ReadUInt32();
  const std::uint8_t e = in.ReadByte();
  if (!in.Ok()) return false;
  displayName = std::move(name);
  name3 = std::move(third);
  name4 = std::move(fourth);
  flagD = d;
  xorColor = xorC;
  color = c;
  selectionLineColor = selectionC;
  lineWidth = width;
  fillFlag = fill;
  fillColor = fillC;
  handleSize = handle;
  handleColor = handleC;
  flagE = e;
  return true;
}

void DrawObjectUnit::DrawHandleSquares() {
  if (!canvas) return;
  canvas->Pen.mode = TPenMode::Copy;
  canvas->Pen.width = 1;
  canvas->Pen.style = TPenStyle::Solid;
  canvas->Pen.color = handleColor;
  canvas->Brush.style = TBrushStyle::Solid;
  canvas->Brush.color = 0xFFFFFF;
  // A handle size read from a file may be anything; sums stay in 64 bits.
  const long long size = handleSize;
  const long long half = size / 2;
  for (const auto& p : ControlPoints()) {
    const long long x = Pixel(*p.x), y = Pixel(*p.y);
    canvas->Rectangle(Pixel(double(x - half)), Pixel(double(y - half)),
                      Pixel(double(x - half + size)), Pixel(double(y - half + size)));
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

void DrawObjectUnit::PaintStrokes(int mode, const std::vector<Stroke>& strokes) {
  if (!canvas) return;
  if (mode == 2 && Settings().highQuality) {
    TGDIPlusCanvas hq(*canvas);
    hq.Pen.SetWidth(static_cast<float>(lineWidth));
    hq.Pen.SetFixedColour(0);
    hq.Pen.SetColor(color);
    hq.Brush.noFill = 1;
    for (const auto& s : strokes) {
      hq.MoveTo(s.a.x, s.a.y);
      hq.LineTo(s.b.x, s.b.y);
    }
    return;
  }
  for (const auto& s : strokes) {
    canvas->MoveTo(Pixel(s.a.x), Pixel(s.a.y));
    canvas->LineTo(Pixel(s.b.x), Pixel(s.b.y));
  }
}

int DrawObjectUnit::Pixel(double v) {
  // Far beyond any surface, yet safe to add a few thousand to.
  constexpr double kLimit = 1e9;
  if (std::isnan(v)) return 0;
  if (v > kLimit) return static_cast<int>(kLimit);
  if (v < -kLimit) return static_cast<int>(-kLimit);
  return static_cast<int>(v);
}

std::string DrawObjectUnit::UserXText(float x) {
  return IntToStr(static_cast<long long>(Pixel(x)) - Settings().originX);
}

std::string DrawObjectUnit::UserYText(float y) {
  return IntToStr(static_cast<long long>(Settings().originY) - Pixel(y));
}

void DrawObjectUnit::InsertTwoPointRows(IPropertySheet& sheet, TPointF p1, TPointF p2) {
  sheet.InsertRow("Y2", UserYText(p2.y));
  sheet.InsertRow("X2", UserXText(p2.x));
  sheet.InsertRow("Y1", UserYText(p1.y));
  sheet.InsertRow("X1", UserXText(p1.x));
}

bool DrawObjectUnit::ReadIntRow(const std::string& key, std::int32_t& value) {
  int v = 0;
  if (!TryStrToInt(Settings().sheet->Value(key), v)) return false;
  value = v;
  return true;
}

bool DrawObjectUnit::ReadColorRow(const std::string& key, TColor& value) {
  std::int32_t v = 0;
  if (!ReadIntRow(key, v)) return false;
  value = static_cast<TColor>(v);
  return true;
}

bool DrawObjectUnit::ReadUserX(const std::string& key, float& x) {
  std::int32_t v = 0;
  if (!ReadIntRow(key, v)) return false;
  x = static_cast<float>(double(v) + Settings().originX);
  return true;
}

bool DrawObjectUnit::ReadUserY(const std::string& key, float& y) {
  std::int32_t v = 0;
  if (!ReadIntRow(key, v)) return false;
  y = static_cast<float>(double(Settings().originY) - v);
  return true;
}
