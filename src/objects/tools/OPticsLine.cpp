#include "objects/tools/OPticsLine.h"

#include "i18n/Convert.h"
#include "i18n/TtlmController.h"
#include "optics/PlaneMath.h"

OPticsLine::OPticsLine(TCanvas* c) : ObjectOf(c) {
  SetClassName("OPticsLine");
  pointCount = 2;
}

void OPticsLine::Draw(int mode) {
  if (!BeginPaint(mode)) return;
  if (mode != kDrawXor && !solid) {
    canvas->Pen.width = 1;
    canvas->Pen.style = TPenStyle::Dot;
  }
  // On a high-quality page the line is always solid.
  PaintStrokes(mode, {{segment.p1, segment.p2}});
  if (mode == kDrawCopy && showLength) PaintLength();
}

void OPticsLine::PaintLength() {
  const TPointF m = Midpoint(segment.p1, segment.p2);
  PaintText({float(Trunc(m.x)), float(Trunc(m.y))}, LeftStr(FloatToStr(double(Length())), 6),
            0x008080, 8);
}

void OPticsLine::DrawHandles() {
  DrawHandleSquares();
  if (showLength) PaintLength();
}

PropertyRows OPticsLine::Rows() {
  PropertyRows rows(Tr("77", "辅助线属性"));
  const ToolRows tool = AddToolRows(rows);
  const RowHandle solidRow = rows.Add(YesNoRow(Tr("70", "是否实线"), solid, true));
  const RowHandle lengthRow = rows.Add(YesNoRow(Tr("69", "是否显示长度"), showLength, true));
  AddLengthRow(rows);
  rows.ApplyOrder(Join({{lengthRow, solidRow, tool.colour}, tool.ends.ByAxis()}));
  return rows;
}

void OPticsLine::RecordFields(RecordIo& io) {
  io.Segment(segment, kMaxCoordinate);
  io.Fields(skipNextPaint, solid, spareValue, showLength);
  io.Block(reserved);
}
