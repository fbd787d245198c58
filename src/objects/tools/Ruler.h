#pragma once
// Ruler: a straight edge from its zero (P1) to its end (P2) with end bars,
// ticks every `tickSpacing` pixels on its left and its total length.

#include "objects/tools/SegmentTool.h"
#include "scene/ObjectOf.h"

class Ruler : public ObjectOf<Ruler, SegmentTool> {
 public:
  explicit Ruler(TCanvas* canvas);

  // Ticks beyond this many are not drawn: a file's huge ruler stays cheap.
  static constexpr int kMaxTicks = 2000;

  float tickSpacing = 50;
  std::int32_t spareValue = 0;
  std::uint8_t spareFlag = 0;

  void Draw(int mode) override;

 protected:
  void RecordFields(RecordIo& io) override;
  PropertyRows Rows() override;
};
