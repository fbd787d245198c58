#include "optics/schedule/TraceRecorder.h"

#include "optics/RayTracer.h"

void TraceRecorder::Clear() {
  events_.clear();
  texts_.clear();
  laws_.clear();
}

void TraceRecorder::RayPiece(TPointF from, TPointF to, const DrawBaseRayDataStruct& ray) {
  events_.push_back({Kind::kRayPiece, false, 0, 0, 0, from, to, {}, &ray});
}
void TraceRecorder::Arrow(TPointF at, float direction, const DrawBaseRayDataStruct& ray) {
  if (!events_.empty()) {
    Event& last = events_.back();
    if (last.kind == Kind::kRayPiece && !last.flag && last.ray == &ray) {
      last.flag = true;
      last.angle = direction;
      last.r = at;
      return;
    }
  }
  events_.push_back({Kind::kArrow, false, 0, 0, direction, at, {}, {}, &ray});
}
void TraceRecorder::Normal(TPointF n1, TPointF n2) {
  events_.push_back({Kind::kNormal, false, 0, 0, 0, n1, n2});
}
void TraceRecorder::Extension(TPointF from, TPointF to) {
  if (!events_.empty() && events_.back().kind == Kind::kOrigin) {
    Event& last = events_.back();
    last = {Kind::kExtension, true, last.a, last.b, 0, from, to};
    return;
  }
  events_.push_back({Kind::kExtension, false, 0, 0, 0, from, to});
}
void TraceRecorder::AngleLabel(TPointF anchor, const std::string& text, bool incidence) {
  events_.push_back({Kind::kAngleLabel, incidence, std::int32_t(texts_.size()), 0, 0, anchor});
  texts_.push_back(text);
}
void TraceRecorder::ImagePoint(TPointF at, bool real, const std::string& label) {
  events_.push_back({Kind::kImagePoint, real, std::int32_t(texts_.size()), 0, 0, at});
  texts_.push_back(label);
}
void TraceRecorder::ImageArrow(TPointF first, TPointF second, bool real, int sourceLineWidth) {
  events_.push_back({Kind::kImageArrow, real, sourceLineWidth, 0, 0, first, second});
}
void TraceRecorder::Origin(int generation, int root) {
  // A ray's calls begin with its origin: kept in its mark.
  if (!events_.empty() && events_.back().kind == Kind::kRay && !events_.back().flag) {
    events_.back().flag = true;
    events_.back().a = generation;
    events_.back().b = root;
    return;
  }
  events_.push_back({Kind::kOrigin, false, generation, root});
}
void TraceRecorder::Hit(TPointF at, double n1, double n2, double theta1, double theta2) {
  events_.push_back({Kind::kHit, false, std::int32_t(laws_.size()), 0, 0, at});
  laws_.push_back({n1, n2, theta1, theta2});
}
void TraceRecorder::Spot(TPointF at, const DrawBaseRayDataStruct& ray) {
  events_.push_back({Kind::kSpot, false, 0, 0, 0, at, {}, {}, &ray});
}
void TraceRecorder::Shares(double reflected, double transmitted) {
  events_.push_back({Kind::kShares, false, std::int32_t(laws_.size())});
  laws_.push_back({reflected, transmitted, 0, 0});
}
void TraceRecorder::Faded(bool faded) { events_.push_back({Kind::kFaded, faded}); }

bool TraceRecorder::Replay(std::size_t begin, std::size_t end, RayTracer& tracer) const {
  // Counted here rather than through the tracer's counter, a call less per item.
  ItemCounter& counter = tracer.Counter();
  ITraceSink& sink = counter.Inner();
  for (std::size_t i = begin; i < end; ++i) {
    const Event& e = events_[i];
    switch (e.kind) {
      case Kind::kRay:
        if (tracer.OverBudget()) return false;
        tracer.CountTests(static_cast<long long>(e.angle));
        if (e.flag) tracer.Tag(e.a, e.b);
        break;
      case Kind::kRayPiece:
        ++counter.count;
        sink.RayPiece(e.p, e.q, *e.ray);
        if (e.flag) {
          ++counter.count;
          sink.Arrow(e.r, e.angle, *e.ray);
        }
        break;
      case Kind::kArrow:
        ++counter.count;
        sink.Arrow(e.p, e.angle, *e.ray);
        break;
      case Kind::kNormal:
        ++counter.count;
        sink.Normal(e.p, e.q);
        break;
      case Kind::kExtension:
        if (e.flag) tracer.Tag(e.a, e.b);
        ++counter.count;
        sink.Extension(e.p, e.q);
        break;
      case Kind::kAngleLabel:
        ++counter.count;
        sink.AngleLabel(e.p, texts_[std::size_t(e.a)], e.flag);
        break;
      case Kind::kImagePoint:
        ++counter.count;
        sink.ImagePoint(e.p, e.flag, texts_[std::size_t(e.a)]);
        break;
      case Kind::kImageArrow:
        ++counter.count;
        sink.ImageArrow(e.p, e.q, e.flag, e.a);
        break;
      case Kind::kOrigin:
        tracer.Tag(e.a, e.b);
        break;
      case Kind::kHit: {
        const HitLaw& law = laws_[std::size_t(e.a)];
        sink.Hit(e.p, law.n1, law.n2, law.theta1, law.theta2);
        break;
      }
      case Kind::kFaded:
        sink.Faded(e.flag);
        break;
      case Kind::kSpot:
        ++counter.count;
        sink.Spot(e.p, *e.ray);
        break;
      case Kind::kShares: {
        const HitLaw& shares = laws_[std::size_t(e.a)];
        sink.Shares(shares.n1, shares.n2);
        break;
      }
    }
  }
  return true;
}
