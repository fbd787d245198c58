#pragma once
// Plane mirror: a segment from control point 1 to control point 2 that
// reflects on its right side; the hatching marks the back on its left.

#include <cstdint>

#include "objects/TwoPointObject.h"
#include "scene/ObjectOf.h"

class FlatMirror : public ObjectOf<FlatMirror, TwoPointObject> {
 public:
  explicit FlatMirror(TCanvas* canvas);

  // The 40-byte segment block of the record. Only the points are kept up to
  // date; the other words are carried as they were read.
  struct SegmentBlock {
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    float slope = 0, intercept = 0, direction = 0;
    std::uint8_t vertical = 0;
    float verticalX = 0;
    std::uint32_t spare = 0;
  };

  // Own field, in record order (then the skip-next-paint flag).
  SegmentBlock segment;

  void Draw(int mode) override;
  std::vector<DrawObjectLineDataStruct> GetSurfaces() override;

 protected:
  std::vector<PointRef> ControlPoints() override;
  void RecordFields(RecordIo& io) override;
  PropertyRows Rows() override;
};
