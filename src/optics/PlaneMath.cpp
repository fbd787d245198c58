#include "optics/PlaneMath.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>

double AngleGap(double a, double b) {
  // The same as |remainder(a - b, 360)|: for a gap up to 720 the one
  // subtraction below is exact, and the ties at 180 give 180 either way.
  const double d = std::fabs(a - b);
  if (d <= 180) return d;
  if (d <= 540) return std::fabs(d - 360);
  if (d <= 720) return std::fabs(d - 720);
  return std::fabs(std::remainder(a - b, 360.0));
}

double NormalAngle(double a) {
  const double r = std::fmod(a, 360.0);
  return r < 0 ? r + 360.0 : r;
}

bool AngleOnArc(double phi, double a0, double a1) {
  if (a1 - a0 >= 360) return true;  // the whole circle
  // Arcs are stored from -60 to 60 as readily as from 300 to 60.
  phi = NormalAngle(phi);
  a0 = NormalAngle(a0);
  a1 = NormalAngle(a1);
  if (a0 >= a1) return phi > a0 || phi < a1;
  return a0 <= phi && phi <= a1;
}

std::vector<TPointF> OffsetPolyline(const std::vector<TPointF>& points, double turn,
                                    double length) {
  const std::size_t n = points.size();
  if (n < 2) return points;
  std::vector<TPointF> out(n);
  for (std::size_t i = 0; i < n; ++i) {
    const std::size_t a = i + 1 < n ? i : n - 2;
    const double theta = DirectionAngle(points[a], points[a + 1]);
    out[i] = PointAt(points[i], theta + turn, length);
  }
  return out;
}

float SlantedDirectionAngle(double dx, double dy) {
  double r = std::atan2(dy, dx);
  if (r < 0) r += 2 * std::numbers::pi;
  return static_cast<float>(360.0 - r / (std::numbers::pi / 180.0));
}

float DirectionAngleNear(TPointF a, TPointF b, double near, const PolarStep& step) {
  const double dx = double(b.x) - a.x, dy = double(b.y) - a.y;
  if (dx == 0 || dy == 0 || !std::isfinite(near)) return DirectionAngle(a, b);
  // The turn from near's vector (cos, -sin: screen y grows down) to (dx, dy).
  const double rx = step.cos, ry = -step.sin;
  const double dot = rx * dx + ry * dy, cross = rx * dy - ry * dx;
  constexpr double kMaxTan = 1e-3;
  if (!(dot > 0) || !(std::fabs(cross) < kMaxTan * dot)) return SlantedDirectionAngle(dx, dy);
  // atan t to within 2e-16 radians (1e-14 degrees) for |t| < 1e-3.
  const double t = cross / dot;
  constexpr double kThird = 1.0 / 3;
  const double turn = t - t * t * t * kThird;
  double base = near;  // near brought into [0, 360)
  if (!(base >= 0 && base < 360)) {
    base = std::fmod(near, 360.0);
    if (base < 0) base += 360;
  }
  const double d = base - turn * (180 / std::numbers::pi);
  // SlantedDirectionAngle's double lies within 1e-12 degrees of the exact
  // angle, and so does d: where d is farther than kMargin from 0, 360 and
  // every rounding midpoint between floats, both round to the same float.
  constexpr double kMargin = 1e-9;
  if (!(d > 1e-6 && d < 360 - 1e-6)) return SlantedDirectionAngle(dx, dy);
  const float f = static_cast<float>(d);
  // The floats on either side of f (positive and finite).
  const std::uint32_t bits = std::bit_cast<std::uint32_t>(f);
  const double below = (double(f) + std::bit_cast<float>(bits - 1)) / 2;
  const double above = (double(f) + std::bit_cast<float>(bits + 1)) / 2;
  if (d - below > kMargin && above - d > kMargin) return f;
  return SlantedDirectionAngle(dx, dy);
}

TPointF PointAt(TPointF p, double angle, double length) {
  return PointAt(p, StepOf(angle), length);
}

float Distance(TPointF a, TPointF b) {
  return static_cast<float>(std::hypot(double(b.x) - a.x, double(b.y) - a.y));
}

TPointF TurnedAbout(TPointF p, TPointF pivot, double degrees) {
  const PolarStep step = StepOf(degrees);
  const double dx = double(p.x) - pivot.x, dy = double(p.y) - pivot.y;
  // Screen y grows downwards: counter-clockwise as seen is clockwise in (x, y).
  return {static_cast<float>(pivot.x + dx * step.cos + dy * step.sin),
          static_cast<float>(pivot.y - dx * step.sin + dy * step.cos)};
}

TRectF NormalizeRect(const TRectF& r) {
  return {std::min(r.x1, r.x2), std::min(r.y1, r.y2), std::max(r.x1, r.x2), std::max(r.y1, r.y2)};
}
