#include "optics/TraceContext.h"

#include <algorithm>
#include <system_error>
#include <thread>

#include "optics/TracePipe.h"
#include "optics/TraceShare.h"
#include "optics/TraceWorkers.h"

TraceContext::TraceContext() = default;
TraceContext::~TraceContext() = default;

void TraceContext::SetThreads(int threads) {
  threads_ = std::clamp(threads, 0, kMaxThreads);
  workers_.reset();  // started again, as many as now wanted, when next needed
}

int TraceContext::Threads() const {
  if (threads_ > 0) return threads_;
  return std::clamp(int(std::thread::hardware_concurrency()), 1, kMaxThreads);
}

bool TraceContext::ShareNext() const {
  if (Threads() < 2) return false;
  if (shareAlways_) return true;
  // A trace cut at a bound is left on one thread: the shares would each
  // trace up to the bound on their own.
  if (lastCut_ || lastRays_ <= 0) return false;
  const double perRay = lastSeconds_ / double(lastRays_);
  return lastSeconds_ >= kShareFromTrace &&
         perRay >= (lastShares_ > 1 ? kShareFromPerRay / 2 : kShareFromPerRay);
}

bool TraceContext::PipeNext(bool slowSink) const {
  if (Threads() < 2) return false;
  if (pipeAlways_) return true;
  return slowSink && lastSeconds_ >= kPipeFromTrace;
}

TracePipe& TraceContext::Pipe() {
  if (!pipe_) pipe_ = std::make_unique<TracePipe>();
  return *pipe_;
}

void TraceContext::Remember(long long raysTraced, bool cut, int shares, double seconds) {
  lastRays_ = raysTraced;
  lastCut_ = cut;
  lastShares_ = shares;
  lastSeconds_ = seconds;
}

std::vector<std::unique_ptr<TraceShare>>& TraceContext::Shares(int n) {
  while (int(shares_.size()) < n) shares_.push_back(std::make_unique<TraceShare>());
  return shares_;
}

TraceWorkers* TraceContext::Workers() {
  if (!workers_) {
    try {
      workers_ = std::make_unique<TraceWorkers>(Threads() - 1);
    } catch (const std::system_error&) {
      return nullptr;
    }
  }
  return workers_.get();
}
