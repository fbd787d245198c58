#pragma once
// The point source: rays leave one point through aim points the user drags.

#include "objects/sources/SourceShared.h"
#include "scene/DrawObjectUnit.h"

class PointLampHouse : public DrawObjectUnit {
 public:
  explicit PointLampHouse(TCanvas* canvas);

  // Template (colour, factor, source kind 1), point 0 = the source, points
  // 1 ... rayCount = aim points, and the object name given to every ray.
  EmitterRecord record;

  void Draw(int mode) override;
  void DrawHandles() override;
  int HitTest(int x, int y) override;
  bool InRect(float x1, float y1, float x2, float y2) override;
  void BeginCreate(int x, int y) override;
  void DragCreate(int x, int y) override;
  void EndCreate(int x, int y) override;
  std::vector<DrawBaseRayDataStruct> GetBaseRays() override;
  std::unique_ptr<DrawObjectUnit> Clone() const override;
  void Move(int mode, int x, int y) override;
  int ShowProperties() override;
  bool ApplyProperties() override;
  bool SaveToStream(ByteWriter& out) override;
  bool LoadFromStream(ByteReader& in) override;

 protected:
  // The source and its three aim points.
  std::vector<PointRef> ControlPoints() override;
};
