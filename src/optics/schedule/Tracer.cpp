#include "optics/schedule/Tracer.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cassert>
#include <chrono>
#include <cstdint>
#include <map>
#include <span>
#include <utility>

#include "gfx/paint/PaintThread.h"
#include "gfx/paint/VectorState.h"
#include "optics/ImageMarks.h"
#include "optics/RayTracer.h"
#include "optics/schedule/TraceContext.h"
#include "optics/schedule/TracePipe.h"

namespace {

using Rays = std::vector<DrawBaseRayDataStruct>;

// A base ray's root is the first base ray with its very points.
std::vector<int> RootsOf(const Rays& rays) {
  std::map<std::array<std::uint32_t, 4>, int> first;
  std::vector<int> roots;
  roots.reserve(rays.size());
  for (const auto& ray : rays) {
    const std::array<std::uint32_t, 4> key{
        std::bit_cast<std::uint32_t>(ray.startX), std::bit_cast<std::uint32_t>(ray.startY),
        std::bit_cast<std::uint32_t>(ray.throughX), std::bit_cast<std::uint32_t>(ray.throughY)};
    roots.push_back(first.try_emplace(key, int(roots.size())).first->second);
  }
  return roots;
}

// Traces the rays generation by generation: one generation after the other
// rather than recursion, as 500 levels of stack frames are not needed to keep
// the drawing order. The hooks decide whether a ray may still be traced, what
// ends a generation and what becomes of a generation's rays once traced.
template <class Hooks>
void RunGenerations(RayTracer& tracer, std::span<const DrawBaseRayDataStruct> baseRays,
                    std::span<const int> baseRoots, int maxGenerations, bool noFaces,
                    Hooks& hooks) {
  std::span<const DrawBaseRayDataStruct> rays = baseRays;
  Rays current, next;
  // Continued rays come with their lines, worked out when they were made;
  // the light sources' rays are not trusted to have their direction right.
  std::vector<RayLine> currentLines, nextLines;
  // The root of every ray, beside it.
  std::vector<int> currentRoots(baseRoots.begin(), baseRoots.end()), nextRoots;
  bool derived = false;
  for (int depth = maxGenerations; depth > 0 && !rays.empty(); --depth) {
    const int generation = maxGenerations - depth + 1;
    // What a generation leads to belongs to the next, unless none follows.
    tracer.SetGeneration(generation, depth > 1 ? generation + 1 : generation);
    if (noFaces) {
      for (std::size_t i = 0; i < rays.size() && hooks.BeforeRay(); ++i) {
        tracer.SetRoot(currentRoots[i]);
        tracer.Miss(rays[i]);
      }
      return;
    }
    next.clear();
    nextLines.clear();
    nextRoots.clear();
    next.reserve(rays.size());  // mostly one continuation per ray
    nextLines.reserve(rays.size());
    nextRoots.reserve(rays.size());
    for (std::size_t i = 0; i < rays.size(); ++i) {
      if (!hooks.BeforeRay()) {
        hooks.Retire(current);
        return;
      }
      const DrawBaseRayDataStruct& ray = rays[i];
      tracer.SetRoot(currentRoots[i]);
      if (derived) {
        tracer.TraceRay(ray, currentLines[i], next, nextLines);
      } else {
        tracer.TraceRay(ray, PrepareRay(ray), next, nextLines);
      }
      hooks.AfterRay();
      nextRoots.resize(next.size(), currentRoots[i]);  // none, one or two continuations
    }
    hooks.EndGeneration(next);
    current.swap(next);
    currentLines.swap(nextLines);
    currentRoots.swap(nextRoots);
    hooks.Retire(next);
    rays = current;
    derived = true;
  }
  hooks.Retire(current);
}

// On one thread: the image marks at the end of every generation.
struct Alone {
  RayTracer& tracer;
  ImageCandidates images;

  bool BeforeRay() { return !tracer.OverBudget(); }
  void AfterRay() {}
  void EndGeneration(const Rays& next) {
    tracer.Tag(tracer.Shown(), -1);
    images.Clear();
    images.Add(next);
    MarkImages(images, tracer);
  }
  void Retire(Rays&) {}  // reused for the generation after next
};

// The tracing side of a piped trace: its calls go out a run of rays at a
// time, with where each generation ends and the rays that may mark images.
struct Piping {
  RayTracer& tracer;
  TracePipe& pipe;
  bool stopped = false;
  // Where the generations end in the calls recorded since the last hand-over.
  TracePipe::Segment* segment = nullptr;
  // Calls per segment: a hand-over costs a lock or two (and a wake-up when
  // the drawing side has caught up).
  static constexpr std::size_t kSegmentCalls = 2048;

  TracePipe::Segment& Current() {
    if (!segment) segment = &pipe.Fresh();
    return *segment;
  }
  void HandOn() {
    TracePipe::Segment& handed = Current();
    handed.calls.Swap(pipe.recording);  // leaves the recording empty
    pipe.Publish(handed);
    segment = nullptr;
  }
  bool BeforeRay() {
    if (tracer.OverBudget()) {
      stopped = true;
      return false;
    }
    if (pipe.recording.Size() >= kSegmentCalls) HandOn();
    pipe.recording.MarkRay();
    return true;
  }
  void AfterRay() { pipe.recording.RayTests(tracer.LastTests()); }
  void EndGeneration(const Rays& next) {
    Current().EndGeneration(pipe.recording.Size()).images.Add(next);
  }
  void Retire(Rays& rays) {
    if (!rays.empty()) pipe.keptRays.push_back(std::exchange(rays, {}));
  }
  void Finish() {
    Current().stopped = stopped;
    HandOn();
  }
};

TraceResult TraceAlone(const PreparedFaces& faces, const Rays& baseRays,
                       const std::vector<int>& roots, const TraceOptions& options,
                       ITraceSink& sink) {
  RayTracer tracer(faces, options, sink);
  Alone hooks{tracer, {}};
  RunGenerations(tracer, baseRays, roots, options.maxGenerations, faces.Surfaces().empty(), hooks);
  return tracer.Result();
}

// One thread traces into the pipe while this one hands the calls on to the
// sink as they come, in the order and with the image marks and work bounds
// of a trace on one thread (the tracing side stops where that trace stops).
TraceResult TracePiped(const PreparedFaces& faces, const Rays& baseRays,
                       const std::vector<int>& roots, const TraceOptions& options, ITraceSink& sink,
                       TracePipe& pipe) {
  pipe.Open();
  auto trace = [&] {
    struct CloseAtEnd {
      TracePipe& pipe;
      ~CloseAtEnd() { pipe.Close(); }  // also when tracing fails
    } close{pipe};
    ClearUpperVectorState();
    RayTracer tracer(faces, options, pipe.recording, true);
    Piping hooks{tracer, pipe};
    RunGenerations(tracer, baseRays, roots, options.maxGenerations, false, hooks);
    hooks.Finish();
  };
  BesideTask beside;
  if (!beside.Start(trace)) return TraceAlone(faces, baseRays, roots, options, sink);
  RayTracer tracer(faces, options, sink);
  int generation = 1;
  tracer.SetGeneration(1, options.maxGenerations > 1 ? 2 : 1);
  bool on = true;
  while (TracePipe::Segment* segment = on ? pipe.Next() : nullptr) {
    std::size_t from = 0;
    for (std::size_t e = 0; on && e < segment->endCount; ++e) {
      const TracePipe::GenerationEnd& end = segment->ends[e];
      on = segment->calls.Replay(from, end.at, tracer);
      from = end.at;
      if (!on) break;
      tracer.Tag(tracer.Shown(), -1);
      MarkImages(end.images, tracer);
      ++generation;
      tracer.SetGeneration(generation,
                           generation < options.maxGenerations ? generation + 1 : generation);
    }
    if (on) on = segment->calls.Replay(from, segment->calls.Size(), tracer);
    if (on && segment->stopped) {
      [[maybe_unused]] const bool over = tracer.OverBudget();
      assert(over);
      on = false;
    }
    pipe.Recycle(*segment);
  }
  // The sink may stop early (a bound reached in drawing): the trace ends by
  // its own bounds, before what it traced goes.
  beside.Wait();
  return tracer.Result();
}

}  // namespace

TraceResult TraceScene(const std::vector<DrawObjectLineDataStruct>& surfaces,
                       const std::vector<DrawBaseRayDataStruct>& emitted,
                       const TraceOptions& options, ITraceSink& sink, TraceContext& context) {
  ClearUpperVectorState();
  const auto start = std::chrono::steady_clock::now();
  PreparedFaces& faces = context.Faces();
  faces.Prepare(surfaces, options.faceIndex);
  Rays fromSources;
  const Rays& baseRays =
      RayTracer::FromSources(faces, emitted, fromSources) ? fromSources : emitted;
  const std::vector<int> roots = RootsOf(baseRays);
  const bool piped = !surfaces.empty() && context.PipeNext(options.drawn);
  const TraceResult result = piped
                                 ? TracePiped(faces, baseRays, roots, options, sink, context.Pipe())
                                 : TraceAlone(faces, baseRays, roots, options, sink);
  context.Remember(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  return result;
}

TraceResult TraceScene(const std::vector<DrawObjectLineDataStruct>& surfaces,
                       const std::vector<DrawBaseRayDataStruct>& baseRays,
                       const TraceOptions& options, ITraceSink& sink) {
  TraceContext alone;
  alone.SetThreads(1);
  return TraceScene(surfaces, baseRays, options, sink, alone);
}
