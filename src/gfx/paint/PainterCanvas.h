#pragma once
// TCanvas over a QPainter that the caller owns, for vector pictures (SVG,
// PDF) and printing. The caller sets the painter's transform; everything is
// drawn in the canvas's own pixels, text in pixel-sized fonts, so that the
// picture looks like the screen's at any scale.
//
// Vector formats cannot OR a colour into what lies beneath. A bitmap shadow
// of the picture is painted alongside; an XOR or merge primitive is drawn in
// its colour combined with the shadow's colour at its middle, so a merged
// piece over black, glass or another ray looks as on the screen, except
// where what lies beneath changes along the piece.

#include <QPainter>
#include <QRegion>
#include <memory>
#include <optional>
#include <string>

#include "gfx/PaperInk.h"
#include "gfx/TCanvas.h"

class PainterCanvas : public TCanvas {
 public:
  PainterCanvas(QPainter& painter, int width, int height);
  ~PainterCanvas() override;

  // From now on every colour is drawn in its ink on white paper
  // (PaperTheme), `background` (the page's) as white; pictures as they are.
  void DrawOnPaper(TColor background) { paper_ = PaperTheme{background}; }

  int Width() const override { return width_; }
  int Height() const override { return height_; }

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
  // Clip, pen (GDI style), background and, when asked, the brush; XOR and
  // merge colours composed with the shadow at `middle`.
  void Prepare(bool withBrush, std::optional<QPointF> middle = std::nullopt);
  // The shadow canvas with this canvas's state, to repeat a primitive on.
  TCanvas& Shadow();
  // The outline box of a rectangle or ellipse (right and bottom edges left
  // out, as GDI paints them), prepared; nothing when nothing is painted.
  std::optional<QRect> OutlineBox(int x1, int y1, int x2, int y2);
  TColor Combined(TColor colour, QPointF at) const;
  void PrepareAa(const TAaPen* pen);
  QFont CurrentFont() const;
  // The colours as drawn: on paper their inks, else themselves.
  TColor PenColour(TColor colour) const { return paper_ ? paper_->Ink(colour) : colour; }
  TColor FillColour(TColor colour) const;
  TAaPen AaInk(const TAaPen& pen) const;

  QPainter& painter_;
  int width_;
  int height_;
  std::unique_ptr<class OwnedImageCanvas> shadow_;
  std::optional<PaperTheme> paper_;
  std::optional<QRegion> outerClip_;
};
