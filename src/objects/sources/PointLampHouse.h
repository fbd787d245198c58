#pragma once
// The point source: rays leave one point through aim points the user drags.

#include "objects/EmitterObject.h"
#include "scene/ObjectOf.h"

class PointLampHouse : public ObjectOf<PointLampHouse, EmitterObject> {
 public:
  explicit PointLampHouse(TCanvas* canvas);

  // Template (colour, factor, source kind 1), point 0 = the source, points
  // 1 ... rayCount = aim points, and the object name given to every ray.

  void Draw(int mode) override;
  void BeginCreate(int x, int y) override;
  void DragCreate(int x, int y) override;
  void EndCreate(int x, int y) override;
  std::vector<DrawBaseRayDataStruct> GetBaseRays() override;
  void Move(int mode, int x, int y) override;

 protected:
  // The source and its three aim points.
  int HandleCount() const override { return record.rayCount; }
  void RecordFields(RecordIo& io) override;
  PropertyRows Rows() override;
};
