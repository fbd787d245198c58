#pragma once
// One thread's share of a trace: a run of consecutive base rays traced
// through all their generations into a recording, with where each
// generation's calls end and the rays that may mark images.

#include <cstddef>
#include <vector>

#include "optics/ImageMarks.h"
#include "optics/TraceRecorder.h"

class TraceShare {
 public:
  struct Generation {
    std::size_t end = 0;     // of its calls in the recording
    ImageCandidates images;  // places among this share's rays of the generation
  };
  TraceRecorder recorder;
  std::vector<Generation> generations;
  // The rays of every generation but the first, kept for the recorded calls
  // and the image marks that point to them.
  std::vector<std::vector<DrawBaseRayDataStruct>> rays;
  // The share's own bounds stopped it within its last generation.
  bool stopped = false;

  void Clear() {
    recorder.Clear();
    generations.clear();
    rays.clear();
    stopped = false;
  }
};
