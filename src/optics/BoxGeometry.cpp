#include "optics/BoxGeometry.h"

void SpanBox(TPointF* c, TPointF first, TPointF opposite) {
  c[0] = first;
  c[1] = {opposite.x, first.y};
  c[2] = opposite;
  c[3] = {first.x, opposite.y};
}

void DragBoxCorner(TPointF* c, int index, TPointF p) {
  if (index < 0 || index > 3 || c[index] == p) return;
  c[index] = p;
  switch (index) {
    case 0:
      c[3].x = p.x;
      c[1].y = p.y;
      break;
    case 1:
      c[2].x = p.x;
      c[0].y = p.y;
      break;
    case 2:
      c[1].x = p.x;
      c[3].y = p.y;
      break;
    default:
      c[2].y = p.y;
      c[0].x = p.x;
      break;
  }
}
