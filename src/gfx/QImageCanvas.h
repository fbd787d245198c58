#pragma once
// TCanvas over a QImage (Format_RGB32): integer coordinates without
// anti-aliasing for the GDI-like primitives, anti-aliased floats for the
// high-quality ones. XOR and merge pens use raster operations.
//
// A QPainter is opened for each primitive, so the image stays free for other
// painters (the surface widget, picture output) between calls, unless a batch
// keeps one open (a trace does).

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <memory>
#include <optional>

#include "gfx/TCanvas.h"

class QPainter;

class QImageCanvas : public TCanvas {
 public:
  // Paints on an image owned elsewhere (the surface widget's bitmap).
  explicit QImageCanvas(QImage* image);
  ~QImageCanvas() override;
  QImageCanvas(const QImageCanvas&) = delete;
  QImageCanvas& operator=(const QImageCanvas&) = delete;

  QImage* Image() { return image_; }
  int Width() const override { return image_->width(); }
  int Height() const override { return image_->height(); }

  // While a batch is open one painter stays on the image.
  void BeginBatch() override;
  void EndBatch() override;

  void Line(int x1, int y1, int x2, int y2) override;
  void Polyline(const std::vector<TPoint>& points) override;
  void Polygon(const std::vector<TPoint>& points) override;
  void Rectangle(int x1, int y1, int x2, int y2) override;
  void FillRect(int x1, int y1, int x2, int y2) override;
  void Ellipse(int x1, int y1, int x2, int y2) override;
  void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) override;
  void TextOut(int x, int y, const std::string& text) override;
  int TextWidth(const std::string& text) override;
  int TextHeight(const std::string& text) override;
  void StretchDraw(int x1, int y1, int x2, int y2, const QImage& picture) override;
  void AaLine(float x1, float y1, float x2, float y2, const TAaPen& pen) override;
  void AaPolyline(const std::vector<TPointF>& points, const TAaPen& pen) override;
  void AaFillPolygon(const std::vector<TPointF>& points, TColor color, std::uint8_t alpha) override;
  void AaPie(float x1, float y1, float x2, float y2, float startAngle, float sweepAngle,
             const TAaPen& pen, bool fill, TColor fillColor) override;

 private:
  // Sets the pen mode, the GDI pen and (for filled shapes) the brush.
  void PreparePainter(QPainter& painter, bool withBrush) const;
  bool PenVisible() const { return Pen.style != TPenStyle::Clear; }
  const QFont& CurrentFont();
  const QFontMetrics& CurrentMetrics();

  class PainterScope;
  QImage* image_;
  std::unique_ptr<QPainter> batch_;
  int batchDepth_ = 0;
  TFont fontKey_;
  std::optional<QFont> font_;
  std::optional<QFontMetrics> metrics_;
};

namespace detail {
struct OwnedImage {
  QImage image;
};
}  // namespace detail

// A canvas with its own image, for the command-line tool, tests and benchmarks.
class OwnedImageCanvas : private detail::OwnedImage, public QImageCanvas {
 public:
  OwnedImageCanvas(int width, int height, TColor background = 0);
  // The base keeps a pointer to our image.
  OwnedImageCanvas(const OwnedImageCanvas&) = delete;
  OwnedImageCanvas& operator=(const OwnedImageCanvas&) = delete;
  QImage& Picture() { return image; }
  const QImage& Picture() const { return image; }
};

// Windows colour value 0x00BBGGRR -> QColor.
class QColor;
QColor ToQColor(TColor color, int alpha = 255);
