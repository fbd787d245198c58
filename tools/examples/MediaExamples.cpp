// Example experiments with the glass media: refraction through a slab and
// total internal reflection in a right-angle prism.

#include <memory>

#include "examples/Examples.h"
#include "objects/elements/FourPrism.h"
#include "objects/elements/ThreePrism.h"
#include "objects/sources/LampHouse.h"
#include "optics/PlaneMath.h"
#include "scene/Document.h"

namespace {

// A parallel source whose arrow ends `gap` px before `target`, pointing at it.
std::unique_ptr<LampHouse> SourceAimedAt(Document& doc, TPointF target, double direction,
                                         double gap, TColor rayColour) {
  auto source = std::make_unique<LampHouse>(doc.canvas);
  const TPointF tail = PointAt(target, direction, -(gap + 80));
  const TPointF tip = PointAt(target, direction, -gap);
  source->rayTemplate.startX = tail.x;
  source->rayTemplate.startY = tail.y;
  source->rayTemplate.throughX = tip.x;
  source->rayTemplate.throughY = tip.y;
  source->rayTemplate.rayColour = rayColour;
  source->skipNextPaint = 0;  // already drawn once, as a placed object would be
  source->SetSerialName("1");
  return source;
}

// A ray meets the left face of a glass slab 20 degrees below the normal, bends
// toward the normal inside and leaves the right face parallel to itself.
void SlabRefraction(Document& doc) {
  auto slab = std::make_unique<FourPrism>(doc.canvas);
  slab->SetRectangle({300, 200}, {600, 400});
  slab->refractiveIndex = 1.5f;
  slab->skipNextPaint = 0;
  slab->SetSerialName("1");
  doc.showAngles = 1;
  doc.scene.push_back(SourceAimedAt(doc, {300, 300}, 340, 60, 0xFF));
  doc.scene.push_back(std::move(slab));
}

// Square on through one leg of a right-angle prism; the base meets the ray at
// 45 degrees, beyond the critical angle of glass (41.8), and reflects it all:
// the ray leaves the other leg turned through a right angle.
void PrismTotalReflection(Document& doc) {
  auto prism = std::make_unique<ThreePrism>(doc.canvas);
  prism->vertices = {TPointF{400, 150}, TPointF{550, 300}, TPointF{250, 300}};
  prism->refractiveIndex = 1.5f;
  prism->skipNextPaint = 0;
  prism->SetSerialName("1");
  doc.scene.push_back(SourceAimedAt(doc, {490, 240}, 225, 60, 0x00FFFF));
  doc.scene.push_back(std::move(prism));
}

const ExampleRegistrar slab("玻璃砖的折射.exo", SlabRefraction);
const ExampleRegistrar prism("三棱镜的全反射.exo", PrismTotalReflection);

}  // namespace
