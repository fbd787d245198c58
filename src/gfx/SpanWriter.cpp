#include "gfx/SpanWriter.h"

#include <QRgb>
#include <algorithm>
#include <cstdint>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

// Four pixels at a time: shallow rays give spans of hundreds of pixels.
void OrSpan(std::uint32_t* p, int n, std::uint32_t pixel) {
  int i = 0;
#ifdef __SSE2__
  const __m128i v = _mm_set1_epi32(int(pixel));
  for (; i + 4 <= n; i += 4) {
    __m128i* const at = reinterpret_cast<__m128i*>(p + i);
    _mm_storeu_si128(at, _mm_or_si128(_mm_loadu_si128(at), v));
  }
#endif
  for (; i < n; ++i) p[i] |= pixel;
}

void FillSpan(std::uint32_t* p, int n, std::uint32_t pixel) {
  int i = 0;
#ifdef __SSE2__
  const __m128i v = _mm_set1_epi32(int(pixel));
  for (; i + 4 <= n; i += 4) _mm_storeu_si128(reinterpret_cast<__m128i*>(p + i), v);
#endif
  for (; i < n; ++i) p[i] = pixel;
}

}  // namespace

bool IsOpaque32(QImage::Format format) {
  return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32 ||
         format == QImage::Format_ARGB32_Premultiplied;
}

SpanWriter::SpanWriter(QImage& image) {
  if (!IsOpaque32(image.format()) || image.devicePixelRatio() != 1.0 || image.isNull()) return;
  bits_ = image.bits();
  stride_ = image.bytesPerLine();
  size_ = image.size();
}

bool SpanWriter::Writes(const PaintList::Entry& entry) const {
  if (!bits_ || !entry.line || entry.extra || entry.clip.on) return false;
  const PaintList::LineKey& k = *entry.line;
  // (A pen 2 or more pixels wide is solid whatever its style.)
  if (k.pattern != 0) return false;
  if (entry.pen.mode != TPenMode::Copy && entry.pen.mode != TPenMode::Merge) return false;
  return LineSpansExact({k.x1, k.y1}, {k.x2, k.y2}, k.width, size_);
}

void SpanWriter::Write(const PaintList::Entry& entry, const QRect& keep) {
  const PaintList::LineKey& k = *entry.line;
  const QPoint p1(k.x1, k.y1), p2(k.x2, k.y2);
  // Most lines miss most bands of a refresh.
  if (std::max(k.y1, k.y2) + k.width < keep.top() || std::min(k.y1, k.y2) - k.width > keep.bottom())
    return;
  // Grown only: a buffer made smaller and larger again is filled again.
  const std::size_t most = std::size_t(MaxLineSpans(p1, p2, k.width));
  if (spans_.size() < most) spans_.resize(most);
  const int n =
      LineSpans(p1, p2, k.width, keep & QRect(QPoint(0, 0), size_), std::span(spans_).first(most));
  // An opaque pen stores its colour with full alpha in all three formats.
  const std::uint32_t pixel = qRgb(int(entry.pen.color & 0xFF), int((entry.pen.color >> 8) & 0xFF),
                                   int((entry.pen.color >> 16) & 0xFF));
  // OR-ing in white stores white.
  const bool merge = entry.pen.mode == TPenMode::Merge && pixel != 0xFFFFFFFFu;
  // Each row is another cache line of a frame too big for the cache: asking
  // for rows well ahead lets the misses overlap rather than queue.
  constexpr int kAhead = 40;
  for (int i = 0; i < std::min(n, kAhead); ++i)
    __builtin_prefetch(bits_ + spans_[std::size_t(i)].y * stride_ + spans_[std::size_t(i)].x0 * 4,
                       1);
  for (int i = 0; i < n; ++i) {
    if (i + kAhead < n) {
      const LineSpan& ahead = spans_[std::size_t(i + kAhead)];
      __builtin_prefetch(bits_ + ahead.y * stride_ + ahead.x0 * 4, 1);
    }
    const LineSpan s = spans_[std::size_t(i)];
    std::uint32_t* const from = reinterpret_cast<std::uint32_t*>(bits_ + s.y * stride_) + s.x0;
    if (merge)
      OrSpan(from, s.x1 - s.x0 + 1, pixel);
    else
      FillSpan(from, s.x1 - s.x0 + 1, pixel);
  }
}
