#include "optics/Tracer.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <map>
#include <optional>
#include <utility>

#include "gfx/VectorState.h"
#include "i18n/Convert.h"
#include "optics/FaceIndex.h"
#include "optics/PlaneMath.h"
#include "optics/RayGeometry.h"
#include "optics/TLinkIntersection.h"

// Two choices the tracer makes on its own:
// - Angle labels are measured against the normal at the hit, so the normal's
//   ends are computed at every hit, whether or not normals are drawn.
// - A ray entering a medium whose effective index (index x ray factor) is at
//   most 0, or below 1 at an angle where sin(i)/n exceeds 1, has no refracted
//   direction: it ends at the hit. The same holds for an ideal lens met by a
//   ray whose index factor is not positive, and for any continuation whose
//   direction is not a finite number.

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kMissLength = 1000;  // a ray that hits nothing
constexpr double kMissArrowAt = 50;   // its arrowhead, from the through point
constexpr double kNormalHalf = 70;    // on each side of the hit
constexpr double kExtensionLength = 500;
constexpr double kLabelDistance = 50;
constexpr double kImageCoincidence = 0.1;
constexpr double kRealImageTolerance = 1;  // degrees

double Sin(double degrees) { return std::sin(degrees * kPi / 180.0); }
double Asin(double value) { return std::asin(value) * 180.0 / kPi; }

TPointF ThroughOf(const DrawBaseRayDataStruct& ray) { return {ray.throughX, ray.throughY}; }
TPointF StartOf(const DrawBaseRayDataStruct& ray) { return {ray.startX, ray.startY}; }

// The acute angle a measured difference stands for.
float Acute(float d) {
  float x = std::fmod(d, 180.0f);
  if (x > 90) x = 180 - x;
  return x;
}

std::string LabelText(float value) { return LeftStr(FloatToStr(value), 4); }

DrawObjectLineDataStruct UnboundedLine(TPointF a, TPointF b) {
  DrawObjectLineDataStruct line = MakeSegment(a, b);
  line.shape = kShapeLine;
  return line;
}

// Passes every item on and counts it.
class CountingSink : public ITraceSink {
 public:
  explicit CountingSink(ITraceSink& sink) : sink_(sink) {}
  long long count = 0;

  void RayPiece(TPointF f, TPointF t, const DrawBaseRayDataStruct& r) override {
    ++count;
    sink_.RayPiece(f, t, r);
  }
  void Arrow(TPointF at, float d, const DrawBaseRayDataStruct& r) override {
    ++count;
    sink_.Arrow(at, d, r);
  }
  void Normal(TPointF n1, TPointF n2) override {
    ++count;
    sink_.Normal(n1, n2);
  }
  void Extension(TPointF f, TPointF t) override {
    ++count;
    sink_.Extension(f, t);
  }
  void AngleLabel(TPointF a, const std::string& text, bool incidence) override {
    ++count;
    sink_.AngleLabel(a, text, incidence);
  }
  void ImagePoint(TPointF at, bool real, const std::string& label) override {
    ++count;
    sink_.ImagePoint(at, real, label);
  }
  void ImageArrow(TPointF f, TPointF s, bool real, int w) override {
    ++count;
    sink_.ImageArrow(f, s, real, w);
  }
  void Origin(int generation, int root) override { sink_.Origin(generation, root); }
  void Faded(bool faded) override { sink_.Faded(faded); }
  void Hit(TPointF at, double n1, double n2, double t1, double t2) override {
    sink_.Hit(at, n1, n2, t1, t2);
  }

 private:
  ITraceSink& sink_;
};

class Tracer {
 public:
  Tracer(const std::vector<DrawObjectLineDataStruct>& surfaces, const TraceOptions& options,
         ITraceSink& sink)
      : surfaces_(surfaces),
        options_(options),
        sink_(sink),
        index_(options.faceIndex ? surfaces : std::vector<DrawObjectLineDataStruct>{}) {
    lines_.reserve(surfaces.size());
    for (const auto& surface : surfaces) lines_.push_back(PrepareSurface(surface));
  }

  TraceResult Result() const { return {cut_, faceTests_, sink_.count}; }

  void Run(const std::vector<DrawBaseRayDataStruct>& baseRays) {
    // One generation after the other rather than recursion: 500 levels of
    // stack frames are not needed to keep the drawing order.
    const std::vector<DrawBaseRayDataStruct>* rays = &baseRays;
    std::vector<DrawBaseRayDataStruct> current, next;
    // Continued rays come with their lines, worked out when they were made;
    // the light sources' rays are not trusted to have their direction right.
    std::vector<RayLine> currentLines, nextLines;
    // The root of every ray, beside it.
    std::vector<int> currentRoots = RootsOf(baseRays), nextRoots;
    bool derived = false;
    for (int depth = options_.maxGenerations; depth > 0 && !rays->empty(); --depth) {
      generation_ = options_.maxGenerations - depth + 1;
      // What a generation leads to belongs to the next, unless none follows.
      shown_ = depth > 1 ? generation_ + 1 : generation_;
      if (surfaces_.empty()) {
        for (std::size_t i = 0; i < rays->size(); ++i) {
          if (OverBudget()) return;
          const DrawBaseRayDataStruct& ray = (*rays)[i];
          const TPointF through = ThroughOf(ray);
          Tag(generation_, currentRoots[i]);
          sink_.RayPiece(through, PointAt(through, ray.direction, kMissLength), ray);
        }
        return;
      }
      next.clear();
      nextLines.clear();
      nextRoots.clear();
      next.reserve(rays->size());  // at most one continuation per ray
      nextLines.reserve(rays->size());
      nextRoots.reserve(rays->size());
      for (std::size_t i = 0; i < rays->size(); ++i) {
        if (OverBudget()) return;
        const DrawBaseRayDataStruct& ray = (*rays)[i];
        root_ = currentRoots[i];
        Tag(generation_, root_);
        const std::size_t before = next.size();
        TraceRay(ray, derived ? currentLines[i] : PrepareRay(ray), next, nextLines);
        if (next.size() > before) nextRoots.push_back(root_);
      }
      Tag(shown_, -1);
      ImagePass(next);
      current.swap(next);
      currentLines.swap(nextLines);
      currentRoots.swap(nextRoots);
      rays = &current;
      derived = true;
    }
  }

 private:
  // A base ray's root is the first base ray with its very points.
  static std::vector<int> RootsOf(const std::vector<DrawBaseRayDataStruct>& rays) {
    std::map<std::array<std::uint32_t, 4>, int> first;
    std::vector<int> roots;
    roots.reserve(rays.size());
    for (const auto& ray : rays) {
      const std::array<std::uint32_t, 4> key{
          std::bit_cast<std::uint32_t>(ray.startX), std::bit_cast<std::uint32_t>(ray.startY),
          std::bit_cast<std::uint32_t>(ray.throughX), std::bit_cast<std::uint32_t>(ray.throughY)};
      roots.push_back(first.try_emplace(key, int(roots.size())).first->second);
    }
    return roots;
  }

  // Tells the sink only when the origin of the items changes.
  void Tag(int generation, int root) {
    if (generation == taggedGeneration_ && root == taggedRoot_) return;
    taggedGeneration_ = generation;
    taggedRoot_ = root;
    sink_.Origin(generation, root);
  }

  // Checked before each ray: the next one would test every face.
  bool OverBudget() {
    if (faceTests_ + static_cast<long long>(surfaces_.size()) > options_.maxFaceTests ||
        sink_.count >= options_.maxDrawnItems)
      cut_ = true;
    return cut_;
  }

  // The nearest acceptable hit of the ray, or null. The hit test reads only
  // the ray's start and through points (its line and direction follow from
  // them), so a ray with the very points of the one before (the colours of a
  // composite beam, until a medium parts them) meets the same hit.
  const TLinkIntersection* FindHit(const DrawBaseRayDataStruct& ray, const RayLine& rayLine,
                                   TPointF through) {
    const std::array<std::uint32_t, 4> key{
        std::bit_cast<std::uint32_t>(ray.startX), std::bit_cast<std::uint32_t>(ray.startY),
        std::bit_cast<std::uint32_t>(ray.throughX), std::bit_cast<std::uint32_t>(ray.throughY)};
    if (lastValid_ && key == lastKey_) return lastHit_;
    lastKey_ = key;
    lastValid_ = true;
    lastHit_ = SearchHit(ray, rayLine, through);
    return lastHit_;
  }

  const TLinkIntersection* SearchHit(const DrawBaseRayDataStruct& ray, const RayLine& rayLine,
                                     TPointF through) {
    hits_.clear();
    auto test = [&](std::size_t i) {
      TPointF point;
      const int code = IntersectRay(ray, rayLine, surfaces_[i], lines_[i], point);
      if (code != 0) hits_.push_back({point.x, point.y, &surfaces_[i], code});
    };
    float best = std::numeric_limits<float>::infinity();
    const bool narrowed =
        index_.Built() && index_.Query(through, rayLine.theta, [&](std::uint32_t i) {
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
    return NearestHit(hits_, through);
  }

  void TraceRay(const DrawBaseRayDataStruct& ray, const RayLine& rayLine,
                std::vector<DrawBaseRayDataStruct>& next, std::vector<RayLine>& nextLines) {
    faceTests_ += static_cast<long long>(surfaces_.size());
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
    if (options_.drawNormals || options_.showAngles) {
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
    switch (s.kind) {
      case kSurfaceReflect:
        if (s.orientation == 3) {
          theta = rho;
          twoSided = true;
        } else if (hit->code == 1) {
          theta = rho;
        }  // code 2: absorbed by the back
        break;
      case kSurfaceRefract:
        theta = Refract(s, ray, hit->code, u, v);
        break;
      case kSurfaceIdealLens:
        theta = ThinLens(s, ray, h);
        break;
      default:
        break;
    }
    if (!theta || !std::isfinite(*theta)) return;
    if (options_.reportHits) ReportHit(h, s, ray, hit->code, u, v, *theta);

    const PolarStep out = outStep_.Of(*theta);
    if (options_.drawReverse) {
      Tag(shown_, root_);
      sink_.Extension(h, PointAt(h, out, -kExtensionLength));
      Tag(generation_, root_);
    }
    RayLine continuedLine;
    DrawBaseRayDataStruct continued = MakeContinuation(ray, h, out, continuedLine);
    // No image is constructed through a two-sided reflector.
    if (twoSided) continued.sourceKind = 0;
    // Rays of one source through one surface form one image: a surface is
    // known by its place in this trace.
    if (continued.sourceKind > 0)
      continued.lastSurface = static_cast<int>(hit->surface - surfaces_.data()) + 1;
    next.push_back(std::move(continued));
    nextLines.push_back(continuedLine);
    if (options_.showAngles) OutgoingLabel(h, *theta, nA, nB);
  }

  // The law at the hit, for the sinks that show it.
  void ReportHit(TPointF h, const DrawObjectLineDataStruct& s, const DrawBaseRayDataStruct& ray,
                 int code, double u, double v, double theta) {
    if (s.kind == kSurfaceIdealLens) return;
    // Angle to the normal of a direction, from its angle to the tangent.
    auto fromNormal = [v](double direction) {
      double e = std::fmod(direction - v, 180.0);
      if (e < 0) e += 180;
      return std::fabs(90 - e);
    };
    const double t1 = fromNormal(u), t2 = fromNormal(theta);
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
  const PolarStep& StraightNormal(const DrawObjectLineDataStruct& s, double v) {
    const std::size_t i = std::size_t(&s - surfaces_.data());
    if (normals_.empty()) normals_.resize(surfaces_.size());
    if (!normals_[i]) normals_[i] = StepOf(v + 90);
    return *normals_[i];
  }

  std::optional<double> Refract(const DrawObjectLineDataStruct& s, const DrawBaseRayDataStruct& ray,
                                int code, double u, double v) {
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
      } else {
        const double r = Asin(std::max(-1.0, k));
        m = g <= 0 ? 270 - r : 270 + r;
      }
    }
    return v + m;
  }

  std::optional<double> ThinLens(const DrawObjectLineDataStruct& s,
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
    if (IntersectSegments(UnboundedLine(start, o), UnboundedLine(q, fShifted), image) == 0) {
      const auto fromFormula = ImageByLensFormula(p1, p2, o, start, fShifted);
      if (!fromFormula) return std::nullopt;
      if (!fromFormula->first) return DirectionAngle(start, o);  // at infinity
      image = fromFormula->second;
    }
    if (SideOf(s, image) == side) return DirectionAngle(image, h);  // virtual image
    return DirectionAngle(h, image);
  }

  // The construction lines are parallel or the same line when the start point
  // lies in the focal plane or on the axis; the thin-lens formula still gives
  // the image there. first == false: the image is at infinity.
  static std::optional<std::pair<bool, TPointF>> ImageByLensFormula(TPointF p1, TPointF p2,
                                                                    TPointF o, TPointF start,
                                                                    TPointF focus) {
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

  void IncidenceLabel(TPointF h, TPointF through, float nA, float nB) {
    const float beta = DirectionAngle(h, through);
    NormalLabel(h, beta, std::fabs(beta - nA), std::fabs(beta - nB), nA, nB, true);
  }

  void OutgoingLabel(TPointF h, double theta, float nA, float nB) {
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
  void NormalLabel(TPointF h, float direction, float gA, float gB, float nA, float nB,
                   bool incidence) {
    float gap = gA, normal = nA;
    if (gA > 90 && 360 - gA > 90) {
      gap = gB;
      normal = nB;
    }
    const TPointF anchor =
        Midpoint(PointAt(h, direction, kLabelDistance), PointAt(h, normal, kLabelDistance));
    sink_.AngleLabel(anchor, LabelText(Acute(gap)), incidence);
  }

  // Marks where rays of one luminous point (or of the two ends of a luminous
  // arrow) meet again after the same surface.
  void ImagePass(const std::vector<DrawBaseRayDataStruct>& rays) {
    // Most generations hold no ray of a point source or object: nothing to set up.
    if (std::none_of(rays.begin(), rays.end(),
                     [](const DrawBaseRayDataStruct& r) { return r.sourceKind > 0; }))
      return;
    std::map<std::pair<int, int>, std::vector<std::size_t>> groups;
    std::vector<std::size_t> position(rays.size(), 0);
    for (std::size_t i = 0; i < rays.size(); ++i) {
      if (rays[i].sourceKind <= 0) continue;
      auto& members = groups[{rays[i].emissionGroup, rays[i].lastSurface}];
      position[i] = members.size();
      members.push_back(i);
    }
    if (groups.empty()) return;
    std::vector<const DrawBaseRayDataStruct*> collected;
    for (std::size_t i = 0; i < rays.size(); ++i) {
      if (OverBudget()) return;
      const int kind = rays[i].sourceKind;
      if (kind != 1 && kind != 2) continue;  // other kinds construct nothing
      const auto& members = groups[{rays[i].emissionGroup, rays[i].lastSurface}];
      const std::size_t count =
          std::min<std::size_t>(std::size_t(kind) + 2, members.size() - position[i]);
      collected.clear();
      for (std::size_t k = 0; k < count; ++k) collected.push_back(&rays[members[position[i] + k]]);
      if (kind == 1 && collected.size() >= 3) PointImage(collected);
      if (kind == 2 && collected.size() >= 4) ArrowImage(collected);
    }
  }

  // Where the lines of two rays cross, from their exact directions: two
  // rays of a narrow fan differ by less than their float points can tell.
  static bool Meet(const DrawBaseRayDataStruct& a, const DrawBaseRayDataStruct& b, TPointF& point) {
    struct Line {
      double x, y, dx, dy;
    };
    auto lineOf = [](const DrawBaseRayDataStruct& r) {
      Line l{r.throughX, r.throughY, r.stepX, r.stepY};
      if (l.dx == 0 && l.dy == 0) {
        l.dx = l.x - r.startX;
        l.dy = l.y - r.startY;
        const double length = std::hypot(l.dx, l.dy);
        if (length == 0) return l;
        l.dx /= length;
        l.dy /= length;
      }
      return l;
    };
    const Line p = lineOf(a), q = lineOf(b);
    const double cross = p.dx * q.dy - p.dy * q.dx;
    // As parallel as slopes 1e-7 apart.
    if (!(std::fabs(cross) > 1e-7)) return false;
    const double t = ((q.x - p.x) * q.dy - (q.y - p.y) * q.dx) / cross;
    point = {static_cast<float>(p.x + t * p.dx), static_cast<float>(p.y + t * p.dy)};
    return std::isfinite(point.x) && std::isfinite(point.y);
  }

  static bool IsReal(const DrawBaseRayDataStruct& ray, TPointF image) {
    return !(std::fabs(double(DirectionAngle(StartOf(ray), image)) - ray.direction) >
             kRealImageTolerance);
  }

  void PointImage(const std::vector<const DrawBaseRayDataStruct*>& rays) {
    TPointF i1, i2;
    if (!Meet(*rays[0], *rays[1], i1) || !Meet(*rays[0], *rays[2], i2)) return;
    if (std::fabs(double(i1.x) - i2.x) < kImageCoincidence &&
        std::fabs(double(i1.y) - i2.y) < kImageCoincidence)
      sink_.ImagePoint(i1, IsReal(*rays[0], i1), rays[0]->name + "'");
  }

  void ArrowImage(const std::vector<const DrawBaseRayDataStruct*>& rays) {
    const DrawBaseRayDataStruct& first = *rays[0];
    const DrawBaseRayDataStruct* partner = nullptr;
    std::vector<const DrawBaseRayDataStruct*> others;
    for (std::size_t k = 1; k < rays.size(); ++k) {
      if (rays[k]->name == first.name) {
        if (!partner) partner = rays[k];
      } else {
        others.push_back(rays[k]);
      }
    }
    if (!partner || others.size() < 2 || others[0]->name != others[1]->name) return;
    TPointF imageA, imageB;
    if (!Meet(first, *partner, imageA) || !Meet(*others[0], *others[1], imageB)) return;
    const bool realA = IsReal(first, imageA), realB = IsReal(*others[0], imageB);
    if (realA == realB) sink_.ImageArrow(imageA, imageB, realA, first.sourceLineWidth);
  }

  const std::vector<DrawObjectLineDataStruct>& surfaces_;
  std::vector<SurfaceLine> lines_;  // one per surface
  const TraceOptions& options_;
  CountingSink sink_;
  std::vector<TLinkIntersection> hits_;
  // The latest search: its ray's points and its hit (into hits_).
  std::array<std::uint32_t, 4> lastKey_{};
  const TLinkIntersection* lastHit_ = nullptr;
  bool lastValid_ = false;
  std::vector<std::optional<PolarStep>> normals_;  // of straight faces, once met
  // Rays of one bundle leave their faces in the same direction, generation
  // after generation.
  class LastStep {
   public:
    const PolarStep& Of(double angle) {
      if (!valid_ || std::bit_cast<std::uint64_t>(angle) != bits_) {
        step_ = StepOf(angle);
        bits_ = std::bit_cast<std::uint64_t>(angle);
        valid_ = true;
      }
      return step_;
    }

   private:
    PolarStep step_;
    std::uint64_t bits_ = 0;
    bool valid_ = false;
  } outStep_;
  FaceIndex index_;
  // The generation being traced, the one its extensions and images belong
  // to, the root of the ray being traced, and what the sink was last told.
  int generation_ = 0, shown_ = 0, root_ = -1;
  int taggedGeneration_ = 0, taggedRoot_ = -1;
  long long faceTests_ = 0;
  bool cut_ = false;
};

}  // namespace

TraceResult TraceScene(const std::vector<DrawObjectLineDataStruct>& surfaces,
                       const std::vector<DrawBaseRayDataStruct>& baseRays,
                       const TraceOptions& options, ITraceSink& sink) {
  ClearUpperVectorState();
  Tracer tracer(surfaces, options, sink);
  tracer.Run(baseRays);
  return tracer.Result();
}
