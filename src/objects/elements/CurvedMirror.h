#pragma once
// A spherical mirror drawn as an arc with its axis, a small circle at the
// centre of curvature and hatching on the back. The concave and the convex
// mirror differ only in the side of the hatching, the side that reflects and
// a few texts.

#include <string>

#include "objects/ArcObject.h"

class CurvedMirror : public ArcObject {
 public:
  // What a concrete mirror says about itself.
  struct Traits {
    const char* className;
    float hatch;      // +15 outwards from the arc, -15 inwards
    int orientation;  // of the arc surface: which side reflects
    std::string caption, angle1NotANumber, angle2NotANumber;
  };

  CurvedMirror(TCanvas* canvas, const Traits& traits);

  // Carried in the record and handed on as the surface's index; unused.
  float spareValue = 0;

  void Draw(int mode) override;
  // 1 on an end handle, 2 on the arc (within 4 px) or on the axis, 0 miss.
  int HitTest(int x, int y) override;
  std::vector<DrawObjectLineDataStruct> GetSurfaces() override;
  bool Imaging() const override { return true; }
  // Radius 2f about the same vertex and axis (the sheet's 焦距 row).
  void SetFocalLength(double f);

 protected:
  std::vector<PointRef> ControlPoints() override;
  void RecordFields(RecordIo& io) override;
  PropertyRows Rows() override;

 private:
  // The axis from the centre through the middle of the arc, 40 px beyond it.
  TPointF AxisEnd() const;

  TPointF ends_[2]{};
  float hatch_;
  int orientation_;
  std::string caption_, angle1NotANumber_, angle2NotANumber_;
};
