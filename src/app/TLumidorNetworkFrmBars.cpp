// The main window's bars: palette, tool bar, menus, pop-up menu and status
// bar, with their captions and hints looked up by component name.
#include <QAction>
#include <QButtonGroup>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>
#include <cmath>

#include "app/Glyphs.h"
#include "app/GridControls.h"
#include "app/RecentExperiments.h"
#include "app/SurfaceAccessible.h"
#include "app/SurfaceKeys.h"
#include "app/TLumidorNetworkFrm.h"
#include "app/ToolBarCaption.h"
#include "app/WindowTexts.h"
#include "i18n/Convert.h"
#include "i18n/SharedTexts.h"
#include "objects/elements/IdealLens.h"
#include "scene/UserCoordinates.h"

namespace {

struct PaletteEntry {
  const char* name;
  const char* hint;
  const char* className;  // "" for ArrowBtn
  bool group;             // stays pressed until the object is placed
  void (TLumidorNetworkFrm::*handler)();
};

const PaletteEntry kPalette[] = {
    {"ArrowBtn", "取消选取工具", "", true, &TLumidorNetworkFrm::ArrowBtnClick},
    {"SpeedButton19", "平行光源", "LampHouse", true, &TLumidorNetworkFrm::ToolButton18Click},
    {"SpeedButton20", "复合光源", "ComplexlH", true, &TLumidorNetworkFrm::ToolButton29Click},
    {"SpeedButton12", "方形介质", "FourPrism", true, &TLumidorNetworkFrm::FourPrismBtnClick},
    {"SpeedButton13", "三角介质", "ThreePrism", true, &TLumidorNetworkFrm::ThreePrismBtnClick},
    {"SpeedButton14", "真实凸透镜", "Magnifier", true, &TLumidorNetworkFrm::ToolButton16Click},
    {"SpeedButton15", "真实凹透镜", "Concave", true, &TLumidorNetworkFrm::ToolButton17Click},
    {"SpeedButton17", "理想凸透镜", "IdealMagnifier", true, &TLumidorNetworkFrm::ToolButton22Click},
    {"SpeedButton18", "理想凹透镜", "IdealConcave", true, &TLumidorNetworkFrm::ToolButton26Click},
    {"SpeedButton26", "凹面镜", "ConcaveMirror", true, &TLumidorNetworkFrm::ToolButton13Click},
    {"SpeedButton25", "凸面镜", "ConvexityMirror", true, &TLumidorNetworkFrm::ToolButton15Click},
    {"SpeedButton24", "平面镜", "FlatMirror", true, &TLumidorNetworkFrm::ToolButton19Click},
    {"SpeedButton11", "不规则物体", "FitfulObject", true, &TLumidorNetworkFrm::ToolButton30Click},
    {"SpeedButton29", "光导纤维", "RayFibre", true, &TLumidorNetworkFrm::ToolButton5Click},
    {"SpeedButton16", "成像系统", "ImagingSystem", false, &TLumidorNetworkFrm::ToolButton31Click},
    {"SpeedButton1", "点光源", "PointLampHouse", true, &TLumidorNetworkFrm::SpeedButton1Click},
    {"SpeedButton2", "物体", "RealObject", true, &TLumidorNetworkFrm::SpeedButton2Click},
    {"SpeedButton21", "量角器", "Protractor", false, &TLumidorNetworkFrm::ProtractorTBtnClick},
    {"SpeedButton22", "直尺", "Ruler", true, &TLumidorNetworkFrm::ToolButton32Click},
    {"SpeedButton23", "普通线", "OPticsLine", true, &TLumidorNetworkFrm::DrawLineTBtnClick},
    {"SpeedButton27", "插入图片", "DrawImage", true, &TLumidorNetworkFrm::ToolButton27Click},
    {"SpeedButton28", "注释", "DrawString", true, &TLumidorNetworkFrm::ToolButton28Click},
};

// Stops, screens and the half mirror: a third column, from the top.
const PaletteEntry kStopsColumn[] = {
    {"StopButton1", "挡板/光屏", "LightBlocker", true, &TLumidorNetworkFrm::StopButton1Click},
    {"StopButton2", "圆形挡板", "CircularBlocker", true, &TLumidorNetworkFrm::StopButton2Click},
    {"StopButton3", "光阑", "Aperture", true, &TLumidorNetworkFrm::StopButton3Click},
    {"StopButton4", "半透半反镜", "BeamSplitter", true, &TLumidorNetworkFrm::StopButton4Click},
};

}  // namespace

// ---------------------------------------------------------------- building

void TLumidorNetworkFrm::BuildPalette() {
  auto* grid = new QGridLayout(panel3_);
  grid->setContentsMargins(3, 3, 3, 3);
  grid->setSpacing(2);
  paletteGroup_ = new QButtonGroup(this);
  paletteGroup_->setExclusive(true);
  auto add = [&](const PaletteEntry& entry, int row, int column) {
    auto* button = new QToolButton(panel3_);
    button->setObjectName(entry.name);
    button->setAutoRaise(true);
    button->setToolTip(Hint(entry.name, entry.hint));
    button->setIcon(MakePaletteGlyph(entry.className));
    button->setProperty(kGlyphClassProperty, QString::fromStdString(entry.className));
    button->setIconSize(QSize(24, 24));
    button->setFixedSize(28, 28);
    if (entry.group) {
      button->setCheckable(true);
      paletteGroup_->addButton(button);
    }
    const std::string className = entry.className;
    // A tool whose object class this build does not have stays visible but
    // cannot be chosen.
    if (!className.empty() && !options_.maker(className, nullptr)) button->setEnabled(false);
    connect(button, &QToolButton::clicked, this, entry.handler);
    grid->addWidget(button, row, column);
    buttons_[entry.name] = button;
  };
  int index = 0;
  for (const auto& entry : kPalette) {
    add(entry, index / 2, index % 2);
    ++index;
  }
  int row = 0;
  for (const auto& entry : kStopsColumn) add(entry, row++, 2);
  grid->setRowStretch(index / 2 + 1, 1);
  arrowBtn_ = buttons_["ArrowBtn"];
  arrowBtn_->setChecked(true);
}

QToolButton* TLumidorNetworkFrm::ToolBarButton(const char* name, const std::string& caption,
                                               const std::string& hint, int glyph, int width) {
  auto* button = new QToolButton(toolBar1_);
  button->setObjectName(name);
  button->setText(Caption(name, caption));
  if (!hint.empty()) button->setToolTip(Hint(name, hint));
  button->setIcon(MakeToolGlyph(static_cast<ToolGlyph>(glyph)));
  button->setProperty(kToolGlyphProperty, glyph);
  button->setIconSize(QSize(16, 16));
  button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  button->setAutoRaise(true);
  FitToolBarButton(button, width);
  QAction* holder = toolBar1_->addWidget(button);
  holder->setObjectName(QString(name) + "Holder");
  buttons_[name] = button;
  actions_[std::string(name) + "Holder"] = holder;
  return button;
}

void TLumidorNetworkFrm::BuildToolBar() {
  toolBar1_ = new QToolBar(this);
  toolBar1_->setObjectName("ToolBar1");
  toolBar1_->setMovable(false);
  toolBar1_->setFloatable(false);
  toolBar1_->setContextMenuPolicy(Qt::PreventContextMenu);
  addToolBar(Qt::TopToolBarArea, toolBar1_);
  using G = ToolGlyph;
  using F = TLumidorNetworkFrm;
  struct Button {
    const char* name;  // null: a separator
    const char* caption;
    const char* hint;
    G glyph;
    void (F::*click)();
    int width = 38;
  };
  // The properties button keeps the name and hint of a cut button; the zoom
  // buttons carry the hint "帮助" but do not show it.
  static const Button kButtons[] = {
      {"SpeedButton8", "新建", "新建实验", G::New, &F::NewPageClick},
      {"SpeedButton9", "打开", "打开实验", G::Open, &F::OpenPageClick},
      {"SaveBtn", "保存", "保存实验", G::Save, &F::SavePageClick},
      {"SpeedButton3", "打印", "打印", G::Print, &F::N16Click},
      {},
      {"UndoBtn", "撤销", "撤消", G::Undo, &F::UndoMenuClick},
      {"RedoBtn", "重做", "重作", G::Redo, &F::RedoMenuClick},
      {"CopyBtn", "复制", "复制", G::Copy, &F::CopyMenuClick},
      {"PasteBtn", "粘贴", "粘贴", G::Paste, &F::PasteMenuClick},
      {"DeleteBtn", "删除", "删除", G::Delete, &F::DeleteMenuClick},
      {"CutBtn", "属性", "剪切", G::Properties, &F::ShowPropertiesMenuClick},
      {},
      {"runbtn", "运行", "运行", G::Run, &F::RunMenuClick, 54},
      {"stopbtn", "停止", "停止", G::Stop, &F::StopMenuClick, 54},
      {},
      {"SpeedButton5", "放大", "", G::ZoomIn, &F::SpeedButton5Click, 54},
      {"SpeedButton6", "缩小", "", G::ZoomOut, &F::SpeedButton6Click, 54},
      {"SpeedButton7", "移动", "移动", G::Move, &F::SpeedButton7Click, 54},
      {},
      {"SpeedButton30", "帮助", "帮助", G::Help, &F::HelpClick},
  };
  for (const Button& b : kButtons) {
    if (!b.name) {
      toolBar1_->addSeparator();
      continue;
    }
    QToolButton* button =
        ToolBarButton(b.name, b.caption, b.hint, static_cast<int>(b.glyph), b.width);
    button->setCheckable(b.glyph == G::Move);
    connect(button, &QToolButton::clicked, this, b.click);
  }

  for (const char* name :
       {"UndoBtn", "RedoBtn", "CopyBtn", "PasteBtn", "DeleteBtn", "CutBtn", "stopbtn"})
    buttons_[name]->setEnabled(false);
  // This edition writes no experiment files from the tool bar.
  actions_["SaveBtnHolder"]->setVisible(false);
}

QAction* TLumidorNetworkFrm::NewAction(const char* name, const std::string& caption,
                                       const QKeySequence& shortcut) {
  auto* action = new QAction(Caption(name, caption), this);
  action->setObjectName(name);
  if (!shortcut.isEmpty()) action->setShortcut(shortcut);
  actions_[name] = action;
  return action;
}

void TLumidorNetworkFrm::BuildMenus() {
  QMenuBar* bar = menuBar();
  using F = TLumidorNetworkFrm;
  auto item = [this](QMenu* menu, const char* name, const std::string& caption, void (F::*slot)(),
                     const QKeySequence& shortcut = {}) {
    QAction* action = NewAction(name, caption, shortcut);
    menu->addAction(action);
    if (slot) connect(action, &QAction::triggered, this, slot);
    return action;
  };

  QMenu* file = bar->addMenu(Caption("FileMenu", "文件(&F)"));
  file->setObjectName("FileMenu");
  item(file, "NewMenu", "新建", &F::NewPageClick, QKeySequence("Ctrl+N"));
  file->addSeparator();
  item(file, "OpenMenu", "打开", &F::OpenPageClick, QKeySequence("Ctrl+O"));
  QAction* save = item(file, "SaveMenu", "保存", &F::SavePageClick, QKeySequence("Ctrl+S"));
  QAction* saveAs = item(file, "SaveAsMenu", "另存为...", nullptr);
  item(file, "ImportRayOpticsMenu", "导入 Ray Optics 场景…", &F::ImportRayOpticsClick);
  item(file, "RayOpticsLinkMenu", "打开 Ray Optics 分享链接…", &F::RayOpticsLinkClick);
  item(file, "ExportRayOpticsMenu", "导出为 Ray Optics 场景…", &F::ExportRayOpticsClick);
  recent_ = new RecentExperiments(
      file, save, [this](const QString& path) { OpenExperiment(path.toStdString()); });
  item(file, "N7", "保存为图片", &F::N7Click);
  file->addSeparator();
  item(file, "N15", "打印设置", &F::N15Click);
  item(file, "N16", "打印", &F::N16Click);
  item(file, "PrintPreviewMenu", "打印预览", &F::PrintPreviewMenuClick);
  item(file, "WorksheetMenu", "打印作业单…", &F::WorksheetMenuClick);
  file->addSeparator();
  QAction* makeExe = item(file, "MakeExeMenu", "生成可执行文件", nullptr);
  QAction* makeWeb = item(file, "MakeWebMenu", "生成网络课件", nullptr);
  QAction* webSeparator = file->addSeparator();
  item(file, "N11", "退出", &F::N11Click);
  // Start-up hides the commands that write files; none of them comes back.
  for (QAction* hidden : {save, saveAs, makeExe, makeWeb, webSeparator}) hidden->setVisible(false);
  // A hidden item's shortcut is dead in Qt; Ctrl+S still has to save.
  QAction* saveKey = NewAction("SaveShortcut", "保存", QKeySequence("Ctrl+S"));
  save->setShortcut({});
  addAction(saveKey);
  connect(saveKey, &QAction::triggered, this, &F::SavePageClick);

  editMenu_ = bar->addMenu(Caption("EditMenu", "编辑(&E)"));
  editMenu_->setObjectName("EditMenu");
  connect(editMenu_, &QMenu::aboutToShow, this, &F::EditMenuClick);
  item(editMenu_, "UndoMenu", "撤消", &F::UndoMenuClick, QKeySequence("Ctrl+Z"));
  item(editMenu_, "RedoMenu", "重作", &F::RedoMenuClick, QKeySequence("Ctrl+Alt+Z"));
  editMenu_->addSeparator();
  item(editMenu_, "CutMenu", "剪切", &F::CutMenuClick, QKeySequence("Ctrl+X"));
  item(editMenu_, "CopyMenu", "复制", &F::CopyMenuClick, QKeySequence("Ctrl+C"));
  item(editMenu_, "PasteMenu", "粘贴", &F::PasteMenuClick, QKeySequence("Ctrl+V"));
  item(editMenu_, "DeleteMenu", "删除", &F::DeleteMenuClick, QKeySequence(Qt::Key_Delete));
  editMenu_->addSeparator();
  item(editMenu_, "ShowPropertiesMenu", "属性", &F::ShowPropertiesMenuClick);
  editMenu_->addSeparator();
  QAction* keyboard = item(editMenu_, "N24", "使用软键盘", &F::N24Click);
  keyboard->setCheckable(true);
  item(editMenu_, "N31", "画板", &F::N31Click);

  QMenu* run = runMenu_ = bar->addMenu(Caption("RunMenuGroup", "运行(&R)"));
  run->setObjectName("RunMenuGroup");
  item(run, "RunMenu", "运行", &F::RunMenuClick, QKeySequence(Qt::Key_F9));
  item(run, "StopMenu", "停止", &F::StopMenuClick)->setEnabled(false);

  QMenu* view = viewMenu_ = bar->addMenu(Caption("ViewMenu", "视图(&V)"));
  view->setObjectName("ViewMenu");
  for (auto [name, caption, slot] : {std::tuple{"ToolBarMenu", "工具栏", &F::ToolBarMenuClick},
                                     std::tuple{"N18", "器件箱", &F::N18Click},
                                     std::tuple{"StateMenu", "状态栏 ", &F::StateMenuClick}}) {
    QAction* toggle = item(view, name, caption, slot);
    toggle->setCheckable(true);
    toggle->setChecked(true);
  }

  QMenu* help = bar->addMenu(Caption("HelpMenuGroup", "帮助(&H)"));
  help->setObjectName("HelpMenuGroup");
  item(help, "HelpMenu", "帮助", &F::HelpClick, QKeySequence(Qt::Key_F1));
  help->addSeparator();
  item(help, "N4", "关于Veltrano Suite", &F::N4Click);
}

void TLumidorNetworkFrm::BuildPopupMenu() {
  using F = TLumidorNetworkFrm;
  toolUnitMenu_ = new QMenu(this);
  toolUnitMenu_->setObjectName("ToolUnitMenu");
  connect(toolUnitMenu_, &QMenu::aboutToShow, this, &F::ToolUnitMenuPopup);
  auto item = [this](const char* name, const std::string& caption, void (F::*slot)(),
                     const QKeySequence& shortcut = {}) {
    QAction* action = NewAction(name, caption);
    // The main menu owns the shared shortcuts; here they are only shown.
    if (!shortcut.isEmpty()) {
      action->setShortcut(shortcut);
      action->setShortcutContext(Qt::WidgetShortcut);
    }
    toolUnitMenu_->addAction(action);
    connect(action, &QAction::triggered, this, slot);
    return action;
  };
  item("PopupUndo", "撤消", &F::UndoMenuClick, QKeySequence("Ctrl+Z"));
  item("PopupRedo", "重作", &F::RedoMenuClick, QKeySequence("Ctrl+Alt+Z"));
  toolUnitMenu_->addSeparator();
  item("PopupCut", "剪切", &F::CutMenuClick, QKeySequence("Ctrl+X"));
  item("PopupCopy", "复制", &F::CopyMenuClick, QKeySequence("Ctrl+C"));
  item("PopupPaste", "粘贴", &F::PasteMenuClick, QKeySequence("Ctrl+V"));
  item("PopupDelete", "删除", &F::DeleteMenuClick, QKeySequence(Qt::Key_Delete));
  toolUnitMenu_->addSeparator();
  QAction* properties = item("PopupProperties", "属性", &F::ShowPropertiesMenuClick);
  // Ctrl+P belongs to the popup menu alone and works while it is closed.
  properties->setShortcut(QKeySequence("Ctrl+P"));
  addAction(properties);
  item("PopupLock", "锁定", &F::LockMenuClick)->setCheckable(true);
  toolUnitMenu_->addSeparator();
  item("N19", "画板", &F::N19Click);
}

void TLumidorNetworkFrm::BuildKeys() {
  SurfaceKeys::Places places{editMenu_, toolUnitMenu_, {}, 2, {}};
  for (const auto& entry : kPalette) places.palette.push_back(buttons_[entry.name]);
  for (const auto& entry : kStopsColumn) places.paletteColumn.push_back(buttons_[entry.name]);
  for (QAction* action : toolBar1_->actions())
    if (auto* button = qobject_cast<QToolButton*>(toolBar1_->widgetForAction(action)))
      places.toolBar.push_back(button);
  SurfaceKeys::Commands commands;
  commands.armed = [this] { return handlers_ == Handlers::Placing && document_->placement; };
  commands.place = [this](QPoint from, QPoint to) {
    SurfaceMouseDown(Qt::LeftButton, from.x(), from.y());
    SurfaceMouseMove(Qt::LeftButton, to.x(), to.y());
    SurfaceMouseUp(Qt::LeftButton, to.x(), to.y());
  };
  commands.edited = [this](bool changed) { SceneEdited(changed); };
  commands.properties = [this] { ShowPropertiesMenuClick(); };
  keys_ = new SurfaceKeys(*this, places, std::move(commands), this);
  grid_ = new GridControls(*this, viewMenu_, this);
  // Esc is the desktop's; the keyboard's menu shows it too.
  auto* escape = findChild<QAction*>("DisarmShortcut");
  auto* keysMenu = findChild<QMenu*>("KeysMenu");
  if (escape && keysMenu) {
    escape->setText(Caption("DisarmShortcut", "放下工具或取消选择"));
    keysMenu->addAction(escape);
  }
  QList<QWidget*> buttons(places.palette.begin(), places.palette.end());
  buttons.append(QList<QWidget*>(places.paletteColumn.begin(), places.paletteColumn.end()));
  buttons.append(QList<QWidget*>(places.toolBar.begin(), places.toolBar.end()));
  SurfaceAccessible::Install(
      surface_, [this] { return SurfaceValue(); }, buttons);
}

QString TLumidorNetworkFrm::SurfaceValue() const {
  const Document& doc = *document_;
  QStringList parts;
  if (doc.selection.size() == 1) {
    DrawObjectUnit& object = *doc.selection.front();
    QString kind = Q(object.className);
    for (const auto& entry : kPalette)
      if (object.className == entry.className) kind = Hint(entry.name, entry.hint);
    parts << kind << Q(object.displayName);
    const auto heading = object.Direction();
    const auto points = object.ControlPointValues();
    if (heading || !points.empty()) {
      const TPointF at = heading ? heading->pivot : points.front();
      parts << "X:" + Q(UserXText(at.x)) << "Y:" + Q(UserYText(at.y));
    }
    if (const auto* lens = dynamic_cast<const IdealLens*>(&object))
      parts << Q(Tr(texts::kFocalLength)) + ":" + Q(FloatToShortStr(lens->focalLength));
    else if (heading)
      parts << Q(Tr("86", "角度")) + ":" + QString::number(std::round(heading->angle * 10) / 10);
  } else if (doc.selection.empty()) {
    parts << Caption("SurfaceNothing", "没有选择对象");
  } else {
    parts << Caption("SurfaceSeveral", "选择了 %1 个对象").arg(doc.selection.size());
  }
  parts << (doc.running ? Caption("SurfaceRunning", "运行中")
                        : Caption("SurfaceStopped", "已停止"));
  if (doc.stepping.On())
    parts << Q(Tr("StepStatus", "第 %1 步 / 共 %2 步"))
                 .arg(std::min(doc.stepping.Step(), doc.stepping.Steps()))
                 .arg(doc.stepping.Steps());
  return parts.join(", ");
}

void TLumidorNetworkFrm::BuildStatusBar() {
  statusBar_ = new QStatusBar(this);
  statusBar_->setObjectName("LumidorStatusBar");
  statusBar_->setSizeGripEnabled(true);
  const int widths[4] = {50, 50, 80, 50};
  for (int i = 0; i < 4; ++i) {
    statusPanels_[i] = new QLabel(statusBar_);
    statusPanels_[i]->setObjectName(QString("StatusPanel%1").arg(i));
    statusPanels_[i]->setFixedWidth(widths[i]);
    statusPanels_[i]->setFrameShape(QFrame::Panel);
    statusPanels_[i]->setFrameShadow(QFrame::Sunken);
    statusBar_->addWidget(statusPanels_[i]);
  }
  setStatusBar(statusBar_);
}

QString TLumidorNetworkFrm::StatusPanelText(int panel) const {
  return panel >= 0 && panel < 4 ? statusPanels_[panel]->text() : QString();
}

QToolButton* TLumidorNetworkFrm::Button(const std::string& name) const {
  auto it = buttons_.find(name);
  return it == buttons_.end() ? nullptr : it->second;
}

QAction* TLumidorNetworkFrm::Action(const std::string& name) const {
  auto it = actions_.find(name);
  return it == actions_.end() ? nullptr : it->second;
}
