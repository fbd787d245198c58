#include <QJsonArray>
#include <algorithm>
#include <cmath>

#include "files/RayOpticsFields.h"
#include "files/RayOpticsGeometry.h"
#include "files/RayOpticsMapper.h"
#include "objects/elements/Concave.h"
#include "objects/elements/FourPrism.h"
#include "objects/elements/Magnifier.h"
#include "objects/elements/PolygonGlass.h"
#include "objects/elements/ThreePrism.h"

// The glass bodies of a scene: polygons and circular segments, the concave
// lens, and spherical lenses given by their parameters.

using namespace rayoptics;

double RayOpticsMapper::GlassIndex(Fields& f) {
  const double a = f.Number("refIndex", 1.5), b = f.Number("cauchyB", 0.004);
  // With colours on the index is Cauchy's A; we take it at green light.
  const double n = settings_.simulateColors ? a + b / (0.54 * 0.54) : a;
  if (!(n > 0 && n < 100)) f.ok = false;
  return n;
}

bool RayOpticsMapper::CircularSegment(TPointF a, TPointF b, TPointF onArc, double index) {
  TPointF centre;
  if (!Circumcentre(a, b, onArc, centre)) return false;
  auto lens = std::make_unique<Magnifier>(canvas_);
  double angle1 = 0, angle2 = 0;
  ArcAngles(centre, a, b, onArc, angle1, angle2);
  lens->centre = centre;
  lens->radius = Distance(centre, onArc);
  lens->angle1 = float(angle1);
  lens->angle2 = float(angle2);
  lens->sweep = ArcObject::SweepOf(lens->angle1, lens->angle2);
  lens->refractiveIndex = float(index);
  lens->PlaceEnds();
  objects.push_back(std::move(lens));
  return true;
}

bool RayOpticsMapper::Glass(Fields& f, const char* pathKey) {
  const QJsonArray path = f.Array(pathKey);
  const double index = GlassIndex(f);
  if (!f.ok || path.size() > 10000) return false;
  std::vector<TPointF> points;
  std::vector<bool> arc;
  for (const QJsonValue& v : path) {
    points.push_back(f.PointOf(v));
    arc.push_back(v.toObject().value("arc").toBool(false));
  }
  if (!f.ok) return false;
  const int arcs = int(std::count(arc.begin(), arc.end(), true));
  if (points.size() == 3 && arcs == 1) {
    const std::size_t k = std::size_t(std::find(arc.begin(), arc.end(), true) - arc.begin());
    return CircularSegment(points[(k + 2) % 3], points[(k + 1) % 3], points[k], index);
  }
  if (points.size() == 5 && arcs == 1) {
    const std::size_t k = std::size_t(std::find(arc.begin(), arc.end(), true) - arc.begin());
    std::vector<TPointF> around;  // from the arc point on
    for (std::size_t i = 0; i < 5; ++i) around.push_back(points[(k + i) % 5]);
    return ConcaveLens(around, index);
  }
  if (arcs != 0) return false;
  if (points.size() == 3) {
    auto prism = std::make_unique<ThreePrism>(canvas_);
    prism->vertices = points;
    prism->refractiveIndex = float(index);
    objects.push_back(std::move(prism));
    return true;
  }
  if (points.size() == 4) {
    // Ours stays parallel to the page's axes.
    const bool axisParallel = (points[0].y == points[1].y && points[1].x == points[2].x &&
                               points[2].y == points[3].y && points[3].x == points[0].x) ||
                              (points[0].x == points[1].x && points[1].y == points[2].y &&
                               points[2].x == points[3].x && points[3].y == points[0].y);
    if (!axisParallel) return PolygonBody(f, points, index);
    auto slab = std::make_unique<FourPrism>(canvas_);
    slab->SetRectangle(points[0], points[2]);
    slab->refractiveIndex = float(index);
    objects.push_back(std::move(slab));
    return true;
  }
  return PolygonBody(f, points, index);
}

bool RayOpticsMapper::PolygonBody(Fields& f, const std::vector<TPointF>& points, double index) {
  if (points.size() < std::size_t(PolygonGlass::kMinVertices) ||
      points.size() > std::size_t(PolygonGlass::kMaxVertices))
    return false;
  double area = 0;
  for (std::size_t i = 0; i < points.size(); ++i) {
    const TPointF a = points[i], b = points[(i + 1) % points.size()];
    area += double(a.x) * b.y - double(b.x) * a.y;
  }
  if (!(std::abs(area) > 1e-6)) {
    f.ok = false;  // no inside: nothing to refract
    return false;
  }
  auto body = std::make_unique<PolygonGlass>(canvas_);
  body->vertices = points;
  body->refractiveIndex = float(index);
  objects.push_back(std::move(body));
  return true;
}

bool RayOpticsMapper::ConcaveLens(const std::vector<TPointF>& around, double index) {
  // around: the arc's middle, one arc end, the two back corners, the other
  // arc end. Ours is a concave arc with a back parallel to its chord.
  TPointF centre;
  if (!Circumcentre(around[4], around[0], around[1], centre)) return false;
  const double radius = Distance(centre, around[0]);
  if (!(radius < kMaxCoordinate) || Distance(centre, around[2]) <= radius ||
      Distance(centre, around[3]) <= radius)
    return false;
  auto lens = std::make_unique<Concave>(canvas_);
  double angle1 = 0, angle2 = 0;
  ArcAngles(centre, around[4], around[1], around[0], angle1, angle2);
  lens->centre = centre;
  lens->radius = float(radius);
  lens->angle1 = float(angle1);
  lens->angle2 = float(angle2);
  lens->sweep = ArcObject::SweepOf(lens->angle1, lens->angle2);
  if (lens->sweep >= 180) return false;
  // The back's distance from the centre, along the axis through the arc's middle.
  const Vec axis = Sub(around[0], centre);
  const TPointF back = Midpoint(around[2], around[3]);
  const Vec toBack = Sub(back, centre);
  lens->thickness = float((axis.x * toBack.x + axis.y * toBack.y) / Len(axis) - radius);
  lens->PlaceEnds();
  // Only a back that our lens gives is ours; another shape is not mapped.
  const bool same =
      (Distance(lens->corners[1], around[2]) < 0.5 &&
       Distance(lens->corners[2], around[3]) < 0.5) ||
      (Distance(lens->corners[1], around[3]) < 0.5 && Distance(lens->corners[2], around[2]) < 0.5);
  if (!same) return false;
  lens->refractiveIndex = float(index);
  objects.push_back(std::move(lens));
  return true;
}

bool RayOpticsMapper::SphericalLens(Fields& f) {
  if (f.Raw("path").isArray()) return Glass(f, "path");
  // Defined by its parameters: only a plano-convex lens whose edge is thin
  // is a circular segment.
  const TPointF p1 = f.Point("p1"), p2 = f.Point("p2");
  const double index = GlassIndex(f);
  const QJsonObject params = f.Raw("params").toObject();
  if (!f.ok || f.Text("defBy", "DR1R2") != "DR1R2") return false;
  auto radiusOf = [&](const char* key) {
    const QJsonValue v = params.value(key);
    if (v.isString() && v.toString().contains("inf")) return HUGE_VAL;
    return v.isDouble() ? v.toDouble() : std::nan("");
  };
  const double d = params.value("d").toDouble(std::nan("")), r1 = radiusOf("r1"),
               r2 = radiusOf("r2");
  const Vec along = Sub(p2, p1);
  const double h = Len(along);
  if (!std::isfinite(d) || h <= 0) return false;
  const bool flatRight = std::isinf(r2) && std::isfinite(r1) && r1 > 0;
  const bool flatLeft = std::isinf(r1) && std::isfinite(r2) && r2 < 0;
  if (!flatRight && !flatLeft) return false;
  const double r = flatRight ? r1 : -r2;
  if (r < h / 2) return false;
  const double sag = r - std::sqrt(r * r - h * h / 4);
  if (std::abs(sag - d) > 0.5) return false;
  // "Left" of a lens drawn downward is toward smaller x.
  const Vec left{-along.y / h, along.x / h};
  const TPointF middle{float((p1.x + p2.x) / 2), float((p1.y + p2.y) / 2)};
  const double flatSide = flatRight ? d / 2 : -d / 2;
  const TPointF a = Add(Add(middle, left, -flatSide), along, -0.5);
  const TPointF b = Add(Add(middle, left, -flatSide), along, 0.5);
  const TPointF vertex = Add(middle, left, flatSide);
  return CircularSegment(a, b, vertex, index);
}
