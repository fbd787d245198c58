#include "gfx/paint/SpanWriter.h"

#include <QRgb>
#include <algorithm>
#include <cstdint>
#include <optional>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "gfx/QtPainting.h"

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

// An opaque colour as all three 32-bit formats store it: full alpha.
std::uint32_t PixelOf(TColor colour) {
  return qRgb(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF));
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
  if (entry.pen.mode != TPenMode::Copy && entry.pen.mode != TPenMode::Merge) return false;
  const PaintList::LineKey& k = *entry.line;
  if (k.width == 1)
    return ThinLineExact({k.x1, k.y1}, {k.x2, k.y2}, CosmeticDashes(k.Style()), size_);
  // (A pen 2 or more pixels wide is solid whatever its style.)
  if (k.pattern != 0) return false;
  return LineSpansExact({k.x1, k.y1}, {k.x2, k.y2}, k.width, size_);
}

template <typename Span, typename Colour>
void SpanWriter::Put(std::span<const Span> spans, bool merge, Colour colour) {
  // Each row is another cache line of a frame too big for the cache: asking
  // for rows well ahead lets the misses overlap rather than queue.
  constexpr std::size_t kAhead = 40;
  const std::size_t n = spans.size();
  for (std::size_t i = 0; i < std::min(n, kAhead); ++i)
    __builtin_prefetch(bits_ + spans[i].y * stride_ + spans[i].x0 * 4, 1);
  for (std::size_t i = 0; i < n; ++i) {
    if (i + kAhead < n)
      __builtin_prefetch(bits_ + spans[i + kAhead].y * stride_ + spans[i + kAhead].x0 * 4, 1);
    const Span& s = spans[i];
    const std::optional<std::uint32_t> pixel = colour(s);
    if (!pixel) continue;
    std::uint32_t* const from = reinterpret_cast<std::uint32_t*>(bits_ + s.y * stride_) + s.x0;
    // OR-ing in white stores white.
    if (merge && *pixel != 0xFFFFFFFFu)
      OrSpan(from, s.x1 - s.x0 + 1, *pixel);
    else
      FillSpan(from, s.x1 - s.x0 + 1, *pixel);
  }
}

void SpanWriter::Write(const PaintList::Entry& entry, const QRect& keep) {
  const PaintList::LineKey& k = *entry.line;
  const QPoint p1(k.x1, k.y1), p2(k.x2, k.y2);
  // Most lines miss most bands of a refresh.
  if (std::max(k.y1, k.y2) + k.width < keep.top() || std::min(k.y1, k.y2) - k.width > keep.bottom())
    return;
  const QRect rows = keep & QRect(QPoint(0, 0), size_);
  const std::uint32_t pen = PixelOf(entry.pen.color);
  const bool merge = entry.pen.mode == TPenMode::Merge;
  // Buffers are grown only: one made smaller and larger again is filled again.
  if (k.width == 1) {
    const std::size_t most = std::size_t(MaxThinSpans(p1, p2, rows));
    if (thin_.size() < most) thin_.resize(most);
    const std::span<ThinSpan> spans = std::span(thin_).first(most);
    const int n = ThinLinePixels(p1, p2, CosmeticDashes(k.Style()), size_, rows, spans);
    const std::span<const ThinSpan> painted = spans.first(std::size_t(n));
    // With a solid brush Qt paints the whole line in its colour first, with
    // the pen's mode, then the dashes over it.
    if (k.FilledGaps()) {
      const std::uint32_t gap = PixelOf(entry.brush.color);
      Put(painted, merge, [gap](const ThinSpan&) -> std::optional<std::uint32_t> { return gap; });
    }
    Put(painted, merge, [pen](const ThinSpan& s) -> std::optional<std::uint32_t> {
      if (s.dash) return pen;
      return std::nullopt;
    });
    return;
  }
  const std::size_t most = std::size_t(MaxLineSpans(p1, p2, k.width));
  if (spans_.size() < most) spans_.resize(most);
  const int n = LineSpans(p1, p2, k.width, rows, std::span(spans_).first(most));
  Put(std::span<const LineSpan>(spans_).first(std::size_t(n)), merge,
      [pen](const LineSpan&) -> std::optional<std::uint32_t> { return pen; });
}
