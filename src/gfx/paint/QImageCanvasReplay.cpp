// QImageCanvas: painting a batch's list when the batch ends, by one painter
// or in bands at once.
#include <QImage>
#include <QPainter>
#include <algorithm>

#include "gfx/paint/BandClip.h"
#include "gfx/paint/PaintThread.h"
#include "gfx/paint/QImageCanvas.h"
#include "gfx/paint/SpanWriter.h"
#include "gfx/paint/VectorState.h"

namespace {

// The clip one painter paints an entry with.
BandClip OwnClip(const TClipRect& clip) {
  if (!clip.on) return BandClip::To(std::nullopt);
  return BandClip::To(QRect(QPoint(clip.x1, clip.y1), QPoint(clip.x2 - 1, clip.y2 - 1)));
}

}  // namespace

void QImageCanvas::FlushDeferred() {
  if (deferred_.Empty()) {
    deferred_.Clear();  // ends what SettleAlong allowed
    return;
  }
  deferred_.Settle();
  {
    const SpanWriter spans(*image_);
    deferred_.MarkEach([&](const PaintList::Entry& e) { return spans.Writes(e); });
  }
  const int bands = BandsFor(deferred_);
  if (bands <= 1) {
    const TPen pen = Pen;
    const TBrush brush = Brush;
    const TFont font = Font;
    const TClipRect clip = ClipRect;
    replaying_ = true;
    Replay(*batch_, deferred_, std::nullopt);
    replaying_ = false;
    Pen = pen;
    Brush = brush;
    Font = font;
    ClipRect = clip;
  } else {
    // Each band paints every entry in order, clipped to its rows, through a
    // view of the same pixels (an image takes one painter at a time). The
    // batch ends with this flush, so its painter is done with.
    batch_->end();
    const QImage& image = *image_;
    uchar* const bits = image_->bits();
    const int height = Height();
    RunBands(bands, [&](int band) {
      QImage view(bits, image.width(), image.height(), image.bytesPerLine(), image.format());
      view.setDevicePixelRatio(image.devicePixelRatio());
      view.setDotsPerMeterX(image.dotsPerMeterX());
      view.setDotsPerMeterY(image.dotsPerMeterY());
      QImageCanvas canvas(&view);
      canvas.replaying_ = true;
      QPainter painter(&view);
      canvas.Replay(painter, deferred_,
                    std::pair(height * band / bands, height * (band + 1) / bands));
      painter.end();
      ClearUpperVectorState();
    });
  }
  deferred_.Clear();
}

int QImageCanvas::BandsFor(const PaintList& list) const {
  // Below this a band's start costs more than it saves; band rows must be
  // whole device rows.
  constexpr std::size_t kMinBandEntries = 2000;
  if (image_->devicePixelRatio() != 1.0) return 1;
  int bands = bands_ > 0 ? bands_ : list.Needed() < kMinBandEntries ? 1 : PaintThreads();
  bands = std::min(bands, std::max(1, Height()));
  if (bands <= 1) return 1;
  const QRect device(0, 0, Width(), Height());
  std::size_t cut = 0;
  bool fails = false;
  list.ForEach([&](const PaintList::Entry& e) {
    // Written lines keep to each band's rows exactly.
    const BandFit fit = e.written ? BandFit::Whole : FitInBands(e, device, bands);
    cut += fit == BandFit::Cut;
    fails = fails || fit == BandFit::Fails;
  });
  // What is cut costs every band that paints it the whole work: with much
  // of it (long wide rays, labels) bands are slower than one painter.
  if (fails || (bands_ == 0 && cut * kCutShare > list.Needed())) return 1;
  return bands;
}

void QImageCanvas::Replay(QPainter& painter, const PaintList& list,
                          std::optional<std::pair<int, int>> rows) {
  const QRect device(0, 0, Width(), Height());
  const QRect band =
      rows ? QRect(0, rows->first, device.width(), rows->second - rows->first) : device;
  std::optional<BandClip> applied;
  SpanWriter spans(*image_);
  const bool solidWhiteIsCopy = IsOpaque32(image_->format());
  list.ForEach([&](const PaintList::Entry& e) {
    if (e.written) {
      spans.Write(e, band);
      return;
    }
    // (BandsFor made sure that every band finds its clip.)
    const std::optional<BandClip> clip = rows ? ClipInBand(e, device, band) : OwnClip(e.clip);
    if (!clip || !clip->shows) return;
    Pen = e.pen;
    // OR-ing in white sets every bit of a 32-bit pixel, as painting white
    // does, by Qt's faster path (boxed white light folds into white).
    if (solidWhiteIsCopy && e.effect == PaintList::Effect::Merge && e.line &&
        e.line->pattern == 0 && (e.colour & 0xFFFFFF) == 0xFFFFFF)
      Pen.mode = TPenMode::Copy;
    Brush = e.brush;
    ClipRect = e.clip;
    if (e.extra && e.extra->font) Font = *e.extra->font;
    if (applied != clip) {
      ApplyBandClip(painter, *clip);
      applied = clip;
    }
    if (e.extra && e.extra->paint)
      e.extra->paint(*this, painter);
    else
      PaintLine(painter, *e.line);
  });
}
