#include "optics/CanvasTraceSink.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "gfx/PresentationScale.h"
#include "gfx/TGDIPlusCanvas.h"
#include "optics/PlaneMath.h"
#include "optics/RayGeometry.h"

namespace {

constexpr double kWingLength = 10;
constexpr double kWingAngle = 150;
constexpr int kImageRadius = 5;
constexpr int kImageLabelOffset = 8;
constexpr TColor kRealImageColour = 0xFFFF;       // yellow
constexpr TColor kVirtualImageColour = 0x969696;  // grey
constexpr TColor kIncidenceLabelColour = 0xFFFFFF;
constexpr TColor kOutgoingLabelColour = 0xFFFF;
constexpr int kMaxPenWidth = 1000;  // widths come from files
constexpr int kSpotRadius = 3;

// A ray's colour as bright as the ray: each channel scaled, the very colour
// for a ray with all of its light.
TColor Lit(const DrawBaseRayDataStruct& ray) {
  const float b = ray.brightness;
  if (b == 1) return ray.rayColour;
  const float scale = std::clamp(b, 0.0f, 1.0f);
  TColor out = 0;
  for (int shift = 0; shift < 24; shift += 8)
    out |= TColor(std::lround(float((ray.rayColour >> shift) & 0xFF) * scale)) << shift;
  return out;
}

// Rays, normals and extensions are drawn wider at a presentation scale.
int PenWidth(long long width) { return Scaled(int(std::clamp<long long>(width, 1, kMaxPenWidth))); }

}  // namespace

// Every item sets all the state its pixels depend on, so the canvas's own
// state is kept once for the whole trace rather than around every item.
CanvasTraceSink::CanvasTraceSink(TCanvas& canvas, const TraceOptions& options)
    : canvas_(canvas),
      options_(options),
      savedPen_(canvas.Pen),
      savedBrush_(canvas.Brush),
      savedFont_(canvas.Font) {
  // Pens, arrowheads and dots grow with the presentation scale; the budget
  // counts them as the normal scale draws them.
  canvas_.CountAtNormalSize(PresentationScale());
  canvas_.BeginBatch();
}

// As found, except for the pen mode, which a trace always hands back as copy.
CanvasTraceSink::~CanvasTraceSink() {
  canvas_.EndBatch();
  canvas_.CountAtNormalSize(1);
  canvas_.Pen = savedPen_;
  canvas_.Pen.mode = TPenMode::Copy;
  canvas_.Brush = savedBrush_;
  canvas_.Font = savedFont_;
}

// Once the canvas has dropped a primitive for its paint budget, it drops
// every one after it until the next refresh: a boxed beam's last third
// paints nothing, and need not be worked out.
bool CanvasTraceSink::Spent() const { return canvas_.PaintCut(); }

TColor CanvasTraceSink::Shade(TColor colour) const {
  if (!faded_) return colour;
  TColor out = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const int c = int((colour >> shift) & 0xFF), b = int((background_ >> shift) & 0xFF);
    out |= TColor(b + (c - b) / 4) << shift;
  }
  return out;
}

void CanvasTraceSink::Stroke(TPointF from, TPointF to, TColor colour, int width, bool highQuality) {
  colour = Shade(colour);
  if (highQuality) {
    TGDIPlusCanvas hq = TGDIPlusCanvas::Stroking(canvas_, colour, float(width));
    hq.MoveTo(from.x, from.y);
    hq.LineTo(to.x, to.y);
    return;
  }
  canvas_.Pen.style = TPenStyle::Solid;
  canvas_.Pen.color = colour;
  canvas_.Pen.width = width;
  canvas_.MoveTo(Trunc(from.x), Trunc(from.y));
  canvas_.LineTo(Trunc(to.x), Trunc(to.y));
}

void CanvasTraceSink::RayPiece(TPointF from, TPointF to, const DrawBaseRayDataStruct& ray) {
  if (Spent()) return;
  lastBlend_ = ray.blend != 0;
  canvas_.Pen.mode = ray.blend ? TPenMode::Merge : TPenMode::Copy;
  Stroke(from, to, Lit(ray), PenWidth(options_.rayWidth), HighQuality(lastBlend_));
}

void CanvasTraceSink::Arrow(TPointF at, float direction, const DrawBaseRayDataStruct& ray) {
  if (Spent()) return;
  canvas_.Pen.mode = ray.blend ? TPenMode::Merge : TPenMode::Copy;
  const bool hq = HighQuality(ray.blend != 0);
  const int width = PenWidth(options_.rayWidth);
  const double wing = Scaled(kWingLength);
  // The colours of a beam come one after the other with the same arrows.
  if (!(wings_.at == at && wings_.direction == direction && wings_.length == wing))
    wings_ = {at, direction, wing, PointAt(at, direction + kWingAngle, wing),
              PointAt(at, direction - kWingAngle, wing)};
  const TColor colour = Lit(ray);
  Stroke(at, wings_.left, colour, width, hq);
  Stroke(at, wings_.right, colour, width, hq);
}

void CanvasTraceSink::Normal(TPointF n1, TPointF n2) {
  if (Spent()) return;
  canvas_.Pen.mode = TPenMode::Copy;
  Stroke(n1, n2, options_.normalColour, PenWidth(options_.rayWidth), HighQuality(lastBlend_));
}

void CanvasTraceSink::Extension(TPointF from, TPointF to) {
  if (Spent()) return;
  canvas_.Pen.mode = TPenMode::Copy;
  canvas_.Pen.style = TPenStyle::Dot;
  canvas_.Pen.width = Scaled(1);
  canvas_.Pen.scaledDashes = true;  // dotted at every presentation scale, unlike real rays
  canvas_.Pen.color = Shade(options_.reverseColour);
  canvas_.Brush.style = TBrushStyle::Clear;
  canvas_.MoveTo(Trunc(from.x), Trunc(from.y));
  canvas_.LineTo(Trunc(to.x), Trunc(to.y));
}

void CanvasTraceSink::AngleLabel(TPointF anchor, const std::string& text, bool incidence) {
  if (Spent()) return;
  canvas_.Font.name = "Arial";
  canvas_.Font.size = 10;
  canvas_.Font.bold = true;
  canvas_.Font.color = Shade(incidence ? kIncidenceLabelColour : kOutgoingLabelColour);
  canvas_.Brush.style = TBrushStyle::Clear;
  const int width = canvas_.TextWidth(text), height = canvas_.TextHeight(text);
  HaloTextOut(canvas_, SaturatedInt(Trunc(anchor.x) - (long long)(width / 2)),
              SaturatedInt(Trunc(anchor.y) - (long long)(height / 2)), text);
}

void CanvasTraceSink::ImageDot(TPointF at, TColor colour) {
  colour = Shade(colour);
  canvas_.Pen.style = TPenStyle::Solid;
  canvas_.Pen.color = colour;
  canvas_.Brush.style = TBrushStyle::Solid;
  canvas_.Brush.color = colour;
  const int x = Trunc(at.x), y = Trunc(at.y);
  const long long r = Scaled(kImageRadius);
  canvas_.Ellipse(SaturatedInt(x - r), SaturatedInt(y - r), SaturatedInt(x + r),
                  SaturatedInt(y + r));
}

void CanvasTraceSink::Label(TPointF at, const std::string& text, TColor colour) {
  canvas_.Font.name = "Arial";
  canvas_.Font.size = 8;
  canvas_.Font.bold = false;
  canvas_.Font.color = Shade(colour);
  canvas_.Brush.style = TBrushStyle::Clear;
  const int offset = Scaled(kImageLabelOffset);
  HaloTextOut(canvas_, Trunc(at.x + offset), Trunc(at.y + offset), text);
}

void CanvasTraceSink::ImagePoint(TPointF at, bool real, const std::string& label) {
  if (Spent()) return;
  const TColor colour = real ? kRealImageColour : kVirtualImageColour;
  canvas_.Pen.mode = TPenMode::Copy;
  canvas_.Pen.width = 1;
  ImageDot(at, colour);
  Label(at, label, colour);
}

void CanvasTraceSink::ImageArrow(TPointF first, TPointF second, bool real, int sourceLineWidth) {
  if (Spent()) return;
  const TColor colour = real ? kRealImageColour : kVirtualImageColour;
  const int width = PenWidth(3LL * sourceLineWidth);
  canvas_.Pen.mode = TPenMode::Copy;
  Stroke(first, second, colour, width, false);
  const double direction = DirectionAngle(first, second);
  const double wing = Scaled(kWingLength);
  Stroke(second, PointAt(second, direction + kWingAngle, wing), colour, width, false);
  Stroke(second, PointAt(second, direction - kWingAngle, wing), colour, width, false);
  ImageDot(first, colour);
  Label(first, "A'", colour);
  Label(second, "B'", colour);
}

// The colours of white light meet on a screen as they do on the surface:
// merged.
void CanvasTraceSink::Spot(TPointF at, const DrawBaseRayDataStruct& ray) {
  if (Spent()) return;
  canvas_.Pen.mode = ray.blend ? TPenMode::Merge : TPenMode::Copy;
  canvas_.Pen.width = 1;
  const TColor colour = Shade(Lit(ray));
  canvas_.Pen.style = TPenStyle::Solid;
  canvas_.Pen.color = colour;
  canvas_.Brush.style = TBrushStyle::Solid;
  canvas_.Brush.color = colour;
  const int x = Trunc(at.x), y = Trunc(at.y);
  const long long r = Scaled(kSpotRadius);
  canvas_.Ellipse(SaturatedInt(x - r), SaturatedInt(y - r), SaturatedInt(x + r),
                  SaturatedInt(y + r));
}
