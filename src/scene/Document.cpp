#include "scene/Document.h"

#include <algorithm>

#include "i18n/TtlmController.h"
#include "objects/ObjectFactory.h"
#include "optics/CanvasTraceSink.h"
#include "scene/IMessageSink.h"
#include "scene/ProcessSettings.h"

Document::Document(TCanvas* c) : canvas(c), page(std::make_unique<TNewPage>()) {}

void Document::ResetPage() {
  running = false;
  selection.clear();
  scene.clear();
  clipboard.clear();
  placement.reset();
  history.Clear();
  surfaces.clear();
  baseRays.clear();
  page = std::make_unique<TNewPage>();
}

bool Document::AddCoordinateSystem() {
  if (FindByClass(scene, "ReferenceFrame")) {
    ShowMessage(Tr("3", "坐标已经加入!"));
    return false;
  }
  selection.clear();
  auto frame = CreateObjectByClassName("ReferenceFrame", canvas);
  if (!frame) return false;
  frame->isDrawn = page->showAxes;
  scene.push_back(std::move(frame));
  return true;
}

void Document::Repaint(bool withHandles) {
  if (!canvas) return;
  canvas->Pen.mode = TPenMode::Copy;
  canvas->Pen.style = TPenStyle::Clear;
  canvas->Brush.style = TBrushStyle::Solid;
  canvas->Brush.color = page->ambientColour;
  canvas->FillRect(-1, -1, canvas->Width(), canvas->Height());
  canvas->Pen.style = TPenStyle::Solid;
  for (const auto& object : scene)
    if (object->isDrawn) object->Draw(2);
  if (!withHandles) return;
  for (auto* object : selection)
    if (object->isDrawn) object->DrawHandles();
}

TraceOptions Document::CurrentTraceOptions() const {
  TraceOptions o;
  o.rayWidth = page->rayWidth;
  o.drawNormals = page->drawNormals != 0;
  o.drawReverse = page->drawReverse != 0;
  o.showAngles = showAngles != 0;
  o.highQuality = Settings().highQuality;
  o.normalColour = page->normalColour;
  o.reverseColour = page->reverseColour;
  return o;
}

void Document::Trace(ITraceSink& sink) {
  surfaces.clear();
  for (const auto& object : scene) {
    auto pieces = object->GetSurfaces();
    surfaces.insert(surfaces.end(), pieces.begin(), pieces.end());
  }
  baseRays.clear();
  for (const auto& object : scene) {
    auto rays = object->GetBaseRays();
    baseRays.insert(baseRays.end(), std::make_move_iterator(rays.begin()),
                    std::make_move_iterator(rays.end()));
  }
  TraceScene(surfaces, baseRays, CurrentTraceOptions(), sink);
}

void Document::RefreshView(ITraceSink* extra) {
  Repaint(true);
  if (!running) return;
  if (canvas) {
    CanvasTraceSink painter(*canvas, CurrentTraceOptions());
    if (extra) {
      TeeTraceSink both(painter, *extra);
      Trace(both);
    } else {
      Trace(painter);
    }
  } else if (extra) {
    Trace(*extra);
  }
}

void Document::PushUndoSnapshot() {
  history.Push(scene);
  page->saved = 0;
}

void Document::SelectOnly(DrawObjectUnit* object) {
  selection.clear();
  if (object) selection.push_back(object);
}

bool Document::IsSelected(const DrawObjectUnit* object) const {
  return std::find(selection.begin(), selection.end(), object) != selection.end();
}
