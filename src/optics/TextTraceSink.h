#pragma once
// Prints every traced item as one tab-separated line (the command-line tool's
// trace output). Coordinates have three decimals, colours are decimal:
//   ray x1 y1 x2 y2 colour blend [brightness]
//                                     (blend 0|1; brightness only below 1)
//   arrow x y direction
//   normal x1 y1 x2 y2
//   extension x1 y1 x2 y2
//   angle x y text incidence|outgoing
//   image x y real|virtual label
//   image-arrow x1 y1 x2 y2 real|virtual
//   spot x y colour [brightness]      (where a ray ends on a screen)

#include <ostream>

#include "optics/ITraceSink.h"

class TextTraceSink : public ITraceSink {
 public:
  explicit TextTraceSink(std::ostream& out) : out_(out) {}

  void RayPiece(TPointF from, TPointF to, const DrawBaseRayDataStruct& ray) override;
  void Arrow(TPointF at, float direction, const DrawBaseRayDataStruct& ray) override;
  void Normal(TPointF n1, TPointF n2) override;
  void Extension(TPointF from, TPointF to) override;
  void AngleLabel(TPointF anchor, const std::string& text, bool incidence) override;
  void ImagePoint(TPointF at, bool real, const std::string& label) override;
  void ImageArrow(TPointF first, TPointF second, bool real, int sourceLineWidth) override;
  void Spot(TPointF at, const DrawBaseRayDataStruct& ray) override;

 private:
  std::ostream& out_;
};
