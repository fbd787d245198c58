#include "objects/elements/Aperture.h"

#include <algorithm>

#include "i18n/SharedTexts.h"
#include "i18n/TtlmController.h"
#include "objects/elements/StopShared.h"
#include "optics/PlaneMath.h"
#include "scene/RecordIo.h"

namespace {
constexpr float kMaxGap = 1.0e6f;
}  // namespace

Aperture::Aperture(TCanvas* c) : ObjectOf(c) {
  SetClassName("Aperture");
  color = 0xA0A0A0;
  pointCount = 2;
}

std::vector<PointRef> Aperture::ControlPoints() { return {{&p1.x, &p1.y}, {&p2.x, &p2.y}}; }

std::pair<double, double> Aperture::Gap() {
  const double length = Distance(p1, p2), middle = gapPosition * length;
  return {std::clamp(middle - gapWidth / 2.0, 0.0, length),
          std::clamp(middle + gapWidth / 2.0, 0.0, length)};
}

void Aperture::Draw(int mode) {
  constexpr double kEdge = 8;  // the gap's edges stand out across the stop
  if (!BeginPaint(mode)) return;
  const double theta = DirectionAngle(p1, p2);
  const auto [from, to] = Gap();
  const TPointF g1 = PointAt(p1, theta, from), g2 = PointAt(p1, theta, to);
  PaintStrokes(mode, {{p1, g1},
                      {g2, p2},
                      {PointAt(g1, theta + 90, kEdge), PointAt(g1, theta - 90, kEdge)},
                      {PointAt(g2, theta + 90, kEdge), PointAt(g2, theta - 90, kEdge)}});
}

std::vector<DrawObjectLineDataStruct> Aperture::GetSurfaces() {
  const double theta = DirectionAngle(p1, p2), length = Distance(p1, p2);
  const auto [from, to] = Gap();
  std::vector<DrawObjectLineDataStruct> faces;
  if (from > 0) faces.push_back(AbsorbingFace(p1, PointAt(p1, theta, from), false));
  if (to < length) faces.push_back(AbsorbingFace(PointAt(p1, theta, to), p2, false));
  return faces;
}

PropertyRows Aperture::Rows() {
  PropertyRows rows(Tr("Aperture.Caption", "光阑属性"));
  const EndRows ends = AddTwoPointRows(rows, 0);
  const RowHandle colour = rows.Add(ColourRow(Tr(texts::kColour), color));
  const RowHandle width =
      rows.Add(BoundedRealRow(Tr("Aperture.GapWidth", "缺口宽度"), gapWidth, 0, kMaxGap,
                              Tr("Aperture.BadGapWidth", "缺口宽度应是不小于 0 的数.")));
  const RowHandle position =
      rows.Add(BoundedRealRow(Tr("Aperture.GapPosition", "缺口位置(0-1)"), gapPosition, 0, 1,
                              Tr("Aperture.BadGapPosition", "缺口位置应是 0 到 1 之间的数.")));
  rows.Add(AngleRow(P1(), P2()));
  rows.ApplyOrder(Join({{colour, width, position}, ends.ByAxis()}));
  return rows;
}

void Aperture::RecordFields(RecordIo& io) {
  io.Coordinate(p1, kMaxCoordinate);
  io.Coordinate(p2, kMaxCoordinate);
  io.Fields(gapWidth, gapPosition);
  if (!(gapWidth >= 0 && gapWidth <= kMaxGap) || !(gapPosition >= 0 && gapPosition <= 1))
    io.Refuse();
  io.Fields(skipNextPaint);
  io.Block(reserved);
}
