#pragma once
// A two-point object for tests of the scene lists and the mouse handling,
// standing in for the real classes: its shape base gives it handles, hit
// testing, moving, zooming and the rectangle test.

#include <memory>
#include <string>

#include "gfx/TCanvas.h"
#include "objects/TwoPointObject.h"
#include "scene/ObjectOf.h"

class TestSegment : public ObjectOf<TestSegment, TwoPointObject> {
 public:
  explicit TestSegment(TCanvas* canvas, const std::string& name = "TestSegment", TPointF a = {},
                       TPointF b = {})
      : ObjectOf(canvas), p1(a), p2(b) {
    SetClassName(name);
    pointCount = 2;
  }

  TPointF p1, p2;

  void Draw(int mode) override {
    if (!canvas) return;
    PreparePen(mode);
    canvas->Line(int(p1.x), int(p1.y), int(p2.x), int(p2.y));
  }

 protected:
  std::vector<PointRef> ControlPoints() override { return {{&p1.x, &p1.y}, {&p2.x, &p2.y}}; }
};

// Makes a TestSegment carrying the given class name between two points.
inline std::unique_ptr<TestSegment> MakeTestSegment(const std::string& name, float x1, float y1,
                                                    float x2, float y2, TCanvas* canvas = nullptr) {
  return std::make_unique<TestSegment>(canvas, name, TPointF{x1, y1}, TPointF{x2, y2});
}
