#pragma once
// A canvas that keeps every primitive with the pen and brush it was drawn with.
// Used by tests, by the benchmarks and wherever a trace is wanted as numbers.

#include <string>
#include <vector>

#include "gfx/TCanvas.h"

struct RecordedOp {
  enum Kind {
    Line,
    Polygon,
    Rectangle,
    FillRect,
    Ellipse,
    Arc,
    Text,
    Picture,
    AaLine,
    AaPolyline,
    AaFillPolygon,
    AaPie
  };
  Kind kind;
  std::vector<float> coords;  // the primitive's coordinates in call order
  std::string text;
  TPen pen;
  TBrush brush;
  TFont font;
  TAaPen aaPen;
};

class RecordingCanvas : public TCanvas {
 public:
  RecordingCanvas(int width = 1920, int height = 1080) : width_(width), height_(height) {}

  std::vector<RecordedOp> ops;
  // False: primitives are counted against the paint budget but not kept
  // (a trace printed as text needs no pictures, however long it is).
  bool keep = true;

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void Clear() { ops.clear(); }
  std::size_t Count(RecordedOp::Kind kind) const;

  void Line(int x1, int y1, int x2, int y2) override;
  void Polygon(const std::vector<TPoint>& points) override;
  void Rectangle(int x1, int y1, int x2, int y2) override;
  void FillRect(int x1, int y1, int x2, int y2) override;
  void Ellipse(int x1, int y1, int x2, int y2) override;
  void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) override;
  void TextOut(int x, int y, const std::string& text) override;
  int TextWidth(const std::string& text) override;
  int TextHeight(const std::string& text) override;
  void StretchDraw(int x1, int y1, int x2, int y2, const QImage& picture) override;
  // Recorded as a Picture whose fifth coordinate is the transparent colour.
  void StretchDrawTransparent(int x1, int y1, int x2, int y2, const QImage& picture,
                              TColor transparent) override;
  void AaLine(float x1, float y1, float x2, float y2, const TAaPen& pen) override;
  void AaPolyline(const std::vector<TPointF>& points, const TAaPen& pen) override;
  void AaFillPolygon(const std::vector<TPointF>& points, TColor color, std::uint8_t alpha) override;
  void AaPie(float x1, float y1, float x2, float y2, float startAngle, float sweepAngle,
             const TAaPen& pen, bool fill, TColor fillColor) override;

 private:
  RecordedOp& Add(RecordedOp::Kind kind, std::vector<float> coords);
  int width_;
  int height_;
  RecordedOp scratch_{RecordedOp::Line, {}, {}, {}, {}, {}, {}};
};
