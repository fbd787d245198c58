// Repaints of free-hand outlines that cross themselves hundreds of times
// (scribbled and zig-zag fibres and irregular objects of 500 points each,
// tools/FreehandScenes.h) onto a 1920x1080 image, not running: the objects'
// own painting alone; and each primitive they paint with, over ever more
// crossings.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <limits>

#include "bench/BenchSupport.h"
#include "gfx/paint/QImageCanvas.h"
#include "scene/Document.h"
#include "scene/ProcessSettings.h"
#include "tools/FreehandScenes.h"

namespace {

void Repaint(benchmark::State& state, bool fibres) {
  EnsureGuiApplication();
  ResetSettings();
  OwnedImageCanvas canvas(1920, 1080, 0);
  Document doc(&canvas);
  AddFreehandObjects(doc, int(state.range(0)), FreehandShape(state.range(1)), fibres);
  // Arg 2 set: no paint budget, to see what the whole page costs.
  if (state.range(2)) doc.paintBudget = std::numeric_limits<std::int64_t>::max();
  for (auto _ : state) doc.RefreshView();
  state.counters["cut"] = doc.traceCut ? 1 : 0;
  ResetSettings();
}

void BM_ScribbledFibres(benchmark::State& state) { Repaint(state, true); }
void BM_ScribbledOutlines(benchmark::State& state) { Repaint(state, false); }

}  // namespace

// Args: objects, FreehandShape (0 scribble, 1 zig-zag in cells, 2 zig-zag
// across the page), unbounded (1) or the window's paint budget (0).
BENCHMARK(BM_ScribbledFibres)
    ->ArgsProduct({{60}, {0, 1, 2}, {0}})
    ->Args({60, 2, 1})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScribbledOutlines)
    ->ArgsProduct({{200}, {0, 1, 2}, {0}})
    ->Args({200, 2, 1})
    ->Unit(benchmark::kMillisecond);

namespace {

// One primitive over a scribble of N points in a fixed 900x900 box, whose
// pieces cross each other about N*N/10 times: the time should grow with N,
// not with N*N. Arg 0 the primitive: 0 a 3 px copy pen, 1 a 3 px XOR pen,
// 2 the merge fill without pen, 3 the anti-aliased 3 px stroke, 4 the
// anti-aliased fill.
void BM_CrossingOutline(benchmark::State& state) {
  EnsureGuiApplication();
  OwnedImageCanvas canvas(1920, 1080, 0);
  const int kind = int(state.range(0)), points = int(state.range(1));
  std::vector<TPoint> whole;
  std::vector<TPointF> wholeF;
  for (const TPointF& p : freehand::Scribble({100, 100, 900, 900}, points)) {
    whole.push_back({int(p.x), int(p.y)});
    wholeF.push_back(p);
  }
  canvas.Pen.width = 3;
  canvas.Pen.color = 0xFF;
  canvas.Pen.mode = kind == 1 ? TPenMode::Xor : kind == 2 ? TPenMode::Merge : TPenMode::Copy;
  canvas.Pen.style = kind == 2 ? TPenStyle::Clear : TPenStyle::Solid;
  canvas.Brush.color = 0x404000;
  const TAaPen pen{0xFF00, 255, 3.0f};
  for (auto _ : state) {
    CanvasBatch batch(canvas);
    if (kind <= 1) canvas.Polyline(whole);
    if (kind == 2) canvas.Polygon(whole);
    if (kind == 3) canvas.AaPolyline(wholeF, pen);
    if (kind == 4) canvas.AaFillPolygon(wholeF, 0xFF00, 255);
  }
}

}  // namespace

BENCHMARK(BM_CrossingOutline)
    ->ArgsProduct({{0, 1, 2, 3, 4}, {125, 250, 500, 1000}})
    ->Unit(benchmark::kMicrosecond);
