#include "objects/PolygonObject.h"

#include "gfx/TGDIPlusCanvas.h"
#include "i18n/SharedTexts.h"
#include "i18n/TtlmController.h"
#include "optics/CanvasDrawing.h"
#include "optics/PlaneMath.h"
#include "optics/SelectionGeometry.h"
#include "scene/ProcessSettings.h"

PolygonObject::PolygonObject(TCanvas* canvas, int vertexCount)
    : DrawObjectUnit(canvas), vertices(static_cast<std::size_t>(vertexCount)) {
  pointCount = vertexCount;
}

std::vector<PointRef> PolygonObject::ControlPoints() {
  std::vector<PointRef> points;
  points.reserve(vertices.size());
  for (auto& v : vertices) points.push_back({&v.x, &v.y});
  return points;
}

bool PolygonObject::SmoothOutline() const { return Settings().highQuality; }

std::vector<TPoint> PolygonObject::OutlinePoints() const { return ToPointArray(vertices, true); }

void PolygonObject::Draw(int mode) {
  if (!BeginPaint(mode)) return;
  const std::vector<TPoint> outline = OutlinePoints();
  if (SmoothOutline() && mode == kDrawCopy) {
    TGDIPlusCanvas hq = TGDIPlusCanvas::Stroking(*canvas, color, float(lineWidth));
    hq.Polyline(outline);
  } else {
    canvas->Polyline(outline);
  }
  if (fillFlag && mode != kDrawXor) {
    // Merge: the fill is OR-ed over what lies underneath, rays stay visible.
    canvas->Pen.mode = TPenMode::Merge;
    canvas->Brush.style = TBrushStyle::Solid;
    canvas->Brush.color = fillColor;
    canvas->Pen.style = TPenStyle::Clear;
    canvas->Polygon(ToPointArray(vertices, true));
  }
}

int PolygonObject::HitTest(int x, int y) {
  selectedHandle = -1;
  const int result = PointInPolygon(float(x), float(y), vertices) ? kHitBody : kHitNone;
  const int handle = OffersVertexHandles() ? HandleUnder(x, y) : -1;
  if (handle < 0) return result;
  selectedHandle = handle;
  return kHitHandle;
}

std::optional<DrawObjectUnit::Heading> PolygonObject::Direction() {
  if (vertices.size() < 2) return std::nullopt;
  // The mean of the vertices: it stays where it is as the outline turns.
  double x = 0, y = 0;
  for (const TPointF& v : vertices) {
    x += v.x;
    y += v.y;
  }
  const double n = double(vertices.size());
  return Heading{{float(x / n), float(y / n)}, DirectionAngle(vertices[0], vertices[1])};
}

bool PolygonObject::InRect(float x1, float y1, float x2, float y2) {
  return PolygonMeetsRect({float(Trunc(x1)), float(Trunc(y1)), float(Trunc(x2)), float(Trunc(y2))},
                          vertices);
}

PolygonObject::FillRows PolygonObject::AddFillRows(PropertyRows& rows) {
  const RowHandle fill = rows.Add(YesNoRow(Tr(texts::kFill), fillFlag));
  const RowHandle fillColour = rows.Add(ColourRow(Tr(texts::kFillColour), fillColor));
  return {fill, fillColour, rows.Add(ColourRow(Tr(texts::kColour), color))};
}
