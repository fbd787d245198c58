#pragma once
// The luminous object: an upright arrow A-B with two rays from each end,
// from which the tracer builds the image arrow A'B'.

#include "objects/EmitterObject.h"
#include "scene/ObjectOf.h"

class RealObject : public ObjectOf<RealObject, EmitterObject> {
 public:
  explicit RealObject(TCanvas* canvas);

  // Point 0 = A, 1 = B, 2 and 3 = aim points of the rays from A, 4 and 5 =
  // those of the rays from B. Same layout as the point source's record.

  void Draw(int mode) override;
  void EndCreate(int x, int y) override;
  std::vector<DrawBaseRayDataStruct> GetBaseRays() override;
  // An end carries the aim points of its own rays along.
  void Move(int mode, int x, int y) override;

 protected:
  int HandleCount() const override { return 5; }
  // B and the four aim points for B at (x, y).
  void PlaceDragged(int x, int y) override;
  PropertyRows Rows() override;
};
