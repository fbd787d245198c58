#pragma once
// Triangular medium (prism): three straight refracting faces.

#include <array>
#include <cstdint>

#include "scene/DrawObjectUnit.h"

class ThreePrism : public DrawObjectUnit {
 public:
  explicit ThreePrism(TCanvas* canvas);

  std::array<TPointF, 3> vertices{};
  float refractiveIndex;
  // Swallows the first Draw, so the first rubber-band erase draws nothing.
  std::uint8_t firstPaint = 1;

  void Draw(int mode) override;
  void DrawHandles() override;
  int HitTest(int x, int y) override;
  bool InRect(float x1, float y1, float x2, float y2) override;
  void DragCreate(int x, int y) override;
  void EndCreate(int x, int y) override;
  std::vector<DrawObjectLineDataStruct> GetSurfaces() override;
  std::unique_ptr<DrawObjectUnit> Clone() const override;
  // BeginCreate, CloneMoved, Move and Zoom: the base versions over the vertices.
  int ShowProperties() override;
  bool ApplyProperties() override;
  bool SaveToStream(ByteWriter& out) override;
  bool LoadFromStream(ByteReader& in) override;

 protected:
  std::vector<PointRef> ControlPoints() override;

 private:
  std::vector<TPointF> Outline() const { return {vertices.begin(), vertices.end()}; }
  // Isosceles: apex at the first point, base horizontal through the pointer.
  void PlaceBase(int x, int y);
};
