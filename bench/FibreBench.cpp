// The heaviest classroom scene: the 500-point fibre of the example files
// (about 1000 wall faces) carrying ten white beams, opened as the Open
// command opens it and refreshed while running, onto a recording canvas and
// onto a 1920x1080 image; and the trace alone of it and of three other
// example files.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/BenchSupport.h"
#include "files/ExperimentFile.h"
#include "gfx/RecordingCanvas.h"
#include "gfx/paint/QImageCanvas.h"
#include "optics/schedule/TraceContext.h"
#include "optics/schedule/Tracer.h"
#include "scene/Document.h"
#include "scene/IMessageSink.h"
#include "scene/ProcessSettings.h"

namespace {

void RunFibre(benchmark::State& state, TCanvas& canvas, RecordingCanvas* recording) {
  ResetSettings();
  CollectingMessageSink messages;
  Settings().messages = &messages;
  Document doc(&canvas);
  const std::string path = std::string(EXO_EXAMPLES_DIR) + "/光导纤维(基准).exo";
  if (OpenExperimentFile(path, doc).status != OpenStatus::Opened) {
    state.SkipWithError(("cannot open " + path).c_str());
    ResetSettings();
    return;
  }
  doc.running = true;
  for (auto _ : state) {
    if (recording) recording->Clear();
    doc.RefreshView();
  }
  if (recording) state.counters["primitives"] = double(recording->ops.size());
  state.counters["rays"] = double(doc.baseRays.size());
  state.counters["surfaces"] = double(doc.surfaces.size());
  ResetSettings();
}

void BM_Fibre500_Recording(benchmark::State& state) {
  RecordingCanvas canvas(1920, 1080);
  RunFibre(state, canvas, &canvas);
}

void BM_Fibre500_Image(benchmark::State& state) {
  OwnedImageCanvas canvas(1920, 1080, 0);
  RunFibre(state, canvas, nullptr);
}

// The tracer alone into a counting sink, for an example file: arg 0 tests
// every face, arg 1 narrows them through a face index built for every trace,
// arg 2 keeps the index between traces.
void TraceExample(benchmark::State& state, const char* name) {
  ResetSettings();
  CollectingMessageSink messages;
  Settings().messages = &messages;
  Document doc(nullptr);
  const std::string path = std::string(EXO_EXAMPLES_DIR) + "/" + name;
  if (OpenExperimentFile(path, doc).status != OpenStatus::Opened) {
    state.SkipWithError(("cannot open " + path).c_str());
    ResetSettings();
    return;
  }
  CountingSink warm;
  doc.Trace(warm);  // gathers the surfaces and base rays
  TraceOptions options = doc.CurrentTraceOptions();
  const long long arg = state.range(0);
  options.faceIndex = arg != 0;
  TraceContext context;
  context.SetThreads(1);
  for (auto _ : state) {
    CountingSink sink;
    benchmark::DoNotOptimize(arg >= 2
                                 ? TraceScene(doc.surfaces, doc.baseRays, options, sink, context)
                                 : TraceScene(doc.surfaces, doc.baseRays, options, sink));
  }
  state.counters["surfaces"] = double(doc.surfaces.size());
  ResetSettings();
}

void BM_Fibre500_TraceAlone(benchmark::State& state) { TraceExample(state, "光导纤维(基准).exo"); }
void BM_FacingMirrors_TraceAlone(benchmark::State& state) {
  TraceExample(state, "两面相对的平面镜.exo");
}
void BM_PrismWhite_TraceAlone(benchmark::State& state) {
  TraceExample(state, "白光经过三棱镜.exo");
}

void BM_DenseScene_TraceAlone(benchmark::State& state) { TraceExample(state, "密集场景.exo"); }

}  // namespace

BENCHMARK(BM_Fibre500_TraceAlone)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FacingMirrors_TraceAlone)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PrismWhite_TraceAlone)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DenseScene_TraceAlone)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Fibre500_Recording)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Fibre500_Image)->Unit(benchmark::kMillisecond);
