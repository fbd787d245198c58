#pragma once
// A few threads of the tracer's own, kept between traces (starting a thread
// costs about as much as a small trace). Not Qt's global pool: the painting
// runs there, and a trace is called from it.

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
  // Runs task(0) on the calling thread and task(1) .. task(count - 1) on the
  // helpers (count - 1 <= Helpers()), and returns when all have ended. An
  // exception of a task is thrown here.
  void Run(int count, const std::function<void(int)>& task);

 private:
  void Loop(std::stop_token stop, int index);

  std::mutex mutex_;
  std::condition_variable_any wake_;
  std::condition_variable done_;
  const std::function<void(int)>* task_ = nullptr;
  int count_ = 0;
  unsigned long long round_ = 0;
  int pending_ = 0;
  std::exception_ptr failure_;
  std::vector<std::jthread> threads_;  // last: they stop and join first
};
