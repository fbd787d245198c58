#pragma once
// Keeps every traced item as a JSON object (the command-line tool's
// `trace --json`), with the same numbers as TextTraceSink's lines, three
// decimals, and the unit in each key's name:
//   {"kind": "ray", "x1_px", "y1_px", "x2_px", "y2_px", "colour_bgr", "blend"}
//   {"kind": "arrow", "x_px", "y_px", "direction_deg"}
//   {"kind": "normal" | "extension", "x1_px", "y1_px", "x2_px", "y2_px"}
//   {"kind": "angle", "x_px", "y_px", "text", "incidence"}
//   {"kind": "image", "x_px", "y_px", "real", "label"}
//   {"kind": "image-arrow", "x1_px", "y1_px", "x2_px", "y2_px", "real"}

#include <QJsonArray>

#include "optics/ITraceSink.h"

class JsonTraceSink : public ITraceSink {
 public:
  const QJsonArray& Items() const { return items_; }
  long long RayPieces() const { return rayPieces_; }

  void RayPiece(TPointF from, TPointF to, const DrawBaseRayDataStruct& ray) override;
  void Arrow(TPointF at, float direction, const DrawBaseRayDataStruct& ray) override;
  void Normal(TPointF n1, TPointF n2) override;
  void Extension(TPointF from, TPointF to) override;
  void AngleLabel(TPointF anchor, const std::string& text, bool incidence) override;
  void ImagePoint(TPointF at, bool real, const std::string& label) override;
  void ImageArrow(TPointF first, TPointF second, bool real, int sourceLineWidth) override;
  void Spot(TPointF at, const DrawBaseRayDataStruct& ray) override;

 private:
  QJsonArray items_;
  long long rayPieces_ = 0;
};
