#include "optics/Tracer.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cassert>
#include <chrono>
#include <cstdint>
#include <map>
#include <span>
#include <utility>

#include "gfx/VectorState.h"
#include "optics/ImageMarks.h"
#include "optics/RayTracer.h"
#include "optics/TraceContext.h"
#include "optics/TracePipe.h"
#include "optics/TraceShare.h"
#include "optics/TraceWorkers.h"

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
    next.reserve(rays.size());  // at most one continuation per ray
    nextLines.reserve(rays.size());
    nextRoots.reserve(rays.size());
    for (std::size_t i = 0; i < rays.size(); ++i) {
      if (!hooks.BeforeRay()) {
        hooks.Retire(current);
        return;
      }
      const DrawBaseRayDataStruct& ray = rays[i];
      tracer.SetRoot(currentRoots[i]);
      const std::size_t before = next.size();
      if (derived) {
        tracer.TraceRay(ray, currentLines[i], next, nextLines);
      } else {
        tracer.TraceRay(ray, PrepareRay(ray), next, nextLines);
      }
      if (next.size() > before) nextRoots.push_back(currentRoots[i]);
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
  void EndGeneration(const Rays& next) {
    tracer.Tag(tracer.Shown(), -1);
    images.Clear();
    images.Add(next);
    MarkImages(images, tracer);
  }
  void Retire(Rays&) {}  // reused for the generation after next
};

// A share of a shared trace: the rays and the calls are kept for the replay.
// Its own items and face tests are no more than those of the whole trace up
// to the same ray, so where its bounds stop it, the whole trace has stopped.
struct Recording {
  RayTracer& tracer;
  TraceShare& share;

  bool BeforeRay() {
    if (tracer.OverBudget()) {
      share.stopped = true;
      return false;
    }
    share.recorder.MarkRay();
    return true;
  }
  void EndGeneration(const Rays& next) {
    TraceShare::Generation generation;
    generation.end = share.recorder.Size();
    generation.images.Add(next);
    share.generations.push_back(std::move(generation));
  }
  void Retire(Rays& rays) {
    if (!rays.empty()) share.rays.push_back(std::exchange(rays, {}));
  }
};

// The tracing side of a piped trace: its calls go out a run of rays at a
// time, with where each generation ends and the rays that may mark images.
struct Piping {
  RayTracer& tracer;
  TraceShare& share;  // the recording and the rays it points to
  TracePipe& pipe;
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
    handed.calls.Swap(share.recorder);  // leaves the recorder empty
    pipe.Publish(handed);
    segment = nullptr;
  }
  bool BeforeRay() {
    if (tracer.OverBudget()) {
      share.stopped = true;
      return false;
    }
    if (share.recorder.Size() >= kSegmentCalls) HandOn();
    share.recorder.MarkRay();
    return true;
  }
  void EndGeneration(const Rays& next) {
    Current().EndGeneration(share.recorder.Size()).images.Add(next);
  }
  void Retire(Rays& rays) {
    if (!rays.empty()) share.rays.push_back(std::exchange(rays, {}));
  }
  void Finish() {
    Current().stopped = share.stopped;
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

// Every share is a run of consecutive base rays, traced by one of the threads
// into its recording; the recordings are then handed on generation by
// generation, share by share,
// which is the order of a trace on one thread, with the image marks and the
// work bounds decided on the way as that trace decides them.
TraceResult TraceShared(const PreparedFaces& faces, const Rays& baseRays,
                        const std::vector<int>& roots, const TraceOptions& options,
                        ITraceSink& sink, TraceContext& context, TraceWorkers& workers, int count) {
  auto& shares = context.Shares(count);
  const std::span<const DrawBaseRayDataStruct> all = baseRays;
  const std::span<const int> allRoots = roots;
  workers.Run(count, [&](int s) {
    TraceShare& share = *shares[std::size_t(s)];
    share.Clear();
    const std::size_t begin = baseRays.size() * std::size_t(s) / std::size_t(count);
    const std::size_t end = baseRays.size() * std::size_t(s + 1) / std::size_t(count);
    RayTracer tracer(faces, options, share.recorder, true);
    Recording hooks{tracer, share};
    RunGenerations(tracer, all.subspan(begin, end - begin), allRoots.subspan(begin, end - begin),
                   options.maxGenerations, false, hooks);
    if (share.stopped) share.generations.push_back({share.recorder.Size(), {}});
  });

  RayTracer tracer(faces, options, sink);
  ImageCandidates images;
  for (std::size_t g = 0;; ++g) {
    if (std::none_of(shares.begin(), shares.begin() + count,
                     [g](const auto& share) { return g < share->generations.size(); }))
      break;
    const int generation = int(g) + 1;
    tracer.SetGeneration(generation,
                         generation < options.maxGenerations ? generation + 1 : generation);
    images.Clear();
    for (int s = 0; s < count; ++s) {
      const TraceShare& share = *shares[std::size_t(s)];
      if (g >= share.generations.size()) continue;  // its rays have ended
      const std::size_t begin = g == 0 ? 0 : share.generations[g - 1].end;
      if (!share.recorder.Replay(begin, share.generations[g].end, tracer)) return tracer.Result();
      if (share.stopped && g + 1 == share.generations.size()) {
        // The ray the share stopped before is the next of the whole trace.
        [[maybe_unused]] const bool over = tracer.OverBudget();
        assert(over);
        TraceResult result = tracer.Result();
        result.cut = true;
        return result;
      }
      images.Append(share.generations[g].images);
    }
    tracer.Tag(tracer.Shown(), -1);
    MarkImages(images, tracer);
  }
  return tracer.Result();
}

// One thread traces into the pipe while this one hands the calls on to the
// sink as they come, in the order and with the image marks and work bounds
// of a trace on one thread (the tracing side stops where that trace stops).
TraceResult TracePiped(const PreparedFaces& faces, const Rays& baseRays,
                       const std::vector<int>& roots, const TraceOptions& options, ITraceSink& sink,
                       TraceContext& context, TraceWorkers& workers) {
  TracePipe& pipe = context.Pipe();
  pipe.Open();
  TraceShare& share = *context.Shares(1)[0];
  share.Clear();
  TraceResult result;
  auto trace = [&] {
    struct CloseAtEnd {
      TracePipe& pipe;
      ~CloseAtEnd() { pipe.Close(); }  // also when tracing fails
    } close{pipe};
    RayTracer tracer(faces, options, share.recorder, true);
    Piping hooks{tracer, share, pipe};
    RunGenerations(tracer, baseRays, roots, options.maxGenerations, false, hooks);
    hooks.Finish();
  };
  auto draw = [&] {
    sink.Beside(true);
    bool beside = true;
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
      if (beside && pipe.Closed()) {
        sink.Beside(false);  // the helper's core is free again
        beside = false;
      }
    }
    result = tracer.Result();
  };
  // This thread draws (task 0: the sink stays on it); a helper traces. The
  // round stays open while drawing waits for the trace, so a helper comes.
  workers.Run(
      2, [&](int task) { task == 1 ? trace() : draw(); }, true);
  return result;
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
  // A few shares per thread, taken in turn: some base rays bounce far longer
  // than others, and a thread that wakes late finds less left to do.
  constexpr std::size_t kSharesPerThread = 4;
  const int shares = context.ShareNext() && !surfaces.empty()
                         ? static_cast<int>(std::min(
                               std::size_t(context.Threads()) * kSharesPerThread, baseRays.size()))
                         : 1;
  const bool piped = shares == 1 && !surfaces.empty() && context.PipeNext(sink.Slow());
  TraceWorkers* workers = shares > 1 || piped ? context.Workers() : nullptr;

  const TraceResult result =
      !workers ? TraceAlone(faces, baseRays, roots, options, sink)
      : piped  ? TracePiped(faces, baseRays, roots, options, sink, context, *workers)
               : TraceShared(faces, baseRays, roots, options, sink, context, *workers, shares);
  context.Remember(surfaces.empty() ? static_cast<long long>(baseRays.size())
                                    : result.faceTests / static_cast<long long>(surfaces.size()),
                   result.cut, workers ? shares : 1,
                   std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  return result;
}

TraceResult TraceScene(const std::vector<DrawObjectLineDataStruct>& surfaces,
                       const std::vector<DrawBaseRayDataStruct>& baseRays,
                       const TraceOptions& options, ITraceSink& sink) {
  TraceContext alone;
  alone.SetThreads(1);
  return TraceScene(surfaces, baseRays, options, sink, alone);
}
