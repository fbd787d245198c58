#pragma once
// The experiment being edited: page settings, scene, selection, placement
// slot, clipboard, undo history and running flag. The main window owns one;
// the command-line tool and the tests use it without a window.

#include <functional>
#include <memory>

#include "optics/ITraceSink.h"
#include "optics/TraceFilter.h"
#include "optics/schedule/TraceContext.h"
#include "optics/schedule/Tracer.h"
#include "scene/ObjectList.h"
#include "scene/Stepping.h"
#include "scene/TNewPage.h"

class Document {
 public:
  explicit Document(TCanvas* canvas);

  TCanvas* canvas;
  std::unique_ptr<TNewPage> page;
  ObjectList scene;
  Selection selection;
  std::unique_ptr<DrawObjectUnit> placement;
  ObjectList clipboard;
  UndoHistory history{30};
  bool running = false;
  std::uint8_t showAngles = 0;
  FileHeader header;  // template for writing; after an open, the last header read

  // Primitives one refresh paints at most (objects and trace together): at
  // about 5 us for a wide or long stroke, well under a second of painting,
  // and far above a classroom scene (a ten-ray bundle caught in a prism for
  // 500 generations paints about 25,000).
  static constexpr std::int64_t kPaintBudget = 150'000;
  // The work bounds in force: painting, and the tracer's face tests and drawn
  // items. Lower ones keep a fuzz run at a scene on the bound fast.
  std::int64_t paintBudget = kPaintBudget;
  long long maxFaceTests = kFaceTestBudget;
  long long maxDrawnItems = kDrawnItemBudget;
  // A ray with less of its source's light is not followed (TraceOptions).
  float minBrightness = TraceOptions{}.minBrightness;

  // Tracer lists of the last traced refresh.
  std::vector<DrawObjectLineDataStruct> surfaces;
  std::vector<DrawBaseRayDataStruct> baseRays;
  // The faces prepared by the last trace and the threads tracing shares.
  TraceContext traceContext;

  // Empties the experiment and starts a fresh page (running off).
  void ResetPage();
  // Adds the coordinate system made by the caller (AddCoordinateSystem in
  // the object factory) unless one exists ("坐标已经加入!" then).
  bool AddCoordinateSystem(std::unique_ptr<DrawObjectUnit> frame);
  // The process-wide origin follows the scene's first coordinate system, or
  // (20, 300) without one, so that user coordinates match the drawn axes.
  void SyncOrigin();

  // Background, every drawn object, then the handles of the selection.
  void Repaint(bool withHandles = true);
  // Repaint, and while running collect the surfaces and rays and trace them.
  // `extra` also receives every traced item (the command-line tool prints it).
  // Returns traceCut.
  bool RefreshView(ITraceSink* extra = nullptr);
  // Only collect and trace, to the given sink.
  // drawn: the sink paints (see TraceOptions::drawn).
  TraceResult Trace(ITraceSink& sink, bool drawn = false);
  // Trace, through the view's filter when a step or a followed ray is shown.
  void TraceShown(ITraceSink& sink, bool drawn);
  // Whether the last refresh or trace stopped at a work bound (of the
  // tracer or of the painting), so that what is shown is incomplete.
  bool traceCut = false;
  // The last trace alone (its items all reached the sinks unless cut).
  TraceResult lastTrace;
  // Which part of a trace a refresh shows (stepping, a followed ray); none
  // by default. A followed ray is traced with its angles.
  TraceView view;
  // Generations of the last refresh's trace, counted while a view is active.
  int traceGenerations = 0;
  // While on, a refresh shows the trace up to its step (view.maxGeneration)
  // and keeps the step within the generations it traced.
  Stepping stepping;
  void StartStepping();
  void StopStepping();
  // The hits of the followed ray in the last refresh, with their law.
  std::vector<TraceFilter::HitLaw> followedHits;
  // Painted over the trace of a running refresh (the equation panels).
  std::function<void(TCanvas&)> afterTrace;
  TraceOptions CurrentTraceOptions() const;

  void PushUndoSnapshot();
  void SelectOnly(DrawObjectUnit* object);
  bool IsSelected(const DrawObjectUnit* object) const;

  // --- Scene list operations used by the mouse handlers and edit commands.

  // Moves the object into the scene (last in paint and hit order) and makes
  // it the only selected object; returns it.
  DrawObjectUnit* AppendObject(std::unique_ptr<DrawObjectUnit> object);
  // Repaints without handles, then empties the selection; nothing when it
  // is already empty.
  void Deselect();

  struct Hit {
    DrawObjectUnit* object = nullptr;
    int code = kHitNone;
  };
  // The selected objects first (several selected: the body is hit, so the
  // group moves), then the scene in order (earliest placed wins). A scene hit
  // does not change the selection; see SelectHit.
  Hit HitTestSelectionFirst(int x, int y);
  // The mouse-down selection rule: a hit outside the selection replaces it,
  // a miss with the left button drops it. Returns the hit code.
  int SelectAt(int x, int y, bool leftButton);

  void SetDragOriginAll(float x, float y);
  void MoveSelection(int mode, int x, int y);
  void PanAll(int x, int y);
  // About the process-wide coordinate origin.
  void ZoomAll(float factor);
  // Every drawn scene object whose InRect holds becomes selected, in scene
  // order; a hidden object can be neither hit nor caught.
  bool SelectInRect(float x1, float y1, float x2, float y2);

  // Enabling rules shared by the tool bar, the Edit menu and the popup menu.
  bool CanCopy() const;
  bool CanDelete() const;
  // A locked object is copied, never cut.
  bool CanCut() const;
  bool CanPaste() const { return !clipboard.empty(); }
  bool CanUndo() const { return history.CanUndo(); }
  bool CanRedo() const { return history.CanRedo(); }

  // The edit commands; each returns whether it changed anything.
  bool Copy(int anchorX, int anchorY);
  // Copies displaced by (downX - anchor X, downY - anchor Y), selected, snapshot.
  bool Paste(int downX, int downY);
  bool DeleteSelection();
  bool Cut(int anchorX, int anchorY);
  bool Undo();
  bool Redo();

  int copyAnchorX = 0, copyAnchorY = 0;

 private:
  void ReplaceScene(const ObjectList& snapshot);
};
