#include "objects/elements/ThreePrism.h"

#include "i18n/TtlmController.h"
#include "objects/elements/MediumShared.h"
#include "optics/Geometry.h"
#include "scene/ByteStream.h"
#include "scene/Convert.h"
#include "scene/IMessageSink.h"
#include "scene/IPropertySheet.h"
#include "scene/ProcessSettings.h"

ThreePrism::ThreePrism(TCanvas* canvas)
    : DrawObjectUnit(canvas), refractiveIndex(medium::kDefaultIndex) {
  SetClassName("ThreePrism");
  pointCount = 3;
  color = 0xFFFF80;
  fillColor = 0xFFDAC4;
  fillFlag = 1;
}

std::vector<PointRef> ThreePrism::ControlPoints() {
  std::vector<PointRef> points;
  for (auto& v : vertices) points.push_back({&v.x, &v.y});
  return points;
}

void ThreePrism::Draw(int mode) {
  PreparePen(mode);
  if (firstPaint) {
    firstPaint = 0;
    return;
  }
  medium::DrawOutlineAndFill(*this, Outline(), mode, Settings().highQuality);
}

void ThreePrism::DrawHandles() { DrawHandleSquares(); }

int ThreePrism::HitTest(int x, int y) { return medium::HitTest(*this, Outline(), x, y); }

bool ThreePrism::InRect(float x1, float y1, float x2, float y2) {
  return PolygonMeetsRect({float(Trunc(x1)), float(Trunc(y1)), float(Trunc(x2)), float(Trunc(y2))},
                          Outline());
}

void ThreePrism::PlaceBase(int x, int y) {
  vertices[1] = {float(x), float(y)};
  vertices[2] = {static_cast<float>(2.0 * vertices[0].x - x), float(y)};
}

void ThreePrism::DragCreate(int x, int y) {
  Draw(1);
  PlaceBase(x, y);
  Draw(1);
}

void ThreePrism::EndCreate(int x, int y) {
  if (canvas) {
    canvas->Pen.mode = TPenMode::Copy;
    canvas->Pen.color = xorColor;
    canvas->Pen.width = lineWidth;
  }
  PlaceBase(x, y);
  DrawHandles();
}

std::vector<DrawObjectLineDataStruct> ThreePrism::GetSurfaces() {
  const TPointF interior = Midpoint(Midpoint(vertices[0], vertices[1]), vertices[2]);
  return medium::Faces(Outline(), interior, refractiveIndex);
}

std::unique_ptr<DrawObjectUnit> ThreePrism::Clone() const {
  return std::make_unique<ThreePrism>(*this);
}

int ThreePrism::ShowProperties() {
  IPropertySheet& sheet = *Settings().sheet;
  sheet.ClearRows();
  sheet.SetCaption(Tr("118", "三角介质属性"));
  medium::InsertCommonRows(*this, refractiveIndex);
  for (int i = 2; i >= 0; --i) {
    const std::string n = IntToStr(i + 1);
    sheet.InsertRow("Y" + n, medium::CoordinateText(vertices[i].y, 2));
    sheet.InsertRow("X" + n, medium::CoordinateText(vertices[i].x, 1));
  }
  medium::StyleCommonRows(6);
  return sheet.ShowModal();
}

bool ThreePrism::ApplyProperties() {
  IPropertySheet& sheet = *Settings().sheet;
  bool ok = true;
  medium::ApplyColourRows(*this);
  for (int i = 0; i < 3; ++i) {
    const std::string n = IntToStr(i + 1);
    const std::string xText = sheet.Value("X" + n);
    int value = 0;
    if (!TryStrToInt(xText, value)) {
      ShowMessage("X" + n + "=" + xText + ",不是有用的整数,请输入一个整数.");
      ok = false;
      break;
    }
    vertices[i].x = UserToScreen(float(value), 1);
    const std::string yText = sheet.Value("Y" + n);
    if (!TryStrToInt(yText, value)) {
      ShowMessage("Y" + n + "=" + yText + Tr("115", ",不是有用的整数,请输入一个整数."));
      ok = false;
      break;
    }
    vertices[i].y = UserToScreen(float(value), 2);
  }
  if (!medium::ApplyIndexRow(sheet.Value(Tr("114", "折射率")), refractiveIndex)) ok = false;
  return ok;
}

bool ThreePrism::SaveToStream(ByteWriter& out) {
  SaveClassName(out);
  SaveBaseFields(out);
  medium::SaveTail(out, *this, Outline(), refractiveIndex, firstPaint);
  return true;
}

bool ThreePrism::LoadFromStream(ByteReader& in) {
  if (!LoadBaseFields(in)) return false;
  std::vector<TPointF> points(3);
  float index = 0;
  std::uint8_t flag = 0;
  std::array<std::uint8_t, 40> block{};
  if (!medium::LoadTail(in, points, index, flag, block)) return false;
  for (int i = 0; i < 3; ++i) vertices[i] = points[i];
  refractiveIndex = index;
  firstPaint = flag;
  reserved = block;
  return true;
}
