#pragma once
// The pixels Qt's raster engine paints for a one pixel line: drawLine from
// integer ends with a cosmetic-looking pen of width 1, flat caps, solid or
// dashed, no anti-aliasing, no transform, on a QImage. Writing these runs
// straight into the image is much cheaper than a painter's call per line.
//
// What Qt does, as seen from outside:
// - It first cuts the line at a box one pixel larger than the device on every
//   side ([-1, w+1] x [-1, h+1]) in double precision: both ends at the left
//   and right sides, then both at the top and bottom, each end moved along
//   the line towards the other end's current place. The cut ends are then
//   truncated to 1/64 pixel.
// - The major axis is x when |dx| >= |dy| of the cut line, else y. Taken in
//   increasing major order from A to B with slope s = dminor/dmajor (16.16,
//   truncated towards zero), it paints one pixel per major step. A line whose
//   minor coordinate grows with the major one samples each step in its
//   middle, any other line at the step's start; the steps whose sample point
//   lies in [A, B) are painted, so an uncut end at the larger major
//   coordinate is left out whichever way the line is drawn.
// - The minor coordinate starts from A's at the first sample point (the
//   offset times s, floored to 16.16) and adds s per step; the pixel is its
//   floor.
// - Dashes count whole pixels, in the direction the line is drawn (from the
//   first end given). The count starts at the pixel that begins (drawn
//   towards smaller coordinates: ends) at the whole major coordinate nearest
//   that end's place after the cut, even where that pixel is not painted.
//   A pixel in a gap is painted with the background in OpaqueMode only.
// - A clip rectangle set on the painter only hides pixels; it moves nothing.

#include <QPoint>
#include <QRect>
#include <QSize>
#include <span>

// Consecutive pixels of one row that are all dash or all gap.
struct ThinSpan {
  int y = 0;
  int x0 = 0, x1 = 0;  // first and last column, inclusive
  bool dash = true;    // false: a gap, painted only with an opaque background
};

// Whether ThinLinePixels gives exactly Qt's pixels for the line from p1 to p2
// drawn with `dashes` (pixel lengths of dash, gap, dash, ...; empty for a
// solid line) on a device of `device` size. Not for a line of a single point
// (Qt paints it in TransparentMode only), nor for ends, devices or dash
// lengths beyond what was compared with Qt.
bool ThinLineExact(QPoint p1, QPoint p2, std::span<const int> dashes, QSize device);

// How many spans ThinLinePixels may need at most for the line within `keep`.
int MaxThinSpans(QPoint p1, QPoint p2, const QRect& keep);

// Writes the spans of the line that fall inside `keep` (the device, or a band
// of it) to `out` and returns how many. They are Qt's pixels where
// ThinLineExact says so. `out` should hold MaxThinSpans; spans beyond its
// size are left out.
int ThinLinePixels(QPoint p1, QPoint p2, std::span<const int> dashes, QSize device,
                   const QRect& keep, std::span<ThinSpan> out);
