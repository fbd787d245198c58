#pragma once
// Light blocker: a segment P1 -> P2 that ends every ray meeting it, from
// either side. Shown as a screen, it marks where the light arrives, so that
// a shadow or a pinhole image can be read off it.

#include <cstdint>

#include "objects/TwoPointObject.h"
#include "scene/ObjectOf.h"

class LightBlocker : public ObjectOf<LightBlocker, TwoPointObject> {
 public:
  explicit LightBlocker(TCanvas* canvas);

  // Own fields, in record order (then the skip-next-paint flag).
  TPointF p1, p2;
  std::uint8_t screen = 0;  // "显示为光屏"

  void Draw(int mode) override;
  std::vector<DrawObjectLineDataStruct> GetSurfaces() override;

 protected:
  std::vector<PointRef> ControlPoints() override;
  void RecordFields(RecordIo& io) override;
  PropertyRows Rows() override;
};
