#pragma once
// Sources of image-forming rays (the point source and the luminous object):
// a source point 0 with aim points around it, the selection circle and the
// handles on the aim points, hit on a handle, near the source or on a ray
// line, the colour and factor rows, and their shared record.

#include <array>
#include <cstdint>
#include <string>

#include "optics/CanvasDrawing.h"
#include "optics/DrawBaseRayDataStruct.h"
#include "scene/DrawObjectUnit.h"
#include "scene/PropertyRows.h"

class EmitterObject : public DrawObjectUnit {
 public:
  explicit EmitterObject(TCanvas* canvas);

  // The saved fields after the base record, in file order (the object's
  // skip-next-paint flag stands between the spare word and the points).
  struct Record {
    static constexpr int kPoints = 11;
    // Aim points in the table: the most rays a record can serve.
    static constexpr int kMaxRays = kPoints - 1;
    DrawBaseRayDataStruct ray;
    std::array<TPointF, kPoints> points{};
    std::int32_t rayCount = 3;
    float spare = 10.0f;
    std::string objectName = "S";
  };
  Record record;

  // The circle round point 0 and a square on each aim point in use.
  void DrawHandles() override;
  // 1 on an aim point's handle or within 4 px of point 0, 2 within 10 px of
  // point 0 or on a line from it to an aim point, else 0.
  int HitTest(int x, int y) override;
  // A control point inside, or a line from point 0 to one crossing the rectangle.
  bool InRect(float x1, float y1, float x2, float y2) override;
  // About the source point, toward the middle of its aim points.
  std::optional<Heading> Direction() override;

  // "光线": the fan of aim points, or the three special rays toward the
  // nearest ideal lens or curved mirror in front (optics/SpecialRays.h),
  // drawn then by the trace alone. Kept as a mark in the reserved block
  // before the lock's: zero for the fan, so such files keep their bytes.
  bool SpecialRays() const;
  void SetSpecialRays(bool on);

 protected:
  // The source point and the aim points: the first pointCount of the table.
  std::vector<PointRef> ControlPoints() override;
  // Aim points 1 ... HandleCount() carry handles and hit lines.
  virtual int HandleCount() const = 0;
  void RecordFields(RecordIo& io) override;
  struct EmitterRows {
    RowHandle colour, rayColour, factor;
    RowOrder Order() const { return {colour, rayColour, factor}; }
  };
  // "颜色", "发光颜色", "折射率倍".
  EmitterRows AddEmitterRows(PropertyRows& rows);
  // "光线": 扇形 or 特殊光线.
  RowHandle AddRaysRow(PropertyRows& rows);
  // The source's rays as its record gives them, asking for the special
  // rays when set.
  DrawBaseRayDataStruct RayTemplate() const;
  // The strokes of a paint in `mode`: anti-aliased when it is for good in
  // high quality. Needs the canvas that BeginPaint found.
  StrokePainter Strokes(int mode);
};
