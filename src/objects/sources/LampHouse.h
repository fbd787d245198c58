#pragma once
// Parallel light source: an arrow from control point 1 to control point 2
// that emits one ray, or a bundle of parallel rays, in its direction.

#include <cstdint>

#include "objects/TwoPointObject.h"
#include "optics/DrawBaseRayDataStruct.h"
#include "scene/ObjectOf.h"

class LampHouse : public ObjectOf<LampHouse, TwoPointObject> {
 public:
  explicit LampHouse(TCanvas* canvas);

  // Most rays the property sheet accepts.
  static constexpr int kMaxRays = 10;
  // Most rays a source emits or paints. A file may hold any ray count; it is
  // kept as it is, used up to this bound, which no classroom bundle nears but
  // which keeps a damaged count from asking for billions of rays.
  static constexpr int kMaxFileRays = 10000;

  // Own fields, in record order. The template's start and through points
  // are the two control points.
  DrawBaseRayDataStruct rayTemplate;
  std::int32_t rayCount = 1;
  float raySpacing = 10.0f;

  void Draw(int mode) override;
  std::vector<DrawBaseRayDataStruct> GetBaseRays() override;

  // Rays actually emitted, painted and shown: the count bounded to
  // 1..kMaxFileRays.
  int EffectiveRayCount() const;

 protected:
  std::vector<PointRef> ControlPoints() override;
  TPointF TurnPivot() override { return P1(); }
  void RecordFields(RecordIo& io) override;
  PropertyRows Rows() override;
  // The ray count and spacing rows, read with the coordinates (group 1)
  // until the first bad one. Shared with the composite source.
  struct BundleRows {
    RowHandle count, spacing;
  };
  BundleRows AddBundleRows(PropertyRows& rows);
};
