#pragma once
// Hands the calls of a trace from the thread that traces to the thread that
// draws them, a run of rays at a time, while the trace goes on: a boxed beam
// takes longer to draw (recording tens of thousands of lines) than to trace,
// and the two then overlap on two cores.

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

#include "optics/ImageMarks.h"
#include "optics/schedule/TraceRecorder.h"

class TracePipe {
 public:
  // Where a generation's calls end within a segment: its image marks follow.
  struct GenerationEnd {
    std::size_t at = 0;
    ImageCandidates images;
  };
  struct Segment {
    TraceRecorder calls;
    // Kept with their storage from one trace to the next: ends[0, endCount).
    std::vector<GenerationEnd> ends;
    std::size_t endCount = 0;
    bool stopped = false;  // a work bound stopped the trace after these calls
    // A generation ends after the first `at` calls.
    GenerationEnd& EndGeneration(std::size_t at);
  };

  // The tracing side's calls since its last hand-over, and the rays of
  // every generation but the first, which recorded calls and image marks
  // point to (kept until the next trace).
  TraceRecorder recording;
  std::vector<std::vector<DrawBaseRayDataStruct>> keptRays;

  // Before a trace: empties the pipe, keeping its segments for reuse.
  void Open();
  // The tracing side: a segment to fill, then handed on.
  Segment& Fresh();
  void Publish(Segment& segment);
  // No segment follows (also when the tracing side failed).
  void Close();
  // The drawing side: the next segment, waiting for it; null when closed
  // and drained. A segment taken is given back once drawn.
  Segment* Next();
  void Recycle(Segment& segment);
  // Whether the tracing side is done (segments may still wait).
  bool Closed();

 private:
  std::mutex mutex_;
  std::condition_variable ready_;
  std::deque<Segment*> queue_;
  // Taken oldest first: a segment just drawn lies in the drawing core's
  // cache, and refilling it at once would pull every line of it across.
  std::deque<Segment*> free_;
  std::vector<std::unique_ptr<Segment>> all_;
  bool closed_ = false;
  bool waiting_ = false;  // the drawing side sleeps: wake it
};
