#pragma once
// Plane mirror: a segment from control point 1 to control point 2 that
// reflects on its right side; the hatching marks the back on its left.

#include <cstdint>

#include "scene/DrawObjectUnit.h"

class FlatMirror : public DrawObjectUnit {
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

  // Own fields, in record order.
  SegmentBlock segment;
  std::uint8_t skipNextPaint = 1;

  void Draw(int mode) override;
  void DrawHandles() override;
  int HitTest(int x, int y) override;
  bool InRect(float x1, float y1, float x2, float y2) override;
  std::vector<DrawObjectLineDataStruct> GetSurfaces() override;
  std::unique_ptr<DrawObjectUnit> Clone() const override;
  void Move(int mode, int x, int y) override;
  int ShowProperties() override;
  bool ApplyProperties() override;
  void Zoom(float cx, float cy, float factor) override;
  bool SaveToStream(ByteWriter& out) override;
  bool LoadFromStream(ByteReader& in) override;

 protected:
  std::vector<PointRef> ControlPoints() override;
};
