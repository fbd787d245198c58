// A trace right after Qt has painted, as in the window (background fill,
// then trace), against the same trace with nothing painted before. Qt's
// fills leave the upper vector halves dirty; unless the tracer clears them
// on its way in, the first runs several times slower than the second
// (3.9 ms against 0.8 ms here when that was left out).
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <vector>

#include "bench/BenchSupport.h"
#include "gfx/paint/VectorState.h"
#include "optics/RayGeometry.h"
#include "optics/schedule/Tracer.h"

namespace {

// Ten horizontal rays between two mirrors facing each other.
void FacingMirrors(std::vector<DrawObjectLineDataStruct>& surfaces,
                   std::vector<DrawBaseRayDataStruct>& rays) {
  for (auto [a, b] : {std::pair<TPointF, TPointF>{{200, 900}, {200, 100}},
                      std::pair<TPointF, TPointF>{{1700, 100}, {1700, 900}}}) {
    DrawObjectLineDataStruct s = MakeSegment(a, b);
    s.kind = kSurfaceReflect;
    surfaces.push_back(s);
  }
  for (int i = 0; i < 10; ++i) {
    DrawBaseRayDataStruct ray;
    ray.startX = 600;
    ray.throughX = 640;
    ray.startY = ray.throughY = 850.0f - 70 * i;
    DeriveRay(ray);
    rays.push_back(ray);
  }
}

void BM_TraceAfterPaint(benchmark::State& state) {
  EnsureGuiApplication();
  const bool paint = state.range(0) != 0;
  std::vector<DrawObjectLineDataStruct> surfaces;
  std::vector<DrawBaseRayDataStruct> rays;
  FacingMirrors(surfaces, rays);
  QImage image(1920, 1080, QImage::Format_RGB32);
  TraceOptions options;
  // The reference starts clean whatever the tracer does (start-up painted).
  if (!paint) ClearUpperVectorState();
  for (auto _ : state) {
    if (paint) {
      state.PauseTiming();
      image.fill(Qt::black);
      QPainter painter(&image);
      painter.fillRect(0, 0, 1920, 1080, Qt::darkBlue);
      painter.setPen(QPen(Qt::red, 2));
      painter.drawLine(10, 10, 1900, 1000);
      painter.end();
      state.ResumeTiming();
    }
    CountingSink sink;
    TraceScene(surfaces, rays, options, sink);
    benchmark::DoNotOptimize(sink.items);
  }
}

}  // namespace

BENCHMARK(BM_TraceAfterPaint)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
