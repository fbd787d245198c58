#pragma once
// Pieces shared by the light sources that are not parallel beams: the stroke
// painter that switches between the plain and the high-quality canvas, the
// property-row helpers and the record of the point source and the luminous
// object.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "gfx/TCanvas.h"
#include "gfx/TGDIPlusCanvas.h"
#include "optics/DrawBaseRayDataStruct.h"
#include "scene/DrawObjectUnit.h"

class ByteWriter;
class ByteReader;

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

// Property rows in display order; they are inserted bottom-up because every
// new row goes above the earlier ones.
void FillRows(const std::string& caption,
              const std::vector<std::pair<std::string, std::string>>& rows);
// The index factor row: any real within the float range, else message "90"
// and false.
bool ReadFactorRow(float& factor);
// The first six characters of the float's plain decimal text.
std::string FactorText(float factor);

// The saved fields of the point source and of the luminous object, which
// share one layout.
struct EmitterRecord {
  static constexpr int kPoints = 11;
  // Aim points in the table: the most rays a record can serve.
  static constexpr int kMaxRays = kPoints - 1;

  DrawBaseRayDataStruct ray;
  std::array<TPointF, kPoints> points{};
  std::int32_t rayCount = 3;
  float spare = 10.0f;
  std::uint8_t skipNextPaint = 1;
  std::string objectName = "S";

  // The first `count` points as the object's control points.
  std::vector<PointRef> PointRefs(int count);

  // Everything after the base record except the reserved block.
  void Save(ByteWriter& out) const;
  bool Load(ByteReader& in);
};
