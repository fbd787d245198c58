// Ideal-lens experiments: where the image of an object stands for a convex
// lens (object beyond 2F, between F and 2F, inside F) and a concave lens, a
// point source imaged by two lenses, and the imaging system as it opens.
// Lenses stand upright with their middle on the axis y = 300 (the special
// rays stand on three axes).

#include <algorithm>
#include <cmath>
#include <memory>

#include "examples/Examples.h"
#include "objects/elements/IdealConcave.h"
#include "objects/elements/IdealMagnifier.h"
#include "objects/elements/ImagingSystem.h"
#include "objects/sources/PointLampHouse.h"
#include "objects/sources/RealObject.h"
#include "scene/Document.h"

namespace {

constexpr float kAxis = 300;

template <class Lens>
Lens& AddLens(Document& d, float x, float halfLength, float f, const char* suffix,
              float axis = kAxis) {
  auto lens = std::make_unique<Lens>(d.canvas);
  lens->end0 = {x, axis - halfLength};
  lens->end1 = {x, axis + halfLength};
  lens->focalLength = f;
  lens->UpdateFocalPoints();
  lens->skipNextPaint = 0;
  lens->SetSerialName(suffix);
  Lens& placed = *lens;
  d.scene.push_back(std::move(lens));
  return placed;
}

// The luminous arrow standing on the axis at x, `height` px tall: A at its
// foot, B at its tip. A's rays leave 1 px up and down per 5 px; of B's, one
// runs parallel to the axis and one aims at the lens's centre `centre`. The
// aim points stay well before the lens: a ray's hit at its own aim point
// does not count.
RealObject& AddArrow(Document& d, float x, float height, TPointF centre, float axis = kAxis) {
  auto arrow = std::make_unique<RealObject>(d.canvas);
  auto& r = arrow->record;
  const TPointF a{x, axis}, b{x, axis - height};
  const double dx = double(centre.x) - b.x, dy = double(centre.y) - b.y;
  const float step = std::min(60.0f, (centre.x - x) / 2);
  const double k = step / std::hypot(dx, dy);
  r.points[0] = a;
  r.points[1] = b;
  r.points[2] = {a.x + step, a.y - step / 5};
  r.points[3] = {a.x + step, a.y + step / 5};
  r.points[4] = {b.x + step, b.y};
  r.points[5] = {static_cast<float>(b.x + dx * k), static_cast<float>(b.y + dy * k)};
  r.ray.startX = a.x;
  r.ray.startY = a.y;
  r.ray.throughX = b.x;
  r.ray.throughY = b.y;
  arrow->skipNextPaint = 0;
  arrow->SetSerialName("1");
  RealObject& placed = *arrow;
  d.scene.push_back(std::move(arrow));
  return placed;
}

// f = 100 px at x = 500: 1/u + 1/v = 1/f with u = 250 gives v = 166.7 and a
// real, inverted image two thirds as tall.
const ExampleRegistrar beyond2F("凸透镜成像(物体在二倍焦距以外).exo", [](Document& d) {
  AddLens<IdealMagnifier>(d, 500, 150, 100, "1");
  AddArrow(d, 250, 60, {500, kAxis});
});

// u = 150: the real, inverted image stands at v = 300, twice as tall.
const ExampleRegistrar between("凸透镜成像(物体在一倍和二倍焦距之间).exo", [](Document& d) {
  AddLens<IdealMagnifier>(d, 500, 150, 100, "1");
  AddArrow(d, 350, 60, {500, kAxis});
});

// u = 60: the rays leave diverging; their reverse extensions meet in the
// virtual, upright image 150 px left of the lens, two and a half times as tall.
const ExampleRegistrar insideF("凸透镜成像(物体在一倍焦距以内).exo", [](Document& d) {
  d.page->drawReverse = 1;
  AddLens<IdealMagnifier>(d, 500, 150, 100, "1");
  AddArrow(d, 440, 60, {500, kAxis});
});

// A lesson on the lens equation: one object beyond 2F (u = 250), one between
// F and 2F (u = 150) and one inside F (u = 60), each with its image, for the
// equation panels to compare.
const ExampleRegistrar lesson("课堂演示(透镜成像公式).exo", [](Document& d) {
  d.page->drawReverse = 1;
  AddLens<IdealMagnifier>(d, 500, 150, 100, "1");
  for (const float x : {250.0f, 350.0f, 440.0f}) AddArrow(d, x, 60, {500, kAxis});
});

// The three special rays from the tip of an arrow 25 px tall before lenses
// of f = 60 on three axes: u = 150 (beyond 2F: real, inverted, v = 100,
// 16.7 px tall), u = 90 (between F and 2F: v = 180, 50 px tall) and u = 36
// (inside F: the rays leave diverging, their reverse extensions meet in the
// virtual, upright image 90 px before the lens, 62.5 px tall). The foot on
// the axis keeps its two rays. Kept to the top left, where the equation
// panels leave room.
const ExampleRegistrar specialRays("凸透镜成像的三条特殊光线.exo", [](Document& d) {
  d.page->drawReverse = 1;
  d.page->drawNormals = 0;  // a thin lens has no normal worth showing
  const struct {
    float axis, u;
    const char* suffix;
  } bands[] = {{90, 150, "1"}, {240, 90, "2"}, {390, 36, "3"}};
  for (const auto& band : bands) {
    AddLens<IdealMagnifier>(d, 400, 70, 60, band.suffix, band.axis);
    AddArrow(d, 400 - band.u, 25, {400, band.axis}, band.axis).SetSpecialRays(true);
  }
});

// A concave lens, f = 100, u = 200: a virtual, upright image a third as
// tall, 66.7 px left of the lens, between the object and the lens.
const ExampleRegistrar concave("凹透镜成像.exo", [](Document& d) {
  d.page->drawReverse = 1;
  AddLens<IdealConcave>(d, 500, 150, 100, "1");
  AddArrow(d, 300, 60, {500, kAxis});
});

// S, 20 px above the axis and 250 px before the first lens (f = 100), forms
// the real image S' at 166.7 px behind it; that image is the object of the
// second lens (f = 150, 233.3 px on), whose image S' lies 420 px behind it.
const ExampleRegistrar twoLenses("点光源经过两个透镜成像.exo", [](Document& d) {
  d.page->drawReverse = 0;
  AddLens<IdealMagnifier>(d, 400, 150, 100, "1");
  AddLens<IdealMagnifier>(d, 800, 180, 150, "2");
  auto source = std::make_unique<PointLampHouse>(d.canvas);
  auto& r = source->record;
  const TPointF s{150, kAxis - 20};
  r.points[0] = s;
  r.points[1] = {s.x + 60, s.y};
  r.points[2] = {s.x + 60, s.y - 10};
  r.points[3] = {s.x + 60, s.y + 10};
  r.ray.startX = r.ray.throughX = s.x;
  r.ray.startY = r.ray.throughY = s.y;
  source->skipNextPaint = 0;
  source->SetSerialName("1");
  d.scene.push_back(std::move(source));
});

// As the tool places it: object 250 px before a lens of f = 100, image
// 166.7 px behind it, the screen 33.3 px beyond the image (blur level 4).
const ExampleRegistrar imaging("成像系统.exo", [](Document& d) {
  auto system = std::make_unique<ImagingSystem>(d.canvas);
  system->SetSerialName("1");
  d.scene.push_back(std::move(system));
});

}  // namespace
