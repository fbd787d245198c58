#pragma once
// Keeps every traced item as numbers, in drawing order.

#include <algorithm>
#include <string>
#include <vector>

#include "optics/ITraceSink.h"

struct TraceItem {
  enum Kind { Ray, Arrow, Normal, Extension, Angle, Image, ImageArrow, Spot };
  Kind kind;
  TPointF a;  // from / at / n1 / anchor / first image
  TPointF b;  // to / n2 / second image
  float direction = 0;
  DrawBaseRayDataStruct ray;  // rays and arrows
  std::string text;           // angle text, image label
  bool flag = false;          // incidence, real image
  int lineWidth = 0;          // image arrow: the source's line width

  TraceItem(Kind k, TPointF first, TPointF second) : kind(k), a(first), b(second) {}
};

class RecordingTraceSink : public ITraceSink {
 public:
  std::vector<TraceItem> items;

  void RayPiece(TPointF from, TPointF to, const DrawBaseRayDataStruct& ray) override {
    TraceItem item{TraceItem::Ray, from, to};
    item.ray = ray;
    items.push_back(std::move(item));
  }
  void Arrow(TPointF at, float direction, const DrawBaseRayDataStruct& ray) override {
    TraceItem item{TraceItem::Arrow, at, at};
    item.direction = direction;
    item.ray = ray;
    items.push_back(std::move(item));
  }
  void Normal(TPointF n1, TPointF n2) override {
    items.push_back(TraceItem{TraceItem::Normal, n1, n2});
  }
  void Extension(TPointF from, TPointF to) override {
    items.push_back(TraceItem{TraceItem::Extension, from, to});
  }
  void AngleLabel(TPointF anchor, const std::string& text, bool incidence) override {
    TraceItem item{TraceItem::Angle, anchor, anchor};
    item.text = text;
    item.flag = incidence;
    items.push_back(std::move(item));
  }
  void ImagePoint(TPointF at, bool real, const std::string& label) override {
    TraceItem item{TraceItem::Image, at, at};
    item.text = label;
    item.flag = real;
    items.push_back(std::move(item));
  }
  void ImageArrow(TPointF first, TPointF second, bool real, int sourceLineWidth) override {
    TraceItem item{TraceItem::ImageArrow, first, second};
    item.flag = real;
    item.lineWidth = sourceLineWidth;
    items.push_back(std::move(item));
  }

  void Spot(TPointF at, const DrawBaseRayDataStruct& ray) override {
    TraceItem item{TraceItem::Spot, at, at};
    item.ray = ray;
    items.push_back(std::move(item));
  }

  std::vector<TraceItem> Of(TraceItem::Kind kind) const {
    std::vector<TraceItem> out;
    std::copy_if(items.begin(), items.end(), std::back_inserter(out),
                 [kind](const TraceItem& i) { return i.kind == kind; });
    return out;
  }
  std::size_t Count(TraceItem::Kind kind) const {
    return static_cast<std::size_t>(std::count_if(
        items.begin(), items.end(), [kind](const TraceItem& i) { return i.kind == kind; }));
  }
};
