#pragma once
// What a trace keeps for the next one: the prepared faces (reused while they
// stay the same), the threads that share the work and their recordings, and
// how much work the last trace was.

#include <memory>
#include <vector>

#include "optics/PreparedFaces.h"

class TracePipe;
class TraceShare;
class TraceWorkers;

class TraceContext {
 public:
  // A trace is shared among threads when the one before took, per ray it
  // traced, at least this long on one thread (half as long when it was
  // shared) and this long in all. Recording and replaying a ray's calls
  // costs about as much as tracing a ray between two mirrors: only scenes
  // whose rays take long to trace (many faces, angle labels) gain.
  static constexpr double kShareFromPerRay = 1e-6;  // seconds
  static constexpr double kShareFromTrace = 2e-4;
  // A trace that is not shared is traced on a second thread while its calls
  // are drawn when the one before took at least this long, drawing included:
  // handing the calls over costs about a fifth of tracing them, and the
  // drawing waits now and then for the trace.
  static constexpr double kPipeFromTrace = 3e-3;  // seconds

  TraceContext();
  ~TraceContext();
  TraceContext(const TraceContext&) = delete;
  TraceContext& operator=(const TraceContext&) = delete;

  // At most this many threads trace; 0: one per core (at most kMaxThreads).
  void SetThreads(int threads);
  int Threads() const;
  static constexpr int kMaxThreads = 8;
  // Share every trace, however small (tests).
  void ShareAlways(bool always) { shareAlways_ = always; }
  // Trace every trace that is not shared on a second thread, whatever the
  // sink (tests).
  void PipeAlways(bool always) { pipeAlways_ = always; }

  // For the tracer.
  PreparedFaces& Faces() { return faces_; }
  // Whether the next trace is to be shared, from the last one's work.
  bool ShareNext() const;
  // Whether the next trace, not shared, is to be traced on a second thread
  // for a sink that is slow or not.
  bool PipeNext(bool slowSink) const;
  TracePipe& Pipe();
  void Remember(long long raysTraced, bool cut, int shares, double seconds);
  // Into how many shares the last trace was split (1: traced alone).
  int LastShares() const { return lastShares_; }
  // n shares, each with its recording.
  std::vector<std::unique_ptr<TraceShare>>& Shares(int n);
  // Null when no thread can be started: the trace runs alone then.
  TraceWorkers* Workers();

 private:
  PreparedFaces faces_;
  int threads_ = 0;
  bool shareAlways_ = false;
  bool pipeAlways_ = false;
  long long lastRays_ = 0;
  double lastSeconds_ = 0;
  bool lastCut_ = false;
  int lastShares_ = 1;
  std::vector<std::unique_ptr<TraceShare>> shares_;
  std::unique_ptr<TracePipe> pipe_;
  std::unique_ptr<TraceWorkers> workers_;
};
