// Example experiments with stops, screens and the half mirror: the pinhole
// camera, a shadow, a beam splitter's two rays and the light a glass face
// reflects.

#include <memory>

#include "examples/Examples.h"
#include "objects/elements/Aperture.h"
#include "objects/elements/BeamSplitter.h"
#include "objects/elements/CircularBlocker.h"
#include "objects/elements/FourPrism.h"
#include "objects/elements/LightBlocker.h"
#include "objects/sources/LampHouse.h"
#include "objects/sources/RealObject.h"
#include "optics/PlaneMath.h"
#include "scene/Document.h"

namespace {

template <class T>
void Add(Document& doc, TPointF a, TPointF b, auto&& set) {
  auto object = std::make_unique<T>(doc.canvas);
  object->SetControlPoints({a, b});
  set(*object);
  object->skipNextPaint = 0;  // already drawn once, as a placed object would be
  object->SetSerialName("1");
  doc.scene.push_back(std::move(object));
}

void Screen(Document& doc, TPointF a, TPointF b) {
  Add<LightBlocker>(doc, a, b, [](LightBlocker& s) { s.screen = 1; });
}

// A bundle of `count` rays `spacing` px apart, its arrow from `tail` to `tip`;
// the others lie to the arrow's left (up, for an arrow to the right).
void Beam(Document& doc, TPointF tail, TPointF tip, int count, float spacing, TColor colour) {
  auto source = std::make_unique<LampHouse>(doc.canvas);
  source->rayTemplate.startX = tail.x;
  source->rayTemplate.startY = tail.y;
  source->rayTemplate.throughX = tip.x;
  source->rayTemplate.throughY = tip.y;
  source->rayTemplate.rayColour = colour;
  source->rayCount = count;
  source->raySpacing = spacing;
  source->skipNextPaint = 0;
  source->SetSerialName("1");
  doc.scene.push_back(std::move(source));
}

// The arrow AB before a pinhole at (400, 300): a ray from each end passes the
// hole and lands on the screen upside down (A' at y = 280, B' at y = 370); the
// other ray of each end meets the stop.
void PinholeCamera(Document& doc) {
  auto arrow = std::make_unique<RealObject>(doc.canvas);
  auto& r = arrow->record;
  const TPointF a{200, 320}, b{200, 230}, hole{400, 300};
  r.points[0] = a;
  r.points[1] = b;
  r.points[2] = PointAt(a, DirectionAngle(a, hole), 60);
  r.points[3] = PointAt(a, DirectionAngle(a, {400, 360}), 60);
  r.points[4] = PointAt(b, DirectionAngle(b, hole), 60);
  r.points[5] = PointAt(b, DirectionAngle(b, {400, 240}), 60);
  r.ray.startX = a.x;
  r.ray.startY = a.y;
  r.ray.throughX = b.x;
  r.ray.throughY = b.y;
  arrow->skipNextPaint = 0;
  arrow->SetSerialName("1");
  doc.scene.push_back(std::move(arrow));
  Add<Aperture>(doc, {400, 150}, {400, 450}, [](Aperture& stop) {
    stop.gapWidth = 2;
    stop.gapPosition = 0.5f;
  });
  Screen(doc, {600, 150}, {600, 450});
}

// Parallel light on a ball: the rays it stops leave a shadow as wide as the
// ball on the screen, between the spots of the rays that pass.
void Shadow(Document& doc) {
  Beam(doc, {100, 380}, {150, 380}, 9, 20, 0x00FFFF);  // y = 380 ... 220
  Add<CircularBlocker>(doc, {400, 300}, {400, 250}, [](CircularBlocker&) {});
  Screen(doc, {650, 150}, {650, 450});
}

// A half mirror at 45 degrees: each ray goes on with half its light and is
// reflected upward with the other half; screens catch both.
void HalfMirror(Document& doc) {
  Beam(doc, {100, 320}, {150, 320}, 3, 20, 0xFF);  // y = 320, 300, 280
  Add<BeamSplitter>(doc, {340, 360}, {460, 240}, [](BeamSplitter&) {});
  Screen(doc, {650, 200}, {650, 400});
  Screen(doc, {300, 80}, {500, 80});
}

// The slab of the refraction example with partial reflection on: the face
// also reflects a little of the light (4 % near the normal), and inside the
// glass the light bounces between the faces, dimmer each time.
void PartialReflection(Document& doc) {
  auto slab = std::make_unique<FourPrism>(doc.canvas);
  slab->SetRectangle({300, 200}, {600, 400});
  slab->refractiveIndex = 1.5f;
  slab->skipNextPaint = 0;
  slab->SetSerialName("1");
  doc.showAngles = 1;
  doc.page->partialReflection = 1;
  Beam(doc, PointAt({300, 300}, 340, -140), PointAt({300, 300}, 340, -60), 1, 10, 0xFF);
  doc.scene.push_back(std::move(slab));
}

const ExampleRegistrar pinhole("小孔成像.exo", PinholeCamera);
const ExampleRegistrar shadow("影子的形成.exo", Shadow);
const ExampleRegistrar halfMirror("半透半反镜.exo", HalfMirror);
const ExampleRegistrar partial("光的部分反射.exo", PartialReflection);

}  // namespace
