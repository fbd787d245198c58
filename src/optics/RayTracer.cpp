#include "optics/RayTracer.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "i18n/Convert.h"
#include "optics/Fresnel.h"
#include "optics/LawLabels.h"
#include "optics/PlaneMath.h"
#include "optics/RayGeometry.h"

// Two choices the tracer makes on its own:
// - Angle labels are measured against the normal at the hit, so the normal's
//   ends are computed at every hit, whether or not normals are drawn.
// - A ray entering a medium whose effective index (index x ray factor) is at
//   most 0, or below 1 at an angle where sin(i)/n exceeds 1, has no refracted
//   direction: it ends at the hit. The same holds for an ideal lens met by a
//   ray whose index factor is not positive, and for any continuation whose
//   direction is not a finite number.

namespace {

constexpr double kMissLength = 1000;  // a ray that hits nothing
constexpr double kMissArrowAt = 50;   // its arrowhead, from the through point
constexpr double kNormalHalf = 70;    // on each side of the hit
constexpr double kExtensionLength = 500;
constexpr double kLabelDistance = 50;

// Angle to the normal of a direction, from its angle to the tangent v.
double AngleToNormal(double direction, double v) {
  double e = std::fmod(direction - v, 180.0);
  if (e < 0) e += 180;
  return std::fabs(90 - e);
}

double Sin(double degrees) { return std::sin(Radians(degrees)); }
double Asin(double value) { return Degrees(std::asin(value)); }

TPointF ThroughOf(const DrawBaseRayDataStruct& ray) { return {ray.throughX, ray.throughY}; }
TPointF StartOf(const DrawBaseRayDataStruct& ray) { return {ray.startX, ray.startY}; }

// The acute angle a measured difference stands for.
float Acute(float d) {
  float x = std::fmod(d, 180.0f);
  if (x > 90) x = 180 - x;
  return x;
}

DrawObjectLineDataStruct UnboundedLine(TPointF a, TPointF b) {
  DrawObjectLineDataStruct line = MakeSegment(a, b);
  line.shape = kShapeLine;
  return line;
}

// Whether the lines a-b and c-d meet at less than a degree. The start point
// then lies on the axis or next to it (or near the focal plane), where their
// intersection in floats can miss the image by hundreds of pixels.
bool NearlyOneLine(TPointF a, TPointF b, TPointF c, TPointF d) {
  const double ux = double(b.x) - a.x, uy = double(b.y) - a.y;
  const double vx = double(d.x) - c.x, vy = double(d.y) - c.y;
  const double cross = std::fabs(ux * vy - uy * vx), dot = std::fabs(ux * vx + uy * vy);
  constexpr double kTanOneDegree = 0.017455;
  return cross <= kTanOneDegree * dot;
}

// Where the construction lines are (nearly) parallel or (nearly) the same
// line, the thin-lens formula, in doubles, gives the image instead.
// first == false: the image is at infinity.
std::optional<std::pair<bool, TPointF>> ImageByLensFormula(TPointF p1, TPointF p2, TPointF o,
                                                           TPointF start, TPointF focus) {
  const double lx = double(p2.x) - p1.x, ly = double(p2.y) - p1.y;
  const double length = std::hypot(lx, ly);
  if (!(length > 0)) return std::nullopt;
  const double tx = lx / length, ty = ly / length;
  double ex = -ty, ey = tx;  // axis, pointing away from the start point's side
  double objectDistance = (double(o.x) - start.x) * ex + (double(o.y) - start.y) * ey;
  if (objectDistance < 0) {
    ex = -ex;
    ey = -ey;
    objectDistance = -objectDistance;
  }
  if (!(objectDistance > 0)) return std::nullopt;
  const double height = (double(start.x) - o.x) * tx + (double(start.y) - o.y) * ty;
  const double focal = (double(focus.x) - o.x) * ex + (double(focus.y) - o.y) * ey;
  if (objectDistance == focal) return std::make_pair(false, TPointF{});
  const double imageDistance = objectDistance * focal / (objectDistance - focal);
  const double imageHeight = -height * imageDistance / objectDistance;
  const TPointF image{static_cast<float>(o.x + imageDistance * ex + imageHeight * tx),
                      static_cast<float>(o.y + imageDistance * ey + imageHeight * ty)};
  if (!std::isfinite(image.x) || !std::isfinite(image.y)) return std::make_pair(false, image);
  return std::make_pair(true, image);
}

}  // namespace

// The nearest acceptable hit of the ray, or null. The hit test reads only
// the ray's start and through points (its line and direction follow from
// them), so a ray with the very points of the one before (the colours of a
// composite beam, until a medium parts them) meets the same hit.
// Inline, as is the search over every face: called at every ray piece.
[[gnu::always_inline]] inline const TLinkIntersection* RayTracer::FindHit(
    const DrawBaseRayDataStruct& ray, const RayLine& rayLine, TPointF through) {
  const std::array<std::uint32_t, 4> key{
      std::bit_cast<std::uint32_t>(ray.startX), std::bit_cast<std::uint32_t>(ray.startY),
      std::bit_cast<std::uint32_t>(ray.throughX), std::bit_cast<std::uint32_t>(ray.throughY)};
  lastTests_ = 1;
  if (lastValid_ && key == lastKey_) {
    faceTests_ += lastTests_;
    return lastHit_;
  }
  lastKey_ = key;
  lastValid_ = true;
  if (index_.Built()) {
    lastHit_ = SearchIndex(ray, rayLine, through);
  } else {
    lastTests_ = std::max<long long>(1, static_cast<long long>(surfaces_.size()));
    lastHit_ =
        NearestOfEvery(ray, rayLine, surfaces_, lines_, through, nearest_) ? &nearest_ : nullptr;
  }
  faceTests_ += lastTests_;
  return lastHit_;
}

const TLinkIntersection* RayTracer::SearchIndex(const DrawBaseRayDataStruct& ray,
                                                const RayLine& rayLine, TPointF through) {
  hits_.clear();
  long long tests = 0;
  auto test = [&](std::size_t i) {
    ++tests;
    TPointF point;
    const int code = IntersectRay(ray, rayLine, surfaces_[i], lines_[i], point);
    if (code != 0) hits_.push_back({point.x, point.y, &surfaces_[i], code});
  };
  float best = std::numeric_limits<float>::infinity();
  const bool narrowed = index_.Query(through, rayLine.theta, [&](std::uint32_t i) {
    const std::size_t before = hits_.size();
    test(i);
    if (hits_.size() > before)
      best = std::min(best, Distance({hits_.back().x, hits_.back().y}, through));
    return best;
  });
  if (narrowed) {
    // Faces came out of the index in its order; the tie-break wants theirs.
    std::sort(hits_.begin(), hits_.end(),
              [](const TLinkIntersection& a, const TLinkIntersection& b) {
                return a.surface < b.surface;
              });
  } else {
    for (std::size_t i = 0; i < surfaces_.size(); ++i) test(i);
  }
  lastTests_ = std::max(1LL, tests);
  return NearestHit(hits_, through);
}

void RayTracer::TraceRay(const DrawBaseRayDataStruct& ray, const RayLine& rayLine,
                         std::vector<DrawBaseRayDataStruct>& next,
                         std::vector<RayLine>& nextLines) {
  const TPointF through = ThroughOf(ray);
  const TLinkIntersection* hit = FindHit(ray, rayLine, through);
  if (!hit) {
    sink_.RayPiece(through, PointAt(through, ray.direction, kMissLength), ray);
    sink_.Arrow(PointAt(through, ray.direction, kMissArrowAt), ray.direction, ray);
    return;
  }
  const DrawObjectLineDataStruct& s = *hit->surface;
  const TPointF h{hit->x, hit->y};
  const bool arc = s.shape == kShapeArc;
  const TPointF centre = s.ArcCentre();

  double v = 0;  // tangent at the hit
  if (arc) {
    const double phi = DirectionAngle(centre, h);
    if (s.orientation == 2) {
      v = phi + 90;
      if (v > 360) v -= 360;
    } else {
      v = phi - 90;
      if (v < 0) v += 360;
    }
  } else {
    v = lines_[std::size_t(hit->surface - surfaces_.data())].direction;
  }
  const double u = ray.direction;
  double rho = 2 * v - u;
  if (rho < 0) {
    rho += 360;
  } else if (rho > 360) {
    rho -= 360;
  }

  sink_.RayPiece(through, h, ray);
  sink_.Arrow(Midpoint(through, h), ray.direction, ray);
  // The normal's ends and directions only when something shows them.
  float nA = 0, nB = 0;
  // A blocker only ends the ray: no normal, no angle.
  if ((options_.drawNormals || options_.showAngles) && s.kind != kSurfaceAbsorb) {
    const PolarStep normal =
        arc ? StepOf(double(DirectionAngle(h, centre))) : StraightNormal(*hit->surface, v);
    const TPointF n1 = PointAt(h, normal, kNormalHalf), n2 = PointAt(h, normal, -kNormalHalf);
    if (options_.drawNormals) sink_.Normal(n1, n2);
    if (options_.showAngles) {
      nA = DirectionAngle(n2, n1);
      nB = DirectionAngle(n1, n2);
      IncidenceLabel(h, through, nA, nB);
    }
  }

  bool twoSided = false;
  std::optional<double> theta;
  // A face that shares the light out sends a second ray: its direction and
  // the shares of the two.
  std::optional<double> second;
  double share = 1, secondShare = 0;
  bool straightSecond = false;
  switch (s.kind) {
    case kSurfaceReflect:
      if (s.orientation == 3) {
        theta = rho;
        twoSided = true;
      } else if (hit->code == 1) {
        theta = rho;
      }  // code 2: absorbed by the back
      break;
    case kSurfaceRefract: {
      bool reflected = false;
      theta = Refract(s, ray, hit->code, u, v, reflected);
      if (theta && !reflected && options_.partialReflection) {
        const double n = double(s.refractiveIndex) * ray.indexFactor;
        const double r =
            FresnelReflectance(hit->code == 1 ? 1 : n, hit->code == 1 ? n : 1, AngleToNormal(u, v));
        share = 1 - r;
        secondShare = r;
        second = rho;
      }
      break;
    }
    case kSurfaceIdealLens:
      theta = ThinLens(s, ray, h);
      break;
    case kSurfaceAbsorb:
      if (s.Screen()) sink_.Spot(h, ray);
      break;
    case kSurfaceSplit:
      share = std::clamp(double(s.ReflectedFraction()), 0.0, 1.0);
      theta = rho;
      secondShare = 1 - share;
      second = u;
      straightSecond = true;
      break;
    default:
      break;
  }
  if (!theta || !std::isfinite(*theta)) return;
  if (options_.reportHits) {
    ReportHit(h, s, ray, hit->code, u, v, *theta);
    // The splitter's first ray is the reflected one, a glass face's the refracted.
    if (second) {
      sink_.Shares(straightSecond ? share : secondShare, straightSecond ? secondShare : share);
    }
  }
  const std::size_t face = std::size_t(hit->surface - surfaces_.data());
  Continue(ray, h, face, *theta, share, twoSided ? kTwoSided : kFirst, nA, nB, next, nextLines);
  // The second ray of a face forms images of its own. Going straight on, its
  // backward extension would only cover the ray that came.
  if (second)
    Continue(ray, h, face, *second, secondShare, straightSecond ? kStraightOn : kSecond, nA, nB,
             next, nextLines);
}

void RayTracer::Continue(const DrawBaseRayDataStruct& ray, TPointF h, std::size_t face,
                         double theta, double share, Branch branch, float nA, float nB,
                         std::vector<DrawBaseRayDataStruct>& next,
                         std::vector<RayLine>& nextLines) {
  // Exactly the ray's brightness when it keeps all of its light.
  const float brightness = share == 1 ? ray.brightness : float(ray.brightness * share);
  if (!(brightness >= options_.minBrightness)) return;
  const PolarStep out = outStep_.Of(theta);
  if (options_.drawReverse && branch != kStraightOn) {
    Tag(shown_, root_);
    sink_.Extension(h, PointAt(h, out, -kExtensionLength));
    Tag(generation_, root_);
  }
  // Made in place: the ray is copied once. (`ray` never lies in `next`.)
  DrawBaseRayDataStruct& continued = next.emplace_back(ray);
  nextLines.push_back(ContinueRay(continued, h, theta, out));
  continued.brightness = brightness;
  // No image is constructed through a two-sided reflector.
  if (branch == kTwoSided) continued.sourceKind = 0;
  // Rays of one source through one surface form one image: a surface is
  // known by its place in this trace.
  if (continued.sourceKind > 0) {
    const int place = static_cast<int>(face) + 1;
    continued.lastSurface = branch == kSecond || branch == kStraightOn ? -place : place;
  }
  if (options_.showAngles) OutgoingLabel(h, theta, nA, nB);
}

// The law at the hit, for the sinks that show it.
void RayTracer::ReportHit(TPointF h, const DrawObjectLineDataStruct& s,
                          const DrawBaseRayDataStruct& ray, int code, double u, double v,
                          double theta) {
  if (s.kind == kSurfaceIdealLens) return;
  const double t1 = AngleToNormal(u, v), t2 = AngleToNormal(theta, v);
  double n1 = 0, n2 = 0;
  if (s.kind == kSurfaceRefract) {
    const double n = double(s.refractiveIndex) * ray.indexFactor;
    n1 = code == 1 ? 1 : n;
    n2 = code == 1 ? n : 1;
    if (code == 2 && Sin(t1) * n > 1) n1 = n2 = 0;  // totally reflected
  }
  sink_.Hit(h, n1, n2, t1, t2);
}

// A straight face's normal is the same at every hit: worked out at its first.
[[gnu::always_inline]] inline const PolarStep& RayTracer::StraightNormal(
    const DrawObjectLineDataStruct& s, double v) {
  const std::size_t i = std::size_t(&s - surfaces_.data());
  if (normals_.empty()) normals_.resize(surfaces_.size());
  if (!normals_[i]) normals_[i] = StepOf(v + 90);
  return *normals_[i];
}

std::optional<double> RayTracer::Refract(const DrawObjectLineDataStruct& s,
                                         const DrawBaseRayDataStruct& ray, int code, double u,
                                         double v, bool& reflected) {
  const double n = double(s.refractiveIndex) * ray.indexFactor;
  double e = u - v;
  if (e < 0) e += 360;
  double m = 0;
  if (code == 1) {  // entering
    const double g = e - 90;
    if (!(n > 0)) return std::nullopt;
    const double q = Sin(std::fabs(g)) / n;
    if (q > 1) return std::nullopt;
    const double r = Asin(q);
    m = g <= 0 ? 90 - r : 90 + r;
  } else {  // leaving
    const double g = e - 270;
    const double k = Sin(std::fabs(g)) * n;
    if (k > 1) {
      m = 90 - g;  // total internal reflection
      reflected = true;
    } else {
      const double r = Asin(std::max(-1.0, k));
      m = g <= 0 ? 270 - r : 270 + r;
    }
  }
  return v + m;
}

std::optional<double> RayTracer::ThinLens(const DrawObjectLineDataStruct& s,
                                          const DrawBaseRayDataStruct& ray, TPointF h) {
  const TPointF p1{s.x1, s.y1}, p2{s.x2, s.y2};
  const TPointF o = Midpoint(p1, p2);
  const TPointF start = StartOf(ray);
  const int side = SideOf(s, start);
  const TPointF q = PerpendicularFoot(start, p2, p1);
  const bool converging = s.orientation != 2;
  const TPointF f = (side == 1) == converging ? s.LeftFocus() : s.RightFocus();
  if (!(ray.indexFactor > 0)) return std::nullopt;
  const TPointF fShifted =
      PointAt(o, DirectionAngle(o, f), double(Distance(o, f)) / ray.indexFactor);
  TPointF image;
  if (NearlyOneLine(start, o, q, fShifted) ||
      IntersectSegments(UnboundedLine(start, o), UnboundedLine(q, fShifted), image) == 0) {
    const auto fromFormula = ImageByLensFormula(p1, p2, o, start, fShifted);
    if (!fromFormula) return std::nullopt;
    if (!fromFormula->first) return DirectionAngle(start, o);  // at infinity
    image = fromFormula->second;
  }
  if (SideOf(s, image) == side) return DirectionAngle(image, h);  // virtual image
  return DirectionAngle(h, image);
}

// A point source or luminous object draws its rays up to their aim points
// itself, and the trace goes on from there. An object dragged up to a lens
// can put the lens before the aim points: the ray is then traced from the
// source, through a start point as far behind it as the aim point is ahead.
std::optional<DrawBaseRayDataStruct> RayTracer::FromSource(const DrawBaseRayDataStruct& ray) {
  const auto probe = FromItsStart(ray);
  if (!probe) return std::nullopt;
  const TPointF source = StartOf(ray);
  const TLinkIntersection* hit = FindHit(*probe, PrepareRay(*probe), source);
  if (!hit || !(Distance({hit->x, hit->y}, source) < Distance(source, ThroughOf(ray))))
    return std::nullopt;
  return probe;
}

namespace {
struct NoSink : PieceSink {
  void RayPiece(TPointF, TPointF, const DrawBaseRayDataStruct&) override {}
};
}  // namespace

bool RayTracer::FromSources(const PreparedFaces& faces,
                            const std::vector<DrawBaseRayDataStruct>& rays,
                            std::vector<DrawBaseRayDataStruct>& out) {
  NoSink nothing;
  const TraceOptions options;
  RayTracer tracer(faces, options, nothing);
  bool changed = false;
  for (std::size_t i = 0; i < rays.size(); ++i) {
    // Rays put in place of a source's fan already start at the source.
    if (rays[i].sourceKind <= 0 || rays[i].special != DrawBaseRayDataStruct::kFan) continue;
    // Bounded like a trace: a file of many sources among many faces.
    if (tracer.OverBudget()) break;
    const auto fromSource = tracer.FromSource(rays[i]);
    if (!fromSource) continue;
    if (!changed) out.assign(rays.begin(), rays.end());
    changed = true;
    out[i] = *fromSource;
  }
  return changed;
}

void RayTracer::IncidenceLabel(TPointF h, TPointF through, float nA, float nB) {
  const float beta = DirectionAngle(h, through);
  NormalLabel(h, beta, std::fabs(beta - nA), std::fabs(beta - nB), nA, nB, true);
}

void RayTracer::OutgoingLabel(TPointF h, double theta, float nA, float nB) {
  const float delta = std::fmod(static_cast<float>(std::fabs(theta)), 360.0f);
  auto fold = [](float e) {
    if (std::fabs(e) < 90) e = std::fabs(e);
    if (e < 0) e += 360;
    return e;
  };
  NormalLabel(h, delta, fold(delta - nA), fold(delta - nB), nA, nB, false);
}

// The angle between a ray along `direction` and the normal nA it is nearer
// (gap gA), else nB, labelled between the two.
void RayTracer::NormalLabel(TPointF h, float direction, float gA, float gB, float nA, float nB,
                            bool incidence) {
  float gap = gA, normal = nA;
  if (gA > 90 && 360 - gA > 90) {
    gap = gB;
    normal = nB;
  }
  const TPointF anchor =
      Midpoint(PointAt(h, direction, kLabelDistance), PointAt(h, normal, kLabelDistance));
  sink_.AngleLabel(anchor, AngleText(Acute(gap)), incidence);
}

void RayTracer::Miss(const DrawBaseRayDataStruct& ray) {
  const TPointF through = ThroughOf(ray);
  sink_.RayPiece(through, PointAt(through, ray.direction, kMissLength), ray);
}
