#include "optics/ImageMarks.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

#include "optics/PlaneMath.h"
#include "optics/RayTracer.h"

namespace {

constexpr double kImageCoincidence = 0.1;
constexpr double kRealImageTolerance = 1;  // degrees
// The special rays meet where a spherical mirror's aberration lets them.
constexpr double kSpecialCoincidence = 1;

TPointF StartOf(const DrawBaseRayDataStruct& ray) { return {ray.startX, ray.startY}; }

// Where the lines of two rays cross, from their exact directions: two
// rays of a narrow fan differ by less than their float points can tell.
bool Meet(const DrawBaseRayDataStruct& a, const DrawBaseRayDataStruct& b, TPointF& point) {
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

bool IsReal(const DrawBaseRayDataStruct& ray, TPointF image) {
  return !(std::fabs(double(DirectionAngle(StartOf(ray), image)) - ray.direction) >
           kRealImageTolerance);
}

void PointImage(const std::vector<const DrawBaseRayDataStruct*>& rays, ITraceSink& sink) {
  TPointF i1, i2;
  if (!Meet(*rays[0], *rays[1], i1) || !Meet(*rays[0], *rays[2], i2)) return;
  const bool meet = rays[0]->special == DrawBaseRayDataStruct::kSpecialRay
                        ? Distance(i1, i2) < kSpecialCoincidence
                        : std::fabs(double(i1.x) - i2.x) < kImageCoincidence &&
                              std::fabs(double(i1.y) - i2.y) < kImageCoincidence;
  if (meet) sink.ImagePoint(i1, IsReal(*rays[0], i1), rays[0]->name + "'");
}

void ArrowImage(const std::vector<const DrawBaseRayDataStruct*>& rays, ITraceSink& sink) {
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
  if (realA == realB) sink.ImageArrow(imageA, imageB, realA, first.sourceLineWidth);
}

}  // namespace

void ImageCandidates::Add(const std::vector<DrawBaseRayDataStruct>& generation) {
  for (std::size_t i = 0; i < generation.size(); ++i) {
    if (generation[i].sourceKind <= 0) continue;
    rays.push_back(&generation[i]);
    places.push_back(total + i);
  }
  total += generation.size();
}

void ImageCandidates::Append(const ImageCandidates& more) {
  rays.insert(rays.end(), more.rays.begin(), more.rays.end());
  for (const std::size_t place : more.places) places.push_back(total + place);
  total += more.total;
}

void MarkImages(const ImageCandidates& candidates, RayTracer& tracer) {
  // Most generations hold no ray of a point source or object: nothing to set up.
  const auto& rays = candidates.rays;
  if (rays.empty()) return;
  std::map<std::pair<int, int>, std::vector<std::size_t>> groups;
  std::vector<std::size_t> position(rays.size(), 0);
  for (std::size_t i = 0; i < rays.size(); ++i) {
    auto& members = groups[{rays[i]->emissionGroup, rays[i]->lastSurface}];
    position[i] = members.size();
    members.push_back(i);
  }
  std::vector<const DrawBaseRayDataStruct*> collected;
  // The bounds are checked before every ray of the generation; between two
  // candidates nothing is drawn, so checking before each candidate and once
  // after the last (when rays follow it) decides the same.
  for (std::size_t i = 0; i < rays.size(); ++i) {
    if (tracer.OverBudget()) return;
    const int kind = rays[i]->sourceKind;
    if (kind != 1 && kind != 2) continue;  // other kinds construct nothing
    const auto& members = groups[{rays[i]->emissionGroup, rays[i]->lastSurface}];
    const std::size_t count =
        std::min<std::size_t>(std::size_t(kind) + 2, members.size() - position[i]);
    collected.clear();
    for (std::size_t k = 0; k < count; ++k) collected.push_back(rays[members[position[i] + k]]);
    if (kind == 1 && collected.size() >= 3) PointImage(collected, tracer.Sink());
    if (kind == 2 && collected.size() >= 4) ArrowImage(collected, tracer.Sink());
  }
  if (candidates.places.back() + 1 < candidates.total) tracer.OverBudget();
}
