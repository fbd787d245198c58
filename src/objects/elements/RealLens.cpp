#include "objects/elements/RealLens.h"

#include <algorithm>

#include "gfx/TGDIPlusCanvas.h"
#include "i18n/SharedTexts.h"
#include "i18n/TtlmController.h"
#include "optics/CanvasDrawing.h"
#include "optics/SelectionGeometry.h"
#include "scene/ProcessSettings.h"

namespace {

constexpr double kAxisBeyond = 400;

}  // namespace

RealLens::RealLens(TCanvas* c, int controlPoints) : ArcObject(c, controlPoints) {
  color = 0xFFFF80;
  fillColor = 0xFFDAC4;
}

std::vector<TPointF> RealLens::ArcPolygon(double step) const {
  std::vector<TPointF> points;
  // Never more than one turn of points, whatever the sweep says.
  const int n = Trunc(std::clamp(double(sweep), 0.0, 360.0) / step);
  points.reserve(static_cast<std::size_t>(std::max(n, 0)) + 1);
  for (int i = 0; i < n; ++i) {
    double a = angle1 + step * i;
    if (a > 360) a -= 360;
    points.push_back(ArcPoint(a, radius));
  }
  points.push_back(ArcPoint(angle2, radius));
  return points;
}

void RealLens::Draw(int mode) {
  if (!BeginPaint(mode)) return;
  // The lens axis through the centre, dash-dot and one pixel wide.
  const double m = (double(angle1) + angle2) / 2;
  const double reach = double(radius) + kAxisBeyond;
  canvas->Pen.width = 1;
  canvas->Pen.style = TPenStyle::DashDot;
  canvas->Brush.style = TBrushStyle::Clear;
  const TPointF a = ArcPoint(m, -reach), b = ArcPoint(m, reach);
  canvas->MoveTo(Trunc(a.x), Trunc(a.y));
  canvas->LineTo(Trunc(b.x), Trunc(b.y));
  canvas->Pen.width = lineWidth;
  canvas->Pen.style = TPenStyle::Solid;

  const std::vector<TPointF> faces = FacePolyline();
  std::vector<Stroke> strokes;
  for (std::size_t i = 0; i + 1 < faces.size(); ++i) strokes.push_back({faces[i], faces[i + 1]});
  PaintStrokes(mode, strokes);
  PaintCentre();
  PaintArc(mode);
  if (fillFlag && mode != kDrawXor) {
    // Merge: the fill is OR-ed over what lies underneath, rays stay visible.
    canvas->Pen.mode = TPenMode::Merge;
    canvas->Pen.style = TPenStyle::Clear;
    canvas->Brush.style = TBrushStyle::Solid;
    canvas->Brush.color = fillColor;
    canvas->Polygon(ToPointArray(Outline(), false));
  }
}

int RealLens::HitTest(int x, int y) {
  selectedHandle = -1;
  const int result = PointInPolygon(float(x), float(y), Outline()) ? kHitBody : kHitNone;
  const int handle = HandleUnder(x, y);
  if (handle < 0) return result;
  selectedHandle = handle;
  return kHitHandle;
}

PropertyRows RealLens::LensRows(const std::string& caption, bool colourTyped,
                                const std::vector<PropertyRow>& between,
                                std::function<bool()> finish) {
  PropertyRows rows(caption);
  // Angle 2's message has an id of its own: 142 is the convex mirror's
  // caption, and a language file gives one text per id.
  const ArcRows arc = AddArcRows(rows, 1, Tr(texts::kAngle1NotANumber),
                                 Tr("920", "角度2错误,不是有用的数值型,请输入一个数值."));
  RowOrder extra;
  for (const PropertyRow& row : between) {
    extra.push_back(rows.Add(row));
    extra.back()->group = 1;
  }
  const RowHandle index =
      rows.Add(IndexRow(refractiveIndex, Tr("144", "折射率,不是有用的数值型,请输入一个数值.")));
  index->group = 1;
  const RowHandle colour = rows.Add(ColourRow(Tr(texts::kColour), color));
  colour->readOnly = !colourTyped;
  const RowHandle fill = rows.Add(YesNoRow(Tr(texts::kFill), fillFlag));
  const RowHandle fillColour = rows.Add(ColourRow(Tr(texts::kFillColour), fillColor));
  fillColour->readOnly = colourTyped;
  rows.ApplyOrder(Join({{colour, fillColour, fill}, arc.Order(), {index}, extra}));
  rows.OnSuccess(std::move(finish));
  return rows;
}
