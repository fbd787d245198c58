#pragma once
// The pixels Qt's raster engine paints for a straight line 2 or 3 pixels wide:
// drawLine from integer ends, square caps, no anti-aliasing, no transform, on
// a QImage. Writing these spans straight into the image's bits is much faster
// than a painter's call per span and gives the same picture.
//
// Qt paints as if it built the pen's rectangle (square caps included) in
// floating point, floored its corners to 1/64 pixel, and stepped each edge
// down the rows in 16.16 fixed point: x at the first row's centre from the
// edge itself, then a slope truncated towards zero added per row. A row
// takes the pixels whose centre lies between the two edges crossing the
// row's centre, right edge included, left edge not. A 2 pixel line along an
// axis (or a single point) is a plain rectangle.

#include <QPoint>
#include <QRect>
#include <QSize>
#include <span>

struct LineSpan {
  int y = 0;
  int x0 = 0, x1 = 0;  // first and last column, inclusive
};

// Whether LineSpans gives exactly Qt's pixels for this line on a device of
// `device` size: width 2 or 3, both ends far enough inside the device that
// Qt does not cut the line at the device's edge first, and not a line 3
// pixels wide along an axis.
bool LineSpansExact(QPoint p1, QPoint p2, int width, QSize device);

// How many spans LineSpans may need at most for the line.
int MaxLineSpans(QPoint p1, QPoint p2, int width);

// Writes the spans of the line that fall inside `keep` to `out`, one per
// row, top to bottom, and returns how many. They are Qt's pixels where
// LineSpansExact says so. `out` must hold MaxLineSpans; a smaller buffer
// keeps only the line's top rows.
int LineSpans(QPoint p1, QPoint p2, int width, const QRect& keep, std::span<LineSpan> out);
