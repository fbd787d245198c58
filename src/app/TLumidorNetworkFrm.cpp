#include "app/TLumidorNetworkFrm.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QShowEvent>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include "app/DesktopHabits.h"
#include "app/Glyphs.h"
#include "app/IDrawingBoard.h"
#include "app/LanguageMenu.h"
#include "app/OutputCommands.h"
#include "app/PageSettings.h"
#include "app/SurfaceGestures.h"
#include "app/TAboutBox.h"
#include "app/TDrawSurface.h"
#include "files/ExperimentFile.h"
#include "i18n/TtlmController.h"
#include "objects/ObjectFactory.h"
#include "scene/ProcessSettings.h"
#include "ui/FileCommands.h"
#include "ui/TShowPropertiesFrm.h"
#include "ui/WindowTranslator.h"

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// Component texts are looked up as "<component>.<property>" in the window's
// section, with the design-time text as the default.
QString Caption(const char* component, const std::string& text) {
  return Q(Tr(std::string(component) + ".Caption", text));
}
QString Hint(const char* component, const std::string& text) {
  return Q(Tr(std::string(component) + ".Hint", text));
}

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

constexpr TColor kRubberBandColour = 0xFF7F7F;

}  // namespace

TLumidorNetworkFrm::TLumidorNetworkFrm(Options options, QWidget* parent)
    : QMainWindow(parent), options_(std::move(options)) {
  setObjectName("TLumidorNetworkFrm");
  if (!options_.maker) options_.maker = CreateObjectByClassName;
  setWindowTitle(Caption("self", "Veltrano Suite-光学 V5.0"));
  setMinimumSize(130, 50);
  resize(853, 515);

  auto* central = new QWidget(this);
  auto* row = new QHBoxLayout(central);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(0);
  panel3_ = new QFrame(central);
  panel3_->setObjectName("Panel3");
  panel3_->setFixedWidth(64);
  panel3_->setFrameShape(QFrame::Panel);
  panel3_->setFrameShadow(QFrame::Raised);
  row->addWidget(panel3_);
  auto* panel1 = new QWidget(central);
  panel1->setObjectName("Panel1");
  auto* panel1Layout = new QHBoxLayout(panel1);
  panel1Layout->setContentsMargins(0, 0, 0, 0);
  surface_ = new TDrawSurface(panel1, options_.surfaceSize);
  panel1Layout->addWidget(surface_);
  row->addWidget(panel1, 1);
  setCentralWidget(central);

  document_ = std::make_unique<Document>(surface_->Canvas());

  BuildPalette();
  BuildToolBar();
  BuildMenus();
  BuildPopupMenu();
  BuildStatusBar();

  connect(surface_, &TDrawSurface::MouseDown, this, &TLumidorNetworkFrm::SurfaceMouseDown);
  connect(surface_, &TDrawSurface::MouseMove, this, &TLumidorNetworkFrm::SurfaceMouseMove);
  connect(surface_, &TDrawSurface::MouseUp, this, &TLumidorNetworkFrm::SurfaceMouseUp);
  connect(surface_, &TDrawSurface::DoubleClick, this, &TLumidorNetworkFrm::SurfaceDoubleClick);
  connect(surface_, &TDrawSurface::ContextMenuAt, this, &TLumidorNetworkFrm::ShowToolUnitMenuAt);
  // A bitmap made anew for another screen starts blank.
  connect(surface_, &TDrawSurface::Remade, this, &TLumidorNetworkFrm::RefreshView);
  new DesktopHabits(this);
  new SurfaceGestures(this);

  InitWorkspace(options_.openFile);
  InstallLanguageMenu(this);
}

TLumidorNetworkFrm::~TLumidorNetworkFrm() = default;

// ---------------------------------------------------------------- building

void TLumidorNetworkFrm::BuildPalette() {
  auto* grid = new QGridLayout(panel3_);
  grid->setContentsMargins(3, 3, 3, 3);
  grid->setSpacing(2);
  paletteGroup_ = new QButtonGroup(this);
  paletteGroup_->setExclusive(true);
  int index = 0;
  for (const auto& entry : kPalette) {
    auto* button = new QToolButton(panel3_);
    button->setObjectName(entry.name);
    button->setAutoRaise(true);
    button->setToolTip(Hint(entry.name, entry.hint));
    button->setIcon(MakePaletteGlyph(entry.className));
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
    grid->addWidget(button, index / 2, index % 2);
    buttons_[entry.name] = button;
    ++index;
  }
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
  button->setIconSize(QSize(16, 16));
  button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  button->setAutoRaise(true);
  button->setFixedSize(width, 38);
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
  auto glyph = [](G g) { return static_cast<int>(g); };
  auto click = [this](const char* name, void (TLumidorNetworkFrm::*slot)()) {
    connect(buttons_[name], &QToolButton::clicked, this, slot);
  };
  ToolBarButton("SpeedButton8", "新建", "新建实验", glyph(G::New));
  click("SpeedButton8", &TLumidorNetworkFrm::NewPageClick);
  ToolBarButton("SpeedButton9", "打开", "打开实验", glyph(G::Open));
  click("SpeedButton9", &TLumidorNetworkFrm::OpenPageClick);
  ToolBarButton("SaveBtn", "保存", "保存实验", glyph(G::Save));
  click("SaveBtn", &TLumidorNetworkFrm::SavePageClick);
  ToolBarButton("SpeedButton3", "打印", "打印", glyph(G::Print));
  click("SpeedButton3", &TLumidorNetworkFrm::N16Click);
  toolBar1_->addSeparator();
  ToolBarButton("UndoBtn", "撤销", "撤消", glyph(G::Undo));
  click("UndoBtn", &TLumidorNetworkFrm::UndoMenuClick);
  ToolBarButton("RedoBtn", "重做", "重作", glyph(G::Redo));
  click("RedoBtn", &TLumidorNetworkFrm::RedoMenuClick);
  ToolBarButton("CopyBtn", "复制", "复制", glyph(G::Copy));
  click("CopyBtn", &TLumidorNetworkFrm::CopyMenuClick);
  ToolBarButton("PasteBtn", "粘贴", "粘贴", glyph(G::Paste));
  click("PasteBtn", &TLumidorNetworkFrm::PasteMenuClick);
  ToolBarButton("DeleteBtn", "删除", "删除", glyph(G::Delete));
  click("DeleteBtn", &TLumidorNetworkFrm::DeleteMenuClick);
  // The properties button keeps the name and hint of a cut button.
  ToolBarButton("CutBtn", "属性", "剪切", glyph(G::Properties));
  click("CutBtn", &TLumidorNetworkFrm::ShowPropertiesMenuClick);
  toolBar1_->addSeparator();
  ToolBarButton("runbtn", "运行", "运行", glyph(G::Run), 54);
  click("runbtn", &TLumidorNetworkFrm::RunMenuClick);
  ToolBarButton("stopbtn", "停止", "停止", glyph(G::Stop), 54);
  click("stopbtn", &TLumidorNetworkFrm::StopMenuClick);
  toolBar1_->addSeparator();
  // The zoom buttons carry the hint "帮助" but do not show it.
  ToolBarButton("SpeedButton5", "放大", "", glyph(G::ZoomIn), 54);
  click("SpeedButton5", &TLumidorNetworkFrm::SpeedButton5Click);
  ToolBarButton("SpeedButton6", "缩小", "", glyph(G::ZoomOut), 54);
  click("SpeedButton6", &TLumidorNetworkFrm::SpeedButton6Click);
  ToolBarButton("SpeedButton7", "移动", "移动", glyph(G::Move), 54);
  buttons_["SpeedButton7"]->setCheckable(true);
  click("SpeedButton7", &TLumidorNetworkFrm::SpeedButton7Click);
  toolBar1_->addSeparator();
  ToolBarButton("SpeedButton30", "帮助", "帮助", glyph(G::Help));
  click("SpeedButton30", &TLumidorNetworkFrm::HelpClick);

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
  item(file, "N7", "保存为图片", &F::N7Click);
  file->addSeparator();
  item(file, "N15", "打印设置", &F::N15Click);
  item(file, "N16", "打印", &F::N16Click);
  item(file, "PrintPreviewMenu", "打印预览", &F::PrintPreviewMenuClick);
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

  QMenu* run = bar->addMenu(Caption("RunMenuGroup", "运行(&R)"));
  run->setObjectName("RunMenuGroup");
  item(run, "RunMenu", "运行", &F::RunMenuClick, QKeySequence(Qt::Key_F9));
  item(run, "StopMenu", "停止", &F::StopMenuClick)->setEnabled(false);

  QMenu* view = bar->addMenu(Caption("ViewMenu", "视图(&V)"));
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
  toolUnitMenu_->addSeparator();
  item("N19", "画板", &F::N19Click);
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

// ---------------------------------------------------------------- start-up

void TLumidorNetworkFrm::InitWorkspace(const std::string& openFile) {
  Document& doc = *document_;
  doc.header = MakeHeaderTemplate();
  ResetPage();
  doc.page->fileName.clear();
  SetDataDirectory((QCoreApplication::applicationDirPath() + "/DAT/").toStdString());
  ToolButton2Click();
  // Cleared before the file is read, so that the file's own show-angles
  // setting holds, as it does when the same file is opened from the menu.
  doc.showAngles = 0;
  // The fresh page is the first snapshot, as after New, so that the first
  // edit can be undone. An opened file starts its own history.
  doc.PushUndoSnapshot();
  doc.page->saved = 1;
  if (!openFile.empty() && QFileInfo(Q(openFile)).isFile()) {
    // Keeps the path as the page's file name when the file is taken.
    OpenPageFile(openFile, doc);
    InstallDefaultHandlers();
    SetRunning(doc.running);
  }
  RefrushMenuClick();
  SetMoveMode(false, true);
  UpdateEditButtons();
}

void TLumidorNetworkFrm::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (shownOnce_) return;
  shownOnce_ = true;
  // After the window is on the screen, as the form's OnShow would.
  QTimer::singleShot(0, this, &TLumidorNetworkFrm::FormShow);
}

void TLumidorNetworkFrm::FormShow() {
  if (options_.splash) {
    // The experiment of the command line shows behind the splash at once.
    QGuiApplication::sync();
    repaint();
    TAboutBox splash(this, true);
    splash.exec();
  }
  setWindowTitle(Q(Tr("29", "QorvanVeltrano Suite 光学 V5.0")));
  // From now on a language change translates the title by this id.
  SetTextKey(this, "Caption", "29");
}

void TLumidorNetworkFrm::closeEvent(QCloseEvent* event) {
  // Nothing asks about unsaved changes.
  document_->page->saved = 1;
  event->accept();
}

// ---------------------------------------------------------------- refresh

void TLumidorNetworkFrm::RefreshView() {
  const bool cut = document_->RefreshView();
  // Only a damaged or hostile file reaches the trace's work bound.
  QLabel* panel = statusPanels_[3];
  const QString note = cut ? Q(Tr("TraceCut.Note", "光线过多，追迹已截断")) : QString();
  if (panel->text() != note) {
    panel->setText(note);
    panel->setFixedWidth(cut ? panel->fontMetrics().horizontalAdvance(note) + 12 : 50);
  }
  if (board_) board_->PaintOverlay(*surface_->Canvas());
  surface_->update();
}

void TLumidorNetworkFrm::RefrushMenuClick() {
  document_->Repaint(true);
  surface_->update();
}

void TLumidorNetworkFrm::ToolButton8Click() {
  document_->Repaint(false);
  surface_->update();
}

bool TLumidorNetworkFrm::ToolButton2Click() {
  const bool added = AddCoordinateSystem(*document_);
  if (added) document_->scene.back()->Draw(2);
  return added;
}

void TLumidorNetworkFrm::ResetPage() {
  document_->ResetPage();
  SetRunning(false);
  InstallDefaultHandlers();
}

void TLumidorNetworkFrm::PushUndoSnapshot() {
  document_->PushUndoSnapshot();
  EnableSave();
}

void TLumidorNetworkFrm::EnableSave() {
  buttons_["SaveBtn"]->setEnabled(true);
  actions_["SaveMenu"]->setEnabled(true);
}

void TLumidorNetworkFrm::UpdateEditButtons() {
  const Document& doc = *document_;
  buttons_["CopyBtn"]->setEnabled(doc.CanCopy());
  buttons_["CutBtn"]->setEnabled(doc.CanCopy());
  buttons_["DeleteBtn"]->setEnabled(doc.CanDelete());
  buttons_["PasteBtn"]->setEnabled(doc.CanPaste());
  buttons_["UndoBtn"]->setEnabled(doc.CanUndo());
  buttons_["RedoBtn"]->setEnabled(doc.CanRedo());
  // The menu items carry the shortcuts: keep them current too, so that Del
  // or Ctrl+C act on the selection the user sees, not on the state of the
  // last time the menu was opened.
  EditMenuClick();
  ToolUnitMenuPopup();
}

void TLumidorNetworkFrm::EditMenuClick() {
  const Document& doc = *document_;
  actions_["CutMenu"]->setEnabled(doc.CanCopy());
  actions_["CopyMenu"]->setEnabled(doc.CanCopy());
  actions_["DeleteMenu"]->setEnabled(doc.CanDelete());
  actions_["PasteMenu"]->setEnabled(doc.CanPaste());
  actions_["UndoMenu"]->setEnabled(doc.CanUndo());
  actions_["RedoMenu"]->setEnabled(doc.CanRedo());
  actions_["N24"]->setChecked(Settings().softKeyboard);
}

void TLumidorNetworkFrm::ToolUnitMenuPopup() {
  const Document& doc = *document_;
  actions_["PopupCut"]->setEnabled(doc.CanCopy());
  actions_["PopupCopy"]->setEnabled(doc.CanCopy());
  actions_["PopupDelete"]->setEnabled(doc.CanDelete());
  actions_["PopupPaste"]->setEnabled(doc.CanPaste());
  actions_["PopupUndo"]->setEnabled(doc.CanUndo());
  actions_["PopupRedo"]->setEnabled(doc.CanRedo());
}

// ---------------------------------------------------------------- tools

void TLumidorNetworkFrm::InstallDefaultHandlers() { handlers_ = Handlers::Default; }

void TLumidorNetworkFrm::SetMoveMode(bool on, bool pressArrow) {
  moveMode = on;
  buttons_["SpeedButton7"]->setChecked(on);
  if (on) {
    surface_->setCursor(Qt::PointingHandCursor);
  } else {
    if (pressArrow) arrowBtn_->setChecked(true);
    surface_->setCursor(Qt::CrossCursor);
  }
}

void TLumidorNetworkFrm::CloseDrawingBoard() {
  if (board_) board_->Close();
}

bool TLumidorNetworkFrm::BoardVisible() const { return board_ && board_->Visible(); }

void TLumidorNetworkFrm::ArmTool(const std::string& className) {
  auto object = options_.maker(className, surface_->Canvas());
  if (!object) return;
  handlers_ = Handlers::Placing;
  document_->placement = std::move(object);
  // The chosen tool's button stays down; only the pan button is released.
  // The board gives the surface its cursor back before the mode sets its own.
  CloseDrawingBoard();
  if (moveMode) SetMoveMode(false, false);
}

void TLumidorNetworkFrm::ArrowBtnClick() {
  document_->placement.reset();
  InstallDefaultHandlers();
  CloseDrawingBoard();
  if (moveMode) SetMoveMode(false, true);
  arrowBtn_->setChecked(true);
}

void TLumidorNetworkFrm::PlaceAtOnce(const std::string& className) {
  Document& doc = *document_;
  auto object = options_.maker(className, surface_->Canvas());
  if (!object) return;
  doc.selection.clear();
  // The imaging system's constructor takes its icon, picture 0 of the tool
  // image list (ImagingSystem::ToolIcon), as an opened file's does.
  object->Draw(2);
  object->DrawHandles();
  doc.AppendObject(std::move(object));
  InstallDefaultHandlers();
  doc.placement.reset();
  PushUndoSnapshot();
  CloseDrawingBoard();
  if (moveMode) SetMoveMode(false, true);
  arrowBtn_->setChecked(true);
  surface_->update();
  UpdateEditButtons();
}

// ---------------------------------------------------------------- mouse

void TLumidorNetworkFrm::SurfaceMouseDown(Qt::MouseButton button, int x, int y) {
  if (handlers_ == Handlers::Placing)
    DrawSelectToolMouseDown(button, x, y);
  else
    DefaultMouseDown(button, x, y);
}

void TLumidorNetworkFrm::SurfaceMouseMove(Qt::MouseButtons buttons, int x, int y) {
  if (handlers_ == Handlers::Placing)
    DrawSelectToolMouseMove(buttons, x, y);
  else
    DefaultMouseMove(buttons, x, y);
}

void TLumidorNetworkFrm::SurfaceMouseUp(Qt::MouseButton button, int x, int y) {
  if (handlers_ == Handlers::Placing)
    DrawSelectToolMouseUp(button, x, y);
  else
    DefaultMouseUp(button, x, y);
}

bool TLumidorNetworkFrm::BoardMouseDown(Qt::MouseButton button, int x, int y) {
  if (!BoardVisible()) return false;
  if (button == Qt::LeftButton) {
    board_->PointerPressure(surface_->PenPressure());
    board_->PointerDown(x, y);
    surface_->setCursor(board_->SurfaceCursor());
  }
  return true;
}

bool TLumidorNetworkFrm::BoardMouseMove(Qt::MouseButtons buttons, int x, int y) {
  if (!BoardVisible()) return false;
  if (buttons & Qt::LeftButton) {
    board_->PointerPressure(surface_->PenPressure());
    board_->PointerMove(x, y);
    if (board_->StrokeInProgress()) RefreshView();
  }
  const QCursor cursor = board_->SurfaceCursor();
  if (surface_->cursor().shape() != cursor.shape()) surface_->setCursor(cursor);
  return true;
}

bool TLumidorNetworkFrm::BoardMouseUp(Qt::MouseButton button) {
  if (!BoardVisible()) return false;
  if (button == Qt::LeftButton) {
    const bool changed = board_->StrokeInProgress();
    board_->PointerUp();
    if (changed) RefreshView();
  }
  return true;
}

void TLumidorNetworkFrm::ShowStatusPoint(int x, int y) {
  statusPanels_[0]->setText("X:" + QString::number(x));
  statusPanels_[1]->setText("Y:" + QString::number(y));
}

void TLumidorNetworkFrm::DrawSelectToolMouseDown(Qt::MouseButton button, int x, int y) {
  if (BoardMouseDown(button, x, y)) return;
  if (button == Qt::LeftButton) {
    document_->selection.clear();
    mouseDown = true;
    if (document_->placement) document_->placement->BeginCreate(x, y);
  }
  downX = x;
  downY = y;
}

void TLumidorNetworkFrm::DrawSelectToolMouseMove(Qt::MouseButtons buttons, int x, int y) {
  if (BoardMouseMove(buttons, x, y)) return;
  if ((buttons & Qt::LeftButton) && mouseDown && document_->placement) {
    // The object erases and redraws its own XOR outline.
    document_->placement->DragCreate(x, y);
    surface_->update();
  }
  ShowStatusPoint(x, y);
}

void TLumidorNetworkFrm::DrawSelectToolMouseUp(Qt::MouseButton button, int x, int y) {
  if (BoardMouseUp(button)) return;
  Document& doc = *document_;
  if (button == Qt::LeftButton && mouseDown) {
    mouseDown = false;
    const bool clicked = x == downX && y == downY;
    if (!doc.placement || (clicked && doc.placement->className != "PointLampHouse")) {
      // A click places nothing (a point source excepted). The press dropped
      // the selection: its handles and the edit buttons must follow.
      doc.placement.reset();
      InstallDefaultHandlers();
      arrowBtn_->setChecked(true);
      RefreshView();
      UpdateEditButtons();
      return;
    }
    DrawObjectUnit* placed = doc.AppendObject(std::move(doc.placement));
    placed->EndCreate(x, y);
    InstallDefaultHandlers();
    PushUndoSnapshot();
  }
  // Pressing the arrow button disarms a tool still armed (a right click).
  ArrowBtnClick();
  RefreshView();
  UpdateEditButtons();
}

void TLumidorNetworkFrm::DefaultMouseDown(Qt::MouseButton button, int x, int y) {
  if (BoardMouseDown(button, x, y)) return;
  mouseDown = true;
  hitCode = document_->SelectAt(x, y, button == Qt::LeftButton);
  document_->SetDragOriginAll(float(x), float(y));
  downX = lastX = x;
  downY = lastY = y;
  RefreshView();
}

void TLumidorNetworkFrm::DrawRubberBand(int x1, int y1, int x2, int y2) {
  TCanvas* canvas = surface_->Canvas();
  canvas->Pen.mode = TPenMode::Xor;
  canvas->Pen.color = kRubberBandColour;
  canvas->Pen.style = TPenStyle::Dot;
  canvas->Pen.width = 1;
  canvas->Brush.style = TBrushStyle::Clear;
  canvas->Rectangle(x1, y1, x2, y2);
}

void TLumidorNetworkFrm::DefaultMouseMove(Qt::MouseButtons buttons, int x, int y) {
  if (BoardMouseMove(buttons, x, y)) return;
  const bool left = buttons & Qt::LeftButton;
  if (left && mouseDown && hitCode != 0) {
    document_->MoveSelection(hitCode, x, y);
    RefreshView();
  } else if (left && mouseDown) {
    if (moveMode) {
      document_->PanAll(x, y);
      RefreshView();
    } else {
      DrawRubberBand(downX, downY, lastX, lastY);  // erases the previous band
      DrawRubberBand(downX, downY, x, y);
      lastX = x;
      lastY = y;
      surface_->update();
    }
  }
  ShowStatusPoint(x, y);
}

void TLumidorNetworkFrm::DefaultMouseUp(Qt::MouseButton button, int x, int y) {
  if (BoardMouseUp(button)) return;
  const bool left = button == Qt::LeftButton;
  const bool bothDiffer = x != downX && y != downY;
  if (left && mouseDown && hitCode != 0) {
    if (x != downX || y != downY) PushUndoSnapshot();
  } else if (left && mouseDown && bothDiffer && !moveMode) {
    // A pan moved the scene; it selects nothing.
    if (document_->SelectInRect(float(downX), float(downY), float(x), float(y))) hitCode = 100;
  }
  if (bothDiffer && hitCode == 0 && mouseDown && left && !moveMode) {
    DrawRubberBand(downX, downY, x, y);
    surface_->Canvas()->Pen.style = TPenStyle::Solid;
  }
  hitCode = 0;
  mouseDown = false;
  RefreshView();
  UpdateEditButtons();
}

void TLumidorNetworkFrm::SurfaceDoubleClick() {
  // The press of the double-click came first and selected what lies under
  // the pointer. Its release goes to the modal sheet, so the press ends
  // here, and the buttons follow the selection the sheet leaves.
  ShowPropertiesMenuClick();
  mouseDown = false;
  hitCode = 0;
  UpdateEditButtons();
}

void TLumidorNetworkFrm::ShowToolUnitMenuAt(QPoint globalPos) { toolUnitMenu_->popup(globalPos); }

// ---------------------------------------------------------------- edit

void TLumidorNetworkFrm::UndoMenuClick() {
  if (document_->Undo()) RefreshView();
  UpdateEditButtons();
}

void TLumidorNetworkFrm::RedoMenuClick() {
  if (document_->Redo()) RefreshView();
  UpdateEditButtons();
}

void TLumidorNetworkFrm::CopyMenuClick() {
  document_->Copy(downX, downY);
  UpdateEditButtons();
}

void TLumidorNetworkFrm::PasteMenuClick() {
  if (document_->Paste(downX, downY)) {
    EnableSave();
    RefreshView();
  }
  UpdateEditButtons();
}

void TLumidorNetworkFrm::DeleteMenuClick() {
  if (document_->DeleteSelection()) {
    EnableSave();
    RefreshView();
  }
  UpdateEditButtons();
}

void TLumidorNetworkFrm::CutMenuClick() {
  if (document_->Cut(downX, downY)) {
    EnableSave();
    RefreshView();
  }
  UpdateEditButtons();
}

void TLumidorNetworkFrm::ShowPropertiesMenuClick() {
  Document& doc = *document_;
  if (doc.selection.size() == 1) {
    ShowObjectProperties(*doc.selection.front());
    // Also after a cancelled sheet: the snapshot is then the same scene.
    PushUndoSnapshot();
    RefreshView();
    UpdateEditButtons();
  } else if (doc.selection.empty()) {
    ShowPageSettings(doc);
    RefreshView();
  }
}

void TLumidorNetworkFrm::N24Click() { ToggleSoftKeyboard(actions_["N24"]); }

void TLumidorNetworkFrm::N31Click() {
  if (board_) board_->Show();
}

void TLumidorNetworkFrm::N19Click() { N31Click(); }

// ---------------------------------------------------------------- file

void TLumidorNetworkFrm::NewPageClick() {
  ResetPage();
  ToolButton2Click();
  PushUndoSnapshot();
  if (board_) board_->Clear();
  RefreshView();
  document_->page->saved = 1;
  arrowBtn_->setChecked(true);
  UpdateEditButtons();
}

void TLumidorNetworkFrm::OpenPageClick() {
  if (!::OpenPageClick(this, *document_)) return;
  // A taken file replaced the whole experiment (and stopped the run).
  if (board_) board_->Clear();
  SetRunning(document_->running);
  InstallDefaultHandlers();
  arrowBtn_->setChecked(true);
  RefreshView();
  UpdateEditButtons();
}

void TLumidorNetworkFrm::SavePageClick() { ::SavePageClick(this, *document_); }

void TLumidorNetworkFrm::N7Click() { SavePictureClick(this, surface_->Image()); }

void TLumidorNetworkFrm::N15Click() { PrinterSetupClick(this); }

void TLumidorNetworkFrm::N16Click() { PrintClick(this, surface_->Image()); }

void TLumidorNetworkFrm::PrintPreviewMenuClick() { PrintPreviewClick(this, surface_->Image()); }

void TLumidorNetworkFrm::N11Click() {
  document_->page->saved = 1;
  close();
}

// ---------------------------------------------------------------- run, zoom, pan

void TLumidorNetworkFrm::SetRunning(bool running) {
  document_->running = running;
  actions_["RunMenu"]->setEnabled(!running);
  buttons_["runbtn"]->setEnabled(!running);
  actions_["StopMenu"]->setEnabled(running);
  buttons_["stopbtn"]->setEnabled(running);
}

void TLumidorNetworkFrm::RunMenuClick() {
  if (!document_->running) {
    document_->running = true;
    RefreshView();
  }
  SetRunning(true);
}

void TLumidorNetworkFrm::StopMenuClick() {
  document_->running = false;
  RefreshView();
  SetRunning(false);
}

void TLumidorNetworkFrm::SpeedButton5Click() {
  document_->ZoomAll(1.1f);
  RefreshView();
}

void TLumidorNetworkFrm::SpeedButton6Click() {
  document_->ZoomAll(0.95f);
  RefreshView();
}

void TLumidorNetworkFrm::SpeedButton7Click() { SetMoveMode(!moveMode, true); }

// ---------------------------------------------------------------- view, help

void TLumidorNetworkFrm::ToolBarMenuClick() {
  toolBar1_->setHidden(!toolBar1_->isHidden());
  actions_["ToolBarMenu"]->setChecked(!toolBar1_->isHidden());
}

void TLumidorNetworkFrm::N18Click() {
  panel3_->setHidden(!panel3_->isHidden());
  actions_["N18"]->setChecked(!panel3_->isHidden());
}

void TLumidorNetworkFrm::StateMenuClick() {
  statusBar_->setHidden(!statusBar_->isHidden());
  actions_["StateMenu"]->setChecked(!statusBar_->isHidden());
}

void TLumidorNetworkFrm::HelpClick() { OpenHelpManual(); }

void TLumidorNetworkFrm::N4Click() {
  TAboutBox about(this, false);
  about.exec();
}
