#include "objects/elements/LightBlocker.h"

#include "i18n/SharedTexts.h"
#include "i18n/TtlmController.h"
#include "objects/elements/StopShared.h"
#include "optics/PlaneMath.h"
#include "scene/RecordIo.h"

LightBlocker::LightBlocker(TCanvas* c) : ObjectOf(c) {
  SetClassName("LightBlocker");
  color = 0xA0A0A0;
  pointCount = 2;
}

std::vector<PointRef> LightBlocker::ControlPoints() { return {{&p1.x, &p1.y}, {&p2.x, &p2.y}}; }

void LightBlocker::Draw(int mode) {
  constexpr int kTicks = 11;  // both ends included
  constexpr double kTickLength = 6, kScreenDepth = 5;
  if (!BeginPaint(mode)) return;
  const double theta = DirectionAngle(p1, p2);
  std::vector<Stroke> strokes{{p1, p2}};
  if (screen) {
    // A flat box: the screen's face and its back.
    const TPointF b1 = PointAt(p1, theta + 90, kScreenDepth),
                  b2 = PointAt(p2, theta + 90, kScreenDepth);
    strokes.push_back({b1, b2});
    strokes.push_back({p1, b1});
    strokes.push_back({p2, b2});
  } else {
    // Ticks across both sides: it stops light from either.
    const double step = double(Distance(p1, p2)) / (kTicks - 1);
    for (int j = 0; j < kTicks; ++j) {
      const TPointF q = PointAt(p1, theta, j * step);
      strokes.push_back({PointAt(q, theta + 90, kTickLength), PointAt(q, theta - 90, kTickLength)});
    }
  }
  PaintStrokes(mode, strokes);
}

std::vector<DrawObjectLineDataStruct> LightBlocker::GetSurfaces() {
  return {AbsorbingFace(p1, p2, screen != 0)};
}

PropertyRows LightBlocker::Rows() {
  PropertyRows rows(Tr("LightBlocker.Caption", "挡板属性"));
  const EndRows ends = AddTwoPointRows(rows, 0);
  const RowHandle colour = rows.Add(ColourRow(Tr(texts::kColour), color));
  const RowHandle asScreen = rows.Add(YesNoRow(Tr("LightBlocker.Screen", "显示为光屏"), screen));
  rows.Add(AngleRow(P1(), P2()));
  rows.ApplyOrder(Join({{colour, asScreen}, ends.ByAxis()}));
  return rows;
}

void LightBlocker::RecordFields(RecordIo& io) {
  io.Coordinate(p1, kMaxCoordinate);
  io.Coordinate(p2, kMaxCoordinate);
  io.Fields(screen, skipNextPaint);
  io.Block(reserved);
}
