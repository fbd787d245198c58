#pragma once
// A convex mirror: the hatching runs inwards from the arc, which reflects on its outer side.

#include "objects/elements/CurvedMirror.h"
#include "scene/ObjectOf.h"

class ConvexityMirror : public ObjectOf<ConvexityMirror, CurvedMirror> {
 public:
  explicit ConvexityMirror(TCanvas* canvas);
};
