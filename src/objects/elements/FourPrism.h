#pragma once
// Rectangular medium (slab) whose sides stay parallel to the page axes:
// vertex 0 is the corner placed first, vertex 2 the opposite corner,
// vertex 1 = (x2, y0) and vertex 3 = (x0, y2).

#include "objects/PolygonMedium.h"
#include "scene/ObjectOf.h"

class FourPrism : public ObjectOf<FourPrism, PolygonMedium> {
 public:
  explicit FourPrism(TCanvas* canvas);

  // The rectangle from its first corner to the opposite one.
  void SetRectangle(TPointF first, TPointF opposite);

  // A dragged corner takes its two neighbours along.
  void Move(int mode, int x, int y) override;
  // Its sides stay with the page axes.
  std::optional<Heading> Direction() override { return std::nullopt; }

 protected:
  TPointF Interior() const override;
  bool SmoothOutline() const override;
  void PlaceDragged(int x, int y) override;
  PropertyRows Rows() override;
};
