#include "optics/RayGeometry.h"

#include <algorithm>
#include <cmath>

namespace {

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
// Always inlined: called out of line, its two stores are read back as one
// 16-byte load, which the store buffer cannot forward (a stall per hit test).
[[gnu::always_inline]] inline bool IntersectLines(const LineEq& r, const LineEq& s, double& x,
                                                  double& y) {
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

// InBox of a prepared face. With finite ends, (x - x1) * (x - x2) <= 0 holds
// exactly when x lies between them: the differences of floats keep their
// sign in double and their product neither underflows nor overflows. A
// point that is not a number, or infinite, fails both tests.
[[gnu::always_inline]] inline bool InBox(TPointF p, const DrawObjectLineDataStruct& s,
                                         const SurfaceLine& line) {
  if (!line.box) return InBox(p.x, p.y, s.x1, s.y1, s.x2, s.y2);
  return p.x >= line.left && p.x <= line.right && p.y >= line.top && p.y <= line.bottom;
}

LineEq SegmentLine(const DrawObjectLineDataStruct& s) { return MakeLine(s.x1, s.y1, s.x2, s.y2); }

// The hit test's angle rule, AngleGap(DirectionAngle(through, p), theta)
// against half a degree, where theta is the direction of the ray's own
// vector (dirX, dirY) and (aheadX, aheadY) = p - through, both as
// DirectionAngle forms them. Both float angles lie within 1e-4 degrees of the
// exact ones, so when the exact angle between the vectors is below 0.45 or
// above 0.55 degrees the rule's answer is known without the two atan2: 1
// within, 0 outside; -1 when the angles themselves must decide.
[[gnu::always_inline]] inline int QuickHalfDegree(double dirX, double dirY, double aheadX,
                                                  double aheadY) {
  constexpr double kTanInside = 0.00785;  // tan 0.4498 degrees
  constexpr double kTanOutside = 0.0096;  // tan 0.5500 degrees
  // Each is a difference of two floats, so the sum overflows only if one of
  // them is infinite: it is finite exactly when all four are.
  if (!std::isfinite(dirX + dirY + aheadX + aheadY) || (dirX == 0 && dirY == 0) ||
      (aheadX == 0 && aheadY == 0))
    return -1;
  const double dot = dirX * aheadX + dirY * aheadY;
  const double cross = std::fabs(dirX * aheadY - dirY * aheadX);
  if (dot > 0 && cross < kTanInside * dot) return 1;
  if (cross > kTanOutside * dot) return 0;
  return -1;
}

}  // namespace

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

namespace {

// DeriveRayLine with the ray's direction already worked out.
RayLine DeriveRayLine(DrawBaseRayDataStruct& r, float direction) {
  r.direction = direction;
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

}  // namespace

RayLine DeriveRayLine(DrawBaseRayDataStruct& r) {
  return DeriveRayLine(r, DirectionAngle({r.startX, r.startY}, {r.throughX, r.throughY}));
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
  DrawBaseRayDataStruct r = ray;
  ContinueRay(r, h, theta, StepOf(theta));
  return r;
}

RayLine ContinueRay(DrawBaseRayDataStruct& r, TPointF h, double angle, const PolarStep& theta) {
  const TPointF start = PointAt(h, theta, -1);
  r.startX = start.x;
  r.startY = start.y;
  r.throughX = h.x;
  r.throughY = h.y;
  r.stepX = theta.cos;
  r.stepY = -theta.sin;
  return DeriveRayLine(r, DirectionAngleNear(start, h, angle, theta));
}

std::optional<DrawBaseRayDataStruct> FromItsStart(const DrawBaseRayDataStruct& ray) {
  const double dx = double(ray.throughX) - ray.startX, dy = double(ray.throughY) - ray.startY;
  const double length = std::hypot(dx, dy);
  if (!(length > 0) || !std::isfinite(length)) return std::nullopt;
  DrawBaseRayDataStruct r = ray;
  r.throughX = ray.startX;
  r.throughY = ray.startY;
  r.startX = static_cast<float>(ray.startX - dx);
  r.startY = static_cast<float>(ray.startY - dy);
  r.stepX = dx / length;
  r.stepY = dy / length;
  DeriveRay(r);
  return r;
}

RayLine PrepareRay(const DrawBaseRayDataStruct& ray) {
  return {MakeLine(ray.startX, ray.startY, ray.throughX, ray.throughY),
          DirectionAngle({ray.startX, ray.startY}, {ray.throughX, ray.throughY})};
}

SurfaceLine PrepareSurface(const DrawObjectLineDataStruct& s) {
  SurfaceLine line{SegmentLine(s), DirectionAngle({s.x1, s.y1}, {s.x2, s.y2})};
  line.box =
      std::isfinite(s.x1) && std::isfinite(s.y1) && std::isfinite(s.x2) && std::isfinite(s.y2);
  line.left = std::min(s.x1, s.x2);
  line.right = std::max(s.x1, s.x2);
  line.top = std::min(s.y1, s.y2);
  line.bottom = std::max(s.y1, s.y2);
  return line;
}

int IntersectRay(const DrawBaseRayDataStruct& ray, const DrawObjectLineDataStruct& s,
                 TPointF& out) {
  return IntersectRay(ray, PrepareRay(ray), s, PrepareSurface(s), out);
}

namespace {

// The arc's half of the hit test, apart so that the straight half, met far
// more often, stays small.
[[gnu::noinline]] int IntersectArc(const DrawBaseRayDataStruct& ray, const RayLine& rayLine,
                                   const DrawObjectLineDataStruct& s, TPointF& out) {
  const TPointF start{ray.startX, ray.startY}, through{ray.throughX, ray.throughY};
  const double theta = rayLine.theta;
  const double dirX = double(through.x) - start.x, dirY = double(through.y) - start.y;
  const TPointF c = s.ArcCentre();
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
    const int quick = QuickHalfDegree(dirX, dirY, double(p.x) - through.x, double(p.y) - through.y);
    if (quick == 0 || (quick < 0 && !(AngleGap(DirectionAngle(through, p), theta) < 0.5)))
      return false;
    const double phi = DirectionAngle(c, p);
    if (!AngleOnArc(phi, s.ArcStartAngle(), s.ArcEndAngle())) return false;
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

// The hit test, inline here for the search over every face.
// What it reads of the ray, read once for all faces.
struct RayProbe {
  explicit RayProbe(const DrawBaseRayDataStruct& ray)
      : through{ray.throughX, ray.throughY},
        dirX(double(ray.throughX) - ray.startX),
        dirY(double(ray.throughY) - ray.startY) {}
  TPointF through;
  double dirX, dirY;
};

[[gnu::always_inline]] inline int HitTest(const DrawBaseRayDataStruct& ray, const RayLine& rayLine,
                                          const RayProbe& probe, const DrawObjectLineDataStruct& s,
                                          const SurfaceLine& surfaceLine, TPointF& out) {
  if (s.shape == kShapeArc) return IntersectArc(ray, rayLine, s, out);
  const TPointF through = probe.through;
  const double theta = rayLine.theta;
  const double dirX = probe.dirX, dirY = probe.dirY;
  double x = 0, y = 0;
  if (!IntersectLines(rayLine.line, surfaceLine.line, x, y)) return 0;
  out = {static_cast<float>(x), static_cast<float>(y)};
  if (s.shape == kShapeSegment && !InBox(out, s, surfaceLine)) return 0;
  // A point behind the through point lies more than 90 degrees off the
  // ray's direction: the angle test below would refuse it, at an atan2.
  const double aheadX = double(out.x) - through.x, aheadY = double(out.y) - through.y;
  if (aheadX * dirX + aheadY * dirY < 0) return 0;
  // The face the ray has just left (within 0.1 px) is never hit again; tested
  // before the angle, as every continued ray meets it.
  if (std::fabs(aheadX) < 0.1 && std::fabs(aheadY) < 0.1) return 0;
  const int quick = QuickHalfDegree(dirX, dirY, aheadX, aheadY);
  if (quick == 0 || (quick < 0 && AngleGap(DirectionAngle(through, out), theta) > 0.5)) return 0;
  double d = theta - surfaceLine.direction;
  if (d < 0) d += 360;
  return (d <= 0 || d >= 180) ? 2 : 1;
}

}  // namespace

int IntersectRay(const DrawBaseRayDataStruct& ray, const RayLine& rayLine,
                 const DrawObjectLineDataStruct& s, const SurfaceLine& surfaceLine, TPointF& out) {
  return HitTest(ray, rayLine, RayProbe(ray), s, surfaceLine, out);
}

bool NearestOfEvery(const DrawBaseRayDataStruct& ray, const RayLine& rayLine,
                    std::span<const DrawObjectLineDataStruct> surfaces,
                    std::span<const SurfaceLine> lines, TPointF through,
                    TLinkIntersection& nearest) {
  const RayProbe probe(ray);
  const RayLine line = rayLine;
  std::size_t found = 0;
  float bestDistance = 0;
  for (std::size_t i = 0; i < surfaces.size(); ++i) {
    TPointF point;
    const int code = HitTest(ray, line, probe, surfaces[i], lines[i], point);
    if (code == 0) continue;
    if (found++ == 0) {
      nearest = {point.x, point.y, &surfaces[i], code};
      continue;
    }
    if (found == 2) bestDistance = Distance({nearest.x, nearest.y}, through);
    const float d = Distance(point, through);
    if (d < bestDistance) {
      nearest = {point.x, point.y, &surfaces[i], code};
      bestDistance = d;
    }
  }
  return found != 0;
}

int IntersectSegments(const DrawObjectLineDataStruct& a, const DrawObjectLineDataStruct& b,
                      TPointF& out) {
  double x = 0, y = 0;
  switch (a.shape) {
    case kShapeArc: {
      const TPointF c = a.ArcCentre();
      const TPointF f = PerpendicularFoot(c, {b.x1, b.y1}, {b.x2, b.y2});
      const double d = Distance(c, f);
      if (d > a.radius) return 0;
      const double h = std::sqrt(double(a.radius) * a.radius - d * d);
      const double dir = DirectionAngle({b.x1, b.y1}, {b.x2, b.y2});
      for (double sign : {1.0, -1.0}) {
        const TPointF p = PointAt(f, dir, sign * h);
        if (InBox(p.x, p.y, b.x1, b.y1, b.x2, b.y2) &&
            AngleOnArc(DirectionAngle(c, p), a.ArcStartAngle(), a.ArcEndAngle())) {
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
