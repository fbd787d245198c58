#include "objects/sources/LampHouse.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "i18n/Convert.h"
#include "i18n/SharedTexts.h"
#include "i18n/TtlmController.h"
#include "optics/PlaneMath.h"
#include "optics/RayGeometry.h"
#include "scene/IPropertySheet.h"
#include "scene/ProcessSettings.h"
#include "scene/RecordIo.h"

LampHouse::LampHouse(TCanvas* c) : ObjectOf(c) {
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
  constexpr double kHeadLength = 10, kHeadAngle = 150;
  if (!BeginPaint(mode)) return;
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

// The spacing is not zoomed: a bundle keeps its pixel spacing at any zoom.

PropertyRows LampHouse::Rows() {
  PropertyRows rows(Tr("89", "光源属性"));
  const EndRows ends = AddTwoPointRows(rows, 1);
  const RowHandle colour = rows.Add(ColourRow(Tr(texts::kColour), color));
  const RowHandle rayColour = rows.Add(ColourRow(Tr(texts::kRayColour), rayTemplate.rayColour));
  const BundleRows bundle = AddBundleRows(rows);
  rows.Add(AngleRow(P1(), P2()));
  const RowHandle factor = rows.Add(FactorRow(rayTemplate.indexFactor));
  factor->group = 1;
  // The colours first.
  rows.ApplyOrder(
      Join({{colour, rayColour}, ends.ByAxis(), {bundle.count, bundle.spacing, factor}}));
  return rows;
}

LampHouse::BundleRows LampHouse::AddBundleRows(PropertyRows& rows) {
  const std::string countMessage = Tr("82", "平行光线的条数,请输入一个1~10整数");
  const RowHandle count = rows.Add(Tr("81", "平行光线的条数"), IntToStr(EffectiveRayCount()));
  count->group = 1;
  count->message = countMessage;
  count->slider = PropertyRow::Slider{1, double(kMaxRays), 1};
  count->apply = [this, key = count->key](const std::string& text) {
    int value = 0;
    if (!TryStrToInt(text, value)) return false;
    if (value < 1 || value > kMaxRays) {
      Settings().sheet->SetValue(key, IntToStr(EffectiveRayCount()));
      return false;
    }
    rayCount = value;
    return true;
  };

  const RowHandle spacing =
      rows.Add(Tr("83", "光线间距"), FloatToShortStr(raySpacing), 1,
               Tr("84", "光线间距,不是有用的整数,请输入一个整数"), [this](const std::string& text) {
                 int value = 0;
                 if (!TryStrToInt(text, value)) return false;
                 raySpacing = static_cast<float>(value);
                 return true;
               });
  spacing->slider = PropertyRow::Slider{1, 100, 1};
  return {count, spacing};
}

void LampHouse::RecordFields(RecordIo& io) {
  RayRecord(io, rayTemplate);
  for (float v :
       {rayTemplate.startX, rayTemplate.startY, rayTemplate.throughX, rayTemplate.throughY})
    io.Within(v, kMaxCoordinate);
  io.Fields(rayCount, raySpacing, skipNextPaint);
  io.Block(reserved);
}
