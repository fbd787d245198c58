// Plane-mirror experiments: reflection, a periscope, a bundle of parallel
// rays on a tilted mirror.

#include "examples/Examples.h"
#include "objects/elements/FlatMirror.h"
#include "objects/sources/LampHouse.h"
#include "scene/Document.h"

namespace {

// A parallel source whose arrow runs from `tail` to `tip`.
LampHouse& AddLamp(Document& d, TPointF tail, TPointF tip, const std::string& suffix, int count = 1,
                   float spacing = 10.0f, TColor rayColour = 0xFF) {
  auto lamp = std::make_unique<LampHouse>(d.canvas);
  lamp->rayTemplate.startX = tail.x;
  lamp->rayTemplate.startY = tail.y;
  lamp->rayTemplate.throughX = tip.x;
  lamp->rayTemplate.throughY = tip.y;
  lamp->rayTemplate.rayColour = rayColour;
  lamp->rayCount = count;
  lamp->raySpacing = spacing;
  lamp->skipNextPaint = 0;
  lamp->SetSerialName(suffix);
  auto& ref = *lamp;
  d.scene.push_back(std::move(lamp));
  return ref;
}

// A mirror reflecting on the right of the direction from p1 to p2.
FlatMirror& AddMirror(Document& d, TPointF p1, TPointF p2, const std::string& suffix) {
  auto mirror = std::make_unique<FlatMirror>(d.canvas);
  mirror->segment.x1 = p1.x;
  mirror->segment.y1 = p1.y;
  mirror->segment.x2 = p2.x;
  mirror->segment.y2 = p2.y;
  mirror->skipNextPaint = 0;
  mirror->SetSerialName(suffix);
  auto& ref = *mirror;
  d.scene.push_back(std::move(mirror));
  return ref;
}

// The ray along y = 300 meets a mirror at 45 degrees at (400, 300) and leaves
// straight up: angle of incidence = angle of reflection = 45 degrees.
const ExampleRegistrar reflection("平面镜反射.exo", [](Document& d) {
  d.page->showAxes = 1;
  d.showAngles = 1;
  AddLamp(d, {100, 300}, {160, 300}, "1");
  AddMirror(d, {450, 250}, {350, 350}, "1");
});

// Two parallel mirrors at 45 degrees: the ray comes in at y = 400, goes up
// between them and leaves at y = 150, parallel to where it came from.
const ExampleRegistrar periscope("潜望镜.exo", [](Document& d) {
  AddLamp(d, {100, 400}, {160, 400}, "1", 3, 12.0f, 0x00FFFF);
  AddMirror(d, {450, 350}, {350, 450}, "1");
  AddMirror(d, {350, 200}, {450, 100}, "2");
});

// A bundle of five parallel rays falls obliquely on a tilted mirror and
// leaves as a parallel bundle.
const ExampleRegistrar bundle("平行光斜射平面镜.exo", [](Document& d) {
  d.page->drawReverse = 1;
  AddLamp(d, {120, 150}, {170, 200}, "1", 5, 20.0f, 0x00FF00);
  AddMirror(d, {760, 470}, {300, 551}, "1");
});

}  // namespace
