#pragma once
// Where one band of a refresh (a run of whole rows) lets an entry paint.
//
// A band clipped to a rectangle paints exactly what one painter paints for
// thin lines, paths, fills, text and pictures. Not for a straight line two or
// more pixels wide, or anti-aliased: Qt's rasteriser cuts such a line where
// the clip rectangle crosses it and steps from the cut ends, and many of its
// edges run exactly through pixel centres, so the rounding of the cut moves
// them. Such a line is clipped to a region instead: the band's rows plus one
// pixel in the top and one in the bottom row of the line's own clip, pixels
// the line does not reach. The region's bounding box is then the clip one
// painter has, Qt cuts the line where it would anyway, and the band's rows
// take exactly its pixels there.

#include <QPainter>
#include <QPoint>
#include <QRect>
#include <optional>

#include "gfx/paint/PaintList.h"

struct BandClip {
  bool shows = true;          // false: nothing of the entry lies in the band
  std::optional<QRect> rect;  // none: unclipped
  // With anchors the clip is the region of `rect` and the two anchor pixels.
  std::optional<QPoint> top, bottom;
  bool operator==(const BandClip&) const = default;
  static BandClip Hidden() { return {false, std::nullopt, std::nullopt, std::nullopt}; }
  static BandClip To(std::optional<QRect> rect) { return {true, rect, std::nullopt, std::nullopt}; }
};

// The stroke an entry paints, if it is one Qt cuts at a clip (see above).
std::optional<PaintList::Stroke> CutStroke(const PaintList::Entry& entry);
// The clip of `entry` in the rows of `band` on a device of the given size;
// nullopt when the entry needs anchors and no corner of its clip is free of
// it (the list is then painted by one painter).
std::optional<BandClip> ClipInBand(const PaintList::Entry& entry, const QRect& device,
                                   const QRect& band);
// How `entry` fares in `bands` equal bands of the device's rows: painted
// as one painter paints it (by one band, or each band its rows), cut
// (worked out whole by more than one band: a stroke across a band's edge,
// text, shapes, pictures), or not at all (ClipInBand may find no anchors).
enum class BandFit { Whole, Cut, Fails };
BandFit FitInBands(const PaintList::Entry& entry, const QRect& device, int bands);
void ApplyBandClip(QPainter& painter, const BandClip& clip);
