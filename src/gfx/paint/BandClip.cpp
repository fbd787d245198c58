#include "gfx/paint/BandClip.h"

#include <QRegion>
#include <algorithm>
#include <array>
#include <cmath>

namespace {

// How far beyond its ends and to either side a stroke may reach: half its
// width around the square caps' corners, and a pixel or two more.
double Reach(const PaintList::Stroke& s) { return std::fabs(s.width) * 0.75 + 2; }

// Whether the centre of pixel (x, y) lies farther than `reach` from the line.
bool Clear(const PaintList::Stroke& s, int x, int y, double reach) {
  const double px = x + 0.5 - s.x1, py = y + 0.5 - s.y1;
  const double dx = s.x2 - s.x1, dy = s.y2 - s.y1;
  const double length2 = dx * dx + dy * dy;
  const double t = length2 > 0 ? std::clamp((px * dx + py * dy) / length2, 0.0, 1.0) : 0.0;
  const double ex = px - t * dx, ey = py - t * dy;
  return ex * ex + ey * ey > reach * reach;
}

// A pixel in the top and one in the bottom row of `full` that the line
// does not reach, at its corners.
std::optional<std::pair<QPoint, QPoint>> Anchors(const PaintList::Stroke& line, const QRect& full) {
  const double reach = Reach(line);
  std::optional<QPoint> top, bottom;
  for (const int x : {full.left(), full.right()}) {
    if (!top && Clear(line, x, full.top(), reach)) top = QPoint(x, full.top());
    if (!bottom && Clear(line, x, full.bottom(), reach)) bottom = QPoint(x, full.bottom());
  }
  if (!top || !bottom) return std::nullopt;
  return std::pair(*top, *bottom);
}

// The entry's own clip (nullopt when off) and, as one painter clips, the
// part of it on the device.
std::pair<std::optional<QRect>, QRect> FullClip(const PaintList::Entry& entry,
                                                const QRect& device) {
  const TClipRect& c = entry.clip;
  if (!c.on) return {std::nullopt, device};
  const QRect own(QPoint(c.x1, c.y1), QPoint(c.x2 - 1, c.y2 - 1));
  return {own, own & device};
}

}  // namespace

std::optional<PaintList::Stroke> CutStroke(const PaintList::Entry& entry) {
  if (entry.StrokeOf()) return entry.StrokeOf();
  if (!entry.line || entry.line->width < 2) return std::nullopt;
  const PaintList::LineKey& k = *entry.line;
  return PaintList::Stroke{double(k.x1), double(k.y1), double(k.x2), double(k.y2), double(k.width)};
}

std::optional<BandClip> ClipInBand(const PaintList::Entry& entry, const QRect& device,
                                   const QRect& band) {
  // Even what shows whole is clipped to the band's part: Qt cuts nothing
  // then that one painter does not cut, and the clip changes less often.
  // (Clipping is never switched off: Qt's raster engine lets a region clip
  // set after that paint outside the region.)
  const QRect full = FullClip(entry, device).second;
  const QRect part = full & band;
  if (part.isEmpty()) return BandClip::Hidden();
  const std::optional<PaintList::Stroke> stroke = CutStroke(entry);
  const PaintList::LineKey* key = entry.line ? &*entry.line : nullptr;
  if (!stroke && !key) return BandClip::To(part);
  // The rows the line may touch, against the band's rows [begin, end).
  const PaintList::Stroke line =
      stroke ? *stroke
             : PaintList::Stroke{double(key->x1), double(key->y1), double(key->x2), double(key->y2),
                                 double(key->width)};
  const double reach = Reach(line);
  const double top = std::min(line.y1, line.y2) - reach;
  const double bottom = std::max(line.y1, line.y2) + reach;
  const int begin = band.top(), end = band.bottom() + 1;
  if (bottom < begin || top >= end) return BandClip::Hidden();
  if (!stroke) return BandClip::To(part);
  // Wholly in the band: painted as one painter paints it, by this band only.
  if ((top >= begin && bottom < end) || part == full) return BandClip::To(part);
  const auto anchors = Anchors(line, full);
  if (!anchors) return std::nullopt;
  return BandClip{true, part, anchors->first, anchors->second};
}

BandFit FitInBands(const PaintList::Entry& entry, const QRect& device, int bands) {
  const std::optional<PaintList::Stroke> stroke = CutStroke(entry);
  if (!stroke) return entry.line ? BandFit::Whole : BandFit::Cut;
  const QRect full = FullClip(entry, device).second;
  if (!Anchors(*stroke, full)) return BandFit::Fails;
  const double reach = Reach(*stroke);
  const double top = std::max(std::min(stroke->y1, stroke->y2) - reach, double(full.top()));
  const double bottom = std::min(std::max(stroke->y1, stroke->y2) + reach, double(full.bottom()));
  for (int b = 1; b < bands; ++b) {
    const int edge = int(qint64(device.height()) * b / bands);
    if (top < edge && bottom >= edge) return BandFit::Cut;
  }
  return BandFit::Whole;
}

void ApplyBandClip(QPainter& painter, const BandClip& clip) {
  if (!clip.rect) {
    painter.setClipping(false);
  } else if (!clip.top) {
    painter.setClipRect(*clip.rect);
  } else {
    QRegion region(*clip.rect);
    region += QRect(*clip.top, QSize(1, 1));
    region += QRect(*clip.bottom, QSize(1, 1));
    painter.setClipRegion(region);
  }
}
