#include "optics/TraceFilter.h"

#include <algorithm>
#include <cstdlib>

#include "optics/PlaneMath.h"

namespace {
constexpr float kSameLabel = 12;  // pixels between anchors of one spot's labels
}  // namespace

void TraceFilter::Origin(int generation, int root) {
  if (generation != generation_) Flush();
  generation_ = generation;
  root_ = root;
  Target().Origin(generation, root);
}

bool TraceFilter::Shows(bool angleLabel) {
  generations_ = std::max(generations_, generation_);
  if (view_.maxGeneration > 0 && generation_ > view_.maxGeneration) return false;
  const bool other = view_.followedRoot >= 0 && root_ >= 0 && root_ != view_.followedRoot;
  if (other && angleLabel && !view_.otherAngles) return false;
  SetFaded(other);
  return true;
}

void TraceFilter::SetFaded(bool faded) {
  if (faded == faded_) return;
  faded_ = faded;
  Target().Faded(faded);
}

void TraceFilter::Flush() {
  if (held_.empty()) return;
  const bool faded = faded_;
  SetFaded(false);
  for (const HeldLabel& l : held_)
    Target().AngleLabel(
        l.anchor, l.lowText == l.highText ? l.lowText : l.lowText + "–" + l.highText, l.incidence);
  held_.clear();
  SetFaded(faded);
}

void TraceFilter::RayPiece(TPointF from, TPointF to, const DrawBaseRayDataStruct& ray) {
  if (Shows()) Target().RayPiece(from, to, ray);
}

void TraceFilter::Arrow(TPointF at, float direction, const DrawBaseRayDataStruct& ray) {
  if (Shows()) Target().Arrow(at, direction, ray);
}

void TraceFilter::Normal(TPointF n1, TPointF n2) {
  if (Shows()) Target().Normal(n1, n2);
}

void TraceFilter::Extension(TPointF from, TPointF to) {
  if (Shows()) Target().Extension(from, to);
}

void TraceFilter::AngleLabel(TPointF anchor, const std::string& text, bool incidence) {
  if (!Shows(true)) return;
  if (view_.followedRoot < 0 || root_ != view_.followedRoot) {
    Target().AngleLabel(anchor, text, incidence);
    return;
  }
  const float value = std::strtof(text.c_str(), nullptr);
  for (HeldLabel& l : held_) {
    if (l.incidence != incidence || Distance(l.anchor, anchor) > kSameLabel) continue;
    if (value < l.low) {
      l.low = value;
      l.lowText = text;
    }
    if (value > l.high) {
      l.high = value;
      l.highText = text;
    }
    return;
  }
  held_.push_back({anchor, incidence, value, value, text, text});
}

void TraceFilter::ImagePoint(TPointF at, bool real, const std::string& label) {
  if (Shows()) Target().ImagePoint(at, real, label);
}

void TraceFilter::ImageArrow(TPointF first, TPointF second, bool real, int sourceLineWidth) {
  if (Shows()) Target().ImageArrow(first, second, real, sourceLineWidth);
}

void TraceFilter::Spot(TPointF at, const DrawBaseRayDataStruct& ray) {
  if (Shows()) Target().Spot(at, ray);
}

void TraceFilter::Hit(TPointF at, double n1, double n2, double theta1, double theta2) {
  Target().Hit(at, n1, n2, theta1, theta2);
  lastHitKept_ = false;
  if (view_.followedRoot < 0 || root_ != view_.followedRoot) return;
  if (view_.maxGeneration > 0 && generation_ > view_.maxGeneration) return;
  hits_.push_back({at, n1, n2, theta1, theta2, generation_});
  lastHitKept_ = true;
}

void TraceFilter::Shares(double reflected, double transmitted) {
  Target().Shares(reflected, transmitted);
  if (!lastHitKept_) return;
  hits_.back().reflected = reflected;
  hits_.back().transmitted = transmitted;
}
