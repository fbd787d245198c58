#pragma once
// The tracer's geometry: surface and ray lines, continuations, the hit test
// and the intersections it rests on.

#include <optional>
#include <span>
#include <vector>

#include "optics/DrawBaseRayDataStruct.h"
#include "optics/DrawObjectLineDataStruct.h"
#include "optics/PlaneMath.h"
#include "optics/TLinkIntersection.h"

// 1 = the point lies on the right of the segment's direction, 2 = left or on it.
int SideOf(const DrawObjectLineDataStruct& segment, TPointF p);

// Recompute slope, intercept, direction and the vertical flag from the points.
void DeriveLine(DrawObjectLineDataStruct& segment);
void DeriveRay(DrawBaseRayDataStruct& ray);

DrawObjectLineDataStruct MakeSegment(TPointF a, TPointF b);
DrawBaseRayDataStruct CopyBaseRay(const DrawBaseRayDataStruct& ray);
// A copy that starts one pixel behind h and passes through h at angle theta.
DrawBaseRayDataStruct MakeContinuation(const DrawBaseRayDataStruct& ray, TPointF h, double theta);
struct RayLine;
// The same in place: a copy of the ray turned into its continuation, handing
// back the new ray's line (DeriveRayLine). angle: theta in degrees, the
// direction its float points lie nearly along (DirectionAngleNear).
RayLine ContinueRay(DrawBaseRayDataStruct& copy, TPointF h, double angle, const PolarStep& theta);

// The ray from its start point on: passing through its start, from a start
// point as far behind as its through point was ahead. Nothing when the two
// points coincide or are not finite.
std::optional<DrawBaseRayDataStruct> FromItsStart(const DrawBaseRayDataStruct& ray);

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
  // The end points' box, when all four numbers are finite (box).
  bool box = false;
  float left = 0, top = 0, right = 0, bottom = 0;
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
// NearestHit of the hits of the ray on every face, kept as it goes (the
// first hit alone wins whatever its distance); false when none is hit.
bool NearestOfEvery(const DrawBaseRayDataStruct& ray, const RayLine& rayLine,
                    std::span<const DrawObjectLineDataStruct> surfaces,
                    std::span<const SurfaceLine> lines, TPointF through,
                    TLinkIntersection& nearest);
