#include "app/LessonControls.h"

#include <QAction>
#include <QDockWidget>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStatusBar>
#include <algorithm>

#include "app/IExperimentWindow.h"
#include "app/TeachingControls.h"
#include "app/WindowTexts.h"
#include "files/LessonFile.h"
#include "scene/Document.h"
#include "scene/IMessageSink.h"
#include "scene/ProcessSettings.h"

namespace {

// The window's commands that replace or rewrite the lesson, change what is
// locked or add objects (the palette is hidden too): none of them in student
// mode.
const char* const kTeacherCommands[] = {
    "NewMenu",           "OpenMenu",           "SaveShortcut",       "ImportRayOpticsMenu",
    "RayOpticsLinkMenu", "SpeedButton8Holder", "SpeedButton9Holder", "N18",
    "PopupLock",         "PasteMenu",          "PopupPaste"};

// Large enough to hit with a finger on a whiteboard.
QPushButton* LargeButton(QWidget* parent, const char* name, const std::string& caption) {
  auto* button = new QPushButton(Caption(name, caption), parent);
  button->setObjectName(name);
  button->setMinimumSize(120, 64);
  QFont font = button->font();
  font.setPointSizeF(font.pointSizeF() * 1.6);
  font.setBold(true);
  button->setFont(font);
  return button;
}

}  // namespace

LessonControls::LessonControls(IExperimentWindow& window, const Places& places, QObject* parent)
    : QObject(parent), window_(window), places_(places) {
  setObjectName("LessonControls");
  askPin_ = [widget = window.Widget()](const std::string& prompt) -> std::optional<std::string> {
    bool ok = false;
    const QString pin = QInputDialog::getText(widget, Q(Tr("187", "Veltrano Suite")), Q(prompt),
                                              QLineEdit::Password, {}, &ok);
    if (!ok) return std::nullopt;
    return pin.toStdString();
  };
  auto add = [this](QMenu* menu, QAction* before, const char* name, const std::string& caption,
                    void (LessonControls::*slot)(), const QKeySequence& key = {}) {
    auto* action = new QAction(Caption(name, caption), menu);
    action->setObjectName(name);
    if (!key.isEmpty()) action->setShortcut(key);
    menu->insertAction(before, action);
    connect(action, &QAction::triggered, this, slot);
    return action;
  };
  QMenu* file = places_.fileMenu;
  QAction* before = places_.fileMenuBefore;
  teacherOnly_.push_back(
      add(file, before, "NewLessonMenu", "新建课件", &LessonControls::NewLesson));
  QAction* save = add(file, before, "SaveLessonMenu", "保存课件", &LessonControls::SaveLesson);
  QAction* saveAs =
      add(file, before, "SaveLessonAsMenu", "课件另存为...", &LessonControls::SaveLessonAs);
  for (QAction* a : {save, saveAs}) {
    teacherOnly_.push_back(a);
    lessonOnly_.push_back(a);
  }

  menu_ = places_.window->menuBar()->addMenu(Caption("LessonMenu", "课件(&L)"));
  menu_->setObjectName("LessonMenu");
  lessonOnly_.push_back(menu_->menuAction());
  add(menu_, nullptr, "PreviousSceneMenu", "上一场景", &LessonControls::PreviousScene,
      QKeySequence(Qt::Key_PageUp));
  add(menu_, nullptr, "NextSceneMenu", "下一场景", &LessonControls::NextScene,
      QKeySequence(Qt::Key_PageDown));
  teacherOnly_.push_back(menu_->addSeparator());
  const std::pair<const char*, const char*> options[] = {
      {"SceneSteppingMenu", "本场景逐步显示"},
      {"SceneStudentMenu", "本场景以学生模式开始"},
      {"SceneEquationsMenu", "本场景显示成像公式"}};
  for (int i = 0; i < 3; ++i) {
    options_[i] =
        add(menu_, nullptr, options[i].first, options[i].second, &LessonControls::OptionsSwitched);
    options_[i]->setCheckable(true);
    teacherOnly_.push_back(options_[i]);
  }
  teacherOnly_.push_back(menu_->addSeparator());
  teacherOnly_.push_back(
      add(menu_, nullptr, "LessonPinMenu", "设置教师密码...", &LessonControls::SetPin));
  teacherOnly_.push_back(
      add(menu_, nullptr, "StudentModeMenu", "学生模式", &LessonControls::EnterStudentMode));
  leave_ = new QAction(Caption("LeaveStudentMenu", "退出学生模式"), menu_);
  leave_->setObjectName("LeaveStudentMenu");
  menu_->addAction(leave_);
  connect(leave_, &QAction::triggered, this, [this] { LeaveStudentMode(); });

  panel_ = new QLabel(places_.statusBar);
  panel_->setObjectName("LessonPanel");
  panel_->setFrameShape(QFrame::Panel);
  panel_->setFrameShadow(QFrame::Sunken);
  places_.statusBar->addWidget(panel_);
  BuildBar();
  Update();
}

void LessonControls::BuildBar() {
  bar_ = new QDockWidget(Caption("SceneBar", "场景"), places_.window);
  bar_->setObjectName("SceneBar");
  bar_->setFeatures(QDockWidget::NoDockWidgetFeatures);
  auto* strip = new QWidget(bar_);
  auto* row = new QHBoxLayout(strip);
  QPushButton* previous = LargeButton(strip, "PreviousSceneBtn", "上一场景");
  QPushButton* next = LargeButton(strip, "NextSceneBtn", "下一场景");
  list_ = new QListWidget(strip);
  list_->setObjectName("SceneList");
  list_->setFlow(QListView::LeftToRight);
  list_->setFixedHeight(64);
  editButtons_ = new QWidget(strip);
  auto* edits = new QHBoxLayout(editButtons_);
  edits->setContentsMargins(0, 0, 0, 0);
  const std::tuple<const char*, const char*, void (LessonControls::*)()> buttons[] = {
      {"AddSceneBtn", "添加", &LessonControls::AddScene},
      {"DuplicateSceneBtn", "复制", &LessonControls::DuplicateScene},
      {"MoveSceneUpBtn", "前移", &LessonControls::MoveSceneUp},
      {"MoveSceneDownBtn", "后移", &LessonControls::MoveSceneDown},
      {"RenameSceneBtn", "重命名", &LessonControls::RenameScene},
      {"DeleteSceneBtn", "删除", &LessonControls::DeleteScene}};
  for (const auto& [name, caption, slot] : buttons) {
    auto* button = new QPushButton(Caption(name, caption), editButtons_);
    button->setObjectName(name);
    edits->addWidget(button);
    connect(button, &QPushButton::clicked, this, slot);
  }
  row->addWidget(previous);
  row->addWidget(list_, 1);
  row->addWidget(editButtons_);
  row->addWidget(next);
  bar_->setWidget(strip);
  places_.window->addDockWidget(Qt::BottomDockWidgetArea, bar_);
  connect(previous, &QPushButton::clicked, this, &LessonControls::PreviousScene);
  connect(next, &QPushButton::clicked, this, &LessonControls::NextScene);
  connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row >= 0 && std::size_t(row) != session_.Current()) ShowScene(std::size_t(row));
  });
}

bool LessonControls::IsLesson(const std::string& path) {
  if (IsLessonPath(path)) return true;
  // A recovery file keeps a lesson under the name of an experiment.
  QFile file(QString::fromStdString(path));
  return file.open(QIODevice::ReadOnly) && file.read(4) == QByteArray("PK\3\4", 4);
}

OpenStatus LessonControls::Open(const std::string& path) {
  Lesson lesson;
  std::string error;
  if (!ReadLessonFile(path, lesson, &error)) {
    ShowMessage(error);
    return OpenStatus::Failed;
  }
  const OpenStatus status = session_.Take(std::move(lesson), path, window_.Doc()).status;
  SceneShown();
  return status;
}

void LessonControls::Leave() {
  if (!session_.Active()) return;
  if (student_) LeaveStudentMode();
  if (student_) return;
  session_.End();
  Update();
}

void LessonControls::Untitle() {
  session_.Untitle();
  Update();
}

void LessonControls::NewLesson() {
  if (student_) return;
  std::string error;
  if (!session_.Start(window_.Doc(), Tr("Lesson.Untitled", "新课件"), &error)) ShowMessage(error);
  Update();
}

void LessonControls::SaveLesson() {
  if (!session_.Active() || student_) return;
  if (session_.FileName().empty()) return SaveLessonAs();
  std::string error;
  if (session_.Save(session_.FileName(), window_.Doc(), &error))
    window_.Doc().page->saved = 1;
  else
    ShowMessage(error);
  Update();
}

void LessonControls::SaveLessonAs() {
  if (!session_.Active() || student_) return;
  QFileDialog dialog(window_.Widget(), Caption("SaveLessonMenu", "保存课件"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setNameFilter(Q(Tr("Lesson.Filter", "课件(*.exol)")));
  dialog.setDefaultSuffix("exol");
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  std::string error;
  if (session_.Save(dialog.selectedFiles().first().toStdString(), window_.Doc(), &error))
    window_.Doc().page->saved = 1;
  else
    ShowMessage(error);
  Update();
}

void LessonControls::ShowScene(std::size_t index) {
  if (!session_.Active() || index >= session_.Count() || index == session_.Current()) return;
  std::string error;
  const OpenResult result = session_.Show(index, window_.Doc(), &error);
  if (!error.empty()) ShowMessage(error);
  if (result.status == OpenStatus::Opened) SceneShown();
  Update();
}

void LessonControls::SceneShown() {
  window_.ExperimentReplaced();
  const LessonScene& scene = session_.Scene(session_.Current());
  if (scene.studentMode && !student_) EnterStudentMode();
  if (places_.teaching) {
    if (scene.stepByStep) {
      window_.RunMenuClick();
      places_.teaching->StartStepping();
    }
    QAction* equations = places_.window->findChild<QAction*>("ShowEquationsMenu");
    if (scene.equations && equations && !equations->isChecked()) equations->trigger();
  }
  Update();
}

void LessonControls::PreviousScene() {
  if (session_.Current() > 0) ShowScene(session_.Current() - 1);
}

void LessonControls::NextScene() { ShowScene(session_.Current() + 1); }

void LessonControls::ListEdited(bool changed, const std::string& error) {
  if (!error.empty()) ShowMessage(error);
  if (changed) window_.ExperimentReplaced();
  Update();
}

void LessonControls::AddScene() {
  if (student_) return;
  std::string error;
  ListEdited(session_.Add(window_.Doc(), &error), error);
}

void LessonControls::DuplicateScene() {
  if (student_) return;
  std::string error;
  ListEdited(session_.Duplicate(window_.Doc(), &error), error);
}

void LessonControls::MoveSceneUp() {
  if (student_) return;
  std::string error;
  ListEdited(session_.MoveCurrent(-1, window_.Doc(), &error), error);
}

void LessonControls::MoveSceneDown() {
  if (student_) return;
  std::string error;
  ListEdited(session_.MoveCurrent(1, window_.Doc(), &error), error);
}

void LessonControls::RenameScene() {
  if (student_ || !session_.Active()) return;
  bool ok = false;
  const QString title =
      QInputDialog::getText(window_.Widget(), Caption("RenameSceneBtn", "重命名"),
                            Q(Tr("Lesson.TitlePrompt", "场景的标题:")), QLineEdit::Normal,
                            Q(session_.Scene(session_.Current()).title), &ok);
  if (ok) ListEdited(session_.Rename(title.toStdString()));
}

void LessonControls::DeleteScene() {
  if (student_) return;
  std::string error;
  ListEdited(session_.Delete(window_.Doc(), &error), error);
}

bool LessonControls::UndoList() {
  if (student_ || !session_.Undo(window_.Doc())) return false;
  ListEdited(true);
  return true;
}

bool LessonControls::RedoList() {
  if (student_ || !session_.Redo(window_.Doc())) return false;
  ListEdited(true);
  return true;
}

void LessonControls::OptionsSwitched() {
  if (student_) return;
  session_.SetOptions(options_[0]->isChecked(), options_[1]->isChecked(), options_[2]->isChecked());
  Update();
}

void LessonControls::SetPin() {
  if (student_ || !session_.Active()) return;
  const auto pin =
      askPin_(Tr("Lesson.NewPin", "新的教师密码(退出学生模式时要输入;留空则不要密码):"));
  if (pin) session_.SetPin(*pin);
}

void LessonControls::EnterStudentMode() {
  if (student_ || !session_.Active()) return;
  student_ = true;
  Settings().lockRow = LockRowRule::Fixed;
  Update();
}

bool LessonControls::LeaveStudentMode() {
  if (!student_) return true;
  if (!Settings().messages->AskYesNo(Tr("13", "提示"),
                                     Tr("Lesson.LeaveStudent", "要退出学生模式吗?")))
    return false;
  if (session_.HasPin()) {
    const auto pin = askPin_(Tr("Lesson.PinPrompt", "请输入教师密码:"));
    if (!pin) return false;
    if (!session_.PinMatches(*pin)) {
      ShowMessage(Tr("Lesson.WrongPin", "密码不对,仍然是学生模式."));
      return false;
    }
  }
  student_ = false;
  Settings().lockRow = LockRowRule::Editable;
  Update();
  return true;
}

WorksheetOptions LessonControls::WorksheetTitles() const {
  WorksheetOptions titles;
  if (!session_.Active()) return titles;
  titles.lessonTitle = session_.Title();
  if (titles.lessonTitle.empty() && !session_.FileName().empty())
    titles.lessonTitle = ExperimentTitle(session_.FileName());
  titles.title = session_.Scene(session_.Current()).title;
  return titles;
}

std::optional<std::vector<std::uint8_t>> LessonControls::UnsavedLesson() {
  if (!session_.Active()) return std::nullopt;
  std::vector<std::uint8_t> bytes;
  if (!session_.Changed() && window_.Doc().page->saved) return bytes;
  Lesson lesson;
  if (session_.Snapshot(window_.Doc(), lesson, nullptr)) LessonBytes(lesson, bytes, nullptr);
  return bytes;
}

void LessonControls::Update() {
  const bool active = session_.Active();
  for (QAction* action : lessonOnly_) action->setVisible(active);
  for (QAction* action : teacherOnly_)
    if (std::find(lessonOnly_.begin(), lessonOnly_.end(), action) == lessonOnly_.end() || active)
      action->setVisible(!student_);
  for (const char* name : kTeacherCommands)
    if (QAction* action = places_.action(name)) action->setVisible(!student_);
  if (QMenu* recent = places_.fileMenu->findChild<QMenu*>("RecentMenu"))
    recent->menuAction()->setVisible(!student_);
  if (places_.palette) places_.palette->setVisible(!student_);
  leave_->setVisible(student_);
  editButtons_->setVisible(!student_);
  bar_->setVisible(active);
  const QString base = Q(Tr("29", "QorvanVeltrano Suite 光学 V5.0"));
  const QString status = Q(session_.Status());
  panel_->setVisible(active);
  panel_->setText(status);
  if (active) places_.window->setWindowTitle(base + " - " + status);
  if (!active) return;
  const QSignalBlocker quiet(list_);
  list_->clear();
  for (std::size_t i = 0; i < session_.Count(); ++i)
    list_->addItem(QString("%1. %2").arg(i + 1).arg(Q(session_.Scene(i).title)));
  list_->setCurrentRow(int(session_.Current()));
  const LessonScene& scene = session_.Scene(session_.Current());
  const bool flags[] = {scene.stepByStep, scene.studentMode, scene.equations};
  for (int i = 0; i < 3; ++i) {
    const QSignalBlocker block(options_[i]);
    options_[i]->setChecked(flags[i]);
  }
}
