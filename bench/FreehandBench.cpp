// Repaints of free-hand outlines that cross themselves hundreds of times
// (scribbled fibres and irregular objects of 500 points each) onto a
// 1920x1080 image, not running: the objects' own painting alone.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

#include "bench/BenchSupport.h"
#include "gfx/paint/QImageCanvas.h"
#include "objects/Freehand.h"
#include "objects/elements/FitfulObject.h"
#include "objects/elements/RayFibre.h"
#include "scene/Document.h"
#include "scene/ProcessSettings.h"

namespace {

// Objects are laid out in a grid of cells over the page, each drawn
// inside its cell.
struct Cell {
  double x, y, w, h;
};
Cell CellOf(int object, int objects) {
  const int columns = objects > 60 ? 20 : 10, rows = (objects + columns - 1) / columns;
  const double w = 1900.0 / columns, h = 1060.0 / rows;
  return {10 + w * (object % columns), 10 + h * (object / columns), w, h};
}

// A Lissajous scribble: every piece crosses many others.
std::vector<TPointF> Scribble(const Cell& c, int points) {
  std::vector<TPointF> line;
  for (int i = 0; i < points; ++i)
    line.push_back({float(std::round(c.x + c.w * (0.5 + 0.45 * std::sin(i * 0.37)))),
                    float(std::round(c.y + c.h * (0.5 + 0.45 * std::sin(i * 0.23))))});
  return line;
}

// A zig-zag down the cell, back and forth across it, far tighter than the
// fibre: its walls cross at every turn.
std::vector<TPointF> ZigZag(const Cell& c, int points) {
  std::vector<TPointF> line;
  for (int i = 0; i < points; ++i)
    line.push_back({float(std::round(c.x + (i % 2 ? 0.9 : 0.1) * c.w)),
                    float(std::round(c.y + c.h * (0.1 + 0.8 * i / points)))});
  return line;
}

void Repaint(benchmark::State& state, bool fibres) {
  EnsureGuiApplication();
  ResetSettings();
  OwnedImageCanvas canvas(1920, 1080, 0);
  Document doc(&canvas);
  const int objects = int(state.range(0));
  const long long shape = state.range(1);
  for (int k = 0; k < objects; ++k) {
    // Shape 2: scribbles over the whole page, one on top of the other.
    const Cell cell =
        shape == 2 ? Cell{100, 60, 1720 - 3.0 * k, 960 - 2.0 * k} : CellOf(k, objects);
    const std::vector<TPointF> line =
        shape == 1 ? ZigZag(cell, kFreehandPoints) : Scribble(cell, kFreehandPoints);
    if (fibres) {
      auto fibre = std::make_unique<RayFibre>(&canvas);
      fibre->centre = line;
      fibre->pointCount = int(line.size());
      fibre->ApplyWallRule();
      doc.scene.push_back(std::move(fibre));
    } else {
      auto outline = std::make_unique<FitfulObject>(&canvas);
      outline->vertices = line;
      outline->pointCount = int(line.size());
      outline->closed = 1;
      outline->outlineExtent = int(line.size());
      outline->skipNextPaint = 0;
      doc.scene.push_back(std::move(outline));
    }
  }
  for (auto _ : state) doc.RefreshView();
  state.counters["cut"] = doc.traceCut ? 1 : 0;
  ResetSettings();
}

void BM_ScribbledFibres(benchmark::State& state) { Repaint(state, true); }
void BM_ScribbledOutlines(benchmark::State& state) { Repaint(state, false); }

}  // namespace

// Args: objects, zig-zag (1) or scribble (0).
BENCHMARK(BM_ScribbledFibres)->Args({60, 0})->Args({60, 1})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScribbledOutlines)->Args({200, 0})->Args({200, 1})->Unit(benchmark::kMillisecond);
