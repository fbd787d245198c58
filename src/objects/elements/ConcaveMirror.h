#pragma once
// A concave mirror: the hatching runs outwards from the arc, which reflects on its inner side.

#include "objects/elements/CurvedMirror.h"
#include "scene/ObjectOf.h"

class ConcaveMirror : public ObjectOf<ConcaveMirror, CurvedMirror> {
 public:
  explicit ConcaveMirror(TCanvas* canvas);
};
