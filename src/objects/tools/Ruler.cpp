#include "objects/tools/Ruler.h"

#include <cmath>

#include "gfx/PresentationScale.h"
#include "i18n/Convert.h"
#include "i18n/TtlmController.h"
#include "optics/PlaneMath.h"
#include "optics/RayGeometry.h"

namespace {

constexpr double kBar = 8;          // half the end bars, and the tick length
constexpr double kLabelAside = 20;  // tick labels from the edge

}  // namespace

Ruler::Ruler(TCanvas* c) : ObjectOf(c) {
  SetClassName("Ruler");
  pointCount = 2;
}

void Ruler::Draw(int mode) {
  if (!BeginPaint(mode)) return;
  const TPointF p1 = segment.p1, p2 = segment.p2;
  const double theta = DirectionAngle(p1, p2);
  const double length = Length();
  std::vector<Stroke> strokes{{p1, p2}};
  for (TPointF p : {p1, p2})
    strokes.push_back({PointAt(p, theta + 90, kBar), PointAt(p, theta - 90, kBar)});
  struct Label {
    TPointF at;
    std::string text;
  };
  std::vector<Label> labels;
  // Ticks only for a usable spacing (a file may hold any): t < length.
  if (mode == kDrawCopy && tickSpacing > 0 && std::isfinite(tickSpacing)) {
    for (int i = 0; i < kMaxTicks; ++i) {
      const double t = double(i) * tickSpacing;
      if (!(t < length)) break;
      const TPointF q = PointAt(p1, theta, t);
      strokes.push_back({q, PointAt(q, theta + 90, kBar)});
      labels.push_back({PointAt(q, theta + 90, kLabelAside), FloatToStr(t)});
    }
  }
  PaintStrokes(mode, strokes);
  if (mode != kDrawCopy) return;
  PaintText(Midpoint(p1, p2), Tr("79", "总长:") + LeftStr(FloatToStr(length), 6), 0x008000, 8);
  canvas->Font.color = color;
  for (const Label& label : labels)
    HaloTextOut(*canvas, Trunc(label.at.x), Trunc(label.at.y), label.text);
}

PropertyRows Ruler::Rows() {
  PropertyRows rows(Tr("80", "直尺属性"));
  const ToolRows tool = AddToolRows(rows);
  AddLengthRow(rows);
  rows.ApplyOrder(Join({{tool.colour}, tool.ends.ByAxis()}));
  return rows;
}

void Ruler::RecordFields(RecordIo& io) {
  io.Segment(segment, kMaxCoordinate);
  io.Fields(tickSpacing, skipNextPaint, spareValue, spareFlag);
  io.Block(reserved);
}
