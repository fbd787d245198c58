#pragma once
// Marks where rays of one luminous point (or of the two ends of a luminous
// arrow) meet again after the same surface.

#include <cstddef>
#include <vector>

#include "optics/DrawBaseRayDataStruct.h"

class RayTracer;

// The rays of one generation that come from a point source or object, in
// their order, with their places among all `total` rays of the generation.
struct ImageCandidates {
  std::vector<const DrawBaseRayDataStruct*> rays;
  std::vector<std::size_t> places;
  std::size_t total = 0;

  void Clear() {
    rays.clear();
    places.clear();
    total = 0;
  }
  // Takes the candidates among these rays, which follow those taken so far.
  void Add(const std::vector<DrawBaseRayDataStruct>& generation);
  // Takes those of the rays that follow these.
  void Append(const ImageCandidates& more);
};

// Draws the image marks of one generation through the tracer's sink,
// checking its work bounds before each of the generation's rays.
void MarkImages(const ImageCandidates& candidates, RayTracer& tracer);
