#pragma once
// Auxiliary line: solid in the line width or dotted, optionally labelled
// with its length at its middle.

#include "objects/tools/SegmentTool.h"
#include "scene/ObjectOf.h"

class OPticsLine : public ObjectOf<OPticsLine, SegmentTool> {
 public:
  explicit OPticsLine(TCanvas* canvas);

  std::uint8_t solid = 1;
  std::int32_t spareValue = 0;
  std::uint8_t showLength = 0;

  void Draw(int mode) override;
  void DrawHandles() override;

 protected:
  void RecordFields(RecordIo& io) override;
  PropertyRows Rows() override;

 private:
  void PaintLength();
};
