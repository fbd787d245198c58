#pragma once
// Measuring tools drawn along one segment (the auxiliary line, the ruler):
// the segment record they keep, and the rows they share. Rays pass through
// them.

#include "objects/TwoPointObject.h"
#include "optics/PlaneMath.h"
#include "scene/RecordIo.h"

class SegmentTool : public TwoPointObject {
 public:
  using TwoPointObject::TwoPointObject;

  SegmentRecord segment;

  float Length() const { return Distance(segment.p1, segment.p2); }

 protected:
  std::vector<PointRef> ControlPoints() override;
  struct ToolRows {
    EndRows ends;
    RowHandle colour;
  };
  // X1 Y1 X2 Y2 and "颜色" at the top of the sheet.
  ToolRows AddToolRows(PropertyRows& rows);
  // The read-only "长度" row.
  void AddLengthRow(PropertyRows& rows);
  // Text of the current font at a whole-pixel top-left corner, on a clear brush.
  void PaintText(TPointF at, const std::string& text, TColor colour, int size);
};
