#include "optics/SelectionGeometry.h"

#include <algorithm>
#include <cmath>

#include "gfx/ClipSegment.h"
#include "gfx/PresentationScale.h"
#include "optics/RayGeometry.h"

namespace {

// Whether the closed segment a-b meets the closed rectangle (which may be a
// single row or column).
bool SegmentTouchesRect(TPointF a, TPointF b, double x1, double y1, double x2, double y2) {
  double ax = a.x, ay = a.y, bx = b.x, by = b.y;
  return ClipSegment(ax, ay, bx, by, x1, y1, x2, y2);
}

}  // namespace

bool PointInRect(TPointF p, float x1, float y1, float x2, float y2) {
  return (double(x2) - p.x) * (double(x1) - p.x) <= 0 &&
         (double(y2) - p.y) * (double(y1) - p.y) <= 0;
}

bool SegmentMeetsRect(const DrawObjectLineDataStruct& segment, float x1, float y1, float x2,
                      float y2) {
  const TRectF r = NormalizeRect({x1, y1, x2, y2});
  const TPointF corners[4] = {{r.x1, r.y1}, {r.x2, r.y1}, {r.x2, r.y2}, {r.x1, r.y2}};
  DrawObjectLineDataStruct seg = segment;
  if (seg.shape != kShapeArc) DeriveLine(seg);
  for (int i = 0; i < 4; ++i) {
    TPointF out;
    if (IntersectSegments(seg, MakeSegment(corners[i], corners[(i + 1) % 4]), out) == 1)
      return true;
  }
  return false;
}

// Both tests are linear in the vertex count and work on the float vertices,
// so a medium of any size costs the same (a pixel region grows with the
// polygon's height).
bool PolygonMeetsRect(const TRectF& rect, const std::vector<TPointF>& points) {
  if (points.size() < 3) return false;
  const TRectF r = NormalizeRect(rect);
  // Windows rectangles exclude their right and bottom edges: the pixels
  // covered are x1 .. x2 - 1, y1 .. y2 - 1.
  const double x1 = std::trunc(r.x1), y1 = std::trunc(r.y1);
  const double x2 = std::trunc(r.x2) - 1, y2 = std::trunc(r.y2) - 1;
  if (!(x2 >= x1 && y2 >= y1)) return false;
  // An edge inside or across the rectangle, else the rectangle lies wholly
  // inside or wholly outside: one corner tells.
  for (std::size_t i = 0, j = points.size() - 1; i < points.size(); j = i++)
    if (SegmentTouchesRect(points[j], points[i], x1, y1, x2, y2)) return true;
  return PointInPolygon(float(x1), float(y1), points);
}

// Even-odd crossing count. A point on a left or top edge is inside, on a
// right or bottom edge outside, as with filled pixels.
bool PointInPolygon(float x, float y, const std::vector<TPointF>& points) {
  if (points.size() < 3) return false;
  bool inside = false;
  for (std::size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
    const TPointF a = points[i], b = points[j];
    if ((a.y > y) == (b.y > y)) continue;
    const double crossX = a.x + (double(y) - a.y) * (double(b.x) - a.x) / (double(b.y) - a.y);
    if (x < crossX) inside = !inside;
  }
  return inside;
}

bool NearSegment(TPointF p, TPointF a, TPointF b, float tolerance) {
  // Easier to hit at a presentation scale, as the pieces are drawn wider.
  tolerance = float(Scaled(double(tolerance)));
  return double(Distance(a, b)) + tolerance > double(Distance(p, a)) + Distance(p, b);
}
