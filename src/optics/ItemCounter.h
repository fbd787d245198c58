#pragma once
// Passes every item on to another sink and counts the drawn ones.

#include <string>

#include "optics/ForwardingTraceSink.h"

class ItemCounter : public ForwardingTraceSink {
 public:
  explicit ItemCounter(ITraceSink& sink) : ForwardingTraceSink(sink) {}
  long long count = 0;
  // The sink counted for, to hand it items counted by the caller.
  ITraceSink& Inner() { return Target(); }

  void RayPiece(TPointF f, TPointF t, const DrawBaseRayDataStruct& r) override {
    ++count;
    Target().RayPiece(f, t, r);
  }
  void Arrow(TPointF at, float d, const DrawBaseRayDataStruct& r) override {
    ++count;
    Target().Arrow(at, d, r);
  }
  void Normal(TPointF n1, TPointF n2) override {
    ++count;
    Target().Normal(n1, n2);
  }
  void Extension(TPointF f, TPointF t) override {
    ++count;
    Target().Extension(f, t);
  }
  void AngleLabel(TPointF a, const std::string& text, bool incidence) override {
    ++count;
    Target().AngleLabel(a, text, incidence);
  }
  void ImagePoint(TPointF at, bool real, const std::string& label) override {
    ++count;
    Target().ImagePoint(at, real, label);
  }
  void ImageArrow(TPointF f, TPointF s, bool real, int w) override {
    ++count;
    Target().ImageArrow(f, s, real, w);
  }
  void Spot(TPointF at, const DrawBaseRayDataStruct& r) override {
    ++count;
    Target().Spot(at, r);
  }
};
