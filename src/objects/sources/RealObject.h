#pragma once
// The luminous object: an upright arrow A-B with two rays from each end,
// from which the tracer builds the image arrow A'B'.

#include "objects/sources/SourceShared.h"
#include "scene/DrawObjectUnit.h"

class RealObject : public DrawObjectUnit {
 public:
  explicit RealObject(TCanvas* canvas);

  // Point 0 = A, 1 = B, 2 and 3 = aim points of the rays from A, 4 and 5 =
  // those of the rays from B. Same layout as the point source's record.
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
  std::vector<PointRef> ControlPoints() override;

 private:
  // B and the four aim points for B at (x, y).
  void PlaceEnd(int x, int y);
};
