#include "objects/elements/FourPrism.h"

#include <algorithm>

#include "i18n/TtlmController.h"
#include "objects/elements/MediumShared.h"
#include "optics/Geometry.h"
#include "scene/ByteStream.h"
#include "scene/Convert.h"
#include "scene/IMessageSink.h"
#include "scene/IPropertySheet.h"
#include "scene/ProcessSettings.h"

FourPrism::FourPrism(TCanvas* canvas)
    : DrawObjectUnit(canvas), refractiveIndex(medium::kDefaultIndex) {
  SetClassName("FourPrism");
  pointCount = 4;
  color = 0xFFFF80;
  fillColor = 0xFFDAC4;
  fillFlag = 1;
}

std::vector<PointRef> FourPrism::ControlPoints() {
  std::vector<PointRef> points;
  for (auto& v : vertices) points.push_back({&v.x, &v.y});
  return points;
}

void FourPrism::SetRectangle(TPointF first, TPointF opposite) {
  vertices[0] = first;
  vertices[1] = {opposite.x, first.y};
  vertices[2] = opposite;
  vertices[3] = {first.x, opposite.y};
}

void FourPrism::Draw(int mode) {
  PreparePen(mode);
  if (firstPaint) {
    firstPaint = 0;
    return;
  }
  medium::DrawOutlineAndFill(*this, Outline(), mode, false);
}

void FourPrism::DrawHandles() { DrawHandleSquares(); }

int FourPrism::HitTest(int x, int y) { return medium::HitTest(*this, Outline(), x, y); }

bool FourPrism::InRect(float x1, float y1, float x2, float y2) {
  return PolygonMeetsRect({float(Trunc(x1)), float(Trunc(y1)), float(Trunc(x2)), float(Trunc(y2))},
                          Outline());
}

void FourPrism::DragCreate(int x, int y) {
  Draw(1);
  SetRectangle(vertices[0], {float(x), float(y)});
  Draw(1);
}

void FourPrism::EndCreate(int x, int y) {
  if (canvas) {
    canvas->Pen.mode = TPenMode::Copy;
    canvas->Pen.color = xorColor;
    canvas->Pen.width = lineWidth;
  }
  SetRectangle(vertices[0], {float(x), float(y)});
  DrawHandles();
}

std::vector<DrawObjectLineDataStruct> FourPrism::GetSurfaces() {
  return medium::Faces(Outline(), Midpoint(vertices[0], vertices[2]), refractiveIndex);
}

std::unique_ptr<DrawObjectUnit> FourPrism::Clone() const {
  return std::make_unique<FourPrism>(*this);
}

void FourPrism::Move(int mode, int x, int y) {
  if (mode != 1) {
    MovePoints(mode, x, y);
    return;
  }
  if (selectedHandle < 0 || selectedHandle > 3) return;
  TPointF& v = vertices[selectedHandle];
  if (v.x == float(x) && v.y == float(y)) return;
  v = {float(x), float(y)};
  // The two neighbours follow, so the sides stay parallel to the axes.
  switch (selectedHandle) {
    case 0:
      vertices[3].x = v.x;
      vertices[1].y = v.y;
      break;
    case 1:
      vertices[2].x = v.x;
      vertices[0].y = v.y;
      break;
    case 2:
      vertices[1].x = v.x;
      vertices[3].y = v.y;
      break;
    case 3:
      vertices[2].y = v.y;
      vertices[0].x = v.x;
      break;
  }
}

int FourPrism::ShowProperties() {
  IPropertySheet& sheet = *Settings().sheet;
  sheet.ClearRows();
  sheet.SetCaption(Tr("125", "方形介质属性"));
  medium::InsertCommonRows(*this, refractiveIndex);
  // Size of the normalised rectangle in whole pixels: never negative, also
  // after the rectangle was dragged up or left of its first corner.
  const int x0 = Trunc(vertices[0].x), y0 = Trunc(vertices[0].y);
  const int x2 = Trunc(vertices[2].x), y2 = Trunc(vertices[2].y);
  const long long width = std::max(x0, x2) - static_cast<long long>(std::min(x0, x2));
  const long long height = std::max(y0, y2) - static_cast<long long>(std::min(y0, y2));
  sheet.InsertRow(Tr("121", "高度"), IntToStr(height));
  sheet.InsertRow(Tr("123", "宽度"), IntToStr(width));
  sheet.InsertRow("Y1", medium::CoordinateText(vertices[0].y, 2));
  sheet.InsertRow("X1", medium::CoordinateText(vertices[0].x, 1));
  medium::StyleCommonRows(4);
  return sheet.ShowModal();
}

bool FourPrism::ApplyProperties() {
  IPropertySheet& sheet = *Settings().sheet;
  medium::ApplyColourRows(*this);
  // Corner and size are stored together once all four rows are valid: a
  // half-applied corner would leave the rectangle skewed.
  int x = 0, y = 0, width = 0, height = 0;
  if (!TryStrToInt(sheet.Value("X1"), x)) {
    ShowMessage(Tr("119", "X1,不是有用的数值型,请输入一个数值型."));
    return false;
  }
  if (!TryStrToInt(sheet.Value("Y1"), y)) {
    ShowMessage(Tr("120", "Y1,不是有用的数值型,请输入一个数值型."));
    return false;
  }
  if (!TryStrToInt(sheet.Value(Tr("121", "高度")), height)) {
    ShowMessage(Tr("122", "高度,不是有用的数值型,请输入一个数值型."));
    return false;
  }
  if (!TryStrToInt(sheet.Value(Tr("123", "宽度")), width)) {
    ShowMessage(Tr("124", "宽度,不是有用的数值型,请输入一个数值型."));
    return false;
  }
  const TPointF first{UserToScreen(float(x), 1), UserToScreen(float(y), 2)};
  SetRectangle(first, {static_cast<float>(double(first.x) + width),
                       static_cast<float>(double(first.y) + height)});
  return medium::ApplyIndexRow(sheet.Value(Tr("114", "折射率")), refractiveIndex);
}

bool FourPrism::SaveToStream(ByteWriter& out) {
  SaveClassName(out);
  SaveBaseFields(out);
  medium::SaveTail(out, *this, Outline(), refractiveIndex, firstPaint);
  return true;
}

bool FourPrism::LoadFromStream(ByteReader& in) {
  if (!LoadBaseFields(in)) return false;
  std::vector<TPointF> points(4);
  float index = 0;
  std::uint8_t flag = 0;
  std::array<std::uint8_t, 40> block{};
  if (!medium::LoadTail(in, points, index, flag, block)) return false;
  for (int i = 0; i < 4; ++i) vertices[i] = points[i];
  refractiveIndex = index;
  firstPaint = flag;
  reserved = block;
  return true;
}
