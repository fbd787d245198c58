#pragma once
// Parallel light source: an arrow from control point 1 to control point 2
// that emits one ray, or a bundle of parallel rays, in its direction.

#include <cstdint>

#include "optics/DrawBaseRayDataStruct.h"
#include "scene/DrawObjectUnit.h"

class LampHouse : public DrawObjectUnit {
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
  std::uint8_t skipNextPaint = 1;

  void Draw(int mode) override;
  void DrawHandles() override;
  int HitTest(int x, int y) override;
  bool InRect(float x1, float y1, float x2, float y2) override;
  std::vector<DrawBaseRayDataStruct> GetBaseRays() override;
  std::unique_ptr<DrawObjectUnit> Clone() const override;
  void Move(int mode, int x, int y) override;
  int ShowProperties() override;
  bool ApplyProperties() override;
  void Zoom(float cx, float cy, float factor) override;
  bool SaveToStream(ByteWriter& out) override;
  bool LoadFromStream(ByteReader& in) override;

  // Rays actually emitted, painted and shown: the count bounded to
  // 1..kMaxFileRays.
  int EffectiveRayCount() const;

 protected:
  std::vector<PointRef> ControlPoints() override;
  // The coordinate, ray count and spacing rows, in reading order; false after
  // the message of the first bad row. Shared with the composite source.
  bool ApplyBundleRows();
};
