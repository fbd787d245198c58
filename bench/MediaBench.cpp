// A composite source of ten beams (seventy coloured rays) dispersed by a row of
// glass prisms and a slab: a full refresh of the running document (paint,
// collect surfaces and rays, trace, draw onto a recording canvas), and the
// collection and trace alone.
#include <benchmark/benchmark.h>

#include <memory>

#include "bench/BenchSupport.h"
#include "gfx/RecordingCanvas.h"
#include "objects/elements/FourPrism.h"
#include "objects/elements/ThreePrism.h"
#include "objects/sources/ComplexlH.h"
#include "scene/Document.h"
#include "scene/ProcessSettings.h"

namespace {

void AddPrism(Document& doc, TPointF apex, float halfBase, float height, float index) {
  auto prism = std::make_unique<ThreePrism>(doc.canvas);
  prism->vertices = {apex, TPointF{apex.x + halfBase, apex.y + height},
                     TPointF{apex.x - halfBase, apex.y + height}};
  prism->refractiveIndex = index;
  prism->skipNextPaint = 0;
  doc.scene.push_back(std::move(prism));
}

// White light enters the first prism from the left, slightly rising; the
// spectrum it leaves with crosses more prisms and a slab on its way right.
void DispersionScene(Document& doc) {
  auto source = std::make_unique<ComplexlH>(doc.canvas);
  source->rayTemplate.startX = 80;
  source->rayTemplate.startY = 470;
  source->rayTemplate.throughX = 140;
  source->rayTemplate.throughY = 460;
  source->rayCount = 10;
  source->raySpacing = 4;
  source->skipNextPaint = 0;
  doc.scene.push_back(std::move(source));
  AddPrism(doc, {320, 300}, 120, 240, 1.5f);
  AddPrism(doc, {700, 620}, 110, -220, 1.6f);
  AddPrism(doc, {1050, 280}, 130, 260, 1.5f);
  AddPrism(doc, {1400, 640}, 120, -240, 1.7f);
  auto slab = std::make_unique<FourPrism>(doc.canvas);
  slab->SetRectangle({1600, 150}, {1760, 900});
  slab->refractiveIndex = 1.33f;
  slab->skipNextPaint = 0;
  doc.scene.push_back(std::move(slab));
}

void BM_PrismDispersion_Refresh(benchmark::State& state) {
  ResetSettings();
  RecordingCanvas canvas(1920, 1080);
  Document doc(&canvas);
  DispersionScene(doc);
  doc.running = true;
  for (auto _ : state) {
    canvas.Clear();
    doc.RefreshView();
    benchmark::DoNotOptimize(canvas.ops.data());
  }
  state.counters["primitives"] = double(canvas.ops.size());
  state.counters["rays"] = double(doc.baseRays.size());
  state.counters["surfaces"] = double(doc.surfaces.size());
  ResetSettings();
}

void BM_PrismDispersion_TraceOnly(benchmark::State& state) {
  ResetSettings();
  RecordingCanvas canvas(1920, 1080);
  Document doc(&canvas);
  DispersionScene(doc);
  std::size_t items = 0;
  for (auto _ : state) {
    CountingSink sink;
    doc.Trace(sink);
    items = sink.items;
  }
  state.counters["items"] = double(items);
  ResetSettings();
}

}  // namespace

// Hit test and rectangle test of a triangle 200,000 px high.
void BM_HugeTriangle_HitTest(benchmark::State& state) {
  RecordingCanvas canvas;
  ThreePrism prism(&canvas);
  prism.vertices = {TPointF{500, -100000}, TPointF{1000, 100000}, TPointF{0, 100000}};
  for (auto _ : state) {
    benchmark::DoNotOptimize(prism.HitTest(500, 99990));
    benchmark::DoNotOptimize(prism.InRect(0, 0, 260, 20));
  }
}

// A 10,000-ray composite source caught in a slab by total reflection: the
// trace ends at its face-test bound, the cost of the worst refresh's trace.
void BM_TrappedBundle_CutTrace(benchmark::State& state) {
  RecordingCanvas canvas;
  Document doc(&canvas);
  auto slab = std::make_unique<FourPrism>(&canvas);
  slab->SetRectangle({50, 50}, {1800, 1000});
  slab->refractiveIndex = 1.5f;
  slab->skipNextPaint = 0;
  doc.scene.push_back(std::move(slab));
  auto source = std::make_unique<ComplexlH>(&canvas);
  source->rayTemplate.startX = 100;
  source->rayTemplate.startY = 300;
  source->rayTemplate.throughX = 150;
  source->rayTemplate.throughY = 250;
  source->rayCount = 10000;
  source->raySpacing = 0.05f;
  doc.scene.push_back(std::move(source));
  for (auto _ : state) {
    CountingSink sink;
    benchmark::DoNotOptimize(doc.Trace(sink).cut);
  }
}

BENCHMARK(BM_HugeTriangle_HitTest);
BENCHMARK(BM_TrappedBundle_CutTrace)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PrismDispersion_Refresh)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PrismDispersion_TraceOnly)->Unit(benchmark::kMillisecond);
