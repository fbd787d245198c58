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
#include "app/IExperimentWindow.h"
#include "app/ToolBarCaption.h"
#include "app/WindowTexts.h"
#include "gfx/PresentationScale.h"
#include "objects/EquationPanel.h"
#include "optics/RayPicker.h"
#include "scene/Document.h"

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

TeachingControls::TeachingControls(IExperimentWindow& window, const Places& places, QObject* parent)
    : QObject(parent), window_(window), places_(places), timer_(new QTimer(this)) {
  setObjectName("TeachingControls");
  timer_->setInterval(kAutoPlayMs);
  connect(timer_, &QTimer::timeout, this, [this] {
    const ::Stepping& stepping = window_.Doc().stepping;
    if (stepping.On() && !stepping.AtEnd()) NextStep();
    // Stopped as soon as the last step shows, not a beat later.
    if (!stepping.On() || stepping.AtEnd()) SetPlaying(false);
  });

  const auto actions = places.toolBar->actions();
  for (int i = 0; i + 1 < actions.size(); ++i)
    if (actions[i] == places.toolBarAfter) insertBefore_ = actions[i + 1];
  using G = ToolGlyph;
  using T = TeachingControls;
  AddButton("StepStartBtn", "逐步显示", int(G::StepStart), &T::StartStepping);
  steppingButtons_ = {AddButton("StepBackBtn", "上一步", int(G::StepBack), &T::PreviousStep),
                      AddButton("StepNextBtn", "下一步", int(G::StepNext), &T::NextStep)};
  playButton_ = AddButton("StepPlayBtn", "自动播放", int(G::AutoPlay), &T::AutoPlay);
  playButton_->setCheckable(true);
  steppingButtons_.push_back(AddButton("StepAllBtn", "全部显示", int(G::ShowAll), &T::ShowAll));

  places.runMenu->addSeparator();
  AddItem("StepStartMenu", "逐步显示", &T::StartStepping);
  QAction* next = AddItem("StepNextMenu", "下一步", &T::NextStep);
  next->setShortcut(Qt::Key_Right);
  QAction* back = AddItem("StepBackMenu", "上一步", &T::PreviousStep);
  back->setShortcut(Qt::Key_Left);
  AddItem("StepPlayMenu", "自动播放", &T::AutoPlay);
  steppingItems_ = {next, back, AddItem("StepAllMenu", "全部显示", &T::ShowAll)};
  places.runMenu->addSeparator();
  followItem_ = AddSwitch(places.runMenu, "FollowRayMenu", "跟随光线", &T::FollowSwitched);
  if (places.escape) connect(places.escape, &QAction::triggered, this, &T::ClearFollow);

  equationsItem_ =
      AddSwitch(places.viewMenu, "ShowEquationsMenu", "显示成像公式", &T::EquationsSwitched);
  equationsItem_->setChecked(
      QSettings(kOrganisation, kApplication).value(kEquationsKey, false).toBool());

  hintPanel_ = HiddenStatusPanel(places.statusBar, "FollowHintPanel");

  lawItem_ = AddSwitch(places.viewMenu, "ShowLawMenu", "显示折射定律", &T::LawSwitched);
  // Remembered from the last run: no hint for what was not turned on now.
  {
    const QSignalBlocker quiet(lawItem_);
    lawItem_->setChecked(QSettings(kOrganisation, kApplication).value(kLawKey, false).toBool());
  }
  window_.Doc().view.lawLabels = lawItem_->isChecked();

  stepPanel_ = HiddenStatusPanel(places.statusBar, "StepPanel");
  UpdateCommands();
}

QAction* TeachingControls::AddItem(const char* name, const char* caption,
                                   void (TeachingControls::*slot)()) {
  auto* action = new QAction(Caption(name, caption), places_.runMenu);
  action->setObjectName(name);
  places_.runMenu->addAction(action);
  connect(action, &QAction::triggered, this, slot);
  return action;
}

QAction* TeachingControls::AddSwitch(QMenu* menu, const char* name, const char* caption,
                                     void (TeachingControls::*slot)(bool)) {
  auto* action = new QAction(Caption(name, caption), menu);
  action->setObjectName(name);
  action->setCheckable(true);
  menu->addAction(action);
  connect(action, &QAction::toggled, this, slot);
  return action;
}

QToolButton* TeachingControls::AddButton(const char* name, const char* caption, int glyph,
                                         void (TeachingControls::*slot)()) {
  QToolBar* bar = places_.toolBar;
  auto* button = new QToolButton(bar);
  button->setObjectName(name);
  button->setText(Caption(name, caption));
  button->setToolTip(Hint(name, caption));
  button->setIcon(MakeToolGlyph(static_cast<ToolGlyph>(glyph)));
  button->setProperty(kToolGlyphProperty, glyph);
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

bool TeachingControls::Stepping() const { return window_.Doc().stepping.On(); }
int TeachingControls::Step() const { return window_.Doc().stepping.Step(); }
int TeachingControls::Steps() const { return window_.Doc().stepping.Steps(); }

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
  if (window_.Doc().view.followedRoot < 0) {
    if (follow)
      hint = Q(Tr("FollowHint", "跟随光线: 运行时点击一条光线"));
    else if (law)
      hint = Q(Tr("LawHint", "显示折射定律: 打开“跟随光线”, 运行时点击一条光线"));
  }
  hintPanel_->setText(hint);
  hintPanel_->setVisible(!hint.isEmpty());
}

void TeachingControls::UpdateCommands() {
  const bool on = Stepping();
  for (QAction* item : steppingItems_) item->setEnabled(on);
  for (QToolButton* button : steppingButtons_) button->setEnabled(on);
}

void TeachingControls::Show() { window_.RefreshView(); }

void TeachingControls::Refreshed() {
  if (!Stepping()) return;
  const int step = Step(), steps = Steps();
  stepPanel_->setText(
      Q(Tr("StepStatus", "第 %1 步 / 共 %2 步")).arg(std::min(step, steps)).arg(steps));
  stepPanel_->setMinimumWidth(stepPanel_->fontMetrics().horizontalAdvance(stepPanel_->text()) + 12);
}

// No refresh here: the caller paints what comes next.
void TeachingControls::Leave() {
  SetPlaying(false);
  Document& doc = window_.Doc();
  doc.view.followedRoot = -1;
  if (!doc.stepping.On()) return;
  doc.StopStepping();
  stepPanel_->hide();
  UpdateCommands();
}

void TeachingControls::StartStepping() {
  Document& doc = window_.Doc();
  doc.StartStepping();
  stepPanel_->show();
  UpdateCommands();
  if (!doc.running)
    window_.RunMenuClick();  // traces, showing step 1
  else
    Show();
}

void TeachingControls::NextStep() {
  if (window_.Doc().stepping.Next()) Show();
}

void TeachingControls::PreviousStep() {
  if (window_.Doc().stepping.Previous()) Show();
}

void TeachingControls::AutoPlay() {
  if (timer_->isActive()) {
    SetPlaying(false);
    return;
  }
  const ::Stepping& stepping = window_.Doc().stepping;
  if (!stepping.On() || stepping.AtEnd()) StartStepping();
  SetPlaying(true);
}

void TeachingControls::ShowAll() {
  if (!Stepping()) return;
  SetPlaying(false);
  window_.Doc().StopStepping();
  stepPanel_->hide();
  UpdateCommands();
  Show();
}

void TeachingControls::EquationsSwitched(bool on) {
  QSettings(kOrganisation, kApplication).setValue(kEquationsKey, on);
  Document& doc = window_.Doc();
  if (on) {
    doc.afterTrace = [&doc](TCanvas& canvas) { PaintEquationPanels(canvas, doc.scene); };
  } else {
    doc.afterTrace = nullptr;
  }
  if (doc.running) window_.RefreshView();
}

void TeachingControls::LawSwitched(bool on) {
  QSettings(kOrganisation, kApplication).setValue(kLawKey, on);
  window_.Doc().view.lawLabels = on;
  UpdateHint();
  if (window_.Doc().running) window_.RefreshView();
}

void TeachingControls::FollowSwitched(bool on) {
  if (!on) ClearFollow();
  UpdateHint();
}

void TeachingControls::ClearFollow() {
  if (window_.Doc().view.followedRoot < 0) return;
  window_.Doc().view.followedRoot = -1;
  UpdateHint();
  window_.RefreshView();
}

void TeachingControls::PressedOnNothing(int x, int y) {
  Document& doc = window_.Doc();
  if (!followItem_->isChecked() || !doc.running) return;
  RayPicker picker({float(x), float(y)}, Scaled(kPickTolerance));
  doc.Trace(picker);
  doc.view.followedRoot = picker.Root();  // empty surface: none
  UpdateHint();
}
