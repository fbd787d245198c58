// Full refreshes of generated scenes while running: the scene is painted, its
// surfaces and rays are collected, traced and drawn, once onto a recording
// canvas and once onto a 1920x1080 image. The first two scenes are built from
// light sources and plane mirrors through the document; the dense one from
// hand-made surfaces and rays.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <cmath>
#include <vector>

#include "bench/BenchSupport.h"
#include "gfx/RecordingCanvas.h"
#include "gfx/paint/PaintThread.h"
#include "gfx/paint/QImageCanvas.h"
#include "objects/elements/FlatMirror.h"
#include "objects/sources/LampHouse.h"
#include "optics/CanvasTraceSink.h"
#include "optics/PlaneMath.h"
#include "optics/RayGeometry.h"
#include "optics/schedule/Tracer.h"
#include "scene/Document.h"
#include "scene/ProcessSettings.h"

namespace {

struct Scene {
  std::vector<DrawObjectLineDataStruct> surfaces;
  std::vector<DrawBaseRayDataStruct> rays;
  TraceOptions options;
};

DrawBaseRayDataStruct RayAt(TPointF start, double angle) {
  DrawBaseRayDataStruct ray;
  ray.startX = start.x;
  ray.startY = start.y;
  const TPointF through = PointAt(start, angle, 1);
  ray.throughX = through.x;
  ray.throughY = through.y;
  DeriveRay(ray);
  return ray;
}

DrawObjectLineDataStruct Piece(TPointF a, TPointF b, int kind, int orientation = 1,
                               float index = 0) {
  DrawObjectLineDataStruct s = MakeSegment(a, b);
  s.kind = kind;
  s.orientation = orientation;
  s.refractiveIndex = index;
  return s;
}

// A scene of objects, made on whichever canvas the document paints.
using SceneMaker = void (*)(Document&);

void AddLamp(Document& doc, TPointF from, TPointF to, int rays, float spacing) {
  auto lamp = std::make_unique<LampHouse>(doc.canvas);
  lamp->rayTemplate.startX = from.x;
  lamp->rayTemplate.startY = from.y;
  lamp->rayTemplate.throughX = to.x;
  lamp->rayTemplate.throughY = to.y;
  DeriveRay(lamp->rayTemplate);
  lamp->rayCount = rays;
  lamp->raySpacing = spacing;
  lamp->skipNextPaint = 0;
  doc.scene.push_back(std::move(lamp));
}

// Reflects on the right of from -> to.
void AddMirror(Document& doc, TPointF from, TPointF to) {
  auto mirror = std::make_unique<FlatMirror>(doc.canvas);
  mirror->segment.x1 = from.x;
  mirror->segment.y1 = from.y;
  mirror->segment.x2 = to.x;
  mirror->segment.y2 = to.y;
  mirror->skipNextPaint = 0;
  doc.scene.push_back(std::move(mirror));
}

// Ten horizontal rays between two mirrors facing each other: 500 generations each.
void FacingMirrors(Document& doc) {
  AddMirror(doc, {200, 900}, {200, 100});
  AddMirror(doc, {1700, 100}, {1700, 900});
  AddLamp(doc, {600, 850}, {640, 850}, 10, 70);
}

// Ten parallel sources of ten rays each, aimed across a field of 100 plane
// mirrors turned every which way.
void MirrorField(Document& doc) {
  for (int row = 0; row < 10; ++row) {
    for (int column = 0; column < 10; ++column) {
      const TPointF centre{500.0f + 100 * column, 100.0f + 90 * row};
      const double angle = (row * 37 + column * 53) % 360;
      AddMirror(doc, PointAt(centre, angle, 35), PointAt(centre, angle + 180, 35));
    }
  }
  for (int source = 0; source < 10; ++source) {
    const double angle = -30 + 6 * source;
    const TPointF origin{60, 100.0f + 90 * source};
    AddLamp(doc, origin, PointAt(origin, angle, 40), 10, 4);
  }
}

// A 96-sided glass disc, a converging ideal lens and a closed mirror box, lit
// by a point source (images constructed) and a fan of coloured blended rays,
// with angle labels on.
Scene DenseScene() {
  Scene scene;
  const TPointF centre{1100, 540};
  const int sides = 96;
  for (int i = 0; i < sides; ++i) {
    // Counter-clockwise on the screen: the glass lies on the left of each piece.
    const TPointF a = PointAt(centre, 360.0 * i / sides, 220);
    const TPointF b = PointAt(centre, 360.0 * (i + 1) / sides, 220);
    scene.surfaces.push_back(Piece(a, b, kSurfaceRefract, 1, 1.5f));
  }
  auto lens = Piece({600, 250}, {600, 830}, kSurfaceIdealLens);
  lens.centreX = 750;
  lens.centreY = 540;
  lens.secondX = 450;
  lens.secondY = 540;
  scene.surfaces.push_back(lens);
  const TPointF box[4] = {{20, 20}, {20, 1060}, {1900, 1060}, {1900, 20}};
  for (int i = 0; i < 4; ++i)
    scene.surfaces.push_back(Piece(box[(i + 1) % 4], box[i], kSurfaceReflect));
  for (int i = 0; i < 25; ++i) {
    auto ray = RayAt({300, 520}, -20 + 40.0 * i / 24);
    ray.sourceKind = 1;
    ray.emissionGroup = 100;
    ray.name = std::string(1, 'S');  // (a plain literal trips a GCC 12 false warning)
    scene.rays.push_back(ray);
  }
  const TColor colours[7] = {0xFF, 0x80FF, 0xFFFF, 0xFF00, 0xFFFF00, 0xFF0000, 0xFF00FF};
  for (int i = 0; i < 25; ++i) {
    auto ray = RayAt({100, 900}, 10 + i);
    ray.rayColour = colours[i % 7];
    ray.indexFactor = 1.0f + 0.01f * (i % 7);
    ray.blend = 1;
    scene.rays.push_back(ray);
  }
  scene.options.showAngles = true;
  scene.options.maxGenerations = 60;
  return scene;
}

// Collects the lists afresh, as every refresh does, then traces onto the canvas.
void TraceOnce(const Scene& scene, TCanvas& canvas) {
  std::vector<DrawObjectLineDataStruct> surfaces(scene.surfaces.begin(), scene.surfaces.end());
  std::vector<DrawBaseRayDataStruct> rays(scene.rays.begin(), scene.rays.end());
  CanvasTraceSink sink(canvas, scene.options);
  TraceScene(surfaces, rays, scene.options, sink);
}

void RunRecording(benchmark::State& state, const Scene& scene) {
  RecordingCanvas canvas(1920, 1080);
  std::size_t ops = 0;
  for (auto _ : state) {
    canvas.Clear();
    TraceOnce(scene, canvas);
    ops = canvas.ops.size();
    benchmark::DoNotOptimize(canvas.ops.data());
  }
  state.counters["primitives"] = double(ops);
}

void RunImage(benchmark::State& state, const Scene& scene) {
  EnsureGuiApplication();
  OwnedImageCanvas canvas(1920, 1080, 0);
  for (auto _ : state) {
    // On a pool thread, as a refresh paints.
    RunPaintInPool([&] { TraceOnce(scene, canvas); });
    benchmark::DoNotOptimize(canvas.Picture().constBits());
  }
}

// A refresh of the running document, as every mouse move during a drag does.
void RunDocument(benchmark::State& state, SceneMaker make, TCanvas& canvas,
                 RecordingCanvas* recording, bool highQuality) {
  ResetSettings();
  Settings().highQuality = highQuality;
  Document doc(&canvas);
  make(doc);
  doc.running = true;
  std::size_t ops = 0;
  for (auto _ : state) {
    if (recording) recording->Clear();
    doc.RefreshView();
    if (recording) ops = recording->ops.size();
  }
  if (recording) state.counters["primitives"] = double(ops);
  state.counters["rays"] = double(doc.baseRays.size());
  state.counters["surfaces"] = double(doc.surfaces.size());
  ResetSettings();
}

void RunDocumentRecording(benchmark::State& state, SceneMaker make) {
  RecordingCanvas canvas(1920, 1080);
  RunDocument(state, make, canvas, &canvas, false);
}

void RunDocumentImage(benchmark::State& state, SceneMaker make, bool highQuality = false) {
  EnsureGuiApplication();
  OwnedImageCanvas canvas(1920, 1080, 0);
  RunDocument(state, make, canvas, nullptr, highQuality);
}

void BM_FacingMirrors_Recording(benchmark::State& state) {
  RunDocumentRecording(state, FacingMirrors);
}
void BM_FacingMirrors_Image(benchmark::State& state) { RunDocumentImage(state, FacingMirrors); }
void BM_FacingMirrors_ImageHighQuality(benchmark::State& state) {
  RunDocumentImage(state, FacingMirrors, true);
}
void BM_MirrorField_Recording(benchmark::State& state) { RunDocumentRecording(state, MirrorField); }
void BM_MirrorField_Image(benchmark::State& state) { RunDocumentImage(state, MirrorField); }
void BM_Dense_Recording(benchmark::State& state) { RunRecording(state, DenseScene()); }
void BM_Dense_Image(benchmark::State& state) { RunImage(state, DenseScene()); }

}  // namespace

BENCHMARK(BM_FacingMirrors_Recording)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FacingMirrors_Image)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FacingMirrors_ImageHighQuality)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MirrorField_Recording)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MirrorField_Image)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Dense_Recording)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Dense_Image)->Unit(benchmark::kMillisecond);
