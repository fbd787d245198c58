#pragma once
// Ideal convex (converging) lens: arrowheads pointing outwards.

#include "objects/elements/IdealLens.h"
#include "scene/ObjectOf.h"

class IdealMagnifier : public ObjectOf<IdealMagnifier, IdealLens> {
 public:
  explicit IdealMagnifier(TCanvas* canvas);
};
