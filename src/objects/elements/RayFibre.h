#pragma once
// Optical fibre: a free-hand centre line with a wall at half the diameter on
// either side. Walls and end faces refract with the fibre's index, so light
// runs along it by total internal reflection.

#include <cstdint>
#include <vector>

#include "scene/DrawObjectUnit.h"
#include "scene/ObjectOf.h"

class RayFibre : public ObjectOf<RayFibre, DrawObjectUnit> {
 public:
  explicit RayFibre(TCanvas* canvas);

  // A typed diameter beyond this is refused: its walls could not be read
  // back from a file.
  static constexpr double kMaxDiameter = 1.0e6;

  std::vector<TPointF> centre;
  float diameter = 10;
  // Toward direction - 90 and direction + 90 of the centre line.
  std::vector<TPointF> rightWall, leftWall;
  float refractiveIndex = 5;
  // Set only by files: HitTest then also offers the centre points as handles.
  std::uint8_t pointHandles = 0;
  std::uint8_t spare = 1;

  // Both walls from the centre line and the diameter.
  void ApplyWallRule();

  void Draw(int mode) override;
  void DrawHandles() override;
  int HitTest(int x, int y) override;
  bool InRect(float x1, float y1, float x2, float y2) override;
  void BeginCreate(int x, int y) override;
  // One centre point per pointer movement, up to kFreehandPoints.
  void DragCreate(int x, int y) override;
  void EndCreate(int x, int y) override;
  // Right wall pieces, left wall pieces, then the entry and the exit face;
  // every face has the glass on its left.
  std::vector<DrawObjectLineDataStruct> GetSurfaces() override;

 protected:
  // Centre line, right wall, left wall: moves and zooms take all three.
  std::vector<PointRef> ControlPoints() override;
  void RecordFields(RecordIo& io) override;
  PropertyRows Rows() override;

 private:
  void AddPoint(int x, int y);
};
