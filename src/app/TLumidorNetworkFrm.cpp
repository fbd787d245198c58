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
#include <QPainter>
#include <QShowEvent>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <utility>

#include "app/CrashRecovery.h"
#include "app/DesktopHabits.h"
#include "app/Glyphs.h"
#include "app/GridControls.h"
#include "app/IDrawingBoard.h"
#include "app/LanguageMenu.h"
#include "app/LessonControls.h"
#include "app/OutputCommands.h"
#include "app/PageSettings.h"
#include "app/PaperMenu.h"
#include "app/PresentationMenu.h"
#include "app/RecentExperiments.h"
#include "app/SliderStrip.h"
#include "app/SurfaceAccessible.h"
#include "app/SurfaceGestures.h"
#include "app/SurfaceKeys.h"
#include "app/SurfaceZoom.h"
#include "app/TAboutBox.h"
#include "app/TDrawSurface.h"
#include "app/TeachingControls.h"
#include "app/VectorOutput.h"
#include "app/WindowTexts.h"
#include "files/ExperimentFile.h"
#include "i18n/TtlmController.h"
#include "objects/ObjectFactory.h"
#include "platform/ProgramFolders.h"
#include "scene/IMessageSink.h"
#include "scene/ProcessSettings.h"
#include "scene/VectorPicture.h"
#include "ui/FileCommands.h"
#include "ui/TShowPropertiesFrm.h"
#include "ui/WindowTranslator.h"

TLumidorNetworkFrm::TLumidorNetworkFrm(Options options, QWidget* parent)
    : QMainWindow(parent), options_(std::move(options)) {
  setObjectName("TLumidorNetworkFrm");
  // The window's sheets end with "锁定".
  Settings().lockRow = LockRowRule::Editable;
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
  panel3_->setFixedWidth(94);  // three columns of 28 px buttons
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
  auto* habits = new DesktopHabits(
      *this, {[this] { RedoMenuClick(); }, [this] { N11Click(); }, [this] { PutToolDown(); }},
      this);
  new SurfaceGestures(*this, this);
  new SurfaceZoom(*this, this);
  teaching_ = new TeachingControls(
      *this,
      {toolBar1_, Action("stopbtnHolder"), runMenu_, viewMenu_, statusBar(), habits->Escape()},
      this);
  BuildKeys();

  QAction* fileEnd = Action("N7");
  lessons_ =
      new LessonControls(*this,
                         {this, findChild<QMenu*>("FileMenu"), fileEnd, statusBar(), panel3_,
                          [this](const std::string& name) { return Action(name); }, teaching_},
                         this);

  // The language first: messages of the start-up open are in it.
  InstallLanguageMenu(this, options_.desktopLocale);
  if (auto* view = findChild<QMenu*>("ViewMenu"))
    new PresentationMenu(this, view, [this] { RefreshView(); });
  if (auto* view = findChild<QMenu*>("ViewMenu"))
    paper_ = new PaperMenu(this, view, [this] { RefreshView(); });
  if (auto* view = findChild<QMenu*>("ViewMenu")) sliders_ = new SliderStrip(*this, view, this);
  InitWorkspace(options_.openFile);
  if (!options_.recoveryFolder.isEmpty()) {
    recovery_ = std::make_unique<CrashRecovery>(*this, options_.recoveryFolder);
    recovery_->SetLessonHooks([this] { return lessons_->UnsavedLesson(); },
                              [this] { lessons_->Untitle(); });
  }
}

TLumidorNetworkFrm::~TLumidorNetworkFrm() = default;

// ---------------------------------------------------------------- start-up

void TLumidorNetworkFrm::InitWorkspace(const std::string& openFile) {
  Document& doc = *document_;
  doc.header = MakeHeaderTemplate();
  ResetPage();
  doc.page->fileName.clear();
  SetDataDirectory(ProgramDataFolder() + "DAT/");
  ToolButton2Click();
  // Cleared before the file is read, so that the file's own show-angles
  // setting holds, as it does when the same file is opened from the menu.
  doc.showAngles = 0;
  // The fresh page is the first snapshot, as after New, so that the first
  // edit can be undone. An opened file starts its own history.
  doc.PushUndoSnapshot();
  doc.page->saved = 1;
  if (!openFile.empty() && QFileInfo(Q(openFile)).isFile()) {
    // Keeps the path as the page's file name when the file is taken. Its
    // messages wait for the window: a box now would come before it.
    HeldMessages held;
    const OpenStatus status =
        LessonControls::IsLesson(openFile) ? lessons_->Open(openFile) : OpenPageFile(openFile, doc);
    if (status == OpenStatus::Opened) recent_->Add(Q(openFile));
    startMessages_ = held.Take();
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

void TLumidorNetworkFrm::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::PaletteChange) RestyleGlyphs(*this);
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
  for (const std::string& text : std::exchange(startMessages_, {})) ShowMessage(text);
  if (recovery_) recovery_->OfferLeftOver();
}

void TLumidorNetworkFrm::closeEvent(QCloseEvent* event) {
  // A student does not end the lesson: closing leaves student mode first,
  // with its confirmation and the teacher's PIN.
  if (lessons_ && lessons_->StudentMode() && !lessons_->LeaveStudentMode()) {
    event->ignore();
    return;
  }
  // Nothing asks about unsaved changes.
  document_->page->saved = 1;
  event->accept();
}

// ---------------------------------------------------------------- refresh

void TLumidorNetworkFrm::PaintSurface(const std::function<void()>& paint) {
  if (!paper_ || !paper_->ForScreen()) {
    paint();
    return;
  }
  QPainter painter(&surface_->Image());
  const QSize size = surface_->PictureSize();
  PaintThrough(*document_, painter, size.width(), size.height(), true, paint);
}

void TLumidorNetworkFrm::RefreshView() {
  bool cut = false;
  PaintSurface([&] { cut = document_->RefreshView(); });
  if (teaching_) teaching_->Refreshed();
  if (sliders_) sliders_->Refreshed();
  if (keys_) keys_->Refreshed();
  if (grid_) grid_->Refreshed();
  SurfaceAccessible::Refreshed(surface_);
  // Only a damaged or hostile file reaches the trace's work bound.
  QLabel* panel = statusPanels_[3];
  QString note = cut ? Q(Tr("TraceCut.Note", "光线过多，追迹已截断")) : QString();
  if (!cut && document_->running && document_->lastTrace.fanFallbacks > 0)
    note = Q(Tr("SpecialRays.Note", "特殊光线:前方没有透镜或面镜,画出扇形"));
  if (panel->text() != note) {
    panel->setText(note);
    panel->setFixedWidth(!note.isEmpty() ? panel->fontMetrics().horizontalAdvance(note) + 12 : 50);
  }
  if (board_) board_->PaintOverlay(*surface_->Canvas());
  surface_->update();
}

void TLumidorNetworkFrm::RefrushMenuClick() {
  PaintSurface([this] { document_->Repaint(true); });
  surface_->update();
}

void TLumidorNetworkFrm::ToolButton8Click() {
  PaintSurface([this] { document_->Repaint(false); });
  surface_->update();
}

bool TLumidorNetworkFrm::ToolButton2Click() {
  const bool added = AddCoordinateSystem(*document_);
  if (added) document_->scene.back()->Draw(kDrawCopy);
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

std::vector<std::pair<std::string, bool>> TLumidorNetworkFrm::EditStates() const {
  const Document& doc = *document_;
  return {{"Cut", doc.CanCut()},     {"Copy", doc.CanCopy()}, {"Delete", doc.CanDelete()},
          {"Paste", doc.CanPaste()}, {"Undo", doc.CanUndo()}, {"Redo", doc.CanRedo()}};
}

void TLumidorNetworkFrm::UpdateEditButtons() {
  for (const auto& [name, enabled] : EditStates()) buttons_[name + "Btn"]->setEnabled(enabled);
  // The menu items carry the shortcuts: keep them current too, so that Del
  // or Ctrl+C act on the selection the user sees, not on the state of the
  // last time the menu was opened.
  EditMenuClick();
  ToolUnitMenuPopup();
}

void TLumidorNetworkFrm::EditMenuClick() {
  for (const auto& [name, enabled] : EditStates()) actions_[name + "Menu"]->setEnabled(enabled);
  actions_["N24"]->setChecked(Settings().softKeyboard);
}

void TLumidorNetworkFrm::ToolUnitMenuPopup() {
  const Document& doc = *document_;
  actions_["PopupCut"]->setEnabled(doc.CanCut());
  actions_["PopupCopy"]->setEnabled(doc.CanCopy());
  actions_["PopupDelete"]->setEnabled(doc.CanDelete());
  actions_["PopupPaste"]->setEnabled(doc.CanPaste());
  actions_["PopupUndo"]->setEnabled(doc.CanUndo());
  actions_["PopupRedo"]->setEnabled(doc.CanRedo());
  QAction* lock = actions_["PopupLock"];
  lock->setEnabled(!doc.selection.empty() && Settings().lockRow == LockRowRule::Editable);
  lock->setChecked(!doc.selection.empty() && doc.selection.front()->Locked());
}

void TLumidorNetworkFrm::LockMenuClick() {
  Document& doc = *document_;
  if (doc.selection.empty() || Settings().lockRow != LockRowRule::Editable) return;
  const bool lock = !doc.selection.front()->Locked();
  for (DrawObjectUnit* object : doc.selection) object->SetLocked(lock);
  PushUndoSnapshot();
  RefreshView();
  UpdateEditButtons();
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
  object->Draw(kDrawCopy);
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

// ---------------------------------------------------------------- edit

void TLumidorNetworkFrm::UndoMenuClick() {
  // The scene's own edits first, then those of the lesson's scene list.
  if (!document_->CanUndo() && lessons_->UndoList()) return;
  if (document_->Undo()) RefreshView();
  UpdateEditButtons();
}

void TLumidorNetworkFrm::RedoMenuClick() {
  if (!document_->CanRedo() && lessons_->RedoList()) return;
  if (document_->Redo()) RefreshView();
  UpdateEditButtons();
}

void TLumidorNetworkFrm::CopyMenuClick() {
  document_->Copy(downX, downY);
  UpdateEditButtons();
}

void TLumidorNetworkFrm::SceneEdited(bool changed) {
  if (changed) {
    EnableSave();
    RefreshView();
  }
  UpdateEditButtons();
}

void TLumidorNetworkFrm::PasteMenuClick() {
  if (lessons_->StudentMode()) return;  // a student adds nothing
  SceneEdited(document_->Paste(downX, downY));
}

void TLumidorNetworkFrm::DeleteMenuClick() { SceneEdited(document_->DeleteSelection()); }

void TLumidorNetworkFrm::CutMenuClick() { SceneEdited(document_->Cut(downX, downY)); }

void TLumidorNetworkFrm::ShowPropertiesMenuClick() {
  Document& doc = *document_;
  if (doc.selection.size() == 1) {
    ShowObjectProperties(*doc.selection.front());
    // Also after a cancelled sheet: the snapshot is then the same scene.
    PushUndoSnapshot();
    RefreshView();
    UpdateEditButtons();
  } else if (doc.selection.empty() && !lessons_->StudentMode()) {
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
  if (lessons_->StudentMode()) return;
  lessons_->Leave();
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
  const std::string path = ChooseExperimentToOpen(this);
  if (!path.empty()) OpenExperiment(path);
}

void TLumidorNetworkFrm::ImportRayOpticsClick() {
  const std::string path = ChooseRayOpticsScene(this);
  if (!path.empty()) OpenExperiment(path, false);
}

void TLumidorNetworkFrm::ExportRayOpticsClick() { ::ExportRayOpticsClick(this, *document_); }

void TLumidorNetworkFrm::RayOpticsLinkClick() {
  const std::string link = AskRayOpticsLink(this);
  if (!link.empty()) OpenExperiment(link, false);
}

OpenStatus TLumidorNetworkFrm::OpenExperiment(const std::string& path, bool remember) {
  // A student opens nothing, not even by a drop.
  if (lessons_->StudentMode()) return OpenStatus::Failed;
  const bool lesson = LessonControls::IsLesson(path);
  const OpenStatus status = lesson ? lessons_->Open(path) : OpenPageFile(path, *document_);
  if (status == OpenStatus::Failed) return status;
  if (status == OpenStatus::Opened && remember) recent_->Add(Q(path));
  if (status == OpenStatus::Opened && !lesson) lessons_->Leave();
  if (!lesson) ExperimentReplaced();
  return status;
}

void TLumidorNetworkFrm::ExperimentReplaced() {
  // A taken file replaced the whole experiment (and stopped the run).
  if (board_) board_->Clear();
  SetRunning(document_->running);
  InstallDefaultHandlers();
  arrowBtn_->setChecked(true);
  RefreshView();
  UpdateEditButtons();
}

void TLumidorNetworkFrm::SavePageClick() {
  if (lessons_->Session().Active()) return lessons_->SaveLesson();
  if (::SavePageClick(this, *document_)) recent_->Add(Q(document_->page->fileName));
}

void TLumidorNetworkFrm::N7Click() {
  SaveDocumentPictureClick(this, *document_, surface_->Image(), paper_ && paper_->ForOutput());
}

void TLumidorNetworkFrm::N15Click() { PrinterSetupClick(this); }

void TLumidorNetworkFrm::N16Click() {
  PrintDocumentClick(this, *document_, PictureSize(), paper_ && paper_->ForOutput());
}

void TLumidorNetworkFrm::PrintPreviewMenuClick() {
  PrintPreviewDocumentClick(this, *document_, PictureSize(), paper_ && paper_->ForOutput());
}

void TLumidorNetworkFrm::WorksheetMenuClick() {
  PrintWorksheetClick(this, *document_, PictureSize(), lessons_->WorksheetTitles());
}

QSize TLumidorNetworkFrm::PictureSize() {
  return {surface_->Canvas()->Width(), surface_->Canvas()->Height()};
}

void TLumidorNetworkFrm::N11Click() {
  document_->page->saved = 1;
  close();
}

// ---------------------------------------------------------------- run, zoom, pan

void TLumidorNetworkFrm::SetRunning(bool running) {
  document_->running = running;
  if (!running && teaching_) teaching_->Leave();
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

void TLumidorNetworkFrm::HelpClick() { OpenHelpManual(this); }

void TLumidorNetworkFrm::N4Click() {
  TAboutBox about(this, false);
  about.exec();
}
