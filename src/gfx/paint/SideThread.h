#pragma once
// A thread of its own that runs one task at a time beside its owner's:
// started when the owner begins work the task can follow, waited for when
// the owner needs the result. Kept between tasks (starting a thread costs
// about as much as a small task).

#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <stop_token>
#include <thread>
#include <utility>

class SideThread {
 public:
  SideThread();
  ~SideThread();
  SideThread(const SideThread&) = delete;
  SideThread& operator=(const SideThread&) = delete;

  // Runs `task` on the thread; the task before must have been waited for.
  void Start(std::function<void()> task);
  // Returns once the task has ended; rethrows what it threw.
  void Wait();

 private:
  void Loop(std::stop_token stop);

  std::mutex mutex_;
  std::condition_variable_any wake_;
  std::condition_variable done_;
  std::function<void()> task_;
  bool running_ = false;
  std::exception_ptr failure_;
  std::jthread thread_;  // last: it stops and joins first
};
