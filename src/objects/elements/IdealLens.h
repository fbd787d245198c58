#pragma once
// Ideal thin lens: a lens line from point 0 to point 1 with
// arrowheads at its ends, its two focal points at distance f on the
// perpendicular through its middle, and the principal axis. It hands the
// tracer one kind-3 surface carrying both focal points; the thin-lens rule
// itself is the tracer's. IdealMagnifier and IdealConcave differ only in
// the values of their Kind.

#include <cstdint>

#include "objects/TwoPointObject.h"

class IdealLens : public TwoPointObject {
 public:
  struct Kind {
    const char* className;
    int orientation;  // of the surface: 1 converging, 2 diverging
    // Arrowhead strokes at point 0 and at point 1, as angles from the lens
    // direction: outward heads for the converging lens, inward for the other.
    double wingAtStart, wingAtEnd;
    const char* captionId;
    const char* caption;
  };

  IdealLens(TCanvas* canvas, const Kind& kind);

  // Own fields, in record order (then the first-paint flag).
  TPointF end0, end1;
  TPointF focal1, focal2;  // toward direction - 90 and + 90 of end0 -> end1
  float focalLength = 100;

  // Puts the focal points at distance f from the middle of the lens line.
  void UpdateFocalPoints();

  void Draw(int mode) override;
  std::vector<DrawObjectLineDataStruct> GetSurfaces() override;
  bool Imaging() const override { return true; }
  void Move(int mode, int x, int y) override;

 protected:
  // The two ends, then the two focal points (moved and zoomed with them).
  std::vector<PointRef> ControlPoints() override;
  void PlaceDragged(int x, int y) override;
  void RecordFields(RecordIo& io) override;
  PropertyRows Rows() override;

 private:
  const Kind* kind_;
};
