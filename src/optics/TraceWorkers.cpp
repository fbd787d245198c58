#include "optics/TraceWorkers.h"

#include "gfx/VectorState.h"

TraceWorkers::TraceWorkers(int helpers) {
  threads_.reserve(std::size_t(helpers));
  for (int i = 0; i < helpers; ++i)
    threads_.emplace_back([this, i](std::stop_token stop) { Loop(stop, i + 1); });
}

TraceWorkers::~TraceWorkers() {
  for (auto& thread : threads_) thread.request_stop();
  threads_.clear();  // joins
}

void TraceWorkers::Run(int count, const std::function<void(int)>& task) {
  {
    std::lock_guard lock(mutex_);
    task_ = &task;
    count_ = count;
    pending_ = Helpers();
    failure_ = nullptr;
    ++round_;
  }
  wake_.notify_all();
  std::exception_ptr mine;
  try {
    task(0);
  } catch (...) {
    mine = std::current_exception();
  }
  std::unique_lock lock(mutex_);
  done_.wait(lock, [this] { return pending_ == 0; });
  task_ = nullptr;
  if (mine) std::rethrow_exception(mine);
  if (failure_) std::rethrow_exception(failure_);
}

void TraceWorkers::Loop(std::stop_token stop, int index) {
  unsigned long long seen = 0;
  for (;;) {
    std::unique_lock lock(mutex_);
    if (!wake_.wait(lock, stop, [&] { return round_ != seen; })) return;
    seen = round_;
    const std::function<void(int)>* task = index < count_ ? task_ : nullptr;
    lock.unlock();
    std::exception_ptr failure;
    if (task) {
      ClearUpperVectorState();
      try {
        (*task)(index);
      } catch (...) {
        failure = std::current_exception();
      }
    }
    lock.lock();
    if (failure && !failure_) failure_ = failure;
    if (--pending_ == 0) done_.notify_one();
  }
}
