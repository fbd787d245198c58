#pragma once
// TCanvas over a QImage (Format_RGB32): integer coordinates without
// anti-aliasing for the GDI-like primitives, anti-aliased floats for the
// high-quality ones. XOR and merge pens use raster operations.
//
// A QPainter is opened for each primitive, so the image stays free for other
// painters (the surface widget, picture output) between calls, unless a batch
// keeps one open (a refresh does). In a batch the painter's pen, brush, mode
// and font are set only when they change: building and setting them again
// for every stroke cost a sixth of a refresh.

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>

#include "gfx/TCanvas.h"
#include "gfx/paint/PaintList.h"

class QImageCanvas : public TCanvas {
 public:
  // Paints on an image owned elsewhere (the surface widget's bitmap).
  explicit QImageCanvas(QImage* image);
  ~QImageCanvas() override;
  QImageCanvas(const QImageCanvas&) = delete;
  QImageCanvas& operator=(const QImageCanvas&) = delete;

  QImage* Image() { return image_; }
  // In logical pixels: on an image with a device pixel ratio (a scaled
  // screen's bitmap) the painter scales every primitive itself.
  int Width() const override;
  int Height() const override;

  // Batches are painted in this many horizontal bands at once, 0 (the
  // default) in as many as the cores and the amount of work pay for. Every
  // count paints the same pixels.
  void SetBands(int bands) { bands_ = bands; }

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
  void StretchDrawTransparent(int x1, int y1, int x2, int y2, const QImage& picture,
                              TColor transparent) override;
  void AaLine(float x1, float y1, float x2, float y2, const TAaPen& pen) override;
  void AaPolyline(const std::vector<TPointF>& points, const TAaPen& pen) override;
  void AaFillPolygon(const std::vector<TPointF>& points, TColor color, std::uint8_t alpha) override;
  void AaPie(float x1, float y1, float x2, float y2, float startAngle, float sweepAngle,
             const TAaPen& pen, bool fill, TColor fillColor) override;

 private:
  // Paints now, or in a batch when the batch ends (PaintList), with the pen,
  // brush and font as they are now. Without `paint`, `line` is painted.
  void Submit(PaintList::Effect effect, std::optional<PaintList::LineKey> line,
              std::function<void(QImageCanvas&, QPainter&)> paint,
              std::optional<PaintList::Stroke> stroke = std::nullopt);
  void FlushDeferred();
  // Paints the settled list with this canvas's state, within the rows
  // [top, bottom) when given: the bands of a large refresh paint at once,
  // each through a canvas and painter of its own on the same pixels.
  void Replay(QPainter& painter, const PaintList& list, std::optional<std::pair<int, int>> rows);
  // How many bands the settled list is painted in.
  int BandsFor(const PaintList& list) const;
  // Bands pay only while fewer than one entry in this many is cut (painted
  // whole by more than one band, see FitInBands).
  static constexpr std::size_t kCutShare = 4;
  // A straight line with the pen as it stands (a line entry has no closure).
  void PaintLine(QPainter& painter, const PaintList::LineKey& line);
  void PaintRectangle(QPainter& painter, const QRect& box);
  void PaintText(QPainter& painter, int x, int y, const QString& text);
  // Sets the pen mode, the GDI pen and (for filled shapes) the brush.
  void PreparePainter(QPainter& painter, bool withBrush);
  // What the painter holds, as far as it is known; each Use call sets one
  // part only when it differs.
  struct PenKey {
    int kind = 0;  // 0 none, 1 GDI pen, 2 anti-aliased pen, 3 text colour
    TColor color = 0;
    int width = 0;
    TPenStyle style = TPenStyle::Solid;
    float aaWidth = 0;
    std::uint8_t alpha = 255;
    bool operator==(const PenKey&) const = default;
  };
  struct FillKey {
    bool solid = false;
    TColor color = 0;
    std::uint8_t alpha = 255;
    bool operator==(const FillKey&) const = default;
  };
  struct Applied {
    std::optional<bool> antialias;
    std::optional<int> mode;
    std::optional<PenKey> pen;
    std::optional<FillKey> brush;
    std::optional<FillKey> background;  // solid: opaque background mode
    std::optional<unsigned> font;       // fontGeneration_
  };
  void UseAntialias(QPainter& painter, bool on);
  void UseMode(QPainter& painter, QPainter::CompositionMode mode);
  void UsePen(QPainter& painter, const PenKey& key);
  void UseBrush(QPainter& painter, const FillKey& key);
  void UseBackground(QPainter& painter, const FillKey& key);
  void UseFont(QPainter& painter);
  bool PenVisible() const { return Pen.style != TPenStyle::Clear; }
  const QFont& CurrentFont();
  const QFontMetrics& CurrentMetrics();

  class PainterScope;
  QImage* image_;
  std::unique_ptr<QPainter> batch_;
  QSize batchSize_;  // Width() and Height() while batch_ is open
  PaintList deferred_;
  bool replaying_ = false;
  int batchDepth_ = 0;
  int bands_ = 0;
  Applied applied_;
  TFont fontKey_;
  unsigned fontGeneration_ = 0;
  static constexpr std::size_t kMaxCachedWidths = 4096, kMaxCachedText = 64;
  std::unordered_map<std::string, int> widths_;  // of texts in the current font
  unsigned widthsGeneration_ = 0;
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
