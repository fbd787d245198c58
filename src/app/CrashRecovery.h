#pragma once
// Keeps a copy of unsaved work for the next start after a crash, a kill or a
// power cut. While the experiment has changes since it was opened or saved,
// it is written every minute (and when the window loses focus) to a
// recovery file of this window, with the same atomic write as saving, on a
// worker thread: at most one write runs, a tick during a write or a drag is
// skipped. The experiment's own file is never touched.
//
// Each window has its own file, "recovery-<pid>-<start>.exo", beside a lock
// file that it holds locked while it runs: a recovery file whose lock nobody
// holds was left by a window that did not end cleanly. Links in the folder are
// never followed: the write replaces a link under its name, and a left-over
// link is neither offered nor removed. A clean exit removes
// the window's file; a session that ends keeps it.

#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <future>
#include <optional>
#include <string>
#include <vector>

#include "platform/Platform.h"

class IExperimentWindow;

class CrashRecovery : public QObject {
  Q_OBJECT
 public:
  static constexpr int kIntervalMs = 60 * 1000;
  // The question; true for "恢复".
  using Asker = std::function<bool(const std::string& question)>;

  // Files go to `folder`. The window owns it and keeps it no longer than its
  // document.
  CrashRecovery(IExperimentWindow& window, const QString& folder);
  ~CrashRecovery() override;

  // Once the window is shown: offers a file that an unclean exit left.
  void OfferLeftOver();
  // Writes the experiment now if it has changes, when no write is running.
  void Tick();
  // The session ends: the unsaved work is written at once and kept.
  void KeepForNextStart();
  // Waits for a running write (tests).
  void WaitForWrite();

  QString File() const { return file_; }
  void SetAsker(Asker ask) { ask_ = std::move(ask); }
  // While a lesson is open the whole lesson is kept: `work` gives its bytes
  // (empty: nothing unsaved), nothing when no lesson is open; `untitle`
  // unnames a recovered lesson.
  using LessonWork = std::function<std::optional<std::vector<std::uint8_t>>()>;
  void SetLessonHooks(LessonWork work, std::function<void()> untitle) {
    lessonWork_ = std::move(work);
    untitle_ = std::move(untitle);
  }
  QTimer& Timer() { return timer_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool Running() const;
  // What to keep: nothing when all is saved.
  std::optional<std::vector<std::uint8_t>> Work() const;
  void Remove();

  IExperimentWindow& window_;
  QString folder_;
  QString file_;
  FileLock lock_;
  QTimer timer_;
  Asker ask_;
  LessonWork lessonWork_;
  std::function<void()> untitle_;
  std::future<bool> write_;
  // Of the bytes last written; none when the file holds nothing current.
  std::optional<std::size_t> written_;
  bool keep_ = false;
};
