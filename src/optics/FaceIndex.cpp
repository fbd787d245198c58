#include "optics/FaceIndex.h"

#include <algorithm>

#include "gfx/PixelMath.h"

namespace {

// Coordinates beyond this are not boxed: their rounding would need wider
// margins than the boxes are worth. Such faces are tested for every ray.
constexpr double kFarOut = 1e7;
constexpr std::uint32_t kLeafFaces = 4;
constexpr int kMaxDepth = 48;
bool Boxable(double v) { return std::isfinite(v) && std::fabs(v) < kFarOut; }

}  // namespace

// A little over the hit test's half degree, for the rounding of its angles.
const double FaceIndex::kConeSlope = std::tan(Radians(0.6));

FaceIndex::FaceIndex(const std::vector<DrawObjectLineDataStruct>& surfaces) {
  if (surfaces.size() < kMinFaces || surfaces.size() > std::numeric_limits<std::uint32_t>::max())
    return;
  std::vector<Box> boxes(surfaces.size());
  std::vector<std::uint32_t> faces;
  faces.reserve(surfaces.size());
  for (std::uint32_t i = 0; i < surfaces.size(); ++i) {
    const DrawObjectLineDataStruct& s = surfaces[i];
    Box b{};
    bool ok = false;
    if (s.shape == kShapeArc) {
      // The whole circle: an arc's hits are points of it, up to rounding.
      const TPointF c = s.ArcCentre();
      const double r = s.radius, m = 0.5 + 1e-4 * (std::fabs(r) + std::fabs(double(c.x)) +
                                                   std::fabs(double(c.y)));
      b = {c.x - r - m, c.y - r - m, c.x + r + m, c.y + r + m};
      ok = Boxable(c.x) && Boxable(c.y) && Boxable(r) && r >= 0;
    } else if (s.shape == kShapeSegment) {
      // A segment's hit must lie in its box exactly.
      b = {std::min<double>(s.x1, s.x2), std::min<double>(s.y1, s.y2), std::max<double>(s.x1, s.x2),
           std::max<double>(s.y1, s.y2)};
      ok = Boxable(s.x1) && Boxable(s.y1) && Boxable(s.x2) && Boxable(s.y2);
    }
    if (ok) {
      boxes[i] = b;
      faces.push_back(i);
    } else {
      always_.push_back(i);
    }
  }
  if (faces.empty()) {
    always_.clear();
    return;
  }
  nodes_.reserve(2 * faces.size() / kLeafFaces + 2);
  order_.reserve(faces.size());
  nodes_.push_back({});
  Build(0, faces, 0, faces.size(), boxes, 0);
}

void FaceIndex::Build(std::uint32_t slot, std::vector<std::uint32_t>& faces, std::size_t begin,
                      std::size_t end, const std::vector<Box>& boxes, int depth) {
  Box box = boxes[faces[begin]];
  for (std::size_t k = begin + 1; k < end; ++k) {
    const Box& b = boxes[faces[k]];
    box = {std::min(box.x1, b.x1), std::min(box.y1, b.y1), std::max(box.x2, b.x2),
           std::max(box.y2, b.y2)};
  }
  nodes_[slot].box = {0.5 * (box.x1 + box.x2), 0.5 * (box.y1 + box.y2), 0.5 * (box.x2 - box.x1),
                      0.5 * (box.y2 - box.y1)};
  if (end - begin <= kLeafFaces || depth >= kMaxDepth) {
    nodes_[slot].first = static_cast<std::uint32_t>(order_.size());
    nodes_[slot].count = static_cast<std::uint32_t>(end - begin);
    order_.insert(order_.end(), faces.begin() + std::ptrdiff_t(begin),
                  faces.begin() + std::ptrdiff_t(end));
    return;
  }
  // Split at the median of the centres along the longer side.
  const bool alongX = box.x2 - box.x1 >= box.y2 - box.y1;
  auto centre = [&](std::uint32_t f) {
    const Box& b = boxes[f];
    return alongX ? b.x1 + b.x2 : b.y1 + b.y2;
  };
  const std::size_t mid = begin + (end - begin) / 2;
  std::nth_element(faces.begin() + std::ptrdiff_t(begin), faces.begin() + std::ptrdiff_t(mid),
                   faces.begin() + std::ptrdiff_t(end),
                   [&](std::uint32_t a, std::uint32_t b) { return centre(a) < centre(b); });
  const auto children = static_cast<std::uint32_t>(nodes_.size());
  nodes_[slot].first = children;
  nodes_[slot].count = 0;
  nodes_.push_back({});
  nodes_.push_back({});
  Build(children, faces, begin, mid, boxes, depth + 1);
  Build(children + 1, faces, mid, end, boxes, depth + 1);
}
