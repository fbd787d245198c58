#pragma once
// A glass lens with one spherical face: the arc and the straight faces that
// close it, the lens axis, an optional merge fill, a hit inside the outline,
// and refracting faces with the glass on their left.

#include <string>

#include "objects/ArcObject.h"

class RealLens : public ArcObject {
 public:
  RealLens(TCanvas* canvas, int controlPoints);

  static constexpr float kDefaultIndex = 1.3f;
  float refractiveIndex = kDefaultIndex;

  void Draw(int mode) override;
  // 1 on a handle (selectedHandle set), 2 inside the outline, 0 miss.
  int HitTest(int x, int y) override;

 protected:
  // The straight faces as one polyline, drawn over the arc's ends.
  virtual std::vector<TPointF> FacePolyline() = 0;
  // The outline polygon that is filled and hit-tested.
  virtual std::vector<TPointF> Outline() = 0;
  // Points of the arc every `step` degrees from angle 1, then its end.
  std::vector<TPointF> ArcPolygon(double step) const;

  // The lens rows in display order: arc rows, then `between` rows (the
  // thickness), index, colour, fill flag, fill colour. Colours, radius,
  // angles, centre and index are read in that order and stop at the first
  // bad value; then `finish` decides.
  PropertyRows LensRows(const std::string& caption, bool colourTyped,
                        const std::vector<PropertyRow>& between, std::function<bool()> finish);
};
