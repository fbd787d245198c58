#pragma once
// The experiment being edited: page settings, scene, selection, placement
// slot, clipboard, undo history and running flag. The main window owns one;
// the command-line tool and the tests use it without a window.

#include <memory>

#include "optics/ITraceSink.h"
#include "optics/Tracer.h"
#include "scene/ObjectList.h"
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

  // Tracer lists of the last traced refresh.
  std::vector<DrawObjectLineDataStruct> surfaces;
  std::vector<DrawBaseRayDataStruct> baseRays;

  // Empties the experiment and starts a fresh page (running off).
  void ResetPage();
  // Adds the coordinate system unless one exists ("坐标已经加入!" then).
  bool AddCoordinateSystem();

  // Background, every drawn object, then the handles of the selection.
  void Repaint(bool withHandles = true);
  // Repaint, and while running collect the surfaces and rays and trace them.
  // `extra` also receives every traced item (the command-line tool prints it).
  void RefreshView(ITraceSink* extra = nullptr);
  // Only collect and trace, to the given sink.
  void Trace(ITraceSink& sink);
  TraceOptions CurrentTraceOptions() const;

  void PushUndoSnapshot();
  void SelectOnly(DrawObjectUnit* object);
  bool IsSelected(const DrawObjectUnit* object) const;
};
