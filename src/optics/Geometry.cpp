#include "optics/Geometry.h"

#include <algorithm>
#include <cmath>

#include "gfx/ClipSegment.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDeg = kPi / 180.0;

using LineEq = LineEquation;

LineEq MakeLine(double x1, double y1, double x2, double y2) {
  LineEq l;
  const double dx = x2 - x1;
  if (std::fabs(dx) <= 1e-6) {
    l.vertical = true;
    l.x = x1;
  } else {
    l.k = (y2 - y1) / dx;
    l.b = y1 - x1 * l.k;
  }
  return l;
}

// r plays the ray's role (horizontal below 1e-8), s the surface's (1e-7).
bool IntersectLines(const LineEq& r, const LineEq& s, double& x, double& y) {
  if (r.vertical && s.vertical) return false;
  if (r.vertical) {
    x = r.x;
    y = s.k * x + s.b;
  } else if (s.vertical) {
    x = s.x;
    y = r.k * x + r.b;
  } else if (std::fabs(r.k - s.k) < 1e-7) {
    return false;
  } else if (std::fabs(r.k) < 1e-8) {
    y = r.b;
    x = (y - s.b) / s.k;
  } else if (std::fabs(s.k) < 1e-7) {
    y = s.b;
    x = (y - r.b) / r.k;
  } else {
    x = (s.b - r.b) / (r.k - s.k);
    y = r.k * x + r.b;
  }
  return true;
}

bool InBox(double x, double y, double x1, double y1, double x2, double y2) {
  return (x - x1) * (x - x2) <= 0 && (y - y1) * (y - y2) <= 0;
}

LineEq SegmentLine(const DrawObjectLineDataStruct& s) { return MakeLine(s.x1, s.y1, s.x2, s.y2); }

// The hit test's angle rule, AngleGap(DirectionAngle(through, p), theta)
// against half a degree, where theta is the direction of the ray's own
// vector (dirX, dirY) and (aheadX, aheadY) = p - through, both as
// DirectionAngle forms them. Both float angles lie within 1e-4 degrees of the
// exact ones, so when the exact angle between the vectors is below 0.45 or
// above 0.55 degrees the rule's answer is known without the two atan2: 1
// within, 0 outside; -1 when the angles themselves must decide.
int QuickHalfDegree(double dirX, double dirY, double aheadX, double aheadY) {
  constexpr double kTanInside = 0.00785;  // tan 0.4498 degrees
  constexpr double kTanOutside = 0.0096;  // tan 0.5500 degrees
  if (!std::isfinite(dirX) || !std::isfinite(dirY) || !std::isfinite(aheadX) ||
      !std::isfinite(aheadY) || (dirX == 0 && dirY == 0) || (aheadX == 0 && aheadY == 0))
    return -1;
  const double dot = dirX * aheadX + dirY * aheadY;
  const double cross = std::fabs(dirX * aheadY - dirY * aheadX);
  if (dot > 0 && cross < kTanInside * dot) return 1;
  if (cross > kTanOutside * dot) return 0;
  return -1;
}

}  // namespace

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

float DirectionAngle(TPointF a, TPointF b) {
  const double dx = double(b.x) - double(a.x);
  const double dy = double(b.y) - double(a.y);
  if (dx == 0) {
    if (dy == 0) return 0;
    return dy > 0 ? 270.0f : 90.0f;
  }
  if (dy == 0) return dx < 0 ? 180.0f : 0.0f;
  double r = std::atan2(dy, dx);
  if (r < 0) r += 2 * kPi;
  return static_cast<float>(360.0 - r / kDeg);
}

TPointF PointAt(TPointF p, double angle, double length) {
  return PointAt(p, StepOf(angle), length);
}

float Distance(TPointF a, TPointF b) {
  return static_cast<float>(std::hypot(double(b.x) - a.x, double(b.y) - a.y));
}

int SideOf(const DrawObjectLineDataStruct& s, TPointF p) {
  const TPointF a{s.x1, s.y1}, b{s.x2, s.y2};
  double d = double(DirectionAngle(p, Midpoint(a, b))) - DirectionAngle(a, b);
  if (d < 0) d += 360;
  return (d <= 0 || d >= 180) ? 2 : 1;
}

void DeriveLine(DrawObjectLineDataStruct& s) {
  s.direction = DirectionAngle({s.x1, s.y1}, {s.x2, s.y2});
  const double dx = double(s.x2) - s.x1;
  if (std::fabs(dx) <= 1e-6) {
    s.vertical = 1;
    s.verticalX = s.x1;
  } else {
    s.vertical = 0;
    s.slope = static_cast<float>((double(s.y2) - s.y1) / dx);
    s.intercept = static_cast<float>(s.y1 - s.x1 * ((double(s.y2) - s.y1) / dx));
  }
}

void DeriveRay(DrawBaseRayDataStruct& r) { DeriveRayLine(r); }

RayLine DeriveRayLine(DrawBaseRayDataStruct& r) {
  r.direction = DirectionAngle({r.startX, r.startY}, {r.throughX, r.throughY});
  // The fields are the line's numbers in float.
  const RayLine line{MakeLine(r.startX, r.startY, r.throughX, r.throughY), r.direction};
  if (line.line.vertical) {
    r.vertical = 1;
    r.verticalX = r.startX;
  } else {
    r.vertical = 0;
    r.slope = static_cast<float>(line.line.k);
    r.intercept = static_cast<float>(line.line.b);
  }
  return line;
}

DrawObjectLineDataStruct MakeSegment(TPointF a, TPointF b) {
  DrawObjectLineDataStruct s;
  s.x1 = a.x;
  s.y1 = a.y;
  s.x2 = b.x;
  s.y2 = b.y;
  DeriveLine(s);
  return s;
}

DrawBaseRayDataStruct CopyBaseRay(const DrawBaseRayDataStruct& ray) {
  DrawBaseRayDataStruct r = ray;
  DeriveRay(r);
  return r;
}

DrawBaseRayDataStruct MakeContinuation(const DrawBaseRayDataStruct& ray, TPointF h, double theta) {
  return MakeContinuation(ray, h, StepOf(theta));
}

DrawBaseRayDataStruct MakeContinuation(const DrawBaseRayDataStruct& ray, TPointF h,
                                       const PolarStep& theta) {
  RayLine unused;
  return MakeContinuation(ray, h, theta, unused);
}

DrawBaseRayDataStruct MakeContinuation(const DrawBaseRayDataStruct& ray, TPointF h,
                                       const PolarStep& theta, RayLine& line) {
  DrawBaseRayDataStruct r = ray;
  const TPointF start = PointAt(h, theta, -1);
  r.startX = start.x;
  r.startY = start.y;
  r.throughX = h.x;
  r.throughY = h.y;
  r.stepX = theta.cos;
  r.stepY = -theta.sin;
  line = DeriveRayLine(r);
  return r;
}

RayLine PrepareRay(const DrawBaseRayDataStruct& ray) {
  return {MakeLine(ray.startX, ray.startY, ray.throughX, ray.throughY),
          DirectionAngle({ray.startX, ray.startY}, {ray.throughX, ray.throughY})};
}

SurfaceLine PrepareSurface(const DrawObjectLineDataStruct& s) {
  return {SegmentLine(s), DirectionAngle({s.x1, s.y1}, {s.x2, s.y2})};
}

int IntersectRay(const DrawBaseRayDataStruct& ray, const DrawObjectLineDataStruct& s,
                 TPointF& out) {
  return IntersectRay(ray, PrepareRay(ray), s, PrepareSurface(s), out);
}

int IntersectRay(const DrawBaseRayDataStruct& ray, const RayLine& rayLine,
                 const DrawObjectLineDataStruct& s, const SurfaceLine& surfaceLine, TPointF& out) {
  const TPointF start{ray.startX, ray.startY}, through{ray.throughX, ray.throughY};
  const double theta = rayLine.theta;
  const double dirX = double(through.x) - start.x, dirY = double(through.y) - start.y;
  if (s.shape == kShapeArc) {
    const TPointF c{s.centreX, s.centreY};
    const TPointF f = PerpendicularFoot(c, start, through);
    const double d = Distance(c, f);
    const double radius = s.radius;
    if (d > radius) return 0;
    const double h = std::sqrt(radius * radius - d * d);
    const TPointF plus = PointAt(f, theta, h), minus = PointAt(f, theta, -h);
    auto evaluate = [&](TPointF p, int& code) {
      // The point where the ray has just left the arc does not count; otherwise
      // it would hide the far side of the circle from a ray inside it.
      if (std::fabs(double(p.x) - through.x) < 0.5 && std::fabs(double(p.y) - through.y) < 0.5)
        return false;
      const int quick =
          QuickHalfDegree(dirX, dirY, double(p.x) - through.x, double(p.y) - through.y);
      if (quick == 0 || (quick < 0 && !(AngleGap(DirectionAngle(through, p), theta) < 0.5)))
        return false;
      const double phi = DirectionAngle(c, p);
      if (!AngleOnArc(phi, s.slope, s.intercept)) return false;
      double tangent = phi - 90;
      if (tangent < 0) tangent += 360;
      const double length = 200.0 - 100.0 * s.orientation * s.orientation;
      const DrawObjectLineDataStruct piece = MakeSegment(p, PointAt(p, tangent, length));
      code = SideOf(piece, through);
      return true;
    };
    TPointF first = plus, second = minus;
    if (!(Distance(through, plus) < Distance(through, minus))) std::swap(first, second);
    int code = 0;
    TPointF chosen;
    if (evaluate(first, code)) {
      chosen = first;
    } else if (evaluate(second, code)) {
      chosen = second;
    } else {
      return 0;
    }
    out = chosen;
    return code;
  }

  double x = 0, y = 0;
  if (!IntersectLines(rayLine.line, surfaceLine.line, x, y)) return 0;
  out = {static_cast<float>(x), static_cast<float>(y)};
  if (s.shape == kShapeSegment && !InBox(out.x, out.y, s.x1, s.y1, s.x2, s.y2)) return 0;
  // A point behind the through point lies more than 90 degrees off the
  // ray's direction: the angle test below would refuse it, at an atan2.
  const double aheadX = double(out.x) - through.x, aheadY = double(out.y) - through.y;
  if (aheadX * dirX + aheadY * dirY < 0) return 0;
  double d = theta - surfaceLine.direction;
  if (d < 0) d += 360;
  const int code = (d <= 0 || d >= 180) ? 2 : 1;
  const int quick = QuickHalfDegree(dirX, dirY, aheadX, aheadY);
  if (quick == 0 || (quick < 0 && AngleGap(DirectionAngle(through, out), theta) > 0.5)) return 0;
  if (std::fabs(double(out.x) - through.x) < 0.1 && std::fabs(double(out.y) - through.y) < 0.1)
    return 0;
  return code;
}

int IntersectSegments(const DrawObjectLineDataStruct& a, const DrawObjectLineDataStruct& b,
                      TPointF& out) {
  double x = 0, y = 0;
  switch (a.shape) {
    case kShapeArc: {
      const TPointF c{a.centreX, a.centreY};
      const TPointF f = PerpendicularFoot(c, {b.x1, b.y1}, {b.x2, b.y2});
      const double d = Distance(c, f);
      if (d > a.radius) return 0;
      const double h = std::sqrt(double(a.radius) * a.radius - d * d);
      const double dir = DirectionAngle({b.x1, b.y1}, {b.x2, b.y2});
      for (double sign : {1.0, -1.0}) {
        const TPointF p = PointAt(f, dir, sign * h);
        if (InBox(p.x, p.y, b.x1, b.y1, b.x2, b.y2) &&
            AngleOnArc(DirectionAngle(c, p), a.slope, a.intercept)) {
          out = p;
          return 1;
        }
      }
      return 0;
    }
    case kShapeLine:
      if (!IntersectLines(SegmentLine(a), SegmentLine(b), x, y)) return 0;
      out = {static_cast<float>(x), static_cast<float>(y)};
      return 1;
    default:
      if (!IntersectLines(SegmentLine(b), SegmentLine(a), x, y)) return 0;
      out = {static_cast<float>(x), static_cast<float>(y)};
      if (!InBox(out.x, out.y, a.x1, a.y1, a.x2, a.y2)) return 0;
      if (!InBox(out.x, out.y, b.x1, b.y1, b.x2, b.y2)) return 0;
      return 1;
  }
}

TPointF PerpendicularFoot(TPointF p, TPointF a, TPointF b) {
  DrawObjectLineDataStruct ab = MakeSegment(a, b);
  ab.shape = kShapeLine;
  const double dir = DirectionAngle(a, b) + (SideOf(ab, p) == 1 ? 90.0 : -90.0);
  DrawObjectLineDataStruct normal = MakeSegment(p, PointAt(p, dir, 100));
  normal.shape = kShapeLine;
  TPointF out = a;
  IntersectSegments(ab, normal, out);
  return out;
}

const TLinkIntersection* NearestHit(const std::vector<TLinkIntersection>& hits, TPointF p) {
  if (hits.size() == 1) return &hits.front();  // whatever its distance
  const TLinkIntersection* best = nullptr;
  float bestDistance = 0;
  for (const auto& hit : hits) {
    const float d = Distance({hit.x, hit.y}, p);
    if (!best || d < bestDistance) {
      best = &hit;
      bestDistance = d;
    }
  }
  return best;
}

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

namespace {

// Whether the closed segment a-b meets the closed rectangle (which may be a
// single row or column).
bool SegmentTouchesRect(TPointF a, TPointF b, double x1, double y1, double x2, double y2) {
  double ax = a.x, ay = a.y, bx = b.x, by = b.y;
  return ClipSegment(ax, ay, bx, by, x1, y1, x2, y2);
}

}  // namespace

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
  return double(Distance(a, b)) + tolerance > double(Distance(p, a)) + Distance(p, b);
}

std::vector<TPoint> ToPointArray(const std::vector<TPointF>& points, bool close) {
  std::vector<TPoint> out;
  out.reserve(points.size() + 1);
  for (const auto& p : points) out.push_back({Trunc(p.x), Trunc(p.y)});
  if (close && !out.empty()) out.push_back(out.front());
  return out;
}

TRectF NormalizeRect(const TRectF& r) {
  return {std::min(r.x1, r.x2), std::min(r.y1, r.y2), std::max(r.x1, r.x2), std::max(r.y1, r.y2)};
}

void DrawArrowLine(TCanvas& canvas, TPointF a, TPointF b, int arrows) {
  canvas.MoveTo(Trunc(a.x), Trunc(a.y));
  canvas.LineTo(Trunc(b.x), Trunc(b.y));
  if (arrows >= 1) {
    const double theta = DirectionAngle(a, b);
    for (double wing : {theta + 150, theta - 150}) {
      const TPointF w = PointAt(b, wing, 10);
      canvas.MoveTo(Trunc(b.x), Trunc(b.y));
      canvas.LineTo(Trunc(w.x), Trunc(w.y));
    }
  }
}

void DrawAngleArc(TCanvas& canvas, TPointF a, TPointF b, double f, double g) {
  const TPointF c = Midpoint(a, b);
  const TPointF p3 = PointAt(c, f, 100), p4 = PointAt(c, g, 100);
  canvas.Arc(Trunc(a.x), Trunc(a.y), Trunc(b.x), Trunc(b.y), Trunc(p3.x), Trunc(p3.y), Trunc(p4.x),
             Trunc(p4.y));
}

void SpanBox(TPointF* c, TPointF first, TPointF opposite) {
  c[0] = first;
  c[1] = {opposite.x, first.y};
  c[2] = opposite;
  c[3] = {first.x, opposite.y};
}

void DragBoxCorner(TPointF* c, int index, TPointF p) {
  if (index < 0 || index > 3) return;
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
