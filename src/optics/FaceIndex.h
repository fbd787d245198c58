#pragma once
// A bounding-volume hierarchy over the faces of one trace. It only narrows
// which faces a ray tests: a face is left out when no hit on it can pass the
// hit test's angle rule (within half a degree of the ray's direction, ahead of
// its through point) or when all of it lies farther than the nearest hit found
// so far. So the nearest hit, and the earlier face on a tie, are exactly those
// of testing every face.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "optics/DrawObjectLineDataStruct.h"
#include "optics/PlaneMath.h"

class FaceIndex {
 public:
  // Fewer faces than this are cheaper to test one by one.
  static constexpr std::size_t kMinFaces = 16;

  explicit FaceIndex(const std::vector<DrawObjectLineDataStruct>& surfaces);

  // False when the scene is small: test every face then.
  bool Built() const { return !nodes_.empty(); }

  // Calls test(i) for every face i that may hold an acceptable hit nearer than
  // the best so far; test returns the distance of the nearest hit found so far
  // (infinity while there is none). Faces come in no particular order. False
  // when the ray cannot be narrowed (not finite): the caller tests every face.
  template <class Test>
  bool Query(TPointF through, double theta, Test&& test) const;

 private:
  struct Box {
    double x1, y1, x2, y2;
  };
  // A box as its centre and half sizes, the form the cone test takes.
  struct Extent {
    double cx, cy, hx, hy;
  };
  struct Node {
    Extent box;
    std::uint32_t first;  // leaf: into order_; inner: the first child (the second follows)
    std::uint32_t count;  // faces of a leaf; 0 for an inner node
  };
  struct Cone {
    double px, py, ux, uy;
    // Projection of a box: false when the cone misses it, else the smallest
    // distance along the axis at which the box can be met.
    bool Meets(const Extent& b, double& entry) const;
  };
  static const double kConeSlope;
  static constexpr double kSlack = 0.05;  // pixels

  void Build(std::uint32_t slot, std::vector<std::uint32_t>& faces, std::size_t begin,
             std::size_t end, const std::vector<Box>& boxes, int depth);

  std::vector<Node> nodes_;
  std::vector<std::uint32_t> order_;
  std::vector<std::uint32_t> always_;  // infinite lines and faces too far out to box
};

// Inline: it runs for every node a ray's cone reaches.
inline bool FaceIndex::Cone::Meets(const Extent& b, double& entry) const {
  const double mx = b.cx - px, my = b.cy - py;
  const double ax = std::fabs(ux), ay = std::fabs(uy);
  // Along the axis (t) and across it (s), the box lies within these ranges.
  const double tc = mx * ux + my * uy, tr = b.hx * ax + b.hy * ay;
  const double sc = my * ux - mx * uy, sr = b.hx * ay + b.hy * ax;
  const double tmax = tc + tr;
  if (tmax < -kSlack) return false;
  const double reach = std::max(tmax, 0.0) * kConeSlope + kSlack;
  if (sc - sr > reach || sc + sr < -reach) return false;
  entry = std::max(tc - tr, 0.0);
  return true;
}

template <class Test>
bool FaceIndex::Query(TPointF through, double theta, Test&& test) const {
  const PolarStep axis = StepOf(theta);
  const Cone cone{through.x, through.y, axis.cos, -axis.sin};
  if (!std::isfinite(cone.px) || !std::isfinite(cone.py) || !std::isfinite(cone.ux) ||
      !std::isfinite(cone.uy))
    return false;
  float best = std::numeric_limits<float>::infinity();
  for (std::uint32_t face : always_) best = test(face);
  struct Pending {
    std::uint32_t node;
    double entry;
  };
  Pending stack[64];
  int top = 0;
  double entry = 0;
  if (cone.Meets(nodes_[0].box, entry)) stack[top++] = {0, entry};
  while (top > 0) {
    const Pending p = stack[--top];
    // A hit's distance is at least its box's entry; the slack covers rounding.
    if (p.entry > double(best) * (1 + 1e-6) + 0.01) continue;
    const Node& node = nodes_[p.node];
    if (node.count > 0) {
      for (std::uint32_t k = node.first; k < node.first + node.count; ++k) best = test(order_[k]);
      continue;
    }
    double e0 = 0, e1 = 0;
    const bool m0 = cone.Meets(nodes_[node.first].box, e0);
    const bool m1 = cone.Meets(nodes_[node.first + 1].box, e1);
    // The nearer child is popped first.
    if (m0 && m1 && e0 <= e1) {
      stack[top++] = {node.first + 1, e1};
      stack[top++] = {node.first, e0};
    } else if (m0 && m1) {
      stack[top++] = {node.first, e0};
      stack[top++] = {node.first + 1, e1};
    } else if (m0) {
      stack[top++] = {node.first, e0};
    } else if (m1) {
      stack[top++] = {node.first + 1, e1};
    }
  }
  return true;
}
