#include "gfx/paint/SideThread.h"

SideThread::SideThread() : thread_([this](std::stop_token stop) { Loop(stop); }) {}

SideThread::~SideThread() {
  thread_.request_stop();
  thread_.join();
}

void SideThread::Start(std::function<void()> task) {
  {
    std::lock_guard lock(mutex_);
    task_ = std::move(task);
    running_ = true;
    failure_ = nullptr;
  }
  wake_.notify_one();
}

void SideThread::Wait() {
  std::unique_lock lock(mutex_);
  done_.wait(lock, [this] { return !running_; });
  if (failure_) std::rethrow_exception(std::exchange(failure_, nullptr));
}

void SideThread::Loop(std::stop_token stop) {
  for (;;) {
    std::function<void()> task;
    {
      std::unique_lock lock(mutex_);
      if (!wake_.wait(lock, stop, [this] { return running_ && task_; })) return;
      task = std::move(task_);
      task_ = nullptr;
    }
    std::exception_ptr failure;
    try {
      task();
    } catch (...) {
      failure = std::current_exception();
    }
    {
      std::lock_guard lock(mutex_);
      failure_ = failure;
      running_ = false;
    }
    done_.notify_all();
  }
}
