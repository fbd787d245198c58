#pragma once
// Triangular medium (prism): three straight refracting faces.

#include "objects/PolygonMedium.h"
#include "scene/ObjectOf.h"

class ThreePrism : public ObjectOf<ThreePrism, PolygonMedium> {
 public:
  explicit ThreePrism(TCanvas* canvas);

 protected:
  TPointF Interior() const override;
  // Isosceles: apex at the first point, base horizontal through the pointer.
  void PlaceDragged(int x, int y) override;
  PropertyRows Rows() override;
};
