#pragma once
// Plano-concave lens: a concave arc, two sides along the lens axis and a
// flat back parallel to the arc's chord, `thickness` behind the arc's middle.

#include "objects/elements/RealLens.h"
#include "scene/ObjectOf.h"

class Concave : public ObjectOf<Concave, RealLens> {
 public:
  explicit Concave(TCanvas* canvas);

  static constexpr float kDefaultThickness = 10;
  // Corners: 0 arc end at angle 1, 1 and 2 the back behind the ends, 3 the
  // arc end at angle 2.
  TPointF corners[4]{};
  float thickness = kDefaultThickness;

  // The arc with the glass outside the circle, then faces 0-1, 1-2, 2-3.
  std::vector<DrawObjectLineDataStruct> GetSurfaces() override;
  // A back corner sets the thickness: the back passes through the pointer.
  void Move(int mode, int x, int y) override;

 protected:
  std::vector<PointRef> ControlPoints() override;
  int EndIndex() const override { return 3; }
  // The back follows the arc: parallel to the chord at radius + thickness.
  void ArcChanged() override;
  std::vector<Stroke> StraightFaces() override;
  std::vector<TPointF> FacePolyline() override;
  std::vector<TPointF> Outline() override;
  void RecordFields(RecordIo& io) override;
  PropertyRows Rows() override;

 private:
  // Direction from the centre to the middle of the chord.
  double AxisAngle() const;
};
