#include "optics/PlaneMath.h"

#include <algorithm>
#include <cmath>

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
