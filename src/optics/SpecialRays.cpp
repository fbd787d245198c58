#include "optics/SpecialRays.h"

#include <cmath>
#include <limits>

#include "optics/PlaneMath.h"
#include "optics/RayGeometry.h"

namespace {

// The rays leave the source this far from it: the tracer draws from there
// on, under the source's disc, along the line of the two float points. A
// lens images a ray's start, so the start stays on the source.
constexpr double kLead = 5;
// An end nearer its element's axis than this forms no image of its own from
// the special rays: they coincide.
constexpr double kOnAxis = 0.5;

struct Vec {
  double x = 0, y = 0;
};
Vec From(TPointF a, TPointF b) { return {double(b.x) - a.x, double(b.y) - a.y}; }
double Dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y; }
std::optional<Vec> Unit(Vec v) {
  const double length = std::hypot(v.x, v.y);
  if (!(length > 1e-9) || !std::isfinite(length)) return std::nullopt;
  return Vec{v.x / length, v.y / length};
}

TPointF StartOf(const DrawBaseRayDataStruct& ray) { return {ray.startX, ray.startY}; }

DrawBaseRayDataStruct RayFrom(const DrawBaseRayDataStruct& model, TPointF source, Vec d,
                              std::uint8_t special) {
  DrawBaseRayDataStruct r = model;
  r.startX = source.x;
  r.startY = source.y;
  r.throughX = static_cast<float>(source.x + kLead * d.x);
  r.throughY = static_cast<float>(source.y + kLead * d.y);
  r.stepX = d.x;
  r.stepY = d.y;
  r.lastSurface = 0;
  r.special = special;
  DeriveRay(r);
  return r;
}

// The fan's ray as the trace draws it from the source.
std::optional<DrawBaseRayDataStruct> FanFromSource(const DrawBaseRayDataStruct& ray) {
  const auto d = Unit(From(StartOf(ray), {ray.throughX, ray.throughY}));
  if (!d) return std::nullopt;
  return RayFrom(ray, StartOf(ray), *d, DrawBaseRayDataStruct::kFanFromSource);
}

struct Target {
  ImagingElement element;
  const DrawObjectLineDataStruct* surface = nullptr;
};

// Whether the element lies ahead of a source at p whose light goes along
// `heading`, and the source before its reflecting side.
bool InFront(const Target& t, TPointF p, Vec heading) {
  const ImagingElement& e = t.element;
  if (!(Dot(From(p, e.centre), heading) > 0)) return false;
  const double ahead = Dot(From(p, e.centre), {e.axisX, e.axisY});
  if (e.lens) return ahead != 0;
  // A concave mirror reflects toward its centre of curvature, a convex one away.
  const double side = Dot(From(e.centre, p), From(e.centre, e.through));
  return e.concave ? side > 0 : side < 0;
}

// Along `d` or against it, whichever heads for the element (unit n).
Vec Toward(Vec d, Vec n) { return Dot(d, n) < 0 ? Vec{-d.x, -d.y} : d; }

// The three special rays from s, or nothing when s lies on the axis.
bool SpecialFrom(const Target& t, const DrawBaseRayDataStruct& model, TPointF s,
                 std::vector<DrawBaseRayDataStruct>& out) {
  const ImagingElement& e = t.element;
  const Vec axis{e.axisX, e.axisY};
  const Vec toCentre = From(s, e.centre);
  const double along = Dot(toCentre, axis);
  if (std::fabs(toCentre.x * axis.y - toCentre.y * axis.x) < kOnAxis) return false;
  const Vec n = along < 0 ? Vec{-axis.x, -axis.y} : axis;
  TPointF focus = e.focus;
  if (e.lens) {
    // The focus a ray parallel to the axis leaves through (or as if from),
    // as the tracer's thin-lens rule picks it; the third ray takes the other.
    const bool converging = t.surface->orientation != 2;
    const bool exitsLeft = (SideOf(*t.surface, s) == 1) == converging;
    focus = exitsLeft ? t.surface->RightFocus() : t.surface->LeftFocus();
    // A coloured ray's focal length is shortened by its factor, as at the lens.
    if (model.indexFactor > 0) {
      const Vec f = From(e.centre, focus);
      focus = {static_cast<float>(e.centre.x + f.x / model.indexFactor),
               static_cast<float>(e.centre.y + f.y / model.indexFactor)};
    }
  }
  out.push_back(RayFrom(model, s, n, DrawBaseRayDataStruct::kSpecialRay));
  for (const TPointF p : {e.through, focus}) {
    // A source on the centre or in the focus has no such ray.
    if (const auto d = Unit(From(s, p)))
      out.push_back(RayFrom(model, s, Toward(*d, n), DrawBaseRayDataStruct::kSpecialRay));
  }
  return true;
}

}  // namespace

std::optional<ImagingElement> ImagingElementOf(const DrawObjectLineDataStruct& s) {
  ImagingElement e;
  if (s.kind == kSurfaceIdealLens && s.shape == kShapeSegment) {
    e.lens = true;
    e.centre = Midpoint({s.x1, s.y1}, {s.x2, s.y2});
    e.through = e.centre;
    const auto axis = Unit(From(s.LeftFocus(), s.RightFocus()));
    if (!axis) return std::nullopt;
    e.axisX = axis->x;
    e.axisY = axis->y;
    return e;
  }
  if (s.kind != kSurfaceReflect || s.shape != kShapeArc || !(s.radius > 0) ||
      (s.orientation != 1 && s.orientation != 2) || !std::isfinite(s.radius))
    return std::nullopt;
  // Orientation 1 reflects on the arc's inner side: a concave mirror.
  e.concave = s.orientation == 1;
  double sweep = std::fmod(double(s.ArcEndAngle()) - s.ArcStartAngle(), 360.0);
  if (sweep < 0) sweep += 360;
  const double middle = Radians(s.ArcStartAngle() + sweep / 2);
  // Screen y grows downwards.
  e.axisX = std::cos(middle);
  e.axisY = -std::sin(middle);
  e.through = s.ArcCentre();
  e.centre = {static_cast<float>(e.through.x + s.radius * e.axisX),
              static_cast<float>(e.through.y + s.radius * e.axisY)};
  e.focus = Midpoint(e.through, e.centre);
  if (!std::isfinite(e.centre.x) || !std::isfinite(e.centre.y)) return std::nullopt;
  return e;
}

bool AimSpecialRays(const std::vector<DrawObjectLineDataStruct>& surfaces,
                    std::vector<DrawBaseRayDataStruct>& rays) {
  if (rays.empty() || rays.front().special != DrawBaseRayDataStruct::kAskSpecial) return false;
  // The source's ends in order, and where its fan points.
  std::vector<TPointF> ends;
  Vec heading;
  for (const auto& ray : rays) {
    const TPointF s = StartOf(ray);
    if (ends.empty() || !(ends.back() == s)) ends.push_back(s);
    if (const auto d = Unit(From(s, {ray.throughX, ray.throughY}))) {
      heading.x += d->x;
      heading.y += d->y;
    }
  }
  double mx = 0, my = 0;
  for (const TPointF p : ends) {
    mx += p.x;
    my += p.y;
  }
  const TPointF middle{float(mx / double(ends.size())), float(my / double(ends.size()))};
  std::optional<Target> best;
  double nearest = std::numeric_limits<double>::infinity();
  for (const auto& s : surfaces) {
    const auto element = ImagingElementOf(s);
    if (!element) continue;
    const Target t{*element, &s};
    const double d = Distance(middle, element->centre);
    if (d < nearest && InFront(t, middle, heading)) {
      nearest = d;
      best = t;
    }
  }
  std::vector<DrawBaseRayDataStruct> out;
  for (const TPointF end : ends) {
    const DrawBaseRayDataStruct* model = nullptr;
    for (const auto& ray : rays)
      if (StartOf(ray) == end && !model) model = &ray;
    if (best && SpecialFrom(*best, *model, end, out)) continue;
    for (const auto& ray : rays) {
      if (!(StartOf(ray) == end)) continue;
      if (const auto fan = FanFromSource(ray)) out.push_back(*fan);
    }
  }
  rays = std::move(out);
  return !best;
}
