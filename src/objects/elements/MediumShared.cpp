#include "objects/elements/MediumShared.h"

#include <cfloat>
#include <cmath>
#include <utility>

#include "gfx/TGDIPlusCanvas.h"
#include "i18n/TtlmController.h"
#include "optics/Geometry.h"
#include "scene/ByteStream.h"
#include "scene/Convert.h"
#include "scene/DrawObjectUnit.h"
#include "scene/IMessageSink.h"
#include "scene/IPropertySheet.h"
#include "scene/ProcessSettings.h"

namespace medium {

void DrawOutlineAndFill(DrawObjectUnit& object, const std::vector<TPointF>& vertices, int mode,
                        bool highQualityOutline) {
  TCanvas* canvas = object.canvas;
  if (!canvas) return;
  const std::vector<TPoint> outline = ToPointArray(vertices, true);
  if (highQualityOutline && mode == 2) {
    TGDIPlusCanvas hq(*canvas);
    hq.Pen.SetWidth(float(object.lineWidth));
    hq.Pen.SetFixedColour(0);
    hq.Pen.SetColor(object.color);
    hq.Brush.noFill = 1;
    hq.Polyline(outline);
  } else {
    canvas->Polyline(outline);
  }
  if (object.fillFlag && mode != 1) {
    // Merge: the fill is OR-ed over what lies underneath, rays stay visible.
    canvas->Pen.mode = TPenMode::Merge;
    canvas->Brush.style = TBrushStyle::Solid;
    canvas->Brush.color = object.fillColor;
    canvas->Pen.style = TPenStyle::Clear;
    canvas->Polygon(outline);
  }
}

std::vector<DrawObjectLineDataStruct> Faces(const std::vector<TPointF>& vertices, TPointF interior,
                                            float refractiveIndex) {
  std::vector<DrawObjectLineDataStruct> faces;
  const std::size_t n = vertices.size();
  if (n < 2) return faces;
  faces.reserve(n);
  auto add = [&](TPointF a, TPointF b) {
    DrawObjectLineDataStruct face = MakeSegment(a, b);
    face.kind = kSurfaceRefract;
    face.shape = kShapeSegment;
    face.refractiveIndex = refractiveIndex;
    // The tracer takes the medium to lie on the left of the face.
    if (SideOf(face, interior) == 1) {
      std::swap(face.x1, face.x2);
      std::swap(face.y1, face.y2);
      DeriveLine(face);
    }
    faces.push_back(face);
  };
  for (std::size_t i = 0; i + 1 < n; ++i) add(vertices[i], vertices[i + 1]);
  add(vertices[0], vertices[n - 1]);
  return faces;
}

int HitTest(DrawObjectUnit& object, const std::vector<TPointF>& vertices, int x, int y) {
  object.selectedHandle = -1;
  int result = PointInPolygon(float(x), float(y), vertices) ? 2 : 0;
  const float half = float(object.handleSize / 2);
  for (std::size_t i = 0; i < vertices.size(); ++i) {
    if (Distance({float(x), float(y)}, vertices[i]) < half) {
      object.selectedHandle = static_cast<int>(i);
      return 1;
    }
  }
  return result;
}

std::string CoordinateText(float value, int axis) {
  return IntToStr(Trunc(ScreenToUser(float(Trunc(value)), axis)));
}

std::string IndexText(float index) { return LeftStr(FloatToStr(double(index)), 6); }

bool ApplyIndexRow(const std::string& text, float& index) {
  double value = 0;
  // A value no float can hold is as useless as a word.
  if (!TryStrToFloat(text, value) || std::fabs(value) > FLT_MAX) {
    ShowMessage(Tr("117", "折射率,不是有用的浮点型,请输入一个浮点数."));
    return false;
  }
  if (value < 1.0) {
    ShowMessage(Tr("116", "折射率不能小于1"));
    return false;
  }
  index = static_cast<float>(value);
  return true;
}

void ApplyColourRows(DrawObjectUnit& object) {
  IPropertySheet& sheet = *Settings().sheet;
  int value = 0;
  if (TryStrToInt(sheet.Value(Tr("58", "颜色")), value)) object.color = TColor(value);
  if (TryStrToInt(sheet.Value(Tr("112", "填充颜色")), value)) object.fillColor = TColor(value);
  object.fillFlag = TextToBool(sheet.Value(Tr("113", "是否填充"))) ? 1 : 0;
}

void InsertCommonRows(const DrawObjectUnit& object, float index) {
  IPropertySheet& sheet = *Settings().sheet;
  sheet.InsertRow(Tr("114", "折射率"), IndexText(index));
  sheet.InsertRow(Tr("58", "颜色"), IntToStr(object.color));
  sheet.InsertRow(Tr("112", "填充颜色"), IntToStr(object.fillColor));
  sheet.InsertRow(Tr("113", "是否填充"), BoolToText(object.fillFlag != 0));
}

void StyleCommonRows(int first) {
  IPropertySheet& sheet = *Settings().sheet;
  sheet.SetEditStyle(first, TEditStyle::PickList);
  sheet.SetPickList(first, {Tr("55", "是"), Tr("56", "否")});
  sheet.SetReadOnly(first, true);
  for (int row : {first + 1, first + 2}) {
    sheet.SetEditStyle(row, TEditStyle::Ellipsis);
    sheet.SetReadOnly(row, true);
  }
}

void SaveTail(ByteWriter& out, const DrawObjectUnit& object, const std::vector<TPointF>& vertices,
              float index, std::uint8_t firstPaint) {
  for (const auto& v : vertices) {
    out.WriteFloat(v.x);
    out.WriteFloat(v.y);
  }
  out.WriteFloat(index);
  out.WriteByte(firstPaint);
  out.WriteBytes(object.reserved.data(), object.reserved.size());
}

bool LoadTail(ByteReader& in, std::vector<TPointF>& vertices, float& index,
              std::uint8_t& firstPaint, std::array<std::uint8_t, 40>& reserved) {
  for (auto& v : vertices) {
    v.x = in.ReadFloat();
    v.y = in.ReadFloat();
  }
  index = in.ReadFloat();
  firstPaint = in.ReadByte();
  in.ReadBytes(reserved.data(), reserved.size());
  if (!in.Ok()) return false;
  for (const auto& v : vertices)
    if (!(std::fabs(v.x) <= kMaxCoordinate && std::fabs(v.y) <= kMaxCoordinate)) return false;
  return std::isfinite(index);
}

}  // namespace medium
