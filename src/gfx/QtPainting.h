#pragma once
// What the bitmap canvas and the canvas over any painter share when they
// hand a primitive to Qt: boxes, arc angles, far coordinates, the
// high-quality pen and the pie.

#include <QFont>
#include <QPainter>
#include <QPolygon>
#include <QRect>
#include <QRectF>
#include <span>
#include <vector>

#include "gfx/TCanvas.h"

// Widths may come from files: pens are bounded to this.
inline constexpr int kMaxPenWidth = 4096;

// The windows rectangle (right and bottom edge excluded) with sorted corners.
QRect BoxOf(int x1, int y1, int x2, int y2);
// Angle of the ellipse parameter at which the ray from the centre at the
// screen angle `degrees` meets the ellipse (QPainter arcs use the parameter).
double ParametricAngle(double degrees, double halfWidth, double halfHeight);
// Lines reaching far beyond the picture are cut to a margin around it first:
// the rasteriser works in fixed point and has no room for such coordinates.
inline constexpr double kFarAway = 1 << 20;
bool IsFar(double x1, double y1, double x2, double y2);
// Fonts need the GUI application (its font database); without one, text is
// skipped and measured roughly rather than crashing a headless caller.
bool FontsAvailable();
// The high-quality layer's pens: flat caps and mitred joins, the width
// bounded (AaPenWidth).
QPen AaQPen(const TAaPen& pen);
// The dash and gap lengths, in pixels, of a one-pixel pen of the style (those
// of GDI's cosmetic pens); empty for a solid one.
std::span<const int> CosmeticDashes(TPenStyle style);
// The style a pen paints with: a wide one is solid unless it scales its
// dashes (TPen::scaledDashes).
inline TPenStyle KeptStyle(const TPen& pen) {
  return pen.width <= 1 || pen.scaledDashes ? pen.style : TPenStyle::Solid;
}
float AaPenWidth(const TAaPen& pen);
// The pie of `sweep` degrees from `start` in `box`, filled when asked, and
// its arc stroked with the pen.
void PaintAaPie(QPainter& painter, const QRectF& box, double start, double sweep, const QPen& pen,
                bool fill, TColor fillColor);
// The Qt font of a canvas font (negative sizes are heights in pixels).
QFont MakeFont(const TFont& font);
QPolygon ToQPolygon(const std::vector<TPoint>& points);
QPolygonF ToQPolygonF(const std::vector<TPointF>& points);
