#pragma once
// Writes straight into a 32-bit image's rows the lines whose pixels
// LineSpans or ThinLinePixels knows exactly (copy or merge pens: solid ones
// 2 or 3 pixels wide, or one pixel wide in any style; unclipped, inside the
// image), in place of Qt's calls: rays boxed between mirrors paint thousands
// of such lines, and as many dotted extensions, in a refresh.

#include <QImage>
#include <QRect>
#include <vector>

#include "gfx/paint/LineSpans.h"
#include "gfx/paint/PaintList.h"
#include "gfx/paint/ThinLinePixels.h"

// Whether the format keeps a pixel in 32 bits with full alpha for an
// opaque colour, so that a pen's colour can be stored or OR-ed in directly.
bool IsOpaque32(QImage::Format format);

class SpanWriter {
 public:
  // Writes nothing unless the image is 32-bit and unscaled.
  explicit SpanWriter(QImage& image);
  // Whether Write paints the entry exactly as Qt paints it.
  bool Writes(const PaintList::Entry& entry) const;
  // Paints the entry's pixels that lie in `keep` (a band of rows, or the image).
  void Write(const PaintList::Entry& entry, const QRect& keep);

 private:
  // Paints the spans, each in colour(span) (nothing when none).
  template <typename Span, typename Colour>
  void Put(std::span<const Span> spans, bool merge, Colour colour);

  uchar* bits_ = nullptr;
  qsizetype stride_ = 0;
  QSize size_;
  std::vector<LineSpan> spans_;
  std::vector<ThinSpan> thin_;
};
