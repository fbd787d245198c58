#include "objects/sources/ComplexlH.h"

#include "i18n/TtlmController.h"
#include "optics/Geometry.h"
#include "scene/ByteStream.h"
#include "scene/Convert.h"
#include "scene/IPropertySheet.h"
#include "scene/ProcessSettings.h"

ComplexlH::ComplexlH(TCanvas* canvas)
    : LampHouse(canvas),
      // Red to violet.
      colourTable{0x0000FF, 0x0080FF, 0x00FFFF, 0x00FF00, 0xFFFF00, 0xFF0000, 0xFF0080},
      factorTable{1.00f, 1.01f, 1.02f, 1.03f, 1.04f, 1.05f, 1.06f} {
  SetClassName("ComplexlH");
  color = 0xFFFFFF;
  pointCount = 2;
  rayTemplate.rayColour = 0xFF;
  rayTemplate.indexFactor = 1.0f;
  // Overlapping spectral rays add up towards white.
  rayTemplate.blend = 1;
  rayTemplate.sourceKind = 0;
}

void ComplexlH::DrawHandles() {
  if (!canvas) return;
  // The first arrow again, so that a white arrow stays visible while selected.
  canvas->Pen.mode = TPenMode::Copy;
  canvas->Pen.style = TPenStyle::Solid;
  canvas->Pen.width = lineWidth;
  canvas->Pen.color = selectionLineColor;
  const TPointF p1{rayTemplate.startX, rayTemplate.startY};
  const TPointF p2{rayTemplate.throughX, rayTemplate.throughY};
  const double theta = DirectionAngle(p1, p2);
  const Stroke strokes[] = {
      {p1, p2}, {p2, PointAt(p2, theta + 150, 10)}, {p2, PointAt(p2, theta - 150, 10)}};
  for (const Stroke& s : strokes) {
    canvas->MoveTo(Pixel(s.a.x), Pixel(s.a.y));
    canvas->LineTo(Pixel(s.b.x), Pixel(s.b.y));
  }
  DrawHandleSquares();
}

std::vector<DrawBaseRayDataStruct> ComplexlH::GetBaseRays() {
  // One beam per ray of the parallel bundle; each beam becomes seven rays.
  const std::vector<DrawBaseRayDataStruct> beams = LampHouse::GetBaseRays();
  std::vector<DrawBaseRayDataStruct> rays;
  rays.reserve(beams.size() * kSlots);
  for (const DrawBaseRayDataStruct& beam : beams) {
    for (int slot = 0; slot < kSlots; ++slot) {
      DrawBaseRayDataStruct ray = beam;
      if (slot > 0) {
        ray.rayColour = colourTable[slot];
        ray.indexFactor = factorTable[slot];
      }
      ray.blend = 1;
      ray.sourceKind = 0;
      ray.name.clear();
      ray.emissionGroup = 0;
      rays.push_back(std::move(ray));
    }
  }
  return rays;
}

std::unique_ptr<DrawObjectUnit> ComplexlH::Clone() const {
  return std::make_unique<ComplexlH>(*this);
}

int ComplexlH::ShowProperties() {
  IPropertySheet& sheet = *Settings().sheet;
  sheet.ClearRows();
  sheet.SetCaption(Tr("85", "复合光源属性"));
  const TPointF p1{rayTemplate.startX, rayTemplate.startY};
  const TPointF p2{rayTemplate.throughX, rayTemplate.throughY};
  // Each row goes above the earlier ones: bottom row first.
  sheet.InsertRow(Tr("86", "角度"), LeftStr(FloatToStr(DirectionAngle(p1, p2)), 6));
  sheet.InsertRow(Tr("83", "光线间距"), FloatToStr(raySpacing));
  sheet.InsertRow(Tr("81", "平行光线的条数"), IntToStr(EffectiveRayCount()));
  sheet.InsertRow(Tr("58", "颜色"), IntToStr(color));
  InsertTwoPointRows(sheet, p1, p2);
  sheet.SetEditStyle(4, TEditStyle::Ellipsis);
  sheet.SetReadOnly(4, true);
  sheet.SetReadOnly(7, true);
  return sheet.ShowModal();
}

// The parallel source's rows without the ray colour and the index factor,
// which the colour tables fix.
bool ComplexlH::ApplyProperties() {
  ReadColorRow(Tr("58", "颜色"), color);
  return ApplyBundleRows();
}

bool ComplexlH::SaveToStream(ByteWriter& out) {
  SaveClassName(out);
  SaveBaseFields(out);
  WriteRayRecord(out, rayTemplate);
  out.WriteInt32(rayCount);
  out.WriteFloat(raySpacing);
  for (TColor c : colourTable) out.WriteUInt32(c);
  for (float f : factorTable) out.WriteFloat(f);
  out.WriteByte(skipNextPaint);
  out.WriteBytes(reserved.data(), reserved.size());
  return true;
}

bool ComplexlH::LoadFromStream(ByteReader& in) {
  // Read into a copy so that a damaged record leaves this object untouched.
  ComplexlH loaded(*this);
  if (!loaded.LoadBaseFields(in)) return false;
  ReadRayRecord(in, loaded.rayTemplate);
  loaded.rayCount = in.ReadInt32();
  loaded.raySpacing = in.ReadFloat();
  for (TColor& c : loaded.colourTable) c = in.ReadUInt32();
  for (float& f : loaded.factorTable) f = in.ReadFloat();
  loaded.skipNextPaint = in.ReadByte();
  in.ReadBytes(loaded.reserved.data(), loaded.reserved.size());
  if (!in.Ok()) return false;
  *this = loaded;
  return true;
}
