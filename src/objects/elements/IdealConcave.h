#pragma once
// Ideal concave (diverging) lens: arrowheads pointing inwards.

#include "objects/elements/IdealLens.h"
#include "scene/ObjectOf.h"

class IdealConcave : public ObjectOf<IdealConcave, IdealLens> {
 public:
  explicit IdealConcave(TCanvas* canvas);
};
