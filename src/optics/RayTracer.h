#pragma once
// Traces one ray at a time to its nearest hit: what it draws there and the
// ray it continues as. The generations, the image marks and the sharing of
// the work among threads are the caller's (optics/schedule/Tracer.cpp).

#include <array>
#include <bit>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "optics/ItemCounter.h"
#include "optics/PreparedFaces.h"
#include "optics/TLinkIntersection.h"
#include "optics/TraceOptions.h"

class RayTracer {
 public:
  // rawOrigins: tell the sink every origin, even one it was told just before
  // (a recording whose pieces are replayed among others' items).
  RayTracer(const PreparedFaces& faces, const TraceOptions& options, ITraceSink& sink,
            bool rawOrigins = false)
      : surfaces_(faces.Surfaces()),
        lines_(faces.Lines()),
        index_(faces.Index()),
        options_(options),
        sink_(sink),
        rawOrigins_(rawOrigins) {}

  // The generation being traced, and the one its extensions and images belong to.
  void SetGeneration(int generation, int shown) {
    generation_ = generation;
    shown_ = shown;
  }
  int Generation() const { return generation_; }
  int Shown() const { return shown_; }
  // The root of the rays that follow.
  void SetRoot(int root) {
    root_ = root;
    Tag(generation_, root_);
  }

  // Checked before each ray: the next one may test every face.
  bool OverBudget() {
    if (faceTests_ + static_cast<long long>(surfaces_.size()) > options_.maxFaceTests ||
        sink_.count >= options_.maxDrawnItems)
      cut_ = true;
    return cut_;
  }
  // The face tests the last ray made (at least one: a ray whose hit was
  // known costs a little too), and a replayed ray's, counted as made.
  long long LastTests() const { return lastTests_; }
  void CountTests(long long tests) { faceTests_ += tests; }

  // Draws the ray up to its nearest hit and appends the ray it continues as.
  void TraceRay(const DrawBaseRayDataStruct& ray, const RayLine& rayLine,
                std::vector<DrawBaseRayDataStruct>& next, std::vector<RayLine>& nextLines);
  // Point sources and luminous objects draw their rays up to their aim
  // points; a ray with a face between its source and its aim point is traced
  // from the source instead. False when no ray is (out untouched), else out
  // holds the rays to trace.
  static bool FromSources(const PreparedFaces& faces,
                          const std::vector<DrawBaseRayDataStruct>& rays,
                          std::vector<DrawBaseRayDataStruct>& out);
  // A ray in a scene with no faces.
  void Miss(const DrawBaseRayDataStruct& ray);

  // Tells the sink only when the origin of the items changes.
  void Tag(int generation, int root) {
    if (!rawOrigins_ && generation == taggedGeneration_ && root == taggedRoot_) return;
    taggedGeneration_ = generation;
    taggedRoot_ = root;
    sink_.Origin(generation, root);
  }

  ITraceSink& Sink() { return sink_; }
  ItemCounter& Counter() { return sink_; }
  long long Items() const { return sink_.count; }
  TraceResult Result() const { return {cut_, faceTests_, sink_.count}; }

 private:
  // A source's ray with a face between the source and its aim point, traced
  // from the source instead; nothing when no face lies there.
  std::optional<DrawBaseRayDataStruct> FromSource(const DrawBaseRayDataStruct& ray);
  const TLinkIntersection* FindHit(const DrawBaseRayDataStruct& ray, const RayLine& rayLine,
                                   TPointF through);
  const TLinkIntersection* SearchIndex(const DrawBaseRayDataStruct& ray, const RayLine& rayLine,
                                       TPointF through);
  void ReportHit(TPointF h, const DrawObjectLineDataStruct& s, const DrawBaseRayDataStruct& ray,
                 int code, double u, double v, double theta);
  const PolarStep& StraightNormal(const DrawObjectLineDataStruct& s, double v);
  // reflected: set on total internal reflection.
  std::optional<double> Refract(const DrawObjectLineDataStruct& s, const DrawBaseRayDataStruct& ray,
                                int code, double u, double v, bool& reflected);
  // Appends the ray continued from h along theta with `share` of its light,
  // unless that is too little to follow; its extension and label with it.
  // The first ray a face sends on (from a two-sided reflector: it forms no
  // image), or the second of a face that shares the light out (going
  // straight on: without a backward extension).
  enum Branch { kFirst, kTwoSided, kSecond, kStraightOn };
  void Continue(const DrawBaseRayDataStruct& ray, TPointF h, std::size_t face, double theta,
                double share, Branch branch, float nA, float nB,
                std::vector<DrawBaseRayDataStruct>& next, std::vector<RayLine>& nextLines);
  std::optional<double> ThinLens(const DrawObjectLineDataStruct& s,
                                 const DrawBaseRayDataStruct& ray, TPointF h);
  void IncidenceLabel(TPointF h, TPointF through, float nA, float nB);
  void OutgoingLabel(TPointF h, double theta, float nA, float nB);
  void NormalLabel(TPointF h, float direction, float gA, float gB, float nA, float nB,
                   bool incidence);

  const std::vector<DrawObjectLineDataStruct>& surfaces_;
  const std::vector<SurfaceLine>& lines_;  // one per surface
  const FaceIndex& index_;
  const TraceOptions& options_;
  ItemCounter sink_;
  bool rawOrigins_;
  std::vector<TLinkIntersection> hits_;
  TLinkIntersection nearest_{};  // NearestOfEvery's answer
  // The latest search: its ray's points and its hit (into hits_, or nearest_).
  std::array<std::uint32_t, 4> lastKey_{};
  const TLinkIntersection* lastHit_ = nullptr;
  bool lastValid_ = false;
  std::vector<std::optional<PolarStep>> normals_;  // of straight faces, once met
  // Rays of one bundle leave their faces in the same direction, generation
  // after generation.
  class LastStep {
   public:
    const PolarStep& Of(double angle) {
      if (!valid_ || std::bit_cast<std::uint64_t>(angle) != bits_) {
        step_ = StepOf(angle);
        bits_ = std::bit_cast<std::uint64_t>(angle);
        valid_ = true;
      }
      return step_;
    }

   private:
    PolarStep step_;
    std::uint64_t bits_ = 0;
    bool valid_ = false;
  } outStep_;
  int generation_ = 0, shown_ = 0, root_ = -1;
  int taggedGeneration_ = 0, taggedRoot_ = -1;  // what the sink was last told
  long long faceTests_ = 0, lastTests_ = 0;
  bool cut_ = false;
};
