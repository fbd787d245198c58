#pragma once
// TCanvas over a QPainter that the caller owns, for vector pictures (SVG,
// PDF) and printing. The caller sets the painter's transform; everything is
// drawn in the canvas's own pixels, text in pixel-sized fonts, so that the
// picture looks like the screen's at any scale.
//
// Vector formats cannot OR a colour into what lies beneath: XOR and merge
// pens paint their own colour over it. On the black page that is the same
// colour; only where two merged pieces overlap does the later one win.

#include <QPainter>
#include <string>

#include "gfx/TCanvas.h"

class PainterCanvas : public TCanvas {
 public:
  PainterCanvas(QPainter& painter, int width, int height);

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
  // Clip, pen (GDI style), background and, when asked, the brush.
  void Prepare(bool withBrush);
  void PrepareAa(const TAaPen* pen);
  QFont CurrentFont() const;

  QPainter& painter_;
  int width_;
  int height_;
};
