#pragma once
// Shared plane geometry. Degrees, counter-clockwise as seen on the screen
// (0 right, 90 up) although screen y grows downwards.

#include <cmath>
#include <string>
#include <vector>

#include "gfx/PixelMath.h"
#include "gfx/TCanvas.h"
#include "optics/DrawBaseRayDataStruct.h"
#include "optics/DrawObjectLineDataStruct.h"
#include "optics/TLinkIntersection.h"

struct TRectF {
  float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

float DirectionAngle(TPointF a, TPointF b);
TPointF PointAt(TPointF p, double angle, double length);
// An angle's cosine and sine worked out once, for many points at one angle
// (a bundle of parallel rays); PointAt gives the same floats either way.
struct PolarStep {
  double cos = 1, sin = 0;
};
// Inline: the tracer calls these a few times for every ray piece.
inline PolarStep StepOf(double angle) {
  constexpr double kDegree = 3.14159265358979323846 / 180.0;
  return {std::cos(angle * kDegree), std::sin(angle * kDegree)};
}
inline TPointF PointAt(TPointF p, const PolarStep& step, double length) {
  return {static_cast<float>(p.x + length * step.cos), static_cast<float>(p.y - length * step.sin)};
}
float Distance(TPointF a, TPointF b);
// Each point moved `length` toward the direction of its piece (the piece to
// the next point; the last point takes the last piece) turned by `turn`
// degrees. Finite for finite input, also where pieces have no length or turn
// back. Fewer than two points come back unchanged.
std::vector<TPointF> OffsetPolyline(const std::vector<TPointF>& points, double turn, double length);
inline TPointF Midpoint(TPointF a, TPointF b) {
  return {static_cast<float>((double(a.x) + b.x) / 2), static_cast<float>((double(a.y) + b.y) / 2)};
}
// 1 = the point lies on the right of the segment's direction, 2 = left or on it.
int SideOf(const DrawObjectLineDataStruct& segment, TPointF p);

// Recompute slope, intercept, direction and the vertical flag from the points.
void DeriveLine(DrawObjectLineDataStruct& segment);
void DeriveRay(DrawBaseRayDataStruct& ray);

DrawObjectLineDataStruct MakeSegment(TPointF a, TPointF b);
DrawBaseRayDataStruct CopyBaseRay(const DrawBaseRayDataStruct& ray);
// A copy that starts one pixel behind h and passes through h at angle theta.
DrawBaseRayDataStruct MakeContinuation(const DrawBaseRayDataStruct& ray, TPointF h, double theta);
// The same, with theta's cosine and sine worked out by the caller.
DrawBaseRayDataStruct MakeContinuation(const DrawBaseRayDataStruct& ray, TPointF h,
                                       const PolarStep& theta);
struct RayLine;
// The same, also handing back the new ray's line (DeriveRayLine).
DrawBaseRayDataStruct MakeContinuation(const DrawBaseRayDataStruct& ray, TPointF h,
                                       const PolarStep& theta, RayLine& line);

// An angle in degrees brought into [0, 360).
double NormalAngle(double a);
// Whether the direction phi (degrees, from the centre) lies on the arc that
// runs counter-clockwise from a0 to a1, any of them in any turn (-60 is 300);
// a0 >= a1 once brought into [0, 360) is an arc through 0 degrees.
bool AngleOnArc(double phi, double a0, double a1);
// How far apart two directions are, 0 to 180 degrees: 359.9 and 0.1 are 0.2
// apart, so a ray along 0 degrees is not lost to rounding across the wrap.
double AngleGap(double a, double b);

// The tracer's hit test: 0 none, 1 from the right, 2 from the left.
int IntersectRay(const DrawBaseRayDataStruct& ray, const DrawObjectLineDataStruct& surface,
                 TPointF& out);

// What the hit test works out from the ray alone or the surface alone, for a
// trace that tests every ray against many faces: computed once, the same
// numbers, so the same hits.
struct LineEquation {
  bool vertical = false;
  double x = 0;  // when vertical
  double k = 0;
  double b = 0;
};
struct RayLine {
  LineEquation line;  // through the start and through points
  double theta = 0;   // DirectionAngle(start, through)
};
struct SurfaceLine {
  LineEquation line;     // through the end points
  double direction = 0;  // DirectionAngle(p1, p2)
};
RayLine PrepareRay(const DrawBaseRayDataStruct& ray);
// DeriveRay, handing back the ray's line from the same sums: what PrepareRay
// gives for the result, without its atan2.
RayLine DeriveRayLine(DrawBaseRayDataStruct& ray);
SurfaceLine PrepareSurface(const DrawObjectLineDataStruct& surface);
int IntersectRay(const DrawBaseRayDataStruct& ray, const RayLine& rayLine,
                 const DrawObjectLineDataStruct& surface, const SurfaceLine& surfaceLine,
                 TPointF& out);
// Intersection of a (any shape) with the straight piece b: 0 or 1.
int IntersectSegments(const DrawObjectLineDataStruct& a, const DrawObjectLineDataStruct& b,
                      TPointF& out);
TPointF PerpendicularFoot(TPointF p, TPointF a, TPointF b);
// Smallest distance to p; on a tie the earlier hit wins. Null for an empty list.
const TLinkIntersection* NearestHit(const std::vector<TLinkIntersection>& hits, TPointF p);

bool PointInRect(TPointF p, float x1, float y1, float x2, float y2);
bool SegmentMeetsRect(const DrawObjectLineDataStruct& segment, float x1, float y1, float x2,
                      float y2);
// Polygons fill alternately (even-odd); the rectangle's corners are whole
// pixels, its right and bottom edges excluded.
bool PolygonMeetsRect(const TRectF& rect, const std::vector<TPointF>& points);
bool PointInPolygon(float x, float y, const std::vector<TPointF>& points);
bool NearSegment(TPointF p, TPointF a, TPointF b, float tolerance);
std::vector<TPoint> ToPointArray(const std::vector<TPointF>& points, bool close);
TRectF NormalizeRect(const TRectF& rect);
// Axis-parallel boxes held as four corners in order (0 the first corner, 2
// the opposite one, 1 sharing 0's y, 3 sharing 0's x).
void SpanBox(TPointF* corners, TPointF first, TPointF opposite);
// Corner `index` moved to p; its two neighbours follow so the sides stay
// parallel to the axes.
void DragBoxCorner(TPointF* corners, int index, TPointF p);

void DrawArrowLine(TCanvas& canvas, TPointF a, TPointF b, int arrows);
void DrawAngleArc(TCanvas& canvas, TPointF a, TPointF b, double f, double g);
