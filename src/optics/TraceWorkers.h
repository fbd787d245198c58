#pragma once
// A few threads of the tracer's own, kept between traces (starting a thread
// costs about as much as a small trace). Not Qt's global pool: the painting
// runs there, and a trace is called from it.

#include <atomic>
#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <stop_token>
#include <thread>
#include <vector>

class TraceWorkers {
 public:
  explicit TraceWorkers(int helpers);
  ~TraceWorkers();
  TraceWorkers(const TraceWorkers&) = delete;
  TraceWorkers& operator=(const TraceWorkers&) = delete;

  int Helpers() const { return static_cast<int>(threads_.size()); }
  // Runs task(0) .. task(count - 1), each once, on the calling thread and the
  // helpers, each taking the next task not yet taken until none is left (a
  // helper that wakes late finds less to do), and returns when all have
  // ended. An exception of a task is thrown here. With `callerFirst` the
  // calling thread runs task(0) itself before it takes any other.
  void Run(int count, const std::function<void(int)>& task, bool callerFirst = false);

 private:
  void Loop(std::stop_token stop);
  // Runs tasks until none is left, keeping the first exception.
  void Take(const std::function<void(int)>& task, std::exception_ptr& failure);

  std::mutex mutex_;
  std::condition_variable_any wake_;
  std::condition_variable done_;
  const std::function<void(int)>* task_ = nullptr;
  int count_ = 0;
  std::atomic<int> next_{0};
  unsigned long long round_ = 0;
  // A round is open until the caller has run out of tasks; a helper that
  // wakes after that sits it out, so nobody waits on a thread that has no
  // core yet.
  bool open_ = false;
  int active_ = 0;  // helpers within the open round
  std::exception_ptr failure_;
  std::vector<std::jthread> threads_;  // last: they stop and join first
};
