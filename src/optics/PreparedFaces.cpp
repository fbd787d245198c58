#include "optics/PreparedFaces.h"

#include <algorithm>
#include <bit>
#include <cstdint>

namespace {

bool Same(float a, float b) {
  return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b);
}

// Bit for bit, so that -0 and 0 (or two NaNs) are told apart as the index and
// the lines would tell them.
bool SameFace(const DrawObjectLineDataStruct& a, const DrawObjectLineDataStruct& b) {
  // A new field must be compared here too.
  static_assert(sizeof(DrawObjectLineDataStruct) == 72);
  return Same(a.x1, b.x1) && Same(a.y1, b.y1) && Same(a.x2, b.x2) && Same(a.y2, b.y2) &&
         Same(a.slope, b.slope) && Same(a.intercept, b.intercept) &&
         Same(a.direction, b.direction) && a.vertical == b.vertical &&
         Same(a.verticalX, b.verticalX) && a.kind == b.kind && a.shape == b.shape &&
         a.orientation == b.orientation && Same(a.refractiveIndex, b.refractiveIndex) &&
         Same(a.radius, b.radius) && Same(a.centreX, b.centreX) && Same(a.centreY, b.centreY) &&
         Same(a.secondX, b.secondX) && Same(a.secondY, b.secondY);
}

}  // namespace

bool PreparedFaces::Prepare(const std::vector<DrawObjectLineDataStruct>& surfaces, bool indexed) {
  if (valid_ && indexed == indexed_ &&
      std::equal(surfaces.begin(), surfaces.end(), surfaces_.begin(), surfaces_.end(), SameFace))
    return false;
  surfaces_ = surfaces;
  lines_.clear();
  lines_.reserve(surfaces_.size());
  for (const auto& surface : surfaces_) lines_.push_back(PrepareSurface(surface));
  index_ = FaceIndex(indexed ? surfaces_ : std::vector<DrawObjectLineDataStruct>{});
  indexed_ = indexed;
  valid_ = true;
  return true;
}
