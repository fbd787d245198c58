#pragma once
// Protractor: two arms from a vertex, the arc between them and the angle
// measured counter-clockwise from the first arm to the second. Placed at
// once at its default points; rays pass through it.

#include <array>

#include "scene/DrawObjectUnit.h"
#include "scene/ObjectOf.h"

class Protractor : public ObjectOf<Protractor, DrawObjectUnit> {
 public:
  explicit Protractor(TCanvas* canvas);

  // End of the first arm, the vertex, end of the second arm.
  TPointF arm1{380, 300}, vertex{300, 300}, arm2{380, 220};
  std::array<std::uint8_t, 32> spare{};

  // Counter-clockwise from the first arm to the second, in [0, 360).
  float Angle() const;

  void Draw(int mode) override;
  void DrawHandles() override;
  // 1 on a handle (selectedHandle set), 2 on an arm, 0 miss.
  int HitTest(int x, int y) override;
  bool InRect(float x1, float y1, float x2, float y2) override;
  // Placed whole by its palette button: nothing follows the mouse.
  void BeginCreate(int, int) override {}
  void DragCreate(int, int) override {}
  void EndCreate(int, int) override {}

 protected:
  std::vector<PointRef> ControlPoints() override;
  void RecordFields(RecordIo& io) override;
  PropertyRows Rows() override;

 private:
  void PaintAngle();
};
