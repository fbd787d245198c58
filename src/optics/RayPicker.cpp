#include "optics/RayPicker.h"

#include <algorithm>
#include <cmath>

void RayPicker::RayPiece(TPointF from, TPointF to, const DrawBaseRayDataStruct&) {
  if (current_ < 0) return;
  const double dx = double(to.x) - from.x, dy = double(to.y) - from.y;
  const double px = double(at_.x) - from.x, py = double(at_.y) - from.y;
  const double length2 = dx * dx + dy * dy;
  const double t = length2 > 0 ? std::clamp((px * dx + py * dy) / length2, 0.0, 1.0) : 0.0;
  const double distance = std::hypot(px - t * dx, py - t * dy);
  // Of equally near pieces the later wins: it is drawn on top.
  if (std::isfinite(distance) && distance <= best_) {
    best_ = distance;
    root_ = current_;
  }
}
