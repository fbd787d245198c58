#pragma once
// Finds the ray piece of a trace nearest a point, within a tolerance, and
// tells its root (the ray to follow).

#include "optics/ITraceSink.h"

class RayPicker : public PieceSink {
 public:
  RayPicker(TPointF at, double tolerance) : at_(at), best_(tolerance) {}

  // The root of the nearest piece, or -1 when none lies within the tolerance.
  int Root() const { return root_; }

  void RayPiece(TPointF from, TPointF to, const DrawBaseRayDataStruct& ray) override;
  void Origin(int, int root) override { current_ = root; }

 private:
  TPointF at_;
  double best_;
  int current_ = -1, root_ = -1;
};
