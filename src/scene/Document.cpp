#include "scene/Document.h"

#include <algorithm>

#include "gfx/paint/PaintThread.h"
#include "gfx/paint/VectorState.h"
#include "i18n/TtlmController.h"
#include "optics/CanvasTraceSink.h"
#include "optics/LawLabels.h"
#include "optics/SpecialRays.h"
#include "scene/IMessageSink.h"
#include "scene/PageGrid.h"
#include "scene/ProcessSettings.h"

namespace {
// Whole pixels toward zero, saturated: a far origin from a file must not overflow.
int OriginPixel(float v) {
  if (!(v == v)) return 0;
  if (v >= 2147483520.0f) return 2147483520;
  if (v <= -2147483520.0f) return -2147483520;
  return static_cast<int>(v);
}
}  // namespace

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
  SyncOrigin();
}

void Document::SyncOrigin() {
  int x = 20, y = 300;
  if (auto* frame = FindByClass(scene, "ReferenceFrame")) {
    const auto points = frame->ControlPointValues();
    if (!points.empty()) {
      x = OriginPixel(points.front().x);
      y = OriginPixel(points.front().y);
    }
  }
  Settings().originX = x;
  Settings().originY = y;
}

bool Document::AddCoordinateSystem(std::unique_ptr<DrawObjectUnit> frame) {
  if (FindByClass(scene, "ReferenceFrame")) {
    ShowMessage(Tr("3", "坐标已经加入!"));
    return false;
  }
  selection.clear();
  if (!frame) return false;
  frame->isDrawn = page->showAxes;
  scene.push_back(std::move(frame));
  SyncOrigin();
  return true;
}

void Document::Repaint(bool withHandles) {
  if (!canvas) return;
  canvas->SetPaintBudget(paintBudget);
  // One drawing context for the whole scene rather than one per primitive.
  CanvasBatch batch(*canvas);
  canvas->Pen.mode = TPenMode::Copy;
  canvas->Pen.style = TPenStyle::Clear;
  canvas->Brush.style = TBrushStyle::Solid;
  canvas->Brush.color = page->ambientColour;
  canvas->FillRect(-1, -1, canvas->Width(), canvas->Height());
  canvas->Pen.style = TPenStyle::Solid;
  if (page->gridShown) PaintGrid(*canvas, *page);
  for (const auto& object : scene) {
    if (canvas->PaintCut()) return;  // the rest would be dropped anyway
    if (object->isDrawn) object->Draw(kDrawCopy);
  }
  if (!withHandles) return;
  for (auto* object : selection)
    if (object->isDrawn && !object->Locked()) object->DrawHandles();
}

TraceOptions Document::CurrentTraceOptions() const {
  TraceOptions o;
  o.rayWidth = page->rayWidth;
  o.drawNormals = page->drawNormals != 0;
  o.drawReverse = page->drawReverse != 0;
  o.showAngles = showAngles != 0 || view.followedRoot >= 0;
  o.reportHits = view.followedRoot >= 0;
  o.highQuality = Settings().highQuality;
  o.normalColour = page->normalColour;
  o.reverseColour = page->reverseColour;
  o.maxFaceTests = maxFaceTests;
  o.maxDrawnItems = maxDrawnItems;
  o.partialReflection = page->partialReflection != 0;
  o.minBrightness = minBrightness;
  return o;
}

TraceResult Document::Trace(ITraceSink& sink, bool drawn) {
  surfaces.clear();
  for (const auto& object : scene) {
    auto pieces = object->GetSurfaces();
    surfaces.insert(surfaces.end(), pieces.begin(), pieces.end());
  }
  TraceOptions options = CurrentTraceOptions();
  options.drawn = drawn;
  // Every base ray draws at least one item: rays beyond the item bound
  // could not be drawn anyway.
  const std::size_t maxRays = static_cast<std::size_t>(options.maxDrawnItems);
  bool raysCut = false;
  int fanFallbacks = 0;
  baseRays.clear();
  for (const auto& object : scene) {
    auto rays = object->GetBaseRays();
    if (AimSpecialRays(surfaces, rays)) ++fanFallbacks;
    if (rays.size() > maxRays - baseRays.size()) {
      rays.resize(maxRays - baseRays.size());
      raysCut = true;
    }
    baseRays.insert(baseRays.end(), std::make_move_iterator(rays.begin()),
                    std::make_move_iterator(rays.end()));
    if (raysCut) break;
  }
  TraceResult result = TraceScene(surfaces, baseRays, options, sink, traceContext);
  result.cut = result.cut || raysCut;
  result.fanFallbacks = fanFallbacks;
  traceCut = result.cut;
  lastTrace = result;
  return result;
}

void Document::StartStepping() {
  stepping.Start();
  view.maxGeneration = stepping.Step();
}

void Document::StopStepping() {
  stepping.Stop();
  view.maxGeneration = 0;
}

void Document::TraceShown(ITraceSink& sink, bool drawn) {
  if (!view.Active()) {
    Trace(sink, drawn);
    return;
  }
  TraceView shown = view;
  shown.otherAngles = showAngles != 0;
  TraceFilter filter(sink, shown);
  Trace(filter, drawn);
  traceGenerations = filter.Generations();
  followedHits = filter.FollowedHits();
  if (!stepping.On()) return;
  stepping.Refreshed(traceGenerations);
  view.maxGeneration = stepping.Step();
}

bool Document::RefreshView(ITraceSink* extra) {
  // The window's own painting ran just before.
  ClearUpperVectorState();
  traceCut = false;
  lastTrace = {};
  traceGenerations = 0;
  followedHits.clear();
  if (stepping.On()) view.maxGeneration = stepping.Step();
  if (!canvas) {
    if (running && extra) TraceShown(*extra, false);
    return traceCut;
  }
  // By value: the pool thread reads nothing on this thread's stack.
  RunPaintInPool([this, extra] {
    Repaint(true);
    if (!running) return;
    {
      CanvasTraceSink painter(*canvas, CurrentTraceOptions());
      painter.SetBackground(page->ambientColour);
      if (extra) {
        TeeTraceSink both(painter, *extra);
        TraceShown(both, true);
      } else {
        TraceShown(painter, true);
      }
    }
    // Over the trace, once its batch has painted.
    if (view.lawLabels) PaintLawLabels(*canvas, followedHits);
    if (afterTrace) afterTrace(*canvas);
  });
  if (canvas->PaintCut()) traceCut = true;
  return traceCut;
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

DrawObjectUnit* Document::AppendObject(std::unique_ptr<DrawObjectUnit> object) {
  if (!object) return nullptr;
  DrawObjectUnit* raw = object.get();
  scene.push_back(std::move(object));
  SelectOnly(raw);
  return raw;
}

void Document::Deselect() {
  if (selection.empty()) return;
  Repaint(false);
  selection.clear();
}

Document::Hit Document::HitTestSelectionFirst(int x, int y) {
  for (auto* object : selection) {
    if (!object->isDrawn) continue;
    const int code = object->HitTest(x, y);
    if (code != kHitNone) return {object, selection.size() > 1 ? kHitBody : code};
  }
  for (const auto& object : scene) {
    if (!object->isDrawn) continue;
    const int code = object->HitTest(x, y);
    if (code != kHitNone) return {object.get(), code};
  }
  return {};
}

int Document::SelectAt(int x, int y, bool leftButton) {
  const Hit hit = HitTestSelectionFirst(x, y);
  if (hit.object && !IsSelected(hit.object)) {
    Deselect();
    if (!hit.object->Locked()) hit.object->DrawHandles();
    SelectOnly(hit.object);
  } else if (!hit.object && leftButton) {
    Deselect();
  }
  return hit.code;
}

void Document::SetDragOriginAll(float x, float y) {
  for (const auto& object : scene) object->SetDragOrigin(x, y);
}

void Document::MoveSelection(int mode, int x, int y) {
  for (auto* object : selection)
    if (!object->Locked()) object->Move(mode, x, y);
}

void Document::PanAll(int x, int y) {
  for (const auto& object : scene) object->Move(kMoveDrag, x, y);
}

void Document::ZoomAll(float factor) {
  const float cx = float(Settings().originX), cy = float(Settings().originY);
  for (const auto& object : scene) object->Zoom(cx, cy, factor);
}

bool Document::SelectInRect(float x1, float y1, float x2, float y2) {
  selection.clear();
  for (const auto& object : scene)
    if (object->isDrawn && object->InRect(x1, y1, x2, y2)) selection.push_back(object.get());
  return !selection.empty();
}

bool Document::CanCopy() const { return !selection.empty() && selection.front()->canCopy; }

bool Document::CanDelete() const {
  return !selection.empty() && selection.front()->canDelete && !selection.front()->Locked();
}

bool Document::CanCut() const { return CanCopy() && !selection.front()->Locked(); }

// The commands re-check their enabling rule themselves: a keyboard shortcut
// can arrive while a menu item still shows the state of its last opening.
bool Document::Copy(int anchorX, int anchorY) {
  if (!CanCopy()) return false;
  clipboard.clear();
  for (auto* object : selection)
    if (object->canCopy) clipboard.push_back(object->Clone());
  copyAnchorX = anchorX;
  copyAnchorY = anchorY;
  return true;
}

bool Document::Paste(int downX, int downY) {
  if (!CanPaste()) return false;
  selection.clear();
  const int dx = downX - copyAnchorX, dy = downY - copyAnchorY;
  for (const auto& object : clipboard) {
    auto copy = object->CloneMoved(dx, dy);
    if (!copy) continue;
    selection.push_back(copy.get());
    scene.push_back(std::move(copy));
  }
  PushUndoSnapshot();
  return true;
}

bool Document::DeleteSelection() {
  if (!CanDelete()) return false;
  // An object that refuses deletion (the coordinate system) stays.
  const Selection doomed = selection;
  selection.clear();
  for (auto* object : doomed)
    if (object->canDelete && !object->Locked()) RemoveObject(scene, object);
  PushUndoSnapshot();
  return true;
}

bool Document::Cut(int anchorX, int anchorY) {
  // A locked object is not cut; a copy of it would be a second one.
  if (!CanCut()) return false;
  const bool copied = Copy(anchorX, anchorY);
  const bool deleted = DeleteSelection();
  return copied || deleted;
}

void Document::ReplaceScene(const ObjectList& snapshot) {
  selection.clear();
  scene = DeepCopy(snapshot);
  // The page is not part of a snapshot: the axes show as it says now.
  if (auto* frame = FindByClass(scene, "ReferenceFrame")) frame->isDrawn = page->showAxes;
  SyncOrigin();
}

bool Document::Undo() {
  const ObjectList* snapshot = history.Undo();
  if (!snapshot) return false;
  ReplaceScene(*snapshot);
  return true;
}

bool Document::Redo() {
  const ObjectList* snapshot = history.Redo();
  if (!snapshot) return false;
  ReplaceScene(*snapshot);
  return true;
}
