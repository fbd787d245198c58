#pragma once
// Circular blocker: a disc that ends every ray meeting its outline (a ball,
// a planet in an eclipse). P1 is the centre, P2 a point on the rim.

#include "objects/TwoPointObject.h"
#include "scene/ObjectOf.h"

class CircularBlocker : public ObjectOf<CircularBlocker, TwoPointObject> {
 public:
  explicit CircularBlocker(TCanvas* canvas);

  // Own fields, in record order (then the skip-next-paint flag).
  TPointF centre, rim;

  float Radius() const;
  // The handles, the radius from the centre to the rim point, the outline.
  int HitTest(int x, int y) override;
  void Draw(int mode) override;
  std::vector<DrawObjectLineDataStruct> GetSurfaces() override;

 protected:
  std::vector<PointRef> ControlPoints() override;
  void RecordFields(RecordIo& io) override;
  PropertyRows Rows() override;
};
