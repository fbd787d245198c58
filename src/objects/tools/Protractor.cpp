#include "objects/tools/Protractor.h"

#include "gfx/PresentationScale.h"
#include "gfx/TGDIPlusCanvas.h"
#include "i18n/Convert.h"
#include "i18n/SharedTexts.h"
#include "i18n/TtlmController.h"
#include "optics/CanvasDrawing.h"
#include "optics/PlaneMath.h"
#include "optics/RayGeometry.h"
#include "scene/ProcessSettings.h"
#include "scene/PropertyRows.h"
#include "scene/RecordIo.h"

namespace {

constexpr float kArcRadius = 30;

}  // namespace

Protractor::Protractor(TCanvas* c) : ObjectOf(c) {
  SetClassName("Protractor");
  pointCount = 3;
}

std::vector<PointRef> Protractor::ControlPoints() {
  return {{&arm1.x, &arm1.y}, {&vertex.x, &vertex.y}, {&arm2.x, &arm2.y}};
}

float Protractor::Angle() const {
  float m = DirectionAngle(vertex, arm2) - DirectionAngle(vertex, arm1);
  if (m < 0) m += 360;
  return m;
}

void Protractor::PaintAngle() {
  canvas->Font.color = color;
  canvas->Font.size = 10;
  canvas->Brush.style = TBrushStyle::Clear;
  HaloTextOut(*canvas, Trunc(vertex.x) + 3, Trunc(vertex.y) + 3,
              LeftStr(FloatToStr(double(Angle())), 6));
}

void Protractor::Draw(int mode) {
  // No first paint to skip: the protractor is placed at once.
  if (!canvas) return;
  PreparePen(mode);
  if (mode == kDrawCopy) PaintAngle();
  const float a1 = DirectionAngle(vertex, arm1), a2 = DirectionAngle(vertex, arm2);
  const TPointF low{vertex.x - kArcRadius, vertex.y - kArcRadius};
  const TPointF high{vertex.x + kArcRadius, vertex.y + kArcRadius};
  if (mode == kDrawCopy && Settings().highQuality) {
    TGDIPlusCanvas hq = TGDIPlusCanvas::Stroking(*canvas, color, float(lineWidth));
    hq.MoveTo(arm1.x, arm1.y);
    hq.LineTo(vertex.x, vertex.y);
    hq.LineTo(arm2.x, arm2.y);
    hq.Arc(low.x, low.y, high.x, high.y, -a2, Angle());
    return;
  }
  canvas->Polyline(ToPointArray({arm1, vertex, arm2}, false));
  DrawAngleArc(*canvas, low, high, a1, a2);
}

void Protractor::DrawHandles() {
  DrawHandleSquares();
  if (canvas) PaintAngle();
}

int Protractor::HitTest(int x, int y) {
  const int handle = HandleUnder(x, y);
  selectedHandle = handle;
  if (handle >= 0) return kHitHandle;
  const TPointF p{float(x), float(y)};
  for (TPointF end : {arm1, arm2})
    if (double(Distance(p, end)) + Distance(p, vertex) < double(Distance(end, vertex)) + 0.5)
      return kHitBody;
  return kHitNone;
}

bool Protractor::InRect(float x1, float y1, float x2, float y2) {
  return InRectPolyline(x1, y1, x2, y2, false);
}

PropertyRows Protractor::Rows() {
  PropertyRows rows(Tr("57", "量角器属性"));
  const char* ids[3][2] = {{"71", "73"}, {"72", "74"}, {"75", "76"}};
  TPointF* points[3] = {&arm1, &vertex, &arm2};
  RowOrder xs, ys;
  for (int i = 0; i < 3; ++i) {
    const std::string n = std::to_string(i + 1);
    xs.push_back(rows.Add(UserXRow("X" + n, points[i]->x,
                                   Tr(ids[i][0], "x" + n + ",不是有用的整数,请输入一个整数."))));
    ys.push_back(rows.Add(UserYRow("Y" + n, points[i]->y,
                                   Tr(ids[i][1], "y" + n + ",不是有用的整数,请输入一个整数."))));
  }
  const RowHandle colour = rows.Add(ColourRow(Tr(texts::kColour), color));
  rows.ApplyOrder(Join({{colour}, xs, ys}));
  return rows;
}

void Protractor::RecordFields(RecordIo& io) {
  for (TPointF* p : {&arm1, &vertex, &arm2}) io.Coordinate(*p, kMaxCoordinate);
  io.Block(spare);
  io.Block(reserved);
}
