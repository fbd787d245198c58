#include "objects/sources/ComplexlH.h"

#include "i18n/Convert.h"
#include "i18n/SharedTexts.h"
#include "i18n/TtlmController.h"
#include "optics/PlaneMath.h"
#include "optics/RayGeometry.h"
#include "scene/RecordIo.h"

ComplexlH::ComplexlH(TCanvas* canvas)
    : ObjectOf(canvas),
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
    canvas->MoveTo(Trunc(s.a.x), Trunc(s.a.y));
    canvas->LineTo(Trunc(s.b.x), Trunc(s.b.y));
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

PropertyRows ComplexlH::Rows() {
  PropertyRows rows(Tr("85", "复合光源属性"));
  const EndRows ends = AddTwoPointRows(rows, 1);
  const RowHandle colour = rows.Add(ColourRow(Tr(texts::kColour), color));
  const BundleRows bundle = AddBundleRows(rows);
  rows.Add(AngleRow(P1(), P2()));
  rows.ApplyOrder(Join({{colour}, ends.ByAxis(), {bundle.count, bundle.spacing}}));
  return rows;
}

void ComplexlH::RecordFields(RecordIo& io) {
  RayRecord(io, rayTemplate);
  io.Fields(rayCount, raySpacing);
  for (TColor& c : colourTable) io.UInt32(c);
  for (float& f : factorTable) io.Float(f);
  io.Byte(skipNextPaint);
  io.Block(reserved);
}
