#include "app/SurfaceKeys.h"

#include <QAction>
#include <QApplication>
#include <QInputDialog>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QToolButton>
#include <algorithm>
#include <cmath>
#include <string>

#include "app/IExperimentWindow.h"
#include "app/TDrawSurface.h"
#include "app/WindowTexts.h"
#include "scene/Document.h"
#include "scene/SelectionSteps.h"

namespace {

SurfaceKeys::AngleQuestion& Question() {
  static SurfaceKeys::AngleQuestion question;
  return question;
}

std::optional<double> AskWithDialog(QWidget* parent, double now) {
  bool ok = false;
  const double typed =
      QInputDialog::getDouble(parent, Caption("PopupTurn", "旋转…"),
                              Q(Tr("TurnQuestion", "旋转角度(度, 逆时针, 0 为向右):")),
                              std::round(now * 10) / 10, -360, 360, 1, &ok);
  if (!ok) return std::nullopt;
  return typed;
}

// The focusable widget after or before `from` in the Tab chain.
void FocusAlong(QWidget* from, bool forward) {
  for (QWidget* w = forward ? from->nextInFocusChain() : from->previousInFocusChain();
       w && w != from; w = forward ? w->nextInFocusChain() : w->previousInFocusChain()) {
    if ((w->focusPolicy() & Qt::TabFocus) && w->isVisible() && w->isEnabled() &&
        w->window() == from->window()) {
      w->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
      return;
    }
  }
}

}  // namespace

void SurfaceKeys::SetAngleQuestion(AngleQuestion question) { Question() = std::move(question); }

SurfaceKeys::SurfaceKeys(IExperimentWindow& window, const Places& places, Commands commands,
                         QObject* parent)
    : QObject(parent), window_(window), commands_(std::move(commands)) {
  setObjectName("SurfaceKeys");
  TDrawSurface* surface = window.Surface();
  surface->setFocusPolicy(Qt::StrongFocus);
  surface->SetKeyCursor([this]() -> std::optional<QPoint> {
    if (!commands_.armed()) return std::nullopt;
    return cursor_;
  });

  QMenu* menu = places.editMenu->addMenu(Caption("KeysMenu", "键盘操作"));
  menu->setObjectName("KeysMenu");
  using K = QKeySequence;
  struct Nudge {
    const char* name;
    const char* caption;
    int key, dx, dy;
  };
  static const Nudge kNudges[] = {
      {"KeyLeft", "左移", Qt::Key_Left, -1, 0},
      {"KeyRight", "右移", Qt::Key_Right, 1, 0},
      {"KeyUp", "上移", Qt::Key_Up, 0, -1},
      {"KeyDown", "下移", Qt::Key_Down, 0, 1},
  };
  for (const Nudge& n : kNudges) {
    QAction* one =
        AddItem(menu, n.name, n.caption, {K(n.key)}, true, [this, n] { Arrow(n.dx, n.dy); });
    const std::string far = std::string(n.name) + "10";
    AddItem(menu, far.c_str(), (std::string(n.caption) + " 10 像素").c_str(),
            {K(Qt::SHIFT | n.key)}, true, [this, n] { Arrow(10 * n.dx, 10 * n.dy); });
    if (n.dx != 0) steppingKeys_.push_back(one);
  }
  menu->addSeparator();
  AddItem(menu, "KeyTurnLeft", "逆时针旋转 1°", {K(Qt::Key_BracketLeft)}, true,
          [this] { Turn(1); });
  AddItem(menu, "KeyTurnRight", "顺时针旋转 1°", {K(Qt::Key_BracketRight)}, true,
          [this] { Turn(-1); });
  AddItem(menu, "KeyTurnLeft15", "逆时针旋转 15°",
          {K(Qt::SHIFT | Qt::Key_BracketLeft), K(Qt::Key_BraceLeft)}, true, [this] { Turn(15); });
  AddItem(menu, "KeyTurnRight15", "顺时针旋转 15°",
          {K(Qt::SHIFT | Qt::Key_BracketRight), K(Qt::Key_BraceRight)}, true,
          [this] { Turn(-15); });
  menu->addSeparator();
  AddItem(menu, "DuplicateMenu", "复制一份", {K("Ctrl+D")}, false,
          [this] { commands_.edited(DuplicateSelection(window_.Doc(), kDuplicateOffset)); });
  menu->addSeparator();
  AddItem(menu, "KeyNextObject", "选择下一个对象", {K(Qt::Key_Tab)}, true,
          [this] { TabToObject(true); });
  AddItem(menu, "KeyPreviousObject", "选择上一个对象", {K(Qt::SHIFT | Qt::Key_Tab)}, true,
          [this] { TabToObject(false); });
  AddItem(menu, "KeyEnter", "放置工具或打开属性", {K(Qt::Key_Return), K(Qt::Key_Enter)}, true,
          [this] { Enter(); });

  places.popupMenu->addSeparator();
  turnItem_ = AddItem(places.popupMenu, "PopupTurn", "旋转…", {}, false, [this] { AskAngle(); });
  connect(places.popupMenu, &QMenu::aboutToShow, this, [this] {
    const Selection& selection = window_.Doc().selection;
    turnItem_->setEnabled(selection.size() == 1 && selection.front()->Direction().has_value());
  });

  MakeRoving(places.palette, places.paletteColumns);
  MakeRoving(places.paletteColumn, 1);
  MakeRoving(places.toolBar, int(places.toolBar.size()));
}

QAction* SurfaceKeys::AddItem(QMenu* menu, const char* name, const char* caption,
                              const QList<QKeySequence>& keys, bool surfaceOnly,
                              std::function<void()> act) {
  auto* action = new QAction(Caption(name, caption), window_.Widget());
  action->setObjectName(name);
  action->setShortcuts(keys);
  // On the surface alone: in the palette the arrows go from tool to tool,
  // in a sheet Enter confirms.
  action->setShortcutContext(surfaceOnly ? Qt::WidgetShortcut : Qt::WindowShortcut);
  if (surfaceOnly)
    window_.Surface()->addAction(action);
  else
    window_.Widget()->addAction(action);
  menu->addAction(action);
  connect(action, &QAction::triggered, this, std::move(act));
  return action;
}

void SurfaceKeys::Refreshed() {
  // Left and Right step through a trace while stepping is on.
  const bool stepping = window_.Doc().stepping.On();
  for (QAction* key : steppingKeys_) key->setEnabled(!stepping);
}

QPoint SurfaceKeys::PlacingDrag(const std::string& className) {
  static const char* const kBoxes[] = {"FourPrism", "ThreePrism", "DrawString", "DrawImage",
                                       "FitfulObject"};
  static const char* const kAcross[] = {"LampHouse",     "ComplexlH",       "PointLampHouse",
                                        "ConcaveMirror", "ConvexityMirror", "Magnifier",
                                        "Concave",       "Ruler",           "OPticsLine"};
  auto in = [&className](const auto& names) {
    return std::any_of(std::begin(names), std::end(names),
                       [&className](const char* name) { return className == name; });
  };
  if (in(kBoxes)) return {120, 80};
  if (in(kAcross)) return {100, 0};
  if (className == "RealObject") return {0, -60};
  return {0, 100};  // mirrors, ideal lenses, fibres: upright
}

void SurfaceKeys::MoveCursor(int dx, int dy) {
  const QSize size = window_.Surface()->size();
  cursor_.setX(std::clamp(cursor_.x() + dx, 0, std::max(0, size.width() - 1)));
  cursor_.setY(std::clamp(cursor_.y() + dy, 0, std::max(0, size.height() - 1)));
  window_.Surface()->update();
}

void SurfaceKeys::Arrow(int dx, int dy) {
  if (commands_.armed()) {
    MoveCursor(dx, dy);
    return;
  }
  commands_.edited(NudgeSelection(window_.Doc(), dx, dy));
}

void SurfaceKeys::Turn(double degrees) { commands_.edited(TurnSelection(window_.Doc(), degrees)); }

void SurfaceKeys::TabToObject(bool forward) {
  Document& doc = window_.Doc();
  if (commands_.armed() || !SelectNextObject(doc, forward)) {
    // Past the last object the Tab chain goes on.
    doc.selection.clear();
    commands_.edited(true);
    FocusAlong(window_.Surface(), forward);
    return;
  }
  commands_.edited(true);
}

void SurfaceKeys::Enter() {
  if (!commands_.armed()) {
    commands_.properties();
    return;
  }
  Document& doc = window_.Doc();
  const QPoint drag = PlacingDrag(doc.placement ? doc.placement->className : std::string());
  commands_.place(cursor_, cursor_ + drag);
}

void SurfaceKeys::AskAngle() {
  Document& doc = window_.Doc();
  if (doc.selection.size() != 1) return;
  DrawObjectUnit& object = *doc.selection.front();
  const auto heading = object.Direction();
  if (!heading) return;
  const std::optional<double> typed =
      Question() ? Question()(heading->angle) : AskWithDialog(window_.Widget(), heading->angle);
  if (!typed) return;
  commands_.edited(TurnObjectTo(doc, object, *typed));
}

void SurfaceKeys::MakeRoving(const std::vector<QToolButton*>& buttons, int columns) {
  if (buttons.empty()) return;
  rows_.push_back({buttons, std::max(1, columns)});
  for (QToolButton* button : buttons) {
    button->setFocusPolicy(Qt::ClickFocus);
    button->installEventFilter(this);
  }
  buttons.front()->setFocusPolicy(Qt::StrongFocus);
}

bool SurfaceKeys::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  auto* button = qobject_cast<QToolButton*>(watched);
  return button && RovingKey(button, static_cast<QKeyEvent*>(event)->key());
}

bool SurfaceKeys::RovingKey(QToolButton* button, int key) {
  for (const Row& row : rows_) {
    const auto it = std::find(row.buttons.begin(), row.buttons.end(), button);
    if (it == row.buttons.end()) continue;
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      button->click();
      return true;
    }
    int step = 0;
    if (key == Qt::Key_Left) step = -1;
    if (key == Qt::Key_Right) step = 1;
    if (key == Qt::Key_Up) step = -row.columns;
    if (key == Qt::Key_Down) step = row.columns;
    if (step == 0) return false;
    const int count = int(row.buttons.size());
    int at = int(it - row.buttons.begin());
    // Over the buttons that cannot take the focus now (hidden, disabled).
    for (int tries = 0; tries < count; ++tries) {
      at = ((at + step) % count + count) % count;
      QToolButton* next = row.buttons[std::size_t(at)];
      if (!next->isVisible() || !next->isEnabled()) continue;
      button->setFocusPolicy(Qt::ClickFocus);
      next->setFocusPolicy(Qt::StrongFocus);
      next->setFocus(Qt::TabFocusReason);
      break;
    }
    return true;
  }
  return false;
}
