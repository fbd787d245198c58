#pragma once
// Keeps the calls a share of a trace makes, to hand them on later among the
// calls of the other shares in the order of a trace on one thread.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "optics/ITraceSink.h"

class RayTracer;

class TraceRecorder : public ITraceSink {
 public:
  void Clear();
  std::size_t Size() const { return events_.size(); }
  void Swap(TraceRecorder& other) noexcept {
    events_.swap(other.events_);
    texts_.swap(other.texts_);
    laws_.swap(other.laws_);
  }
  // The calls of a traced ray follow.
  void MarkRay() {
    rayMark_ = events_.size();
    events_.push_back({Kind::kRay});
  }
  // The face tests of the ray last marked, counted again on replay.
  void RayTests(long long tests) {
    events_[rayMark_].angle = static_cast<float>(std::min<long long>(tests, 1 << 24));
  }

  // Hands the calls [begin, end) on to the tracer's sink, its origins through
  // the tracer (which leaves out the repeated ones) and checks the tracer's
  // work bounds before every ray. False when they stopped the trace.
  bool Replay(std::size_t begin, std::size_t end, RayTracer& tracer) const;

  void RayPiece(TPointF from, TPointF to, const DrawBaseRayDataStruct& ray) override;
  void Arrow(TPointF at, float direction, const DrawBaseRayDataStruct& ray) override;
  void Normal(TPointF n1, TPointF n2) override;
  void Extension(TPointF from, TPointF to) override;
  void AngleLabel(TPointF anchor, const std::string& text, bool incidence) override;
  void ImagePoint(TPointF at, bool real, const std::string& label) override;
  void ImageArrow(TPointF first, TPointF second, bool real, int sourceLineWidth) override;
  void Spot(TPointF at, const DrawBaseRayDataStruct& ray) override;
  void Shares(double reflected, double transmitted) override;
  void Origin(int generation, int root) override;
  void Hit(TPointF at, double n1, double n2, double theta1, double theta2) override;
  void Faded(bool faded) override;

 private:
  enum class Kind : std::uint8_t {
    kRay,
    kRayPiece,
    kArrow,
    kNormal,
    kExtension,
    kAngleLabel,
    kImagePoint,
    kImageArrow,
    kOrigin,
    kHit,
    kFaded,
    kSpot,
    kShares,
  };
  // Small, as a busy trace keeps tens of thousands: what does not fit
  // (texts, the law at a hit) lies beside the list, `a` indexing it. Calls
  // that always come in pairs share an event: a ray's mark and its origin,
  // a ray piece and its arrow (flag), an origin and the extension after it
  // (flag).
  struct Event {
    Kind kind;
    bool flag = false;
    std::int32_t a = 0, b = 0;
    float angle = 0;  // a ray's mark: its face tests, whole numbers exact to 2^24
    TPointF p{}, q{}, r{};
    const DrawBaseRayDataStruct* ray = nullptr;
  };
  struct HitLaw {
    double n1, n2, theta1, theta2;
  };
  std::vector<Event> events_;
  std::size_t rayMark_ = 0;
  std::vector<std::string> texts_;
  std::vector<HitLaw> laws_;
};
