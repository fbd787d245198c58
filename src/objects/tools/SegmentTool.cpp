#include "objects/tools/SegmentTool.h"

#include "i18n/Convert.h"
#include "i18n/TtlmController.h"
#include "optics/Geometry.h"

std::vector<PointRef> SegmentTool::ControlPoints() {
  return {{&segment.p1.x, &segment.p1.y}, {&segment.p2.x, &segment.p2.y}};
}

int SegmentTool::AddToolRows(PropertyRows& rows) {
  AddTwoPointRows(rows, 0);
  rows.Add(ColourRow(Tr("58", "颜色"), color));
  return static_cast<int>(rows.RowList().size()) - 1;
}

void SegmentTool::AddLengthRow(PropertyRows& rows) {
  rows.Add(PropertyRow{Tr("78", "长度"), LeftStr(FloatToShortStr(Length()), 6), TEditStyle::Simple,
                       true});
}

void SegmentTool::PaintText(TPointF at, const std::string& text, TColor colour, int size) {
  if (!canvas) return;
  canvas->Font.color = colour;
  canvas->Font.size = size;
  canvas->Brush.style = TBrushStyle::Clear;
  canvas->TextOut(Pixel(at.x), Pixel(at.y), text);
}
