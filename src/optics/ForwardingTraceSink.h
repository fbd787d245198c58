#pragma once
// Passes every call on to another sink: a sink that changes a few calls on
// their way derives from it and overrides only those.

#include <string>

#include "optics/ITraceSink.h"

class ForwardingTraceSink : public ITraceSink {
 public:
  explicit ForwardingTraceSink(ITraceSink& target) : target_(target) {}
  ITraceSink& Target() { return target_; }

  void RayPiece(TPointF from, TPointF to, const DrawBaseRayDataStruct& ray) override {
    target_.RayPiece(from, to, ray);
  }
  void Arrow(TPointF at, float direction, const DrawBaseRayDataStruct& ray) override {
    target_.Arrow(at, direction, ray);
  }
  void Normal(TPointF n1, TPointF n2) override { target_.Normal(n1, n2); }
  void Extension(TPointF from, TPointF to) override { target_.Extension(from, to); }
  void AngleLabel(TPointF anchor, const std::string& text, bool incidence) override {
    target_.AngleLabel(anchor, text, incidence);
  }
  void ImagePoint(TPointF at, bool real, const std::string& label) override {
    target_.ImagePoint(at, real, label);
  }
  void ImageArrow(TPointF first, TPointF second, bool real, int sourceLineWidth) override {
    target_.ImageArrow(first, second, real, sourceLineWidth);
  }
  void Spot(TPointF at, const DrawBaseRayDataStruct& ray) override { target_.Spot(at, ray); }
  void Origin(int generation, int root) override { target_.Origin(generation, root); }
  void Hit(TPointF at, double n1, double n2, double theta1, double theta2) override {
    target_.Hit(at, n1, n2, theta1, theta2);
  }
  void Shares(double reflected, double transmitted) override {
    target_.Shares(reflected, transmitted);
  }
  void Faded(bool faded) override { target_.Faded(faded); }

 private:
  ITraceSink& target_;
};
