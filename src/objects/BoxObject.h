#pragma once
// Axis-parallel boxes given by four corners (0 top-left, 1 top-right,
// 2 bottom-right, 3 bottom-left as placed; any order after a drag): the text
// and picture annotations. Placing by a drag from corner 0 to corner 2; a
// dragged corner takes its neighbours along so the box stays axis-parallel;
// the selection outline with the handles; a hit anywhere inside the box.

#include "optics/PlaneMath.h"
#include "scene/DrawObjectUnit.h"

class BoxObject : public DrawObjectUnit {
 public:
  explicit BoxObject(TCanvas* canvas);

  TPointF corners[4]{};

  // The closed outline in the selection colour, then the handle squares.
  void DrawHandles() override;
  // 1 on a handle (selectedHandle set), 2 inside the box (edges included), 0 miss.
  int HitTest(int x, int y) override;
  bool InRect(float x1, float y1, float x2, float y2) override;
  void Move(int mode, int x, int y) override;

  // The box spanned by corners 0 and 2, normalised.
  TRectF Box() const;

 protected:
  std::vector<PointRef> ControlPoints() override;
  void PlaceDragged(int x, int y) override;
  // The closed outline of the four corners with the canvas's current pen.
  void PaintOutline();
  // The four corners, as every box record begins; far ones refuse it.
  void BoxRecordHead(RecordIo& io);
};
