#include "objects/sources/LampHouse.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "i18n/TtlmController.h"
#include "optics/Geometry.h"
#include "scene/ByteStream.h"
#include "scene/Convert.h"
#include "scene/IMessageSink.h"
#include "scene/IPropertySheet.h"
#include "scene/ProcessSettings.h"

namespace {

constexpr double kHeadLength = 10;
constexpr double kHeadAngle = 150;

}  // namespace

LampHouse::LampHouse(TCanvas* c) : DrawObjectUnit(c) {
  SetClassName("LampHouse");
  color = 0xFF;
  pointCount = 2;
}

std::vector<PointRef> LampHouse::ControlPoints() {
  return {{&rayTemplate.startX, &rayTemplate.startY},
          {&rayTemplate.throughX, &rayTemplate.throughY}};
}

int LampHouse::EffectiveRayCount() const { return std::clamp(rayCount, 1, kMaxFileRays); }

void LampHouse::Draw(int mode) {
  PreparePen(mode);
  if (skipNextPaint) {
    // Swallows the first XOR erase of the rubber band, which has nothing to erase.
    skipNextPaint = 0;
    return;
  }
  const TPointF p1{rayTemplate.startX, rayTemplate.startY};
  const TPointF p2{rayTemplate.throughX, rayTemplate.throughY};
  const double theta = DirectionAngle(p1, p2);
  std::vector<Stroke> strokes;
  const int count = EffectiveRayCount();
  strokes.reserve(static_cast<std::size_t>(count) * 3);
  const PolarStep aside = StepOf(theta + 90);
  const PolarStep wing1 = StepOf(theta + kHeadAngle), wing2 = StepOf(theta - kHeadAngle);
  for (int i = 0; i < count; ++i) {
    const double offset = double(i) * raySpacing;
    const TPointF a = i == 0 ? p1 : PointAt(p1, aside, offset);
    const TPointF b = i == 0 ? p2 : PointAt(p2, aside, offset);
    strokes.push_back({a, b});
    strokes.push_back({b, PointAt(b, wing1, kHeadLength)});
    strokes.push_back({b, PointAt(b, wing2, kHeadLength)});
  }
  PaintStrokes(mode, strokes);
}

void LampHouse::DrawHandles() { DrawHandleSquares(); }

int LampHouse::HitTest(int x, int y) { return HitTestTwoPoints(x, y); }

bool LampHouse::InRect(float x1, float y1, float x2, float y2) {
  return InRectPolyline(x1, y1, x2, y2, false);
}

std::vector<DrawBaseRayDataStruct> LampHouse::GetBaseRays() {
  std::vector<DrawBaseRayDataStruct> rays;
  const int count = EffectiveRayCount();
  rays.reserve(static_cast<std::size_t>(count));
  rays.push_back(CopyBaseRay(rayTemplate));
  const TPointF p1{rayTemplate.startX, rayTemplate.startY};
  const TPointF p2{rayTemplate.throughX, rayTemplate.throughY};
  const PolarStep aside = StepOf(DirectionAngle(p1, p2) + 90);
  for (int i = 1; i < count; ++i) {
    DrawBaseRayDataStruct copy = rayTemplate;
    const double offset = double(i) * raySpacing;
    const TPointF a = PointAt(p1, aside, offset);
    const TPointF b = PointAt(p2, aside, offset);
    copy.startX = a.x;
    copy.startY = a.y;
    copy.throughX = b.x;
    copy.throughY = b.y;
    rays.push_back(CopyBaseRay(copy));
  }
  return rays;
}

std::unique_ptr<DrawObjectUnit> LampHouse::Clone() const {
  return std::make_unique<LampHouse>(*this);
}

void LampHouse::Move(int mode, int x, int y) { MovePoints(mode, x, y); }

// The spacing stays as it is: a bundle keeps its pixel spacing at any zoom.
void LampHouse::Zoom(float cx, float cy, float factor) { ZoomPoints(cx, cy, factor); }

int LampHouse::ShowProperties() {
  IPropertySheet& sheet = *Settings().sheet;
  sheet.ClearRows();
  sheet.SetCaption(Tr("89", "光源属性"));
  const TPointF p1{rayTemplate.startX, rayTemplate.startY};
  const TPointF p2{rayTemplate.throughX, rayTemplate.throughY};
  // Each row goes above the earlier ones: bottom row first.
  sheet.InsertRow(Tr("88", "折射率倍"), LeftStr(FloatToStr(rayTemplate.indexFactor), 6));
  sheet.InsertRow(Tr("86", "角度"), LeftStr(FloatToStr(DirectionAngle(p1, p2)), 6));
  sheet.InsertRow(Tr("83", "光线间距"), FloatToStr(raySpacing));
  sheet.InsertRow(Tr("81", "平行光线的条数"), IntToStr(EffectiveRayCount()));
  sheet.InsertRow(Tr("87", "发光颜色"), IntToStr(rayTemplate.rayColour));
  sheet.InsertRow(Tr("58", "颜色"), IntToStr(color));
  InsertTwoPointRows(sheet, p1, p2);
  for (int row : {4, 5}) {
    sheet.SetEditStyle(row, TEditStyle::Ellipsis);
    sheet.SetReadOnly(row, true);
  }
  sheet.SetReadOnly(8, true);
  return sheet.ShowModal();
}

bool LampHouse::ApplyProperties() {
  IPropertySheet& sheet = *Settings().sheet;
  // Filled only by the colour dialog, so they always convert.
  ReadColorRow(Tr("58", "颜色"), color);
  ReadColorRow(Tr("87", "发光颜色"), rayTemplate.rayColour);

  // Stops at the first bad row; the rows before it stay applied.
  if (!ApplyBundleRows()) return false;

  double factor = 0;
  // A value beyond the float range cannot be stored; it is as unusable as text.
  if (!TryStrToFloat(sheet.Value(Tr("88", "折射率倍")), factor) || std::fabs(factor) > FLT_MAX) {
    ShowMessage(Tr("90", "折射率倍,不是有用的数值型,请输入一个数值型"));
    return false;
  }
  rayTemplate.indexFactor = static_cast<float>(factor);
  return true;
}

bool LampHouse::ApplyBundleRows() {
  if (!ReadUserX("X1", rayTemplate.startX)) {
    ShowMessage(Tr("71", "x1,不是有用的整数,请输入一个整数."));
    return false;
  }
  if (!ReadUserX("X2", rayTemplate.throughX)) {
    ShowMessage(Tr("72", "x2,不是有用的整数,请输入一个整数."));
    return false;
  }
  if (!ReadUserY("Y1", rayTemplate.startY)) {
    ShowMessage(Tr("73", "y1,不是有用的整数,请输入一个整数."));
    return false;
  }
  if (!ReadUserY("Y2", rayTemplate.throughY)) {
    ShowMessage(Tr("74", "y2,不是有用的整数,请输入一个整数."));
    return false;
  }

  const std::string countKey = Tr("81", "平行光线的条数");
  std::int32_t count = 0;
  if (!ReadIntRow(countKey, count)) {
    ShowMessage(Tr("82", "平行光线的条数,请输入一个1~10整数"));
    return false;
  }
  if (count < 1 || count > kMaxRays) {
    Settings().sheet->SetValue(countKey, IntToStr(EffectiveRayCount()));
    ShowMessage(Tr("82", "平行光线的条数,请输入一个1~10整数"));
    return false;
  }
  rayCount = count;

  std::int32_t spacing = 0;
  if (!ReadIntRow(Tr("83", "光线间距"), spacing)) {
    ShowMessage(Tr("84", "光线间距,不是有用的整数,请输入一个整数"));
    return false;
  }
  raySpacing = static_cast<float>(spacing);
  return true;
}

bool LampHouse::SaveToStream(ByteWriter& out) {
  SaveClassName(out);
  SaveBaseFields(out);
  WriteRayRecord(out, rayTemplate);
  out.WriteInt32(rayCount);
  out.WriteFloat(raySpacing);
  out.WriteByte(skipNextPaint);
  out.WriteBytes(reserved.data(), reserved.size());
  return true;
}

bool LampHouse::LoadFromStream(ByteReader& in) {
  // Read into a copy so that a damaged record leaves this object untouched.
  LampHouse loaded(*this);
  if (!loaded.LoadBaseFields(in)) return false;
  ReadRayRecord(in, loaded.rayTemplate);
  loaded.rayCount = in.ReadInt32();
  loaded.raySpacing = in.ReadFloat();
  loaded.skipNextPaint = in.ReadByte();
  in.ReadBytes(loaded.reserved.data(), loaded.reserved.size());
  if (!in.Ok()) return false;
  *this = loaded;
  return true;
}
