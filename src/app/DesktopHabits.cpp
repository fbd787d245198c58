#include "app/DesktopHabits.h"

#include <QAction>
#include <QDropEvent>
#include <QFileInfo>
#include <QKeySequence>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <QWheelEvent>

#include "app/IExperimentWindow.h"
#include "app/SurfaceZoom.h"
#include "app/TDrawSurface.h"

DesktopHabits::DesktopHabits(IExperimentWindow& window, Commands commands, QObject* parent)
    : QObject(parent), window_(window) {
  setObjectName("DesktopHabits");
  for (auto [name, keys] :
       {std::pair{"RedoShiftShortcut", "Ctrl+Shift+Z"}, std::pair{"RedoYShortcut", "Ctrl+Y"}})
    connect(AddShortcut(name, QKeySequence(keys)), &QAction::triggered, this, commands.redo);
  connect(AddShortcut("QuitShortcut", QKeySequence("Ctrl+Q")), &QAction::triggered, this,
          commands.quit);
  escape_ = AddShortcut("DisarmShortcut", QKeySequence(Qt::Key_Escape));
  connect(escape_, &QAction::triggered, this, commands.putToolDown);
  window.Surface()->installEventFilter(this);
  window.Widget()->setAcceptDrops(true);
  window.Widget()->installEventFilter(this);
}

QString DesktopHabits::DroppedExperiment(const QMimeData* data) {
  if (!data || !data->hasUrls()) return {};
  for (const QUrl& url : data->urls()) {
    const QFileInfo file(url.toLocalFile());
    // A Ray Optics scene (.json) is imported as the Open command does.
    const bool known = file.suffix().compare("exo", Qt::CaseInsensitive) == 0 ||
                       file.suffix().compare("json", Qt::CaseInsensitive) == 0;
    if (url.isLocalFile() && known && file.isFile()) return file.absoluteFilePath();
  }
  return {};
}

bool DesktopHabits::Drop(QEvent* event) {
  auto* drop = static_cast<QDropEvent*>(event);
  const QString path = DroppedExperiment(drop->mimeData());
  if (path.isEmpty()) {
    drop->ignore();
    return true;
  }
  drop->acceptProposedAction();
  // After the drop has ended: the source of the drag waits for its answer,
  // and the open may show a message box.
  if (event->type() == QEvent::Drop)
    QTimer::singleShot(0, window_.Widget(), [&window = window_, path] {
      window.OpenExperiment(path.toStdString(), true);
    });
  return true;
}

QAction* DesktopHabits::AddShortcut(const char* name, const QKeySequence& keys) {
  auto* action = new QAction(this);
  action->setObjectName(name);
  action->setShortcut(keys);
  action->setShortcutContext(Qt::WindowShortcut);
  window_.Widget()->addAction(action);
  return action;
}

bool DesktopHabits::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::Wheel:
      if (watched == window_.Surface() && Wheel(event)) return true;
      break;
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
      if (watched == window_.Widget()) return Drop(event);
      break;
    default:
      break;
  }
  return QObject::eventFilter(watched, event);
}

bool DesktopHabits::Wheel(QEvent* event) {
  auto* wheel = static_cast<QWheelEvent*>(event);
  if (!(wheel->modifiers() & Qt::ControlModifier)) {
    wheelAngle_ = 0;
    return false;
  }
  const int turned = wheel->angleDelta().y();
  // Fine-grained wheels and touchpads send parts of a notch; a turn back
  // starts counting afresh.
  if ((turned > 0 && wheelAngle_ < 0) || (turned < 0 && wheelAngle_ > 0)) wheelAngle_ = 0;
  wheelAngle_ += turned;
  // About the pointer, by the factors of 放大 and 缩小.
  const float x = float(int(wheel->position().x())), y = float(int(wheel->position().y()));
  for (; wheelAngle_ >= kNotch; wheelAngle_ -= kNotch) SurfaceZoom::ZoomAbout(window_, x, y, 1.1f);
  for (; wheelAngle_ <= -kNotch; wheelAngle_ += kNotch)
    SurfaceZoom::ZoomAbout(window_, x, y, 0.95f);
  wheel->accept();
  return true;
}
