#include "gfx/PaintThread.h"

#include <QSemaphore>
#include <QThread>
#include <QThreadPool>
#include <exception>

// Qt's pool and semaphore synchronise in code ThreadSanitizer does not see;
// it is told of the two hand-overs so that it checks everything else.
#if defined(__SANITIZE_THREAD__)
extern "C" void __tsan_acquire(void* address);
extern "C" void __tsan_release(void* address);
namespace {
char handOver;  // an address known to both threads without reading the task
}  // namespace
#define EXO_HAND_OVER() __tsan_release(&handOver)
#define EXO_TAKE_OVER() __tsan_acquire(&handOver)
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
  QSemaphore done;
  std::exception_ptr failure;
  // The pool takes the runnable and deletes it when it has run.
  QRunnable* task = QRunnable::create([&] {
    EXO_TAKE_OVER();
    try {
      paint();
    } catch (...) {
      failure = std::current_exception();
    }
    EXO_HAND_OVER();
    done.release();
  });
  EXO_HAND_OVER();
  pool->start(task);
  done.acquire();
  EXO_TAKE_OVER();
  if (failure) std::rethrow_exception(failure);
}
