#pragma once
// The faces of a trace with what the hit test works out from each face alone
// and the face index over them. Kept from one trace to the next while the
// faces stay the same bit for bit: a drag retraces an unchanged scene on
// every frame, and the index of a thousand-face fibre costs a good part of
// its trace.

#include <vector>

#include "optics/DrawObjectLineDataStruct.h"
#include "optics/FaceIndex.h"
#include "optics/RayGeometry.h"

class PreparedFaces {
 public:
  // Takes these faces, rebuilding the lines and the index only when they
  // differ from the faces held (any field of any face, or their number) or
  // when the index is wanted now and was not then. True when rebuilt.
  bool Prepare(const std::vector<DrawObjectLineDataStruct>& surfaces, bool indexed);

  const std::vector<DrawObjectLineDataStruct>& Surfaces() const { return surfaces_; }
  const std::vector<SurfaceLine>& Lines() const { return lines_; }
  const FaceIndex& Index() const { return index_; }

 private:
  std::vector<DrawObjectLineDataStruct> surfaces_;
  std::vector<SurfaceLine> lines_;  // one per face
  FaceIndex index_{{}};
  bool indexed_ = false;
  bool valid_ = false;
};
