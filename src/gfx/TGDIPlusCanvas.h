#pragma once
// The high-quality drawing layer: float coordinates and anti-aliasing on top
// of a TCanvas. Short-lived: made for one object or one ray piece.

#include <cstdint>
#include <string>
#include <vector>

#include "gfx/TCanvas.h"

// ARGB of a Windows colour value with the given alpha.
std::uint32_t ToArgb(TColor color, std::uint8_t alpha);

class TGDIPen {
 public:
  TGDIPen();
  // Remembered; the pen takes it only while the fixed-colour flag is clear.
  void SetColor(TColor color);
  void SetFixedColour(std::uint8_t flag);
  void SetWidth(float width);

  // What the next stroke is drawn with.
  TAaPen Current() const;
  std::uint32_t Argb() const { return argb_; }
  float Width() const { return width_; }

  std::uint8_t alpha = 255;
  std::uint32_t fixedColour = 0xFF000000;  // ARGB
  TColor color = 0;
  std::uint8_t fixedColourFlag = 1;

 private:
  std::uint32_t argb_ = 0xFF000000;  // colour the pen strokes with
  float width_ = 1.0f;
};

class TGDIBrush {
 public:
  enum Kind {
    kSolid = 0,
    kHatch = 1,
    kTexture = 2,
    kLinearGradient = 3,
    kPathGradient = 4,
    kReserved = 5
  };
  // 1 hatch, 2 texture, 3 linear gradient, 4 path gradient, 5 reserved slot,
  // anything else solid.
  void SelectKind(int kind) { this->kind = kind; }
  // The colour a fill with the current brush comes out in; false when the
  // brush cannot paint (the texture has no picture, the reserved slot is empty).
  bool FillColour(std::uint32_t& argb) const;

  int kind = 0;
  std::uint8_t noFill = 0;
  TColor solidColor = 0;  // opaque black
  std::uint8_t solidAlpha = 255;
};

class TGDIPlusFont {
 public:
  std::string family = "Times New Roman";
  float size = 20;
};

class TGDIPlusCanvas {
 public:
  explicit TGDIPlusCanvas(TCanvas& canvas) : canvas_(canvas) {}
  // A layer that strokes only, anti-aliased, in one colour and width.
  static TGDIPlusCanvas Stroking(TCanvas& canvas, TColor color, float width) {
    TGDIPlusCanvas hq(canvas);
    hq.Pen.SetWidth(width);
    hq.Pen.SetFixedColour(0);
    hq.Pen.SetColor(color);
    hq.Brush.noFill = 1;
    return hq;
  }

  void MoveTo(float x, float y);
  void LineTo(float x, float y);
  void Line(float x1, float y1, float x2, float y2);
  // Fills first unless the brush's no-fill flag is set, then strokes. Open:
  // the caller repeats the first point to close the outline.
  void Polyline(const std::vector<TPoint>& points);
  void FillPolygon(const std::vector<TPoint>& points);
  // Angles as the GDI+ library takes them: degrees, clockwise as seen on the
  // screen. The box corners may come in any order.
  void Pie(float x1, float y1, float x2, float y2, float startAngle, float sweepAngle);
  // The arc of that pie, stroked with the pen only.
  void Arc(float x1, float y1, float x2, float y2, float startAngle, float sweepAngle);

  TGDIPen Pen;
  TGDIBrush Brush;
  TGDIPlusFont Font;
  float currentX = 0, currentY = 0;

 private:
  TCanvas& canvas_;
};
