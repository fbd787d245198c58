#pragma once
// Writes straight into a 32-bit image's rows the lines whose pixels
// LineSpans knows exactly (solid copy or merge pens 2 or 3 pixels wide,
// unclipped, well inside the image), in place of Qt's call per scanline:
// rays boxed between mirrors paint thousands of such lines in a refresh.

#include <QImage>
#include <QRect>
#include <vector>

#include "gfx/LineSpans.h"
#include "gfx/PaintList.h"

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
  uchar* bits_ = nullptr;
  qsizetype stride_ = 0;
  QSize size_;
  std::vector<LineSpan> spans_;
};
