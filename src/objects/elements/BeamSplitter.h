#pragma once
// Beam splitter: a segment P1 -> P2 that reflects a fraction of every ray
// on either side and lets the rest straight through.

#include "objects/TwoPointObject.h"
#include "scene/ObjectOf.h"

class BeamSplitter : public ObjectOf<BeamSplitter, TwoPointObject> {
 public:
  explicit BeamSplitter(TCanvas* canvas);

  // Own fields, in record order (then the skip-next-paint flag).
  TPointF p1, p2;
  float reflected = 0.5f;  // "反射比例", 0 ... 1

  void Draw(int mode) override;
  std::vector<DrawObjectLineDataStruct> GetSurfaces() override;

 protected:
  std::vector<PointRef> ControlPoints() override;
  void RecordFields(RecordIo& io) override;
  PropertyRows Rows() override;
};
