#pragma once
// What a trace draws, one call per kind of item, in drawing order. The canvas
// sink paints it; other sinks print or count it.

#include <string>

#include "gfx/TCanvas.h"
#include "optics/DrawBaseRayDataStruct.h"

class ITraceSink {
 public:
  virtual ~ITraceSink() = default;
  // A ray piece from the ray's through point to its hit (or 1000 px out).
  virtual void RayPiece(TPointF from, TPointF to, const DrawBaseRayDataStruct& ray) = 0;
  // Arrowhead at `at` for a ray travelling in `direction` (degrees).
  virtual void Arrow(TPointF at, float direction, const DrawBaseRayDataStruct& ray) = 0;
  // Follows the RayPiece and Arrow of the ray that made the hit.
  virtual void Normal(TPointF n1, TPointF n2) = 0;
  virtual void Extension(TPointF from, TPointF to) = 0;
  // The anchor is the label's centre.
  virtual void AngleLabel(TPointF anchor, const std::string& text, bool incidence) = 0;
  virtual void ImagePoint(TPointF at, bool real, const std::string& label) = 0;
  // Pen width of the image arrow is three times the source's line width.
  virtual void ImageArrow(TPointF first, TPointF second, bool real, int sourceLineWidth) = 0;
  // Where a ray ends on a screen: a small spot in the ray's colour. Drawn
  // after the piece that reaches it.
  virtual void Spot(TPointF /*at*/, const DrawBaseRayDataStruct& /*ray*/) {}

  // Where the items that follow come from: the generation they belong to
  // (1 = the light sources' own rays; a backward extension and an image mark
  // belong to the rays they show) and the root, the first base ray with the
  // same points as the one they descend from, so the colours of one beam
  // share it (-1: an image mark, made of several rays). Told when it
  // changes; only sinks that show part of a trace need it. No drawn item.
  virtual void Origin(int /*generation*/, int /*root*/) {}
  // A hit the ray continues from, in degrees from the normal. n1, n2: the
  // indices on either side of a refracting face (1 outside a medium); a
  // reflection (total internal reflection too) has no indices, both 0.
  // Reported before the hit's extension; no drawn item.
  virtual void Hit(TPointF /*at*/, double /*n1*/, double /*n2*/, double /*theta1*/,
                   double /*theta2*/) {}
  // Follows the Hit of a face that shares the light out: the reflected and
  // the transmitted share of what arrived. No drawn item.
  virtual void Shares(double /*reflected*/, double /*transmitted*/) {}
  // The items that follow are drawn faded (true) or as usual.
  virtual void Faded(bool /*faded*/) {}
};

// A sink that looks only at the ray pieces; every other item passes it by.
class PieceSink : public ITraceSink {
 public:
  void Arrow(TPointF, float, const DrawBaseRayDataStruct&) override {}
  void Normal(TPointF, TPointF) override {}
  void Extension(TPointF, TPointF) override {}
  void AngleLabel(TPointF, const std::string&, bool) override {}
  void ImagePoint(TPointF, bool, const std::string&) override {}
  void ImageArrow(TPointF, TPointF, bool, int) override {}
};
