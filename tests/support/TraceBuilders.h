#pragma once
// Surfaces and rays made by hand, the way objects hand them to the tracer.

#include "optics/PlaneMath.h"
#include "optics/RayGeometry.h"

// A ray from `start` whose through point lies `step` px further at `angle`.
inline DrawBaseRayDataStruct RayAt(TPointF start, double angle, double step = 1) {
  DrawBaseRayDataStruct ray;
  ray.startX = start.x;
  ray.startY = start.y;
  const TPointF through = PointAt(start, angle, step);
  ray.throughX = through.x;
  ray.throughY = through.y;
  DeriveRay(ray);
  return ray;
}

inline DrawBaseRayDataStruct RayThrough(TPointF start, TPointF through) {
  DrawBaseRayDataStruct ray;
  ray.startX = start.x;
  ray.startY = start.y;
  ray.throughX = through.x;
  ray.throughY = through.y;
  DeriveRay(ray);
  return ray;
}

// Reflects rays arriving from the right of a -> b (orientation 3: both sides).
inline DrawObjectLineDataStruct Mirror(TPointF a, TPointF b, int orientation = 1) {
  DrawObjectLineDataStruct s = MakeSegment(a, b);
  s.kind = kSurfaceReflect;
  s.orientation = orientation;
  return s;
}

// Boundary of a medium lying on the left of a -> b.
inline DrawObjectLineDataStruct Boundary(TPointF a, TPointF b, float index) {
  DrawObjectLineDataStruct s = MakeSegment(a, b);
  s.kind = kSurfaceRefract;
  s.refractiveIndex = index;
  return s;
}

// Ideal thin lens from a to b; leftFocus lies on the left of a -> b.
inline DrawObjectLineDataStruct IdealLens(TPointF a, TPointF b, TPointF leftFocus,
                                          TPointF rightFocus, int orientation = 1) {
  DrawObjectLineDataStruct s = MakeSegment(a, b);
  s.kind = kSurfaceIdealLens;
  s.orientation = orientation;
  s.centreX = leftFocus.x;
  s.centreY = leftFocus.y;
  s.secondX = rightFocus.x;
  s.secondY = rightFocus.y;
  return s;
}

// Circular reflecting arc from angle a0 to a1 (degrees, seen from the centre).
inline DrawObjectLineDataStruct ArcMirror(TPointF centre, float radius, float a0, float a1,
                                          int orientation = 1) {
  DrawObjectLineDataStruct s;
  s.kind = kSurfaceReflect;
  s.shape = kShapeArc;
  s.orientation = orientation;
  s.centreX = centre.x;
  s.centreY = centre.y;
  s.radius = radius;
  s.slope = a0;
  s.intercept = a1;
  const TPointF p1 = PointAt(centre, a0, radius), p2 = PointAt(centre, a1, radius);
  s.x1 = p1.x;
  s.y1 = p1.y;
  s.x2 = p2.x;
  s.y2 = p2.y;
  return s;
}
