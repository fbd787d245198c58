#pragma once
// Shows part of a trace: the generations up to a step, and one followed ray
// in full over the others faded. Items pass on in their order, so with
// nothing asked of it the target sees exactly the whole trace.

#include <vector>

#include "optics/ForwardingTraceSink.h"

struct TraceView {
  int maxGeneration = 0;  // 0: every generation
  int followedRoot = -1;  // -1: no ray followed
  // Angle labels of the rays not followed are shown only when the page
  // asks for them (the followed one always shows its own).
  bool otherAngles = false;
  // Label every hit of the followed ray with the law it obeys.
  bool lawLabels = false;
  bool Active() const { return maxGeneration > 0 || followedRoot >= 0; }
};

class TraceFilter : public ForwardingTraceSink {
 public:
  TraceFilter(ITraceSink& target, const TraceView& view)
      : ForwardingTraceSink(target), view_(view) {}
  ~TraceFilter() override { Flush(); }
  // Hands on the followed ray's angle labels still held (see AngleLabel).
  void Flush();

  // The highest generation of any item traced, shown or not.
  int Generations() const { return generations_; }
  struct HitLaw {
    TPointF at;
    double n1, n2, theta1, theta2;  // n1 = n2 = 0: a reflection
    int generation = 0;
    // The shares of the light reflected and sent on, where a face divides
    // it (a beam splitter, partial reflection); else negative.
    double reflected = -1, transmitted = -1;
  };
  // The shown hits of the followed ray.
  const std::vector<HitLaw>& FollowedHits() const { return hits_; }

  void RayPiece(TPointF from, TPointF to, const DrawBaseRayDataStruct& ray) override;
  void Arrow(TPointF at, float direction, const DrawBaseRayDataStruct& ray) override;
  void Normal(TPointF n1, TPointF n2) override;
  void Extension(TPointF from, TPointF to) override;
  void AngleLabel(TPointF anchor, const std::string& text, bool incidence) override;
  void ImagePoint(TPointF at, bool real, const std::string& label) override;
  void ImageArrow(TPointF first, TPointF second, bool real, int sourceLineWidth) override;
  void Origin(int generation, int root) override;
  void Hit(TPointF at, double n1, double n2, double theta1, double theta2) override;
  void Shares(double reflected, double transmitted) override;
  void Spot(TPointF at, const DrawBaseRayDataStruct& ray) override;

 private:
  // Whether the item that follows is shown; sets the target's fading for it.
  bool Shows(bool angleLabel = false);
  void SetFaded(bool faded);

  // The colours of a followed white ray leave a face side by side: their
  // angle labels at one spot are held until the generation ends and shown
  // as one, with the range of the colours' angles.
  struct HeldLabel {
    TPointF anchor;
    bool incidence;
    float low, high;
    std::string lowText, highText;
  };
  std::vector<HeldLabel> held_;

  TraceView view_;
  int generation_ = 1, root_ = -1;
  int generations_ = 0;
  bool faded_ = false;
  std::vector<HitLaw> hits_;
  bool lastHitKept_ = false;  // the latest Hit went into hits_
};
