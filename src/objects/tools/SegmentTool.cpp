#include "objects/tools/SegmentTool.h"

#include "gfx/PixelMath.h"
#include "gfx/PresentationScale.h"
#include "i18n/Convert.h"
#include "i18n/SharedTexts.h"
#include "i18n/TtlmController.h"

std::vector<PointRef> SegmentTool::ControlPoints() {
  return {{&segment.p1.x, &segment.p1.y}, {&segment.p2.x, &segment.p2.y}};
}

SegmentTool::ToolRows SegmentTool::AddToolRows(PropertyRows& rows) {
  const EndRows ends = AddTwoPointRows(rows, 0);
  return {ends, rows.Add(ColourRow(Tr(texts::kColour), color))};
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
  HaloTextOut(*canvas, Trunc(at.x), Trunc(at.y), text);
}
