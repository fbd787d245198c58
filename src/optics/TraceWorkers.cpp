#include "optics/TraceWorkers.h"

#include "gfx/VectorState.h"

TraceWorkers::TraceWorkers(int helpers) {
  threads_.reserve(std::size_t(helpers));
  for (int i = 0; i < helpers; ++i)
    threads_.emplace_back([this](std::stop_token stop) { Loop(stop); });
}

TraceWorkers::~TraceWorkers() {
  for (auto& thread : threads_) thread.request_stop();
  threads_.clear();  // joins
}

void TraceWorkers::Take(const std::function<void(int)>& task, std::exception_ptr& failure) {
  for (int i = next_.fetch_add(1); i < count_; i = next_.fetch_add(1)) {
    try {
      task(i);
    } catch (...) {
      if (!failure) failure = std::current_exception();
    }
  }
}

void TraceWorkers::Run(int count, const std::function<void(int)>& task, bool callerFirst) {
  callerFirst = callerFirst && count > 0;
  {
    std::lock_guard lock(mutex_);
    task_ = &task;
    count_ = count;
    next_ = callerFirst ? 1 : 0;
    failure_ = nullptr;
    open_ = true;
    ++round_;
  }
  wake_.notify_all();
  std::exception_ptr mine;
  if (callerFirst) {
    try {
      task(0);
    } catch (...) {
      mine = std::current_exception();
    }
  }
  Take(task, mine);
  std::unique_lock lock(mutex_);
  open_ = false;
  done_.wait(lock, [this] { return active_ == 0; });
  task_ = nullptr;
  if (mine) std::rethrow_exception(mine);
  if (failure_) std::rethrow_exception(failure_);
}

void TraceWorkers::Loop(std::stop_token stop) {
  unsigned long long seen = 0;
  for (;;) {
    std::unique_lock lock(mutex_);
    if (!wake_.wait(lock, stop, [&] { return round_ != seen; })) return;
    seen = round_;
    if (!open_) continue;
    ++active_;
    const std::function<void(int)>* task = task_;
    lock.unlock();
    ClearUpperVectorState();
    std::exception_ptr failure;
    Take(*task, failure);
    lock.lock();
    if (failure && !failure_) failure_ = failure;
    if (--active_ == 0) done_.notify_one();
  }
}
