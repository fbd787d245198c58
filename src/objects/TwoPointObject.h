#pragma once
// Objects given by two control points P1 -> P2 (light sources, the plane
// mirror, the ideal lenses, and the lines and rulers to come): handles on
// both points, hit on the segment between them, placing by a drag from P1 to
// P2, moving and zooming the points, and the coordinate rows X1, Y1, X2, Y2.
// Further control points after the two (an ideal lens's focal points) move
// and zoom with them but carry no handle and take no part in hit tests.

#include "optics/PlaneMath.h"
#include "scene/DrawObjectUnit.h"
#include "scene/PropertyRows.h"

class TwoPointObject : public DrawObjectUnit {
 public:
  using DrawObjectUnit::DrawObjectUnit;

  // 1 on a handle (selectedHandle set), 2 on the segment, 0 miss.
  int HitTest(int x, int y) override;
  bool InRect(float x1, float y1, float x2, float y2) override;
  void DrawHandles() override;

  TPointF P1() { return ControlPoints()[0].Get(); }
  TPointF P2() { return ControlPoints()[1].Get(); }
  // Pointing from P1 to P2, turning about TurnPivot().
  std::optional<Heading> Direction() override;

 protected:
  // The middle of the segment; a source turns about its start.
  virtual TPointF TurnPivot() { return Midpoint(P1(), P2()); }
  // The coordinate rows X1, Y1, X2, Y2, shown in this order.
  struct EndRows {
    RowHandle x1, y1, x2, y2;
    RowOrder ByAxis() const { return {x1, x2, y1, y2}; }
    RowOrder ByPoint() const { return {x1, y1, x2, y2}; }
  };
  // The four rows at the top of the sheet; `group` as in PropertyRow. A bad
  // value shows the row's own message.
  EndRows AddTwoPointRows(PropertyRows& rows, int group);
  // The same four rows; a bad value shows a message that quotes it:
  // "X1=abc,不是有用的整数,...".
  EndRows AddEndRows(PropertyRows& rows, int group);
};
