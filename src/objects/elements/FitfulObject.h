#pragma once
// Irregular object: a closed free-hand polygon whose outline mirrors rays on
// both sides, optionally filled. Drawn open while it grows, closed once
// placed.

#include <cstdint>

#include "objects/PolygonObject.h"
#include "scene/ObjectOf.h"

class FitfulObject : public ObjectOf<FitfulObject, PolygonObject> {
 public:
  explicit FitfulObject(TCanvas* canvas);

  // Highest index of the outline polyline: count - 1 open, count closed.
  std::int32_t outlineExtent = 0;
  std::uint8_t closed = 0;
  // Set only by files: HitTest then also offers the vertices as handles.
  std::uint8_t vertexHandles = 0;

  void BeginCreate(int x, int y) override;
  // One vertex per pointer movement, up to kFreehandPoints.
  void DragCreate(int x, int y) override;
  void EndCreate(int x, int y) override;
  void DrawHandles() override;
  void Move(int mode, int x, int y) override;
  // Every edge, then the closing edge, as two-sided reflectors.
  std::vector<DrawObjectLineDataStruct> GetSurfaces() override;

 protected:
  std::vector<TPoint> OutlinePoints() const override;
  bool OffersVertexHandles() const override { return vertexHandles != 0; }
  void RecordFields(RecordIo& io) override;
  PropertyRows Rows() override;

 private:
  void CloseOutline(bool closeIt);
};
