#pragma once
// What a trace keeps for the next one: the prepared faces (reused while they
// stay the same), the pipe that hands a trace from the thread that traces to
// the one that paints, and how long the last trace took.

#include <memory>

#include "optics/PreparedFaces.h"

class TracePipe;

class TraceContext {
 public:
  // A trace whose sink paints is traced on a second thread while its calls
  // are painted when the one before took at least this long, painting
  // included: handing the calls over costs about a fifth of tracing them,
  // and the painting waits now and then for the trace.
  static constexpr double kPipeFromTrace = 3e-3;  // seconds

  TraceContext();
  ~TraceContext();
  TraceContext(const TraceContext&) = delete;
  TraceContext& operator=(const TraceContext&) = delete;

  // At most this many threads trace (1: never a second one); 0: as many as
  // there are cores.
  void SetThreads(int threads) { threads_ = threads; }
  int Threads() const;
  // Trace every trace on a second thread, whatever its sink and length
  // (tests).
  void PipeAlways(bool always) { pipeAlways_ = always; }

  // For the tracer.
  PreparedFaces& Faces() { return faces_; }
  // Whether the next trace is to be traced on a second thread, for a sink
  // that paints or not.
  bool PipeNext(bool drawn) const;
  TracePipe& Pipe();
  void Remember(double seconds);

 private:
  PreparedFaces faces_;
  int threads_ = 0;
  bool pipeAlways_ = false;
  double lastSeconds_ = 0;
  std::unique_ptr<TracePipe> pipe_;
};
