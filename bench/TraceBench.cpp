// Full traces of generated scenes: the surfaces and rays are collected, traced
// and drawn, once onto a recording canvas and once onto a 1920x1080 image.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <cmath>
#include <vector>

#include "gfx/QImageCanvas.h"
#include "gfx/RecordingCanvas.h"
#include "optics/CanvasTraceSink.h"
#include "optics/Geometry.h"
#include "optics/Tracer.h"

namespace {

struct Scene {
  std::vector<DrawObjectLineDataStruct> surfaces;
  std::vector<DrawBaseRayDataStruct> rays;
  TraceOptions options;
};

void EnsureGuiApplication() {
  if (QCoreApplication::instance()) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "exo_bench";
  static char* argv[] = {name, nullptr};
  static QGuiApplication app(argc, argv);
}

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

// Ten horizontal rays between two mirrors facing each other: 500 generations each.
Scene FacingMirrors() {
  Scene scene;
  scene.surfaces.push_back(Piece({200, 900}, {200, 100}, kSurfaceReflect));
  scene.surfaces.push_back(Piece({1700, 100}, {1700, 900}, kSurfaceReflect));
  for (int i = 0; i < 10; ++i) scene.rays.push_back(RayAt({600, 150.0f + 70 * i}, 0));
  return scene;
}

// Ten parallel sources of ten rays each, aimed across a field of 100 small
// mirrors turned every which way.
Scene MirrorField() {
  Scene scene;
  for (int row = 0; row < 10; ++row) {
    for (int column = 0; column < 10; ++column) {
      const TPointF centre{500.0f + 100 * column, 100.0f + 90 * row};
      const double angle = (row * 37 + column * 53) % 180;
      scene.surfaces.push_back(
          Piece(PointAt(centre, angle, 35), PointAt(centre, angle + 180, 35), kSurfaceReflect, 3));
    }
  }
  for (int source = 0; source < 10; ++source) {
    const double angle = -30 + 6 * source;
    const TPointF origin{60, 100.0f + 90 * source};
    for (int i = 0; i < 10; ++i) {
      const TPointF start = PointAt(origin, angle + 90, 4.0 * i);
      auto ray = RayAt(start, angle);
      ray.emissionGroup = source;
      scene.rays.push_back(ray);
    }
  }
  return scene;
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

void RunRecording(benchmark::State& state, const Scene& scene, bool highQuality) {
  Scene s = scene;
  s.options.highQuality = highQuality;
  RecordingCanvas canvas(1920, 1080);
  std::size_t ops = 0;
  for (auto _ : state) {
    canvas.Clear();
    TraceOnce(s, canvas);
    ops = canvas.ops.size();
    benchmark::DoNotOptimize(canvas.ops.data());
  }
  state.counters["primitives"] = double(ops);
}

void RunImage(benchmark::State& state, const Scene& scene, bool highQuality) {
  EnsureGuiApplication();
  Scene s = scene;
  s.options.highQuality = highQuality;
  OwnedImageCanvas canvas(1920, 1080, 0);
  for (auto _ : state) {
    TraceOnce(s, canvas);
    benchmark::DoNotOptimize(canvas.Picture().constBits());
  }
}

void BM_FacingMirrors_Recording(benchmark::State& state) {
  RunRecording(state, FacingMirrors(), false);
}
void BM_FacingMirrors_Image(benchmark::State& state) { RunImage(state, FacingMirrors(), false); }
void BM_FacingMirrors_ImageHighQuality(benchmark::State& state) {
  RunImage(state, FacingMirrors(), true);
}
void BM_MirrorField_Recording(benchmark::State& state) {
  RunRecording(state, MirrorField(), false);
}
void BM_MirrorField_Image(benchmark::State& state) { RunImage(state, MirrorField(), false); }
void BM_Dense_Recording(benchmark::State& state) { RunRecording(state, DenseScene(), false); }
void BM_Dense_Image(benchmark::State& state) { RunImage(state, DenseScene(), false); }

}  // namespace

BENCHMARK(BM_FacingMirrors_Recording)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FacingMirrors_Image)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FacingMirrors_ImageHighQuality)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MirrorField_Recording)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MirrorField_Image)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Dense_Recording)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Dense_Image)->Unit(benchmark::kMillisecond);
