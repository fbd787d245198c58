#pragma once
// Painting shared by the light sources that are not parallel beams: the
// stroke painter that switches between the plain and the high-quality
// canvas, the source disc, its label and the handle marks.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "gfx/TCanvas.h"
#include "gfx/TGDIPlusCanvas.h"

// Straight strokes in one colour, either on the canvas in whole pixels (the
// caller has prepared its pen) or anti-aliased through a temporary
// high-quality canvas that lives as long as the painter.
class StrokePainter {
 public:
  StrokePainter(TCanvas& canvas, bool highQuality, TColor color, int width);
  void SetWidth(int width);
  void Line(TPointF a, TPointF b);
  // The two arrowhead strokes of length 10 at theta + 150 and theta - 150.
  void Head(TPointF tip, double theta);
  bool HighQuality() const { return hq_ != nullptr; }

 private:
  TCanvas& canvas_;
  std::unique_ptr<TGDIPlusCanvas> hq_;
};

// Filled disc of radius 5 around p, pen and brush in the colour.
void PaintDisc(TCanvas& canvas, TPointF p, TColor color);
// A label in Arial 8 with a transparent background, top-left at p + (7, 7).
void PaintLabel(TCanvas& canvas, TPointF p, TColor color, const std::string& text);
// The selection circle of radius 10 around a source point.
void PaintSourceCircle(TCanvas& canvas, TPointF p);
// One handle square centred on p, as the shared handles are drawn.
void PaintHandleSquare(TCanvas& canvas, TPointF p, int size, TColor color);
