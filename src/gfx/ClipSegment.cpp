#include "gfx/ClipSegment.h"

#include <algorithm>

bool ClipSegment(double& x1, double& y1, double& x2, double& y2, double minX, double minY,
                 double maxX, double maxY) {
  const double dx = x2 - x1, dy = y2 - y1;
  double t0 = 0, t1 = 1;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {x1 - minX, maxX - x1, y1 - minY, maxY - y1};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0) {
      t0 = std::max(t0, t);
    } else {
      t1 = std::min(t1, t);
    }
    if (t0 > t1) return false;
  }
  const double ox1 = x1, oy1 = y1;
  x1 = ox1 + t0 * dx;
  y1 = oy1 + t0 * dy;
  x2 = ox1 + t1 * dx;
  y2 = oy1 + t1 * dy;
  return true;
}
