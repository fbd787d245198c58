#pragma once
// Everything that runs beside the caller runs on Qt's global pool. Qt's
// raster engine hands every long span run (a wide line, a merge-pen stroke)
// to that pool and waits, unless it already runs there: on two cores a
// refresh of many long rays spent most of its time in those hand-overs (a
// million thread switches for one boxed white beam). And the pool, sized to
// the cores, is what decides whether a core is free: work beside the caller
// is started only on a thread that is free now, never waited for.
#include <functional>
#include <memory>

// Runs a long paint on a thread of the pool and waits for it.
void RunPaintInPool(const std::function<void()>& paint);

// How many threads a paint may use: one per core, no more than Qt's global
// pool runs (exo-tool bench --threads lowers that), at least one.
int PaintThreads();
// Whether a pool thread is free now (a hint: it may be taken meanwhile).
bool PoolThreadFree();
// Calls band(0) ... band(count - 1), each once, on this thread and on the
// pool threads that are free now, and returns when all have run. What no
// free thread takes runs here, so a busy pool cannot hold it up.
void RunBands(int count, const std::function<void(int)>& band);

// One task beside the caller's own work, on a pool thread that is free now.
class BesideTask {
 public:
  BesideTask();
  ~BesideTask();  // waits for a task still running
  BesideTask(const BesideTask&) = delete;
  BesideTask& operator=(const BesideTask&) = delete;

  // Starts `task`; false, and nothing runs, when no pool thread is free.
  // The task before must have been waited for.
  bool Start(std::function<void()> task);
  bool Running() const { return state_ != nullptr; }
  // Returns once the task has ended; rethrows what it threw.
  void Wait();

 private:
  struct State;
  std::shared_ptr<State> state_;
};
