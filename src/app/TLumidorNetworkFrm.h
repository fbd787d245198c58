#pragma once
// The main window: palette, tool bar, menus, status bar and the drawing
// surface. It owns the experiment (a Document) and turns mouse actions and
// commands into operations on it; everything that changes the picture ends
// in RefreshView.

#include <QLocale>
#include <QMainWindow>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/IExperimentWindow.h"
#include "files/ExperimentFile.h"
#include "scene/Document.h"
#include "scene/HeldMessages.h"

class QAction;
class QButtonGroup;
class QFrame;
class QLabel;
class QMenu;
class QStatusBar;
class QToolBar;
class QToolButton;
class IDrawingBoard;
class RecentExperiments;
class CrashRecovery;
class TDrawSurface;
class TeachingControls;
class LessonControls;
class PaperMenu;
class SliderStrip;
class SurfaceKeys;
class GridControls;

class TLumidorNetworkFrm : public QMainWindow, public IExperimentWindow {
  Q_OBJECT

 public:
  using ObjectMaker =
      std::function<std::unique_ptr<DrawObjectUnit>(const std::string& className, TCanvas*)>;

  struct Options {
    // Show the about box as a splash when the window is first shown.
    bool splash = true;
    // Experiment file to open at start-up (the command-line argument).
    std::string openFile;
    // Makes the objects of the palette; the object factory when empty.
    ObjectMaker maker;
    // Bitmap size; the screen's when empty.
    QSize surfaceSize;
    // Folder of the recovery files of unsaved work; none kept when empty.
    QString recoveryFolder;
    // The desktop's locale: until a language is chosen the interface
    // follows it (see LanguageMenu). None: Chinese.
    std::optional<QLocale> desktopLocale;
  };

  explicit TLumidorNetworkFrm(Options options, QWidget* parent = nullptr);
  TLumidorNetworkFrm() : TLumidorNetworkFrm(Options{}) {}
  ~TLumidorNetworkFrm() override;

  Document& Doc() override { return *document_; }
  QWidget* Widget() override { return this; }
  bool PointerHeld() const override { return mouseDown; }
  bool PlainPointer() const override;
  void EndPress(int x, int y) override { SurfaceMouseUp(Qt::LeftButton, x, y); }
  void PopupMenuAt(const QPoint& global) override;
  void ExperimentReplaced() override;
  LessonControls* Lessons() { return lessons_; }
  // Esc: an armed tool (or the pan mode) is put down as the arrow button does.
  void PutToolDown();
  TDrawSurface* Surface() override { return surface_; }
  QMenu* ToolUnitMenu() { return toolUnitMenu_; }
  TeachingControls* Teaching() { return teaching_; }
  PaperMenu* Paper() { return paper_; }
  SliderStrip* Sliders() { return sliders_; }
  SurfaceKeys* Keys() { return keys_; }
  // What a screen reader hears of the surface: the selection, running, the step.
  QString SurfaceValue() const;
  QString StatusPanelText(int panel) const;
  // The drawing board, once one exists; null means "not visible".
  void SetDrawingBoard(IDrawingBoard* board) { board_ = board; }
  IDrawingBoard* DrawingBoard() const { return board_; }

  // Mouse state of the window.
  bool mouseDown = false;
  int hitCode = kHitNone;
  int downX = 0, downY = 0;
  int lastX = 0, lastY = 0;
  bool moveMode = false;

  enum class Handlers { Default, Placing };
  Handlers ActiveHandlers() const { return handlers_; }

  // Placing handlers (a palette tool is armed).
  void DrawSelectToolMouseDown(Qt::MouseButton button, int x, int y);
  void DrawSelectToolMouseMove(Qt::MouseButtons buttons, int x, int y);
  void DrawSelectToolMouseUp(Qt::MouseButton button, int x, int y);
  // Default handlers: select, drag, resize, pan, rubber band.
  void DefaultMouseDown(Qt::MouseButton button, int x, int y);
  void DefaultMouseMove(Qt::MouseButtons buttons, int x, int y);
  void DefaultMouseUp(Qt::MouseButton button, int x, int y);

  // The surface's events go to whichever set is installed.
  void SurfaceMouseDown(Qt::MouseButton button, int x, int y);
  void SurfaceMouseMove(Qt::MouseButtons buttons, int x, int y);
  void SurfaceMouseUp(Qt::MouseButton button, int x, int y);
  // A left double-click: the properties of what its press selected.
  void SurfaceDoubleClick();

  void RefreshView() override;
  // Runs `paint` (a refresh or a repaint of the document) onto the surface,
  // on white paper while "白底显示" is on.
  void PaintSurface(const std::function<void()>& paint);
  void RefrushMenuClick();
  void ToolButton8Click();
  bool ToolButton2Click();
  void ResetPage();
  void PushUndoSnapshot();
  void UpdateEditButtons();

  // Arms a palette tool: the object waits in the placement slot.
  void ArmTool(const std::string& className);
  // Places an object where its constructor puts it ("成像系统", "量角器").
  void PlaceAtOnce(const std::string& className);

 public slots:
  void ArrowBtnClick();
  void ToolButton18Click() { ArmTool("LampHouse"); }
  void ToolButton29Click() { ArmTool("ComplexlH"); }
  void FourPrismBtnClick() { ArmTool("FourPrism"); }
  void ThreePrismBtnClick() { ArmTool("ThreePrism"); }
  void ToolButton16Click() { ArmTool("Magnifier"); }
  void ToolButton17Click() { ArmTool("Concave"); }
  void ToolButton22Click() { ArmTool("IdealMagnifier"); }
  void ToolButton26Click() { ArmTool("IdealConcave"); }
  void ToolButton13Click() { ArmTool("ConcaveMirror"); }
  void ToolButton15Click() { ArmTool("ConvexityMirror"); }
  void ToolButton19Click() { ArmTool("FlatMirror"); }
  void ToolButton30Click() { ArmTool("FitfulObject"); }
  void ToolButton5Click() { ArmTool("RayFibre"); }
  void ToolButton31Click() { PlaceAtOnce("ImagingSystem"); }
  void SpeedButton1Click() { ArmTool("PointLampHouse"); }
  void SpeedButton2Click() { ArmTool("RealObject"); }
  void ProtractorTBtnClick() { PlaceAtOnce("Protractor"); }
  void ToolButton32Click() { ArmTool("Ruler"); }
  void DrawLineTBtnClick() { ArmTool("OPticsLine"); }
  void ToolButton27Click() { ArmTool("DrawImage"); }
  void ToolButton28Click() { ArmTool("DrawString"); }
  void StopButton1Click() { ArmTool("LightBlocker"); }
  void StopButton2Click() { ArmTool("CircularBlocker"); }
  void StopButton3Click() { ArmTool("Aperture"); }
  void StopButton4Click() { ArmTool("BeamSplitter"); }

  void NewPageClick();
  void OpenPageClick();
  // A scene of Ray Optics Simulation, from a file or a share link.
  void ImportRayOpticsClick();
  void ExportRayOpticsClick();
  void RayOpticsLinkClick();
  // Opens `path` as "打开" does once its dialog is closed (the recent list,
  // a dropped file; a recovery file, which the list does not `remember`).
  OpenStatus OpenExperiment(const std::string& path, bool remember) override;
  OpenStatus OpenExperiment(const std::string& path) { return OpenExperiment(path, true); }
  RecentExperiments* Recent() const { return recent_; }
  CrashRecovery* Recovery() const { return recovery_.get(); }
  void SavePageClick();
  void N7Click();
  void N15Click();
  void N16Click();
  void PrintPreviewMenuClick();
  // "打印作业单…": the picture on an A4 worksheet (objects/Worksheet.h).
  void WorksheetMenuClick();
  // The surface in logical pixels: the size of pictures and printouts.
  QSize PictureSize();
  void N11Click();

  void UndoMenuClick();
  void RedoMenuClick();
  void CutMenuClick();
  void CopyMenuClick();
  void PasteMenuClick();
  void DeleteMenuClick();
  void ShowPropertiesMenuClick();
  void N24Click();
  void N31Click();
  void N19Click();
  void EditMenuClick();
  void ToolUnitMenuPopup();
  // "锁定" of the popup menu: locks or unlocks the selection.
  void LockMenuClick();

  void RunMenuClick() override;
  void StopMenuClick();
  void SpeedButton5Click();
  void SpeedButton6Click();
  void SpeedButton7Click();

  void ToolBarMenuClick();
  void N18Click();
  void StateMenuClick();
  void HelpClick();
  void N4Click();

  void FormShow();

 protected:
  void showEvent(QShowEvent* event) override;
  // A new desktop palette (a dark or high-contrast theme) repaints the glyphs.
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildPalette();
  void BuildToolBar();
  void BuildMenus();
  void BuildPopupMenu();
  void BuildStatusBar();
  void InitWorkspace(const std::string& openFile);
  void InstallDefaultHandlers();
  void SetMoveMode(bool on, bool pressArrow);
  void CloseDrawingBoard();
  bool BoardVisible() const;
  // The board's share of the surface's events; true when it took the event.
  bool BoardMouseDown(Qt::MouseButton button, int x, int y);
  bool BoardMouseMove(Qt::MouseButtons buttons, int x, int y);
  bool BoardMouseUp(Qt::MouseButton button);
  void ShowStatusPoint(int x, int y);
  // Shows what the placing drag held back, now that its release is through.
  void ReleaseDragMessages();
  void DrawRubberBand(int x1, int y1, int x2, int y2);
  void ShowToolUnitMenuAt(QPoint globalPos);
  void SetRunning(bool running);
  // After every snapshot: the experiment has unsaved changes.
  void EnableSave();
  // After an edit of the scene: saved state and picture when it changed, the edit buttons always.
  void SceneEdited(bool changed);
  // What the edit buttons and menu items offer now, by their common name.
  std::vector<std::pair<std::string, bool>> EditStates() const;

  QAction* NewAction(const char* name, const std::string& caption,
                     const QKeySequence& shortcut = {});
  QToolButton* ToolBarButton(const char* name, const std::string& caption, const std::string& hint,
                             int glyph, int width = 38);

  Options options_;
  std::unique_ptr<Document> document_;
  TDrawSurface* surface_ = nullptr;
  IDrawingBoard* board_ = nullptr;
  TeachingControls* teaching_ = nullptr;
  LessonControls* lessons_ = nullptr;
  PaperMenu* paper_ = nullptr;
  SliderStrip* sliders_ = nullptr;
  SurfaceKeys* keys_ = nullptr;
  GridControls* grid_ = nullptr;
  void BuildKeys();
  Handlers handlers_ = Handlers::Default;
  bool shownOnce_ = false;
  // Messages of a placing drag wait for its release (a modal box would take
  // it); those of the start-up open wait until the window is on the screen.
  std::unique_ptr<HeldMessages> dragMessages_;
  std::vector<std::string> startMessages_;

  QFrame* panel3_ = nullptr;
  QButtonGroup* paletteGroup_ = nullptr;
  QToolButton* arrowBtn_ = nullptr;
  QToolBar* toolBar1_ = nullptr;
  QStatusBar* statusBar_ = nullptr;
  QLabel* statusPanels_[4] = {};
  QMenu* editMenu_ = nullptr;
  QMenu* runMenu_ = nullptr;
  QMenu* viewMenu_ = nullptr;
  QMenu* toolUnitMenu_ = nullptr;
  RecentExperiments* recent_ = nullptr;
  // Declared after the document: it goes first, before the widget's own
  // teardown can send it events that would look at the document.
  std::unique_ptr<CrashRecovery> recovery_;

  std::map<std::string, QToolButton*> buttons_;
  std::map<std::string, QAction*> actions_;

 public:
  // Controls by their form names, for tests and the other windows.
  QToolButton* Button(const std::string& name) const;
  QAction* Action(const std::string& name) const;
};
