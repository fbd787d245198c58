#pragma once
// Plane maths shared by every folder. Degrees, counter-clockwise as seen on
// the screen (0 right, 90 up) although screen y grows downwards.

#include <cmath>
#include <vector>

#include "gfx/PixelMath.h"
#include "gfx/TCanvas.h"

struct TRectF {
  float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

// DirectionAngle off the axes; inline below, as the tracer asks for one at
// every ray piece and axis-parallel rays are common.
float SlantedDirectionAngle(double dx, double dy);
inline float DirectionAngle(TPointF a, TPointF b) {
  const double dx = double(b.x) - double(a.x);
  const double dy = double(b.y) - double(a.y);
  if (dx == 0) {
    if (dy == 0) return 0;
    return dy > 0 ? 270.0f : 90.0f;
  }
  if (dy == 0) return dx < 0 ? 180.0f : 0.0f;
  return SlantedDirectionAngle(dx, dy);
}
TPointF PointAt(TPointF p, double angle, double length);
// An angle's cosine and sine worked out once, for many points at one angle
// (a bundle of parallel rays); PointAt gives the same floats either way.
struct PolarStep {
  double cos = 1, sin = 0;
};
// Inline: the tracer calls these a few times for every ray piece.
inline PolarStep StepOf(double angle) {
  constexpr double kDegree = std::numbers::pi / 180.0;
  return {std::cos(angle * kDegree), std::sin(angle * kDegree)};
}
inline TPointF PointAt(TPointF p, const PolarStep& step, double length) {
  return {static_cast<float>(p.x + length * step.cos), static_cast<float>(p.y - length * step.sin)};
}
// DirectionAngle(a, b) of a direction known to lie within a few thousandths
// of a degree of `near` (step: StepOf(near)), as a continued ray's float
// points do: the very same float, from the small turn between the two, and
// from the atan2 only where that turn cannot settle the float's last bit.
float DirectionAngleNear(TPointF a, TPointF b, double near, const PolarStep& step);
float Distance(TPointF a, TPointF b);
// `p` turned `degrees` counter-clockwise on the screen about `pivot`.
TPointF TurnedAbout(TPointF p, TPointF pivot, double degrees);
// Each point moved `length` toward the direction of its piece (the piece to
// the next point; the last point takes the last piece) turned by `turn`
// degrees. Finite for finite input, also where pieces have no length or turn
// back. Fewer than two points come back unchanged.
std::vector<TPointF> OffsetPolyline(const std::vector<TPointF>& points, double turn, double length);
inline TPointF Midpoint(TPointF a, TPointF b) {
  return {static_cast<float>((double(a.x) + b.x) / 2), static_cast<float>((double(a.y) + b.y) / 2)};
}
// An angle in degrees brought into [0, 360).
double NormalAngle(double a);
// Whether the direction phi (degrees, from the centre) lies on the arc that
// runs counter-clockwise from a0 to a1, any of them in any turn (-60 is 300);
// a0 >= a1 once brought into [0, 360) is an arc through 0 degrees.
bool AngleOnArc(double phi, double a0, double a1);
// How far apart two directions are, 0 to 180 degrees: 359.9 and 0.1 are 0.2
// apart, so a ray along 0 degrees is not lost to rounding across the wrap.
double AngleGap(double a, double b);
TRectF NormalizeRect(const TRectF& rect);
