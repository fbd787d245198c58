// Example experiments of the light sources: white light fanned out by a prism,
// images in a plane mirror.

#include <memory>

#include "examples/Examples.h"
#include "objects/elements/FlatMirror.h"
#include "objects/elements/ThreePrism.h"
#include "objects/sources/ComplexlH.h"
#include "objects/sources/PointLampHouse.h"
#include "objects/sources/RealObject.h"
#include "scene/Document.h"

namespace {

// A mirror standing upright at x, reflecting light that comes from the left.
std::unique_ptr<FlatMirror> UprightMirror(Document& doc, float x, float top, float bottom) {
  auto mirror = std::make_unique<FlatMirror>(doc.canvas);
  mirror->segment.x1 = x;
  mirror->segment.y1 = top;
  mirror->segment.x2 = x;
  mirror->segment.y2 = bottom;
  // Painted at once when the file is opened.
  mirror->skipNextPaint = 0;
  mirror->SetSerialName("1");
  return mirror;
}

// The three rays of S leave the mirror as if they came from S' behind it, as
// far behind the mirror as S is in front (grey mark: a virtual image).
void PointSourceInAMirror(Document& doc) {
  doc.scene.push_back(UprightMirror(doc, 420, 80, 460));
  auto source = std::make_unique<PointLampHouse>(doc.canvas);
  auto& r = source->record;
  r.points[0] = {220, 270};
  r.points[1] = {300, 270};
  r.points[2] = {300, 230};
  r.points[3] = {300, 310};
  r.ray.startX = r.ray.throughX = 220;
  r.ray.startY = r.ray.throughY = 270;
  source->skipNextPaint = 0;
  source->SetSerialName("1");
  doc.scene.push_back(std::move(source));
}

// The upright arrow AB and its virtual image A'B', upright and of the same size.
void ArrowInAMirror(Document& doc) {
  doc.scene.push_back(UprightMirror(doc, 420, 60, 480));
  auto arrow = std::make_unique<RealObject>(doc.canvas);
  auto& r = arrow->record;
  const TPointF a{220, 360}, b{220, 240};
  r.points[0] = a;
  r.points[1] = b;
  r.points[2] = {a.x + 60, a.y - 10};
  r.points[3] = {a.x + 60, a.y + 10};
  r.points[4] = {b.x + 60, b.y - 10};
  r.points[5] = {b.x + 60, b.y + 10};
  r.ray.startX = a.x;
  r.ray.startY = a.y;
  r.ray.throughX = b.x;
  r.ray.throughY = b.y;
  arrow->skipNextPaint = 0;
  arrow->SetSerialName("1");
  doc.scene.push_back(std::move(arrow));
}

// White light meets a glass prism: each colour is refracted with its own
// index, so the beam leaves as a spectrum, red bent least and violet most.
void WhiteLightThroughAPrism(Document& doc) {
  // Backward extensions of seven close rays would only hide the spectrum.
  doc.page->drawReverse = 0;
  auto prism = std::make_unique<ThreePrism>(doc.canvas);
  prism->vertices = {TPointF{400, 120}, TPointF{280, 360}, TPointF{520, 360}};
  prism->refractiveIndex = 1.5f;
  // Unfilled: the spectral rays add up on the black page, not on the glass colour.
  prism->fillFlag = 0;
  prism->skipNextPaint = 0;
  prism->SetSerialName("1");
  auto white = std::make_unique<ComplexlH>(doc.canvas);
  white->rayTemplate.startX = 120;
  white->rayTemplate.startY = 270;
  white->rayTemplate.throughX = 200;
  white->rayTemplate.throughY = 250;
  white->skipNextPaint = 0;
  white->SetSerialName("1");
  doc.scene.push_back(std::move(white));
  doc.scene.push_back(std::move(prism));
}

const ExampleRegistrar whiteLight("白光的色散.exo", WhiteLightThroughAPrism);
const ExampleRegistrar pointSource("平面镜成像(点光源).exo", PointSourceInAMirror);
const ExampleRegistrar arrow("平面镜成像(物体).exo", ArrowInAMirror);

}  // namespace
