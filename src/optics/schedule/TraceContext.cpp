#include "optics/schedule/TraceContext.h"

#include <algorithm>
#include <thread>

#include "optics/schedule/TracePipe.h"

TraceContext::TraceContext() = default;
TraceContext::~TraceContext() = default;

int TraceContext::Threads() const {
  if (threads_ > 0) return threads_;
  return std::max(1, int(std::thread::hardware_concurrency()));
}

bool TraceContext::PipeNext(bool drawn) const {
  if (Threads() < 2) return false;
  if (pipeAlways_) return true;
  return drawn && lastSeconds_ >= kPipeFromTrace;
}

TracePipe& TraceContext::Pipe() {
  if (!pipe_) pipe_ = std::make_unique<TracePipe>();
  return *pipe_;
}

void TraceContext::Remember(double seconds) { lastSeconds_ = seconds; }
