#pragma once
// Rectangular medium (slab) whose sides stay parallel to the page axes:
// vertex 0 is the corner placed first, vertex 2 the opposite corner,
// vertex 1 = (x2, y0) and vertex 3 = (x0, y2).

#include <array>
#include <cstdint>

#include "scene/DrawObjectUnit.h"

class FourPrism : public DrawObjectUnit {
 public:
  explicit FourPrism(TCanvas* canvas);

  std::array<TPointF, 4> vertices{};
  float refractiveIndex;
  // Swallows the first Draw, so the first rubber-band erase draws nothing.
  std::uint8_t firstPaint = 1;

  // The rectangle from its first corner to the opposite one.
  void SetRectangle(TPointF first, TPointF opposite);

  void Draw(int mode) override;
  void DrawHandles() override;
  int HitTest(int x, int y) override;
  bool InRect(float x1, float y1, float x2, float y2) override;
  void DragCreate(int x, int y) override;
  void EndCreate(int x, int y) override;
  std::vector<DrawObjectLineDataStruct> GetSurfaces() override;
  std::unique_ptr<DrawObjectUnit> Clone() const override;
  // BeginCreate, CloneMoved and Zoom: the base versions over the vertices.
  void Move(int mode, int x, int y) override;
  int ShowProperties() override;
  bool ApplyProperties() override;
  bool SaveToStream(ByteWriter& out) override;
  bool LoadFromStream(ByteReader& in) override;

 protected:
  std::vector<PointRef> ControlPoints() override;

 private:
  std::vector<TPointF> Outline() const { return {vertices.begin(), vertices.end()}; }
};
