#include "gfx/paint/ThinLinePixels.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>

namespace {

constexpr int kFar = 1 << 21;       // ends compared with Qt up to about this far out
constexpr int kMaxDevice = 8192;    // devices compared with Qt up to about this size
constexpr int kMaxDashLength = 64;  // one dash or gap, in pixels
constexpr int kMaxDashes = 16;      // entries of a pattern
constexpr int kMaxPeriod = kMaxDashLength * kMaxDashes;

int64_t FloorDiv(int64_t n, int64_t d) { return n >= 0 ? n / d : -((-n + d - 1) / d); }
int64_t CeilDiv(int64_t n, int64_t d) { return -FloorDiv(-n, d); }

// Cuts the line to lo <= u <= hi, moving v along it; each end moves towards
// the other end's current place. False when the line lies wholly outside.
bool Cut(double& u1, double& v1, double& u2, double& v2, double lo, double hi) {
  if ((u1 < lo && u2 < lo) || (u1 > hi && u2 > hi)) return false;
  const auto cut = [lo, hi](double& u, double& v, double ou, double ov) {
    const double edge = std::clamp(u, lo, hi);
    if (edge == u) return;
    v += (edge - u) * ((ov - v) / (ou - u));  // in this order: Qt's rounding
    u = edge;
  };
  cut(u1, v1, u2, v2);
  cut(u2, v2, u1, v1);
  return true;
}

bool DashesValid(std::span<const int> dashes) {
  if (dashes.size() % 2 != 0 || dashes.size() > kMaxDashes) return false;
  return std::all_of(dashes.begin(), dashes.end(),
                     [](int d) { return d >= 1 && d <= kMaxDashLength; });
}

// Dash (1) or gap (0) for every pixel of one period of the pattern.
struct DashTable {
  std::array<bool, kMaxPeriod> on{};
  int period = 1;
  explicit DashTable(std::span<const int> dashes) {
    on[0] = true;
    if (dashes.empty() || !DashesValid(dashes)) return;
    period = 0;
    for (size_t i = 0; i < dashes.size(); ++i)
      for (int k = 0; k < dashes[i]; ++k) on[period++] = i % 2 == 0;
  }
};

}  // namespace

bool ThinLineExact(QPoint p1, QPoint p2, std::span<const int> dashes, QSize device) {
  if (p1 == p2) return false;
  if (device.width() < 1 || device.height() < 1 || device.width() > kMaxDevice ||
      device.height() > kMaxDevice)
    return false;
  for (const int v : {p1.x(), p1.y(), p2.x(), p2.y()})
    if (v < -kFar || v > kFar) return false;
  return DashesValid(dashes);
}

int MaxThinSpans(QPoint p1, QPoint p2, const QRect& keep) {
  const int64_t along =
      std::max(std::abs(int64_t{p2.x()} - p1.x()), std::abs(int64_t{p2.y()} - p1.y()));
  const int64_t across = std::max<int64_t>(0, std::max(keep.width(), keep.height()));
  return static_cast<int>(std::min(along, across) + 2);
}

int ThinLinePixels(QPoint p1, QPoint p2, std::span<const int> dashes, QSize device,
                   const QRect& keepAsked, std::span<ThinSpan> out) {
  // Qt's cut box reaches a pixel past the device; those pixels are not kept.
  const QRect keep = keepAsked & QRect(QPoint(0, 0), device);
  if (keep.isEmpty()) return 0;
  for (const int v : {p1.x(), p1.y(), p2.x(), p2.y()})
    if (v < -kFar || v > kFar) return 0;
  double x1 = p1.x(), y1 = p1.y(), x2 = p2.x(), y2 = p2.y();
  if (!Cut(x1, y1, x2, y2, -1, device.width() + 1.0)) return 0;
  if (!Cut(y1, x1, y2, x2, -1, device.height() + 1.0)) return 0;
  // 26.6 fixed point, truncated.
  const int64_t X1 = static_cast<int64_t>(x1 * 64), Y1 = static_cast<int64_t>(y1 * 64);
  const int64_t X2 = static_cast<int64_t>(x2 * 64), Y2 = static_cast<int64_t>(y2 * 64);
  const bool xMajor = std::abs(X2 - X1) >= std::abs(Y2 - Y1);
  const bool forward = xMajor ? X1 <= X2 : Y1 <= Y2;
  int64_t a = xMajor ? X1 : Y1, am = xMajor ? Y1 : X1;
  int64_t b = xMajor ? X2 : Y2, bm = xMajor ? Y2 : X2;
  if (!forward) {
    std::swap(a, b);
    std::swap(am, bm);
  }
  if (b <= a) return 0;
  const int64_t slope = (bm - am) * 65536 / (b - a);  // 16.16, towards zero
  // Going up in minor: sample in the middle of each step, else at its start.
  const int64_t sample = bm > am ? 32 : 0;
  const int64_t first = CeilDiv(a - sample, 64), last = CeilDiv(b - sample, 64) - 1;
  // Only the steps that can land inside `keep`.
  const int64_t lo = std::max<int64_t>(first, xMajor ? keep.left() : keep.top());
  const int64_t hi = std::min<int64_t>(last, xMajor ? keep.right() : keep.bottom());
  if (lo > hi) return 0;
  const int64_t minorLo = xMajor ? keep.top() : keep.left();
  const int64_t minorHi = xMajor ? keep.bottom() : keep.right();
  int64_t minor =
      am * 1024 + FloorDiv((first * 64 + sample - a) * slope, 64) + (lo - first) * slope;
  // Dashes count from the pixel nearest the end the line is drawn from.
  const DashTable table(dashes);
  const int64_t origin = forward ? FloorDiv(a + 32, 64) : FloorDiv(b + 32, 64) - 1;
  int64_t phase = (forward ? lo - origin : origin - lo) % table.period;
  if (phase < 0) phase += table.period;
  const int step = forward ? 1 : table.period - 1;
  int n = 0;
  const int capacity = static_cast<int>(out.size());
  if (!xMajor) {
    // One pixel per row.
    for (int64_t t = lo; t <= hi && n < capacity; ++t, minor += slope) {
      const int m = static_cast<int>(minor >> 16);
      if (m >= minorLo && m <= minorHi) out[n++] = {static_cast<int>(t), m, m, table.on[phase]};
      phase += step;
      if (phase >= table.period) phase -= table.period;
    }
    return n;
  }
  // Rows only go one way, so a run ends where the row or the kind changes.
  ThinSpan run{0, 0, -1, true};  // none while x1 < x0
  for (int64_t t = lo; t <= hi; ++t, minor += slope) {
    const int m = static_cast<int>(minor >> 16);
    if (m >= minorLo && m <= minorHi) {
      const bool dash = table.on[phase];
      if (run.y == m && run.dash == dash && run.x1 >= run.x0) {
        run.x1 = static_cast<int>(t);
      } else {
        if (run.x1 >= run.x0) {
          if (n == capacity) return n;
          out[n++] = run;
        }
        run = {m, static_cast<int>(t), static_cast<int>(t), dash};
      }
    }
    phase += step;
    if (phase >= table.period) phase -= table.period;
  }
  if (run.x1 >= run.x0 && n < capacity) out[n++] = run;
  return n;
}
