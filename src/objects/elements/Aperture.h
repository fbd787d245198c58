#pragma once
// Aperture (stop): a segment P1 -> P2 that ends every ray meeting it except
// in its gap. The gap's middle lies at a fraction of the way from P1 to P2;
// a gap of a pixel or two is a pinhole.

#include <utility>

#include "objects/TwoPointObject.h"
#include "scene/ObjectOf.h"

class Aperture : public ObjectOf<Aperture, TwoPointObject> {
 public:
  explicit Aperture(TCanvas* canvas);

  // Own fields, in record order (then the skip-next-paint flag).
  TPointF p1, p2;
  float gapWidth = 20;      // "缺口宽度", pixels
  float gapPosition = 0.5;  // "缺口位置", 0 at P1 ... 1 at P2

  void Draw(int mode) override;
  std::vector<DrawObjectLineDataStruct> GetSurfaces() override;

 protected:
  std::vector<PointRef> ControlPoints() override;
  void RecordFields(RecordIo& io) override;
  PropertyRows Rows() override;

 private:
  // The gap's ends, as distances from P1 within the segment.
  std::pair<double, double> Gap();
};
