#pragma once
// What a trace keeps for the next one: the prepared faces (reused while they
// stay the same), the threads that share the work and their recordings, and
// how much work the last trace was.

#include <memory>
#include <vector>

#include "optics/PreparedFaces.h"

class TraceShare;
class TraceWorkers;

class TraceContext {
 public:
  // Rays a trace must have traced last time to be shared among threads:
  // below it, waking a thread costs more than it saves.
  static constexpr long long kShareFrom = 400;

  TraceContext();
  ~TraceContext();
  TraceContext(const TraceContext&) = delete;
  TraceContext& operator=(const TraceContext&) = delete;

  // At most this many threads trace; 0: one per core (at most kMaxThreads).
  void SetThreads(int threads);
  int Threads() const;
  static constexpr int kMaxThreads = 8;
  // How many rays the last trace traced before a trace is shared (tests share every one).
  void SetShareFrom(long long rays) { shareFrom_ = rays; }

  // For the tracer.
  PreparedFaces& Faces() { return faces_; }
  // Whether the next trace is to be shared, from the last one's work.
  bool ShareNext() const;
  void Remember(long long raysTraced, bool cut, int shares);
  // Among how many threads the last trace was shared (1: traced alone).
  int LastShares() const { return lastShares_; }
  // n shares (up to Threads()), each with its recording; threads started on first use.
  std::vector<std::unique_ptr<TraceShare>>& Shares(int n);
  // Null when no thread can be started: the trace runs alone then.
  TraceWorkers* Workers();

 private:
  PreparedFaces faces_;
  int threads_ = 0;
  long long shareFrom_ = kShareFrom;
  long long lastRays_ = 0;
  bool lastCut_ = false;
  int lastShares_ = 1;
  std::vector<std::unique_ptr<TraceShare>> shares_;
  std::unique_ptr<TraceWorkers> workers_;
};
