#pragma once
// Plano-convex lens: the circular segment between the arc and its chord.

#include "objects/elements/RealLens.h"
#include "scene/ObjectOf.h"

class Magnifier : public ObjectOf<Magnifier, RealLens> {
 public:
  explicit Magnifier(TCanvas* canvas);

  // The arc, glass inside the circle, then the chord back to the start.
  std::vector<DrawObjectLineDataStruct> GetSurfaces() override;

 protected:
  std::vector<PointRef> ControlPoints() override;
  std::vector<TPointF> FacePolyline() override;
  std::vector<TPointF> Outline() override;
  void RecordFields(RecordIo& io) override;
  PropertyRows Rows() override;

 private:
  TPointF ends_[2]{};
};
