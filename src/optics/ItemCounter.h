#pragma once
// Passes every item on to another sink and counts the drawn ones.

#include <string>

#include "optics/ITraceSink.h"

class ItemCounter : public ITraceSink {
 public:
  explicit ItemCounter(ITraceSink& sink) : sink_(sink) {}
  long long count = 0;
  // The sink counted for, to hand it items counted by the caller.
  ITraceSink& Inner() { return sink_; }

  void RayPiece(TPointF f, TPointF t, const DrawBaseRayDataStruct& r) override {
    ++count;
    sink_.RayPiece(f, t, r);
  }
  void Arrow(TPointF at, float d, const DrawBaseRayDataStruct& r) override {
    ++count;
    sink_.Arrow(at, d, r);
  }
  void Normal(TPointF n1, TPointF n2) override {
    ++count;
    sink_.Normal(n1, n2);
  }
  void Extension(TPointF f, TPointF t) override {
    ++count;
    sink_.Extension(f, t);
  }
  void AngleLabel(TPointF a, const std::string& text, bool incidence) override {
    ++count;
    sink_.AngleLabel(a, text, incidence);
  }
  void ImagePoint(TPointF at, bool real, const std::string& label) override {
    ++count;
    sink_.ImagePoint(at, real, label);
  }
  void ImageArrow(TPointF f, TPointF s, bool real, int w) override {
    ++count;
    sink_.ImageArrow(f, s, real, w);
  }
  void Origin(int generation, int root) override { sink_.Origin(generation, root); }
  bool Origins() const override { return sink_.Origins(); }
  void Faded(bool faded) override { sink_.Faded(faded); }
  void Hit(TPointF at, double n1, double n2, double t1, double t2) override {
    sink_.Hit(at, n1, n2, t1, t2);
  }

 private:
  ITraceSink& sink_;
};
