#pragma once
// One optical surface piece handed to the tracer, or a construction line.

#include <cstdint>

#include "gfx/TCanvas.h"

// Absorb: a blocker; orientation 2 marks where light arrives (a screen).
// Split: a beam splitter, reflecting its fraction (refractiveIndex) of every
// ray on both sides and passing the rest straight on.
enum SurfaceKind {
  kSurfaceReflect = 1,
  kSurfaceRefract = 2,
  kSurfaceIdealLens = 3,
  kSurfaceAbsorb = 4,
  kSurfaceSplit = 5,
};
enum SurfaceShape { kShapeSegment = 0, kShapeArc = 1, kShapeLine = 2 };

struct DrawObjectLineDataStruct {
  float x1 = 0, y1 = 0;
  float x2 = 0, y2 = 0;
  float slope = 0;      // arc: start angle (degrees, seen from the centre)
  float intercept = 0;  // arc: end angle
  float direction = 0;
  std::uint8_t vertical = 0;
  float verticalX = 0;
  int kind = 0;
  int shape = kShapeSegment;
  // Arcs: 1 tangent = radial - 90, 2 = radial + 90. Reflectors: 3 = two-sided.
  // Ideal lens: 1 converging, 2 diverging.
  int orientation = 1;
  float refractiveIndex = 0;
  float radius = 0;
  float centreX = 0, centreY = 0;  // arc centre; ideal lens: focal point on the left
  float secondX = 0, secondY = 0;  // ideal lens: focal point on the right

  // The fields an arc and an ideal lens reuse, by what they hold there.
  float ArcStartAngle() const { return slope; }
  float ArcEndAngle() const { return intercept; }
  TPointF ArcCentre() const { return {centreX, centreY}; }
  void SetArc(TPointF centre, float startAngle, float endAngle) {
    centreX = centre.x;
    centreY = centre.y;
    slope = startAngle;
    intercept = endAngle;
  }
  bool Screen() const { return kind == kSurfaceAbsorb && orientation == 2; }
  float ReflectedFraction() const { return refractiveIndex; }
  TPointF LeftFocus() const { return {centreX, centreY}; }
  TPointF RightFocus() const { return {secondX, secondY}; }
  void SetFoci(TPointF left, TPointF right) {
    centreX = left.x;
    centreY = left.y;
    secondX = right.x;
    secondY = right.y;
  }
};
