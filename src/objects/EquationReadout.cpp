#include "objects/EquationReadout.h"

#include <cmath>
#include <cstdio>

#include "objects/elements/ImagingSystem.h"
#include "optics/PlaneMath.h"
#include "optics/RayGeometry.h"

namespace {

constexpr double kNearlyOneAxis = 0.17365;  // sin 10 degrees

// An element reduced to its axis: where distances are counted from, the
// unit normal toward the side where a real image forms (a lens's is set per
// object), the unit tangent, and f.
struct Element {
  std::string name;
  TPointF vertex;
  double nx = 0, ny = 0;
  double f = 0;
  bool lens = false;
  // A curved mirror: its centre of curvature, radius and the middle of its
  // arc (unit, from the centre).
  bool mirror = false, concave = false;
  TPointF centre;
  double radius = 0, midX = 0, midY = 0;
  std::vector<DrawObjectLineDataStruct> surfaces;
};

struct Luminous {
  std::string name;
  TPointF point, end;  // an arrow's A and B; a point source's point twice
  float indexFactor = 1;
  std::vector<DrawBaseRayDataStruct> rays;
};

// Whether a ray of the source, from the source on, meets the element: the
// equation describes no image where the trace forms none.
bool Reaches(const Luminous& source, const Element& e) {
  for (const auto& ray : source.rays) {
    const auto probe = FromItsStart(ray);
    if (!probe) continue;
    for (const auto& s : e.surfaces) {
      TPointF at;
      if (IntersectRay(*probe, s, at) != 0) return true;
    }
  }
  return false;
}

// The image of an object u before the element along the axis (nx, ny), the
// object and its other end where the element sees them; false when it lies
// at infinity.
bool FormImage(const Element& e, double u, double f, double nx, double ny, TPointF object,
               TPointF end, const std::string& source, std::vector<EquationReadout>& out) {
  EquationReadout r;
  r.element = e.name;
  r.source = source;
  r.f = f;
  r.u = u;
  r.axisX = nx;
  r.axisY = ny;
  if (u == 0 || u == f || !std::isfinite(f)) {
    r.finite = false;
    out.push_back(r);
    return false;
  }
  r.v = u * f / (u - f);
  r.m = -r.v / u;
  r.real = r.v > 0;
  r.upright = r.m > 0;
  // The object's height across the axis scales by m.
  const double tx = -ny, ty = nx;
  auto imageOf = [&](TPointF p) {
    const double height = (double(p.x) - e.vertex.x) * tx + (double(p.y) - e.vertex.y) * ty;
    return TPointF{float(e.vertex.x + r.v * nx + r.m * height * tx),
                   float(e.vertex.y + r.v * ny + r.m * height * ty)};
  };
  r.image = imageOf(object);
  r.imageEnd = imageOf(end);
  out.push_back(r);
  return std::isfinite(r.image.x) && std::isfinite(r.image.y) && std::isfinite(r.imageEnd.x) &&
         std::isfinite(r.imageEnd.y);
}

void Solve(Element e, const Luminous& source, std::vector<EquationReadout>& out) {
  if (e.mirror) {
    // Every line through the centre is an axis of the sphere: the one
    // through the source, met on the arc's side, is where the rays image it.
    double dx = double(source.point.x) - e.centre.x, dy = double(source.point.y) - e.centre.y;
    const double d = std::hypot(dx, dy);
    if (!(d > 0)) return;
    dx /= d;
    dy /= d;
    if (dx * e.midX + dy * e.midY < 0) {
      dx = -dx;
      dy = -dy;
    }
    e.vertex = {float(e.centre.x + e.radius * dx), float(e.centre.y + e.radius * dy)};
    // A concave mirror reflects toward its centre, a convex one away.
    e.nx = e.concave ? -dx : dx;
    e.ny = e.concave ? -dy : dy;
  }
  double nx = e.nx, ny = e.ny;
  const double px = double(source.point.x) - e.vertex.x, py = double(source.point.y) - e.vertex.y;
  double u = px * nx + py * ny;
  if (e.lens) {
    // Light crosses a lens: the real image forms on the far side.
    if (u > 0) {
      nx = -nx;
      ny = -ny;
    } else {
      u = -u;
    }
  }
  if (!(u > 0)) return;  // behind a mirror
  const double f = e.lens && source.indexFactor > 0 ? e.f / source.indexFactor : e.f;
  FormImage(e, u, f, nx, ny, source.point, source.end, source.name, out);
}

bool ElementOf(DrawObjectUnit& object, Element& e) {
  if (!object.Imaging()) return false;
  if (auto* system = dynamic_cast<ImagingSystem*>(&object)) {
    // Its lens stands across a horizontal axis; its object is on the left.
    e.vertex = Midpoint(system->lensTop, system->lensBottom);
    e.nx = -1;
    e.f = system->focalLength;
    e.lens = true;
    return true;
  }
  const auto surfaces = object.GetSurfaces();
  if (surfaces.size() != 1) return false;
  const DrawObjectLineDataStruct& s = surfaces.front();
  if (s.kind == kSurfaceIdealLens && s.shape == kShapeSegment) {
    e.vertex = Midpoint({s.x1, s.y1}, {s.x2, s.y2});
    const double dx = double(s.x2) - s.x1, dy = double(s.y2) - s.y1;
    const double length = std::hypot(dx, dy);
    if (!(length > 0)) return false;
    e.nx = -dy / length;
    e.ny = dx / length;
    e.f = Distance(e.vertex, s.LeftFocus());
    if (s.orientation == 2) e.f = -e.f;
    e.lens = true;
    e.surfaces = surfaces;
    return true;
  }
  if (s.kind == kSurfaceReflect && s.shape == kShapeArc && s.radius > 0) {
    // Orientation 1 reflects on the arc's inner side: a concave mirror.
    const bool concave = s.orientation == 1;
    double sweep = std::fmod(double(s.ArcEndAngle()) - s.ArcStartAngle(), 360.0);
    if (sweep < 0) sweep += 360;
    const double middle = Radians(s.ArcStartAngle() + sweep / 2);
    // Screen y grows downwards.
    e.midX = std::cos(middle);
    e.midY = -std::sin(middle);
    e.centre = s.ArcCentre();
    e.radius = s.radius;
    e.mirror = true;
    e.concave = concave;
    e.f = concave ? s.radius / 2.0 : -s.radius / 2.0;
    e.surfaces = surfaces;
    return true;
  }
  return false;
}

// A lens meets light travelling along (dx, dy) from `object`: u counts
// against the light (negative: the image of a lens before, still to form).
// Returns whether the image is finite, for the next lens.
bool SolveLens(const Element& e, TPointF object, TPointF end, double dx, double dy,
               const Luminous& source, std::vector<EquationReadout>& out) {
  const double nx = dx, ny = dy;
  const double px = double(object.x) - e.vertex.x, py = double(object.y) - e.vertex.y;
  const double u = -(px * nx + py * ny);
  const double f = source.indexFactor > 0 ? e.f / source.indexFactor : e.f;
  return FormImage(e, u, f, nx, ny, object, end, source.name, out);
}

// The lenses one after the other on the light's way from a source: the
// nearest that its rays reach first, then each next lens ahead on the same axis images the image
// of the one before.
void SolveLensChain(const std::vector<Element>& lenses, const Luminous& source,
                    std::vector<EquationReadout>& out) {
  const Element* current = nullptr;
  double best = 0;
  for (const auto& e : lenses) {
    const double u = std::fabs((double(source.point.x) - e.vertex.x) * e.nx +
                               (double(source.point.y) - e.vertex.y) * e.ny);
    // Of lenses side by side across the light, the one its rays meet.
    if (u > 0 && (!current || u < best) && Reaches(source, e)) {
      current = &e;
      best = u;
    }
  }
  if (!current) return;
  // Along the axis, away from the source.
  double dx = current->nx, dy = current->ny;
  if ((double(source.point.x) - current->vertex.x) * dx +
          (double(source.point.y) - current->vertex.y) * dy >
      0) {
    dx = -dx;
    dy = -dy;
  }
  TPointF object = source.point, end = source.end;
  double chainM = 1;
  for (std::size_t step = 0; current && step < lenses.size(); ++step) {
    // Each lens counts along its own axis, in the light's direction.
    if (current->nx * dx + current->ny * dy < 0) {
      dx = -current->nx;
      dy = -current->ny;
    } else {
      dx = current->nx;
      dy = current->ny;
    }
    const bool finite = SolveLens(*current, object, end, dx, dy, source, out);
    chainM *= out.back().m;
    if (step > 0) {
      out.back().chained = true;
      out.back().chainM = chainM;
    }
    if (!finite) return;
    object = out.back().image;
    end = out.back().imageEnd;
    const Element* next = nullptr;
    double nearest = 0;
    for (const auto& e : lenses) {
      const double ahead = (double(e.vertex.x) - current->vertex.x) * dx +
                           (double(e.vertex.y) - current->vertex.y) * dy;
      // A lens tilted a little from the axis still images what comes to it.
      const bool sameAxis = std::fabs(e.nx * dy - e.ny * dx) < kNearlyOneAxis;
      if (&e != current && ahead > 0 && sameAxis && (!next || ahead < nearest)) {
        next = &e;
        nearest = ahead;
      }
    }
    current = next;
  }
}

}  // namespace

std::vector<EquationReadout> ReadEquations(const ObjectList& scene) {
  const auto names = SerialNames(scene);
  std::vector<Luminous> sources;
  for (std::size_t i = 0; i < scene.size(); ++i) {
    const auto& object = scene[i];
    if (!object->isDrawn) continue;
    auto rays = object->GetBaseRays();
    if (rays.empty() || (rays.front().sourceKind != 1 && rays.front().sourceKind != 2)) continue;
    // A point source's point, a luminous arrow's first end A (its image is
    // A') and, from the last ray, its other end B.
    const TPointF point{rays.front().startX, rays.front().startY};
    const TPointF end{rays.back().startX, rays.back().startY};
    sources.push_back({names[i], point, end, rays.front().indexFactor, std::move(rays)});
  }
  std::vector<EquationReadout> out;
  std::vector<Element> lenses;
  for (std::size_t i = 0; i < scene.size(); ++i) {
    const auto& object = scene[i];
    Element e;
    if (!object->isDrawn || !ElementOf(*object, e)) continue;
    e.name = names[i];
    if (auto* system = dynamic_cast<ImagingSystem*>(object.get())) {
      Solve(e, {e.name, system->a, system->b, 1, {}}, out);
    } else if (e.lens) {
      lenses.push_back(e);
    } else {
      for (const auto& source : sources)
        if (Reaches(source, e)) Solve(e, source, out);
    }
  }
  for (const auto& source : sources) SolveLensChain(lenses, source, out);
  return out;
}

std::string EquationLine(const EquationReadout& r) {
  if (!r.finite) {
    char text[96];
    std::snprintf(text, sizeof text, "%.3f\t%.3f\tinf\tinf\t-\t-", r.f, r.u);
    return text;
  }
  char text[160];
  std::snprintf(text, sizeof text, "%.3f\t%.3f\t%.3f\t%.3f\t%s\t%s", r.f, r.u, r.v, r.m,
                r.real ? "real" : "virtual", r.upright ? "upright" : "inverted");
  return text;
}
