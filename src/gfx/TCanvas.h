#pragma once
// GDI-like drawing state and primitives. Objects and the tracer only ever talk
// to this class; the painting back ends (QImage, recording) derive from it.

#include <cstdint>
#include <string>
#include <vector>

class QImage;

using TColor = std::uint32_t;  // Windows colour value 0x00BBGGRR

enum class TPenMode { Copy, Xor, Merge };
enum class TPenStyle { Solid, Dot, Clear, DashDot, DashDotDot };
enum class TBrushStyle { Solid, Clear };

struct TPen {
  TPenMode mode = TPenMode::Copy;
  TColor color = 0;
  int width = 1;
  TPenStyle style = TPenStyle::Solid;
  // A pen wider than a pixel is solid whatever its style, as GDI's wide
  // pens are, unless this is set: its dashes and gaps are then a one-pixel
  // pen's times its width (the presentation scale's dotted extensions).
  bool scaledDashes = false;
};

struct TBrush {
  TBrushStyle style = TBrushStyle::Solid;
  TColor color = 0xFFFFFF;
};

struct TFont {
  std::string name = "Arial";
  int size = 8;  // points
  bool bold = false;
  TColor color = 0;
  bool italic = false, underline = false, strikeOut = false;
};

struct TPoint {
  int x = 0;
  int y = 0;
  bool operator==(const TPoint&) const = default;
};

struct TPointF {
  float x = 0;
  float y = 0;
  bool operator==(const TPointF&) const = default;
};

// Float-coordinate, anti-aliased pen used by the high-quality layer.
struct TAaPen {
  TColor color = 0;
  std::uint8_t alpha = 255;
  float width = 1.0f;
};

class TCanvas;

// Holds a canvas batch open for its lifetime.
class CanvasBatch {
 public:
  explicit CanvasBatch(TCanvas& canvas);
  ~CanvasBatch();
  CanvasBatch(const CanvasBatch&) = delete;
  CanvasBatch& operator=(const CanvasBatch&) = delete;

 private:
  TCanvas& canvas_;
};

// While `on`, primitives paint only inside [x1, x2) x [y1, y2).
struct TClipRect {
  bool on = false;
  int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  bool operator==(const TClipRect&) const = default;
};

class TCanvas {
 public:
  TPen Pen;
  TBrush Brush;
  TFont Font;
  TClipRect ClipRect;

  virtual ~TCanvas() = default;

  // Size of the clip rectangle (the whole surface).
  virtual int Width() const = 0;
  virtual int Height() const = 0;

  void MoveTo(int x, int y) { penPos_ = {x, y}; }
  void LineTo(int x, int y);

  // GDI semantics: the end point of a line is not painted.
  virtual void Line(int x1, int y1, int x2, int y2) = 0;
  virtual void Polyline(const std::vector<TPoint>& points);
  // Filled with the brush (alternate fill), outlined with the pen.
  virtual void Polygon(const std::vector<TPoint>& points) = 0;
  virtual void Rectangle(int x1, int y1, int x2, int y2) = 0;
  // Brush only, no outline.
  virtual void FillRect(int x1, int y1, int x2, int y2) = 0;
  virtual void Ellipse(int x1, int y1, int x2, int y2) = 0;
  // Counter-clockwise arc of the ellipse in the box, from the ray towards
  // (x3, y3) to the ray towards (x4, y4).
  virtual void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) = 0;
  // Background is transparent when the brush is clear.
  virtual void TextOut(int x, int y, const std::string& text) = 0;
  virtual int TextWidth(const std::string& text) = 0;
  virtual int TextHeight(const std::string& text) = 0;
  virtual void StretchDraw(int x1, int y1, int x2, int y2, const QImage& picture) = 0;
  // The same, with the pixels of the colour `transparent` (0x00BBGGRR) left
  // out. Picking them out is done only for the part of the box that shows.
  virtual void StretchDrawTransparent(int x1, int y1, int x2, int y2, const QImage& picture,
                                      TColor transparent) = 0;

  // At most `primitives` primitives are painted from now on, the rest are
  // dropped: a damaged file can ask for millions of strokes, and the window
  // must keep answering. Unbounded until set.
  void SetPaintBudget(double primitives) {
    paintLeft_ = primitives;
    paintCut_ = false;
  }
  // Whether a primitive was dropped since the budget was last set.
  bool PaintCut() const { return paintCut_; }
  // While the picture is drawn `scale` times larger than at the normal size
  // (a trace at a presentation scale: wider pens, longer arrowheads, larger
  // dots), the extra cost of its primitives is counted as at the normal
  // size: a larger pen never drops what the normal scale shows. 1 ends it.
  // (Sizes are rounded to whole pixels, at most to the scale rounded up.)
  void CountAtNormalSize(double scale);
  // What `paint` draws is counted as one primitive (a label and its halo).
  template <typename Paint>
  void AsOnePrimitive(Paint&& paint) {
    if (!Spend()) return;
    struct Unmetered {
      int& depth;
      explicit Unmetered(int& d) : depth(d) { ++depth; }
      ~Unmetered() { --depth; }
    } unmetered(unmetered_);
    paint();
  }
  // Extra cost, in primitives, of filling a box and of a stroke of the given
  // width along a box's diagonal, the box clipped to the surface. Measured
  // with the merge pen: a fill costs about ten times a stroke per pixel.
  double FillCost(double x1, double y1, double x2, double y2) const;
  double StrokeCost(double x1, double y1, double x2, double y2, double width) const;

  // Lets a back end keep its drawing context open across many primitives (a
  // whole trace) and paint them when the outermost batch ends. Pairs nest;
  // nothing else may paint or read the target in between.
  virtual void BeginBatch() {}
  virtual void EndBatch() {}

  // Anti-aliased float primitives (always copy mode).
  virtual void AaLine(float x1, float y1, float x2, float y2, const TAaPen& pen) = 0;
  virtual void AaPolyline(const std::vector<TPointF>& points, const TAaPen& pen) = 0;
  virtual void AaFillPolygon(const std::vector<TPointF>& points, TColor color,
                             std::uint8_t alpha) = 0;
  // Angles in degrees, counter-clockwise as seen on the screen. Fills the pie
  // (opaque) when asked, then strokes only its arc.
  virtual void AaPie(float x1, float y1, float x2, float y2, float startAngle, float sweepAngle,
                     const TAaPen& pen, bool fill, TColor fillColor) = 0;

 protected:
  // Each back end's primitive starts with this: false (noted) when the
  // budget is spent and the primitive is to be dropped. The cost is one,
  // plus the extra (FillCost, StrokeCost) of primitives that touch many
  // pixels: filling a whole page costs as long as 20,000 short strokes.
  bool Spend(double extra = 0);

 private:
  TPoint penPos_;
  double paintLeft_ = 1e300;
  double extraWeight_ = 1;
  int unmetered_ = 0;
  bool paintCut_ = false;
};

// Keeps a canvas's pen, brush and font while a readout paints over the
// scene, and puts them back when it goes.
class CanvasStyleKeeper {
 public:
  explicit CanvasStyleKeeper(TCanvas& canvas)
      : canvas_(canvas), pen_(canvas.Pen), brush_(canvas.Brush), font_(canvas.Font) {}
  ~CanvasStyleKeeper() {
    canvas_.Pen = pen_;
    canvas_.Brush = brush_;
    canvas_.Font = font_;
  }
  CanvasStyleKeeper(const CanvasStyleKeeper&) = delete;
  CanvasStyleKeeper& operator=(const CanvasStyleKeeper&) = delete;

 private:
  TCanvas& canvas_;
  TPen pen_;
  TBrush brush_;
  TFont font_;
};

// The plain 9-point face of the readouts painted over a scene.
inline TFont ReadoutFont(TColor colour) { return {.size = 9, .color = colour}; }
