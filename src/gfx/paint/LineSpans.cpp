#include "gfx/paint/LineSpans.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {

constexpr int64_t kOne = 65536;  // 16.16 fixed point
constexpr int64_t kHalf = kOne / 2;
constexpr int kFar = 1 << 20;  // ends beyond this would overflow the stepping

// Floor division for a positive divisor.
int64_t FloorDiv(int64_t n, int64_t d) { return n >= 0 ? n / d : -((-n + d - 1) / d); }

// First and last row whose centre lies in (top, bottom] (16.16).
int FirstRow(int64_t top) { return static_cast<int>(((top - kHalf) >> 16) + 1); }
int LastRow(int64_t bottom) { return static_cast<int>((bottom - kHalf) >> 16); }

// One edge stepped down the rows whose centre it spans: x at the first row
// from the edge itself, then one slope, truncated towards zero, per row.
struct Edge {
  int64_t x = 0, slope = 0;
  int first = 0, last = -1;
};

Edge MakeEdge(int64_t xt, int64_t yt, int64_t xb, int64_t yb) {
  Edge e;
  e.first = FirstRow(yt);
  e.last = LastRow(yb);
  if (e.first > e.last) return e;
  const int64_t run = xb - xt, rise = yb - yt;
  e.slope = run * kOne / rise;
  e.x = xt + FloorDiv((int64_t{e.first} * kOne + kHalf - yt) * run, rise);
  return e;
}

struct Chain {
  Edge edges[3];
  int count = 0, at = 0;
  // x at row y (not above the chain's top, not before the current edge).
  int64_t Seek(int y) {
    while (at + 1 < count && edges[at].last < y) ++at;
    return edges[at].x + int64_t{y - edges[at].first} * edges[at].slope;
  }
};

}  // namespace

bool LineSpansExact(QPoint p1, QPoint p2, int width, QSize device) {
  if (width != 2 && width != 3) return false;
  if (device.width() > 32768 || device.height() > 32768) return false;
  // Nearer the edge Qt cuts the line at the device first, which moves the
  // rounding of its corners.
  const int m = (width + 1) / 2;
  const auto inside = [&](QPoint p) {
    return p.x() >= m && p.y() >= m && p.x() <= device.width() - 1 - m &&
           p.y() <= device.height() - 1 - m;
  };
  if (!inside(p1) || !inside(p2)) return false;
  // The corners of a 3 pixel pen along an axis lie on half pixels, where Qt's
  // rounding of the cap and the sides differs with the length and the place
  // of the line; those lines (and single points) are left to Qt.
  return !(width == 3 && (p1.x() == p2.x() || p1.y() == p2.y()));
}

int MaxLineSpans(QPoint p1, QPoint p2, int width) {
  return std::abs(p2.y() - p1.y()) + 2 * std::abs(width) + 2;
}

int LineSpans(QPoint p1, QPoint p2, int width, const QRect& keep, std::span<LineSpan> out) {
  const int cx0 = keep.left(), cx1 = keep.right(), cy0 = keep.top(), cy1 = keep.bottom();
  const int x1 = p1.x(), y1 = p1.y(), x2 = p2.x(), y2 = p2.y();
  for (const int v : {x1, y1, x2, y2})
    if (v < -kFar || v > kFar) return 0;
  if (width < 1) return 0;
  if (x1 == x2 || y1 == y2) {
    // A w x w square swept along the axis: centres in (lo, hi].
    const int a = std::max(std::min(x1, x2) - width / 2, cx0);
    const int b = std::min(std::max(x1, x2) + (width - 1) / 2, cx1);
    const int top = std::max(std::min(y1, y2) - width / 2, cy0);
    const int bottom = std::min(std::max(y1, y2) + (width - 1) / 2, cy1);
    int n = 0;
    if (a <= b)
      for (int y = top; y <= bottom && n < static_cast<int>(out.size()); ++y) out[n++] = {y, a, b};
    return n;
  }
  const double dx = x2 - x1, dy = y2 - y1, length = std::sqrt(dx * dx + dy * dy);
  const double h = width / 2.0, ux = dx / length, uy = dy / length;
  const double ax = x1 - ux * h, ay = y1 - uy * h, bx = x2 + ux * h, by = y2 + uy * h;
  const double nx = -uy * h, ny = ux * h;
  const double fx[4] = {ax + nx, bx + nx, bx - nx, ax - nx};
  const double fy[4] = {ay + ny, by + ny, by - ny, ay - ny};
  int64_t X[4], Y[4];
  for (int i = 0; i < 4; ++i) {
    X[i] = static_cast<int64_t>(std::floor(fx[i] * 64)) * (kOne / 64);
    Y[i] = static_cast<int64_t>(std::floor(fy[i] * 64)) * (kOne / 64);
  }
  const int top = static_cast<int>(std::min_element(Y, Y + 4) - Y);
  const int bottom = static_cast<int>(std::max_element(Y, Y + 4) - Y);
  // The two chains of edges from the top corner to the bottom one, one each
  // way round; every row centre between them lies on exactly one edge of each.
  Chain chains[2];
  for (int c = 0; c < 2; ++c)
    for (int i = top; i != bottom;) {
      const int j = (i + (c == 0 ? 1 : 3)) & 3;
      chains[c].edges[chains[c].count++] = MakeEdge(X[i], Y[i], X[j], Y[j]);
      i = j;
    }
  const int rowTop = std::max(FirstRow(Y[top]), cy0);
  const int rowBottom =
      std::min({LastRow(Y[bottom]), cy1, rowTop + static_cast<int>(out.size()) - 1});
  if (rowTop > rowBottom) return 0;
  int n = 0;
  for (int y = rowTop; y <= rowBottom;) {
    // Rows where neither chain turns a corner.
    int64_t xa = chains[0].Seek(y), xb = chains[1].Seek(y);
    const Edge &ea = chains[0].edges[chains[0].at], &eb = chains[1].edges[chains[1].at];
    const int end = std::min({ea.last, eb.last, rowBottom});
    if (end < y) break;  // cannot happen for a rectangle; never loop for ever
    for (; y <= end; ++y, xa += ea.slope, xb += eb.slope) {
      const int64_t lo = std::min(xa, xb), hi = std::max(xa, xb);
      // Pixels whose centre lies in (lo, hi].
      const int a = std::max(static_cast<int>(((lo - kHalf) >> 16) + 1), cx0);
      const int b = std::min(static_cast<int>((hi - kHalf) >> 16), cx1);
      if (a <= b) out[n++] = {y, a, b};
    }
  }
  return n;
}
