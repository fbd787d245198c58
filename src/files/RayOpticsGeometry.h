#pragma once
// Plane geometry of the Ray Optics mapping: y-down vectors in double, the
// circle through three points and the arc between two of them.

#include <cmath>
#include <numbers>

#include "gfx/TCanvas.h"
#include "optics/PlaneMath.h"

namespace rayoptics {

constexpr double kPi = std::numbers::pi;
// The two mirrors of a two-sided one lie this far either side of its line.
constexpr double kHalfGap = 0.5;

struct Vec {
  double x, y;
};
inline Vec Sub(TPointF a, TPointF b) { return {double(a.x) - b.x, double(a.y) - b.y}; }
inline double Len(Vec v) { return std::hypot(v.x, v.y); }
inline TPointF Add(TPointF p, Vec v, double k = 1) {
  return {float(p.x + k * v.x), float(p.y + k * v.y)};
}
// Our angle (degrees, counter-clockwise on the screen) of a y-down vector.
inline double ScreenAngle(Vec v) {
  double a = std::atan2(-v.y, v.x) * 180 / kPi;
  if (a < 0) a += 360;
  return a;
}

// Centre of the circle through three points; false when they are in line.
inline bool Circumcentre(TPointF a, TPointF b, TPointF c, TPointF& centre) {
  const double ax = a.x, ay = a.y, bx = b.x, by = b.y, cx = c.x, cy = c.y;
  const double d = 2 * (ax * (by - cy) + bx * (cy - ay) + cx * (ay - by));
  if (std::abs(d) < 1e-9) return false;
  const double a2 = ax * ax + ay * ay, b2 = bx * bx + by * by, c2 = cx * cx + cy * cy;
  centre = {float((a2 * (by - cy) + b2 * (cy - ay) + c2 * (ay - by)) / d),
            float((a2 * (cx - bx) + b2 * (ax - cx) + c2 * (bx - ax)) / d)};
  return std::isfinite(centre.x) && std::isfinite(centre.y);
}

// Our arc angles from `a` to `b` counter-clockwise through `through`.
inline void ArcAngles(TPointF centre, TPointF a, TPointF b, TPointF through, double& angle1,
                      double& angle2) {
  const double ta = ScreenAngle(Sub(a, centre)), tb = ScreenAngle(Sub(b, centre));
  const double tc = ScreenAngle(Sub(through, centre));
  auto ccw = [](double from, double to) { return std::fmod(to - from + 720, 360); };
  const bool throughOnAB = ccw(ta, tc) <= ccw(ta, tb);
  angle1 = throughOnAB ? ta : tb;
  angle2 = throughOnAB ? tb : ta;
}

}  // namespace rayoptics
