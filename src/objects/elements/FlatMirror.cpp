#include "objects/elements/FlatMirror.h"

#include "i18n/TtlmController.h"
#include "optics/Geometry.h"
#include "scene/ByteStream.h"
#include "scene/Convert.h"
#include "scene/IMessageSink.h"
#include "scene/IPropertySheet.h"
#include "scene/ProcessSettings.h"

namespace {

constexpr int kHatchStrokes = 11;  // both ends included
constexpr double kHatchAngle = 140;
constexpr double kHatchLength = 12;

}  // namespace

FlatMirror::FlatMirror(TCanvas* c) : DrawObjectUnit(c) {
  SetClassName("FlatMirror");
  color = 0x80FFFF;
  pointCount = 2;
}

std::vector<PointRef> FlatMirror::ControlPoints() {
  return {{&segment.x1, &segment.y1}, {&segment.x2, &segment.y2}};
}

void FlatMirror::Draw(int mode) {
  PreparePen(mode);
  if (skipNextPaint) {
    skipNextPaint = 0;
    return;
  }
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

void FlatMirror::DrawHandles() { DrawHandleSquares(); }

int FlatMirror::HitTest(int x, int y) { return HitTestTwoPoints(x, y); }

bool FlatMirror::InRect(float x1, float y1, float x2, float y2) {
  return InRectPolyline(x1, y1, x2, y2, false);
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

std::unique_ptr<DrawObjectUnit> FlatMirror::Clone() const {
  return std::make_unique<FlatMirror>(*this);
}

void FlatMirror::Move(int mode, int x, int y) { MovePoints(mode, x, y); }

void FlatMirror::Zoom(float cx, float cy, float factor) { ZoomPoints(cx, cy, factor); }

int FlatMirror::ShowProperties() {
  IPropertySheet& sheet = *Settings().sheet;
  sheet.ClearRows();
  sheet.SetCaption(Tr("94", "平面镜属性"));
  const TPointF p1{segment.x1, segment.y1};
  const TPointF p2{segment.x2, segment.y2};
  // Each row goes above the earlier ones: bottom row first.
  sheet.InsertRow(Tr("86", "角度"), LeftStr(FloatToStr(DirectionAngle(p1, p2)), 6));
  sheet.InsertRow(Tr("58", "颜色"), IntToStr(color));
  InsertTwoPointRows(sheet, p1, p2);
  sheet.SetEditStyle(4, TEditStyle::Ellipsis);
  sheet.SetReadOnly(4, true);
  sheet.SetReadOnly(5, true);
  return sheet.ShowModal();
}

bool FlatMirror::ApplyProperties() {
  ReadColorRow(Tr("58", "颜色"), color);
  // Every coordinate row is read; a bad one keeps its old value.
  bool ok = true;
  if (!ReadUserX("X1", segment.x1)) {
    ShowMessage(Tr("71", "x1,不是有用的整数,请输入一个整数."));
    ok = false;
  }
  if (!ReadUserX("X2", segment.x2)) {
    ShowMessage(Tr("72", "x2,不是有用的整数,请输入一个整数."));
    ok = false;
  }
  if (!ReadUserY("Y1", segment.y1)) {
    ShowMessage(Tr("73", "y1,不是有用的整数,请输入一个整数."));
    ok = false;
  }
  if (!ReadUserY("Y2", segment.y2)) {
    ShowMessage(Tr("74", "y2,不是有用的整数,请输入一个整数."));
    ok = false;
  }
  return ok;
}

bool FlatMirror::SaveToStream(ByteWriter& out) {
  SaveClassName(out);
  SaveBaseFields(out);
  out.WriteFloat(segment.x1);
  out.WriteFloat(segment.y1);
  out.WriteFloat(segment.x2);
  out.WriteFloat(segment.y2);
  out.WriteFloat(segment.slope);
  out.WriteFloat(segment.intercept);
  out.WriteFloat(segment.direction);
  out.WriteByte(segment.vertical);
  out.WriteZeros(3);
  out.WriteFloat(segment.verticalX);
  out.WriteUInt32(segment.spare);
  out.WriteByte(skipNextPaint);
  out.WriteBytes(reserved.data(), reserved.size());
  return true;
}

bool FlatMirror::LoadFromStream(ByteReader& in) {
  // Read into a copy so that a damaged record leaves this object untouched.
  FlatMirror loaded(*this);
  if (!loaded.LoadBaseFields(in)) return false;
  SegmentBlock& s = loaded.segment;
  s.x1 = in.ReadFloat();
  s.y1 = in.ReadFloat();
  s.x2 = in.ReadFloat();
  s.y2 = in.ReadFloat();
  s.slope = in.ReadFloat();
  s.intercept = in.ReadFloat();
  s.direction = in.ReadFloat();
  s.vertical = in.ReadByte();
  in.Skip(3);
  s.verticalX = in.ReadFloat();
  s.spare = in.ReadUInt32();
  loaded.skipNextPaint = in.ReadByte();
  in.ReadBytes(loaded.reserved.data(), loaded.reserved.size());
  if (!in.Ok()) return false;
  *this = loaded;
  return true;
}
