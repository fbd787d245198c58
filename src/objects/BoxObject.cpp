#include "objects/BoxObject.h"

#include "optics/BoxGeometry.h"
#include "optics/CanvasDrawing.h"
#include "optics/PlaneMath.h"
#include "optics/SelectionGeometry.h"
#include "scene/RecordIo.h"

BoxObject::BoxObject(TCanvas* canvas) : DrawObjectUnit(canvas) { pointCount = 4; }

std::vector<PointRef> BoxObject::ControlPoints() {
  std::vector<PointRef> points;
  for (auto& p : corners) points.push_back({&p.x, &p.y});
  return points;
}

TRectF BoxObject::Box() const {
  return NormalizeRect({corners[0].x, corners[0].y, corners[2].x, corners[2].y});
}

void BoxObject::PlaceDragged(int x, int y) { SpanBox(corners, corners[0], {float(x), float(y)}); }

void BoxObject::PaintOutline() {
  if (!canvas) return;
  std::vector<TPointF> outline(std::begin(corners), std::end(corners));
  canvas->Polyline(ToPointArray(outline, true));
}

void BoxObject::DrawHandles() {
  if (!canvas) return;
  canvas->Pen.mode = TPenMode::Copy;
  canvas->Pen.width = lineWidth;
  canvas->Pen.style = TPenStyle::Solid;
  canvas->Pen.color = selectionLineColor;
  canvas->Brush.style = TBrushStyle::Clear;
  PaintOutline();
  DrawHandleSquares();
}

int BoxObject::HitTest(int x, int y) {
  selectedHandle = -1;
  const TRectF box = Box();
  const int result =
      PointInRect({float(x), float(y)}, box.x1, box.y1, box.x2, box.y2) ? kHitBody : kHitNone;
  const int handle = HandleUnder(x, y);
  if (handle < 0) return result;
  selectedHandle = handle;
  return kHitHandle;
}

bool BoxObject::InRect(float x1, float y1, float x2, float y2) {
  return InRectPolyline(x1, y1, x2, y2, true);
}

void BoxObject::Move(int mode, int x, int y) {
  if (mode == kMoveHandle)
    DragBoxCorner(corners, selectedHandle, {float(x), float(y)});
  else
    MovePoints(mode, x, y);
}

void BoxObject::BoxRecordHead(RecordIo& io) {
  for (auto& c : corners) io.Coordinate(c, kMaxCoordinate);
}
