// Heavy experiments for timing a refresh (exo-tool bench, bench/): rays caught
// between mirrors for all 500 generations, white light through a prism, and a
// dense scene of glass and mirrors with images and angle labels.

#include <memory>

#include "examples/Examples.h"
#include "objects/elements/FlatMirror.h"
#include "objects/elements/FourPrism.h"
#include "objects/elements/ThreePrism.h"
#include "objects/sources/ComplexlH.h"
#include "objects/sources/LampHouse.h"
#include "objects/sources/PointLampHouse.h"
#include "scene/Document.h"

namespace {

template <typename Source>
void AddBeam(Document& d, TPointF tail, TPointF tip, int count, float spacing,
             TColor rayColour = 0xFF) {
  auto source = std::make_unique<Source>(d.canvas);
  source->rayTemplate.startX = tail.x;
  source->rayTemplate.startY = tail.y;
  source->rayTemplate.throughX = tip.x;
  source->rayTemplate.throughY = tip.y;
  source->rayTemplate.rayColour = rayColour;
  source->rayCount = count;
  source->raySpacing = spacing;
  source->skipNextPaint = 0;
  source->SetSerialName("1");
  d.scene.push_back(std::move(source));
}

// Reflects on the right of the direction from p1 to p2.
void AddMirror(Document& d, TPointF p1, TPointF p2) {
  auto mirror = std::make_unique<FlatMirror>(d.canvas);
  mirror->segment.x1 = p1.x;
  mirror->segment.y1 = p1.y;
  mirror->segment.x2 = p2.x;
  mirror->segment.y2 = p2.y;
  mirror->skipNextPaint = 0;
  mirror->SetSerialName("1");
  d.scene.push_back(std::move(mirror));
}

// Four mirrors facing inwards (clockwise on the screen).
void AddMirrorBox(Document& d, TPointF topLeft, TPointF bottomRight) {
  const TPointF tr{bottomRight.x, topLeft.y}, bl{topLeft.x, bottomRight.y};
  AddMirror(d, topLeft, tr);
  AddMirror(d, tr, bottomRight);
  AddMirror(d, bottomRight, bl);
  AddMirror(d, bl, topLeft);
}

void AddPrism(Document& d, TPointF a, TPointF b, TPointF c, float index) {
  auto prism = std::make_unique<ThreePrism>(d.canvas);
  prism->vertices = {a, b, c};
  prism->refractiveIndex = index;
  prism->fillFlag = 0;
  prism->skipNextPaint = 0;
  prism->SetSerialName("1");
  d.scene.push_back(std::move(prism));
}

// Ten horizontal rays between two upright mirrors facing each other: each is
// reflected back and forth for all 500 generations.
void FacingMirrors(Document& d) {
  AddMirror(d, {200, 900}, {200, 100});
  AddMirror(d, {1700, 100}, {1700, 900});
  AddBeam<LampHouse>(d, {600, 850}, {640, 850}, 10, 70);
}

// Ten white beams (seventy coloured rays) fanned out by one prism.
void WhiteLightPrism(Document& d) {
  d.page->drawReverse = 0;
  AddBeam<ComplexlH>(d, {120, 290}, {200, 270}, 10, 4);
  AddPrism(d, {400, 120}, {280, 360}, {520, 360}, 1.5f);
}

// A composite source of ten beams shut in a box of four mirrors: its seventy
// merged rays bounce for all 500 generations (the work bound of a trace cuts
// it short).
void BoxedWhiteLight(Document& d) {
  AddMirrorBox(d, {100, 100}, {1800, 1000});
  AddBeam<ComplexlH>(d, {500, 400}, {560, 380}, 10, 6);
}

// Glass prisms and a slab between two long mirrors (open at both ends), lit by
// a point source (images constructed) and a white beam, with angle labels on.
void DenseScene(Document& d) {
  d.showAngles = 1;
  AddMirror(d, {20, 60}, {1900, 60});
  AddMirror(d, {1900, 1020}, {20, 1020});
  for (int i = 0; i < 4; ++i) {
    const float x = 700.0f + 260 * i;
    const float tip = i % 2 == 0 ? 300.0f : 780.0f, base = i % 2 == 0 ? 560.0f : 520.0f;
    AddPrism(d, {x, tip}, {x + 110, base}, {x - 110, base}, 1.5f + 0.05f * i);
  }
  auto slab = std::make_unique<FourPrism>(d.canvas);
  slab->SetRectangle({1650, 200}, {1780, 880});
  slab->refractiveIndex = 1.33f;
  slab->fillFlag = 0;
  slab->skipNextPaint = 0;
  slab->SetSerialName("1");
  d.scene.push_back(std::move(slab));
  auto point = std::make_unique<PointLampHouse>(d.canvas);
  auto& r = point->record;
  r.points[0] = {300, 520};
  r.points[1] = {380, 520};
  r.points[2] = {380, 470};
  r.points[3] = {380, 570};
  r.ray.startX = r.ray.throughX = 300;
  r.ray.startY = r.ray.throughY = 520;
  point->skipNextPaint = 0;
  point->SetSerialName("1");
  d.scene.push_back(std::move(point));
  AddBeam<ComplexlH>(d, {100, 900}, {170, 870}, 10, 6);
}

const ExampleRegistrar facing("两面相对的平面镜.exo", FacingMirrors);
const ExampleRegistrar whitePrism("白光经过三棱镜.exo", WhiteLightPrism);
const ExampleRegistrar boxed("四面镜子中的复合光.exo", BoxedWhiteLight);
const ExampleRegistrar dense("密集场景.exo", DenseScene);

}  // namespace
