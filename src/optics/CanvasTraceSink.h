#pragma once
// Paints traced items onto a canvas with the page's pens.

#include <cmath>

#include "gfx/TCanvas.h"
#include "optics/ITraceSink.h"
#include "optics/TraceOptions.h"

class CanvasTraceSink : public ITraceSink {
 public:
  // The canvas is held in one drawing batch while the sink lives: nothing
  // else should paint on it meanwhile, and the picture is complete only when
  // the sink ends (a batch paints when it closes).
  CanvasTraceSink(TCanvas& canvas, const TraceOptions& options);
  ~CanvasTraceSink() override;
  CanvasTraceSink(const CanvasTraceSink&) = delete;
  CanvasTraceSink& operator=(const CanvasTraceSink&) = delete;

  void RayPiece(TPointF from, TPointF to, const DrawBaseRayDataStruct& ray) override;
  void Arrow(TPointF at, float direction, const DrawBaseRayDataStruct& ray) override;
  void Normal(TPointF n1, TPointF n2) override;
  void Extension(TPointF from, TPointF to) override;
  void AngleLabel(TPointF anchor, const std::string& text, bool incidence) override;
  void ImagePoint(TPointF at, bool real, const std::string& label) override;
  void ImageArrow(TPointF first, TPointF second, bool real, int sourceLineWidth) override;
  void Spot(TPointF at, const DrawBaseRayDataStruct& ray) override;
  // Faded items keep a quarter of their colour over the background.
  void Faded(bool faded) override { faded_ = faded; }
  void SetBackground(TColor background) { background_ = background; }

 private:
  TColor Shade(TColor colour) const;
  bool HighQuality(bool blend) const { return options_.highQuality && !blend; }
  // A solid line with the pen as it stands, or anti-aliased when asked.
  void Stroke(TPointF from, TPointF to, TColor colour, int width, bool highQuality);
  void ImageDot(TPointF at, TColor colour);
  void Label(TPointF at, const std::string& text, TColor colour);

  TCanvas& canvas_;
  TraceOptions options_;
  bool Spent() const;
  struct Wings {
    TPointF at{NAN, NAN};  // equal to no point: none worked out yet
    float direction = 0;
    double length = 0;
    TPointF left, right;
  } wings_;                 // of the latest ray arrow
  bool lastBlend_ = false;  // of the latest ray piece: normals follow its choice
  bool faded_ = false;
  TColor background_ = 0;
  TPen savedPen_;
  TBrush savedBrush_;
  TFont savedFont_;
};

// Sends every item to two sinks.
class TeeTraceSink : public ITraceSink {
 public:
  TeeTraceSink(ITraceSink& a, ITraceSink& b) : a_(a), b_(b) {}
  void RayPiece(TPointF f, TPointF t, const DrawBaseRayDataStruct& r) override {
    a_.RayPiece(f, t, r);
    b_.RayPiece(f, t, r);
  }
  void Arrow(TPointF at, float d, const DrawBaseRayDataStruct& r) override {
    a_.Arrow(at, d, r);
    b_.Arrow(at, d, r);
  }
  void Normal(TPointF n1, TPointF n2) override {
    a_.Normal(n1, n2);
    b_.Normal(n1, n2);
  }
  void Extension(TPointF f, TPointF t) override {
    a_.Extension(f, t);
    b_.Extension(f, t);
  }
  void AngleLabel(TPointF a, const std::string& text, bool incidence) override {
    a_.AngleLabel(a, text, incidence);
    b_.AngleLabel(a, text, incidence);
  }
  void ImagePoint(TPointF at, bool real, const std::string& label) override {
    a_.ImagePoint(at, real, label);
    b_.ImagePoint(at, real, label);
  }
  void ImageArrow(TPointF f, TPointF s, bool real, int w) override {
    a_.ImageArrow(f, s, real, w);
    b_.ImageArrow(f, s, real, w);
  }
  void Origin(int generation, int root) override {
    a_.Origin(generation, root);
    b_.Origin(generation, root);
  }
  void Faded(bool faded) override {
    a_.Faded(faded);
    b_.Faded(faded);
  }
  void Hit(TPointF at, double n1, double n2, double t1, double t2) override {
    a_.Hit(at, n1, n2, t1, t2);
    b_.Hit(at, n1, n2, t1, t2);
  }
  void Spot(TPointF at, const DrawBaseRayDataStruct& r) override {
    a_.Spot(at, r);
    b_.Spot(at, r);
  }
  void Shares(double reflected, double transmitted) override {
    a_.Shares(reflected, transmitted);
    b_.Shares(reflected, transmitted);
  }

 private:
  ITraceSink& a_;
  ITraceSink& b_;
};
