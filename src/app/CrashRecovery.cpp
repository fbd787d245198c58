#include "app/CrashRecovery.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "app/IExperimentWindow.h"
#include "files/ExperimentFile.h"
#include "i18n/TtlmController.h"
#include "platform/Platform.h"
#include "scene/Document.h"
#include "ui/QtText.h"

namespace {

QString LockOf(const QString& file) { return file.chopped(4) + ".lock"; }

// The lock of a recovery file, taken without waiting; not held when another
// window holds it (or it cannot be made).
bool TakeLock(FileLock& lock, const QString& path) {
  return lock.TryTake(QFile::encodeName(path).toStdString());
}

// What a write killed half-way left of the file `name`.
void RemoveTemporaries(const QDir& folder, const QString& name) {
  for (const QString& temp : folder.entryList({"." + name + ".veltrano-save-*.tmp"},
                                              QDir::Files | QDir::Hidden | QDir::System))
    QFile::remove(folder.filePath(temp));
}

// A link under the recovery file's name is replaced, never written through:
// what it names is not the window's.
bool WriteRecovery(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::string error;
  return WriteFileAtomically(
      path, bytes,
      [](std::span<const std::uint8_t> head) {
        return head.empty() || HasCurrentProductTag(head) ||
               (head.size() >= 4 && std::memcmp(head.data(), "PK\3\4", 4) == 0);
      },
      &error, nullptr, LinkRule::Replace);
}

std::size_t HashOf(const std::vector<std::uint8_t>& bytes) {
  return std::hash<std::string_view>{}(
      std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

// Tests shorten the interval (whole seconds) and answer the question.
int Interval() {
  bool ok = false;
  const int seconds = qEnvironmentVariableIntValue("EXO_AUTOSAVE_SECONDS", &ok);
  return ok && seconds >= 1 && seconds <= 3600 ? seconds * 1000 : CrashRecovery::kIntervalMs;
}

bool AskWithBox(QWidget* parent, const std::string& question) {
  const QByteArray answer = qgetenv("EXO_TEST_RECOVERY_ANSWER");
  if (!answer.isEmpty()) {
    std::fprintf(stderr, "%s %s\n", question.c_str(), answer.constData());
    return answer == "restore";
  }
  QMessageBox box(QMessageBox::Question, Q(Tr("187", "Veltrano Suite")), Q(question),
                  QMessageBox::NoButton, parent);
  QPushButton* restore = box.addButton(Q(Tr("Recovery.Restore", "恢复")), QMessageBox::AcceptRole);
  box.addButton(Q(Tr("Recovery.Discard", "放弃")), QMessageBox::RejectRole);
  box.setDefaultButton(restore);
  box.exec();
  return box.clickedButton() == restore;
}

}  // namespace

CrashRecovery::CrashRecovery(IExperimentWindow& window, const QString& folder)
    : window_(window), folder_(folder) {
  setObjectName("CrashRecovery");
  ask_ = [widget = window.Widget()](const std::string& question) {
    return AskWithBox(widget, question);
  };
  // The start time tells apart two processes that got the same number.
  const QString name = QString("recovery-%1-%2.exo")
                           .arg(QCoreApplication::applicationPid())
                           .arg(QDateTime::currentMSecsSinceEpoch());
  if (QDir().mkpath(folder_)) {
    const QString file = QDir(folder_).filePath(name);
    if (TakeLock(lock_, LockOf(file))) file_ = file;
  }
  if (file_.isEmpty()) return;  // no state folder: nothing can be kept
  connect(&timer_, &QTimer::timeout, this, &CrashRecovery::Tick);
  timer_.start(Interval());
  window.Widget()->installEventFilter(this);
  if (auto* gui = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
    connect(gui, &QGuiApplication::commitDataRequest, this, &CrashRecovery::KeepForNextStart);
}

CrashRecovery::~CrashRecovery() {
  if (file_.isEmpty()) return;
  WaitForWrite();
  if (!keep_) Remove();
  lock_.RemoveAndRelease();
}

bool CrashRecovery::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::WindowDeactivate) Tick();
  return QObject::eventFilter(watched, event);
}

bool CrashRecovery::Running() const {
  return write_.valid() && write_.wait_for(std::chrono::seconds(0)) != std::future_status::ready;
}

void CrashRecovery::WaitForWrite() {
  if (!write_.valid()) return;
  // A failed write is tried again at the next tick.
  if (!write_.get()) written_.reset();
}

void CrashRecovery::Remove() {
  QFile::remove(file_);
  written_.reset();
}

std::optional<std::vector<std::uint8_t>> CrashRecovery::Work() const {
  if (lessonWork_) {
    if (auto lesson = lessonWork_()) {
      if (lesson->empty()) return std::nullopt;
      return lesson;
    }
  }
  const Document& doc = window_.Doc();
  if (doc.page->saved || SerializedExperimentSize(doc) > kMaxExperimentFileSize)
    return std::nullopt;
  return SerializeExperiment(doc);
}

void CrashRecovery::Tick() {
  // A drag goes on undisturbed; the next tick catches up.
  if (file_.isEmpty() || Running() || window_.PointerHeld()) return;
  WaitForWrite();
  auto work = Work();
  if (!work) {
    if (written_) Remove();
    return;
  }
  auto bytes = std::move(*work);
  const std::size_t hash = HashOf(bytes);
  if (written_ == hash) return;
  written_ = hash;
  write_ = std::async(std::launch::async, [path = file_.toStdString(), bytes = std::move(bytes)] {
    return WriteRecovery(path, bytes);
  });
}

void CrashRecovery::KeepForNextStart() {
  if (file_.isEmpty()) return;
  WaitForWrite();
  const auto work = Work();
  keep_ = work.has_value();
  if (!keep_) return Remove();
  const auto& bytes = *work;
  if (written_ != HashOf(bytes)) keep_ = WriteRecovery(file_.toStdString(), bytes);
}

void CrashRecovery::OfferLeftOver() {
  if (file_.isEmpty()) return;
  const QDir folder(folder_);
  // Locks nobody holds and no file belongs to: a window killed before it
  // had anything to keep.
  // Links are none of ours: never offered, taken or removed.
  constexpr auto kOwnFiles = QDir::Files | QDir::NoSymLinks;
  for (const QFileInfo& lock : folder.entryInfoList({"recovery-*.lock"}, kOwnFiles)) {
    const QString file = lock.absoluteFilePath().chopped(5) + ".exo";
    if (QFile::exists(file)) continue;
    FileLock unheld;
    if (!TakeLock(unheld, lock.absoluteFilePath())) continue;
    RemoveTemporaries(folder, QFileInfo(file).fileName());
    unheld.RemoveAndRelease();
  }
  // The newest file of a window that is gone; one question per start.
  for (const QFileInfo& left : folder.entryInfoList({"recovery-*.exo"}, kOwnFiles, QDir::Time)) {
    const QString path = left.absoluteFilePath();
    if (path == QFileInfo(file_).absoluteFilePath()) continue;
    FileLock gone;
    if (!TakeLock(gone, LockOf(path))) continue;  // its window still runs
    RemoveTemporaries(folder, left.fileName());
    // Gone (taken by a window that started with this one), or a link by now.
    if (!QFile::exists(path) || QFileInfo(path).isSymLink()) {
      gone.RemoveAndRelease();
      continue;
    }
    if (ask_(Tr("Recovery.Question", "上次未保存的实验可以恢复。要恢复吗?"))) {
      if (window_.OpenExperiment(path.toStdString(), false) == OpenStatus::Opened) {
        // Untitled: Ctrl+S asks for a name. The file is this window's now.
        window_.Doc().page->fileName.clear();
        window_.Doc().page->saved = 0;
        if (untitle_) untitle_();
        QFile::remove(file_);
        if (!QFile::rename(path, file_)) QFile::remove(path);
      } else {
        // Shown as any damaged file; kept aside, never deleted unasked.
        QFile::rename(path, path + ".damaged");
      }
    } else {
      QFile::remove(path);
    }
    gone.RemoveAndRelease();
    return;
  }
}
