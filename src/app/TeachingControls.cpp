#include "app/TeachingControls.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QSettings>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>

#include "app/Glyphs.h"
#include "app/TLumidorNetworkFrm.h"
#include "app/ToolBarCaption.h"
#include "app/WindowTexts.h"
#include "gfx/PresentationScale.h"
#include "objects/EquationPanel.h"
#include "optics/RayPicker.h"

namespace {

// A sunken panel of the status bar, hidden until it has something to say.
QLabel* HiddenStatusPanel(QStatusBar* bar, const char* name) {
  auto* panel = new QLabel(bar);
  panel->setObjectName(name);
  panel->setFrameShape(QFrame::Panel);
  panel->setFrameShadow(QFrame::Sunken);
  bar->addWidget(panel);
  panel->hide();
  return panel;
}

constexpr const char* kOrganisation = "Fenwark Workshop";
constexpr const char* kApplication = "Teaching";
constexpr const char* kEquationsKey = "ShowEquations";
constexpr const char* kLawKey = "ShowLaw";
}  // namespace

TeachingControls::TeachingControls(TLumidorNetworkFrm* window)
    : QObject(window), window_(window), timer_(new QTimer(this)) {
  setObjectName("TeachingControls");
  timer_->setInterval(kAutoPlayMs);
  connect(timer_, &QTimer::timeout, this, [this] {
    if (stepping_ && step_ < steps_) NextStep();
    // Stopped as soon as the last step shows, not a beat later.
    if (!stepping_ || step_ >= steps_) SetPlaying(false);
  });

  QToolBar* bar = window->findChild<QToolBar*>("ToolBar1");
  const auto actions = bar->actions();
  for (int i = 0; i + 1 < actions.size(); ++i)
    if (actions[i]->objectName() == "stopbtnHolder") insertBefore_ = actions[i + 1];
  using G = ToolGlyph;
  AddButton("StepStartBtn", "逐步显示", int(G::StepStart), &TeachingControls::StartStepping);
  AddButton("StepBackBtn", "上一步", int(G::StepBack), &TeachingControls::PreviousStep);
  AddButton("StepNextBtn", "下一步", int(G::StepNext), &TeachingControls::NextStep);
  playButton_ = AddButton("StepPlayBtn", "自动播放", int(G::AutoPlay), &TeachingControls::AutoPlay);
  playButton_->setCheckable(true);
  AddButton("StepAllBtn", "全部显示", int(G::ShowAll), &TeachingControls::ShowAll);

  QMenu* run = window->findChild<QMenu*>("RunMenuGroup");
  run->addSeparator();
  AddItem("StepStartMenu", "逐步显示", &TeachingControls::StartStepping);
  AddItem("StepNextMenu", "下一步", &TeachingControls::NextStep)->setShortcut(Qt::Key_Right);
  AddItem("StepBackMenu", "上一步", &TeachingControls::PreviousStep)->setShortcut(Qt::Key_Left);
  AddItem("StepPlayMenu", "自动播放", &TeachingControls::AutoPlay);
  AddItem("StepAllMenu", "全部显示", &TeachingControls::ShowAll);
  run->addSeparator();
  followItem_ = new QAction(Caption("FollowRayMenu", "跟随光线"), window);
  followItem_->setObjectName("FollowRayMenu");
  followItem_->setCheckable(true);
  run->addAction(followItem_);
  connect(followItem_, &QAction::toggled, this, &TeachingControls::FollowSwitched);
  // Esc also lets go of the followed ray.
  if (auto* esc = window->findChild<QAction*>("DisarmShortcut"))
    connect(esc, &QAction::triggered, this, &TeachingControls::ClearFollow);

  equationsItem_ = new QAction(Caption("ShowEquationsMenu", "显示成像公式"), window);
  equationsItem_->setObjectName("ShowEquationsMenu");
  equationsItem_->setCheckable(true);
  window->findChild<QMenu*>("ViewMenu")->addAction(equationsItem_);
  connect(equationsItem_, &QAction::toggled, this, &TeachingControls::EquationsSwitched);
  equationsItem_->setChecked(
      QSettings(kOrganisation, kApplication).value(kEquationsKey, false).toBool());

  hintPanel_ = HiddenStatusPanel(window->statusBar(), "FollowHintPanel");

  lawItem_ = new QAction(Caption("ShowLawMenu", "显示折射定律"), window);
  lawItem_->setObjectName("ShowLawMenu");
  lawItem_->setCheckable(true);
  window->findChild<QMenu*>("ViewMenu")->addAction(lawItem_);
  connect(lawItem_, &QAction::toggled, this, &TeachingControls::LawSwitched);
  // Remembered from the last run: no hint for what was not turned on now.
  {
    const QSignalBlocker quiet(lawItem_);
    lawItem_->setChecked(QSettings(kOrganisation, kApplication).value(kLawKey, false).toBool());
  }
  window->Doc().view.lawLabels = lawItem_->isChecked();

  stepPanel_ = HiddenStatusPanel(window->statusBar(), "StepPanel");
  UpdateCommands();
}

QAction* TeachingControls::AddItem(const char* name, const char* caption,
                                   void (TeachingControls::*slot)()) {
  auto* action = new QAction(Caption(name, caption), window_);
  action->setObjectName(name);
  window_->findChild<QMenu*>("RunMenuGroup")->addAction(action);
  connect(action, &QAction::triggered, this, slot);
  return action;
}

QToolButton* TeachingControls::AddButton(const char* name, const char* caption, int glyph,
                                         void (TeachingControls::*slot)()) {
  QToolBar* bar = window_->findChild<QToolBar*>("ToolBar1");
  auto* button = new QToolButton(bar);
  button->setObjectName(name);
  button->setText(Caption(name, caption));
  button->setToolTip(Hint(name, caption));
  button->setIcon(MakeToolGlyph(static_cast<ToolGlyph>(glyph)));
  button->setIconSize(QSize(16, 16));
  button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  button->setAutoRaise(true);
  FitToolBarButton(button, 66);
  QAction* holder =
      insertBefore_ ? bar->insertWidget(insertBefore_, button) : bar->addWidget(button);
  holder->setObjectName(QString(name) + "Holder");
  connect(button, &QToolButton::clicked, this, slot);
  return button;
}

bool TeachingControls::AutoPlaying() const { return timer_->isActive(); }

void TeachingControls::SetPlaying(bool playing) {
  if (playing)
    timer_->start();
  else
    timer_->stop();
  playButton_->setChecked(playing);
}

void TeachingControls::UpdateHint() {
  const bool follow = followItem_->isChecked(), law = lawItem_->isChecked();
  QString hint;
  if (window_->Doc().view.followedRoot < 0) {
    if (follow)
      hint = Q(Tr("FollowHint", "跟随光线: 运行时点击一条光线"));
    else if (law)
      hint = Q(Tr("LawHint", "显示折射定律: 打开“跟随光线”, 运行时点击一条光线"));
  }
  hintPanel_->setText(hint);
  hintPanel_->setVisible(!hint.isEmpty());
}

void TeachingControls::UpdateCommands() {
  for (const char* name : {"StepNext", "StepBack", "StepAll"}) {
    window_->findChild<QAction*>(QString(name) + "Menu")->setEnabled(stepping_);
    window_->findChild<QToolButton*>(QString(name) + "Btn")->setEnabled(stepping_);
  }
}

void TeachingControls::Show() {
  window_->Doc().view.maxGeneration = stepping_ ? step_ : 0;
  window_->RefreshView();
}

void TeachingControls::Refreshed() {
  if (!stepping_) return;
  steps_ = window_->Doc().traceGenerations;
  step_ = std::clamp(step_, 1, std::max(1, steps_));
  window_->Doc().view.maxGeneration = step_;
  stepPanel_->setText(
      Q(Tr("StepStatus", "第 %1 步 / 共 %2 步")).arg(std::min(step_, steps_)).arg(steps_));
  stepPanel_->setMinimumWidth(stepPanel_->fontMetrics().horizontalAdvance(stepPanel_->text()) + 12);
}

// No refresh here: the caller paints what comes next.
void TeachingControls::Leave() {
  SetPlaying(false);
  window_->Doc().view.followedRoot = -1;
  if (!stepping_) return;
  stepping_ = false;
  window_->Doc().view.maxGeneration = 0;
  stepPanel_->hide();
  UpdateCommands();
}

void TeachingControls::StartStepping() {
  stepping_ = true;
  step_ = 1;
  stepPanel_->show();
  UpdateCommands();
  if (!window_->Doc().running) {
    window_->Doc().view.maxGeneration = step_;
    window_->RunMenuClick();  // traces, showing step 1
  } else {
    Show();
  }
}

void TeachingControls::NextStep() {
  if (!stepping_ || step_ >= steps_) return;
  ++step_;
  Show();
}

void TeachingControls::PreviousStep() {
  if (!stepping_ || step_ <= 1) return;
  --step_;
  Show();
}

void TeachingControls::AutoPlay() {
  if (timer_->isActive()) {
    SetPlaying(false);
    return;
  }
  if (!stepping_ || step_ >= steps_) StartStepping();
  SetPlaying(true);
}

void TeachingControls::ShowAll() {
  if (!stepping_) return;
  SetPlaying(false);
  stepping_ = false;
  stepPanel_->hide();
  UpdateCommands();
  Show();
}

void TeachingControls::EquationsSwitched(bool on) {
  QSettings(kOrganisation, kApplication).setValue(kEquationsKey, on);
  Document& doc = window_->Doc();
  if (on) {
    doc.afterTrace = [&doc](TCanvas& canvas) { PaintEquationPanels(canvas, doc.scene); };
  } else {
    doc.afterTrace = nullptr;
  }
  if (doc.running) window_->RefreshView();
}

void TeachingControls::LawSwitched(bool on) {
  QSettings(kOrganisation, kApplication).setValue(kLawKey, on);
  window_->Doc().view.lawLabels = on;
  UpdateHint();
  if (window_->Doc().running) window_->RefreshView();
}

void TeachingControls::FollowSwitched(bool on) {
  if (!on) ClearFollow();
  UpdateHint();
}

void TeachingControls::ClearFollow() {
  if (window_->Doc().view.followedRoot < 0) return;
  window_->Doc().view.followedRoot = -1;
  UpdateHint();
  window_->RefreshView();
}

void TeachingControls::PressedOnNothing(int x, int y) {
  Document& doc = window_->Doc();
  if (!followItem_->isChecked() || !doc.running) return;
  RayPicker picker({float(x), float(y)}, Scaled(kPickTolerance));
  doc.Trace(picker);
  doc.view.followedRoot = picker.Root();  // empty surface: none
  UpdateHint();
}
