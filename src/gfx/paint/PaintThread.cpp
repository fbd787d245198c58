#include "gfx/paint/PaintThread.h"

#include <QSemaphore>
#include <QThread>
#include <QThreadPool>
#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>

// Qt's pool and semaphore synchronise in code ThreadSanitizer does not see;
// it is told of the hand-overs so that it checks everything else: one
// address known to every thread without reading the task, each release
// adding to what the next acquire learns.
#if defined(__SANITIZE_THREAD__)
extern "C" void AnnotateHappensBefore(const char* file, int line, const volatile void* address);
extern "C" void AnnotateHappensAfter(const char* file, int line, const volatile void* address);
namespace {
char handOver;
}  // namespace
#define EXO_HAND_OVER() AnnotateHappensBefore(__FILE__, __LINE__, &handOver)
#define EXO_TAKE_OVER() AnnotateHappensAfter(__FILE__, __LINE__, &handOver)
#else
#define EXO_HAND_OVER()
#define EXO_TAKE_OVER()
#endif

void RunPaintInPool(const std::function<void()>& paint) {
  QThreadPool* pool = QThreadPool::globalInstance();
  if (!pool || pool->contains(QThread::currentThread())) {
    paint();
    return;
  }
  // What the pool thread reads lies on the heap, not on this thread's stack:
  // ThreadSanitizer remembers what Qt once wrote there (outside its sight)
  // and cannot order it before the hand-over.
  struct Shared {
    std::function<void()> paint;
    QSemaphore done;
    std::exception_ptr failure;
  };
  auto shared = std::make_shared<Shared>();
  shared->paint = paint;
  // The pool takes the runnable and deletes it when it has run.
  QRunnable* task = QRunnable::create([shared] {
    EXO_TAKE_OVER();
    try {
      shared->paint();
    } catch (...) {
      shared->failure = std::current_exception();
    }
    EXO_HAND_OVER();
    shared->done.release();
  });
  EXO_HAND_OVER();
  pool->start(task);
  shared->done.acquire();
  EXO_TAKE_OVER();
  if (shared->failure) std::rethrow_exception(shared->failure);
}

bool PoolThreadFree() {
  const QThreadPool* pool = QThreadPool::globalInstance();
  return pool && pool->activeThreadCount() < pool->maxThreadCount();
}

int PaintThreads() {
  const QThreadPool* pool = QThreadPool::globalInstance();
  if (!pool) return 1;
  return std::max(1, std::min(pool->maxThreadCount(), QThread::idealThreadCount()));
}

namespace {

// Shared with the pool's tasks, which may start after the bands are done.
struct Bands {
  const std::function<void(int)>* band = nullptr;
  int count = 0;
  std::atomic<int> next{0};
  std::mutex mutex;
  std::condition_variable allDone;
  int done = 0;
  std::exception_ptr failure;

  // Takes bands until none are left.
  void Run() {
    for (int b = next.fetch_add(1); b < count; b = next.fetch_add(1)) {
      std::exception_ptr failed;
      try {
        (*band)(b);
      } catch (...) {
        failed = std::current_exception();
      }
      const std::lock_guard lock(mutex);
      if (failed && !failure) failure = failed;
      if (++done == count) allDone.notify_all();
    }
  }
};

}  // namespace

void RunBands(int count, const std::function<void(int)>& band) {
  if (count <= 0) return;
  auto bands = std::make_shared<Bands>();
  bands->band = &band;
  bands->count = count;
  QThreadPool* pool = QThreadPool::globalInstance();
  for (int i = 1; pool && i < count; ++i) {
    std::function<void()> task = [bands] {
      EXO_TAKE_OVER();
      bands->Run();
    };
    EXO_HAND_OVER();  // after the task (and its copy of `bands`) is made
    if (!pool->tryStart(std::move(task))) break;
  }
  bands->Run();
  std::unique_lock lock(bands->mutex);
  bands->allDone.wait(lock, [&] { return bands->done == bands->count; });
  if (bands->failure) std::rethrow_exception(bands->failure);
}

struct BesideTask::State {
  std::function<void()> task;
  std::mutex mutex;
  std::condition_variable ended;
  bool done = false;
  std::exception_ptr failure;
};

BesideTask::BesideTask() = default;

BesideTask::~BesideTask() {
  if (!state_) return;
  try {
    Wait();
  } catch (...) {  // NOLINT(bugprone-empty-catch): the owner is going anyway
  }
}

bool BesideTask::Start(std::function<void()> task) {
  QThreadPool* pool = QThreadPool::globalInstance();
  if (state_ || !pool) return false;
  auto state = std::make_shared<State>();
  state->task = std::move(task);
  std::function<void()> run = [state] {
    EXO_TAKE_OVER();
    std::exception_ptr failure;
    try {
      state->task();
    } catch (...) {
      failure = std::current_exception();
    }
    const std::lock_guard lock(state->mutex);
    state->failure = failure;
    state->done = true;
    state->ended.notify_all();
  };
  EXO_HAND_OVER();  // after the task and its copy of `state` are made
  if (!pool->tryStart(std::move(run))) return false;
  state_ = std::move(state);
  return true;
}

void BesideTask::Wait() {
  if (!state_) return;
  const std::shared_ptr<State> state = std::move(state_);
  std::unique_lock lock(state->mutex);
  state->ended.wait(lock, [&] { return state->done; });
  state->task = nullptr;  // what it holds goes here, not on the pool
  if (state->failure) std::rethrow_exception(state->failure);
}
