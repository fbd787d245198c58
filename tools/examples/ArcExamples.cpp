// Example experiments on arcs: a concave mirror gathering parallel light at
// its focus, a convex mirror spreading it, the image of a point in a concave
// mirror, a glass lens focusing white light (and splitting it by colour), a
// concave lens spreading a beam.

#include <memory>

#include "examples/Examples.h"
#include "objects/elements/Concave.h"
#include "objects/elements/ConcaveMirror.h"
#include "objects/elements/ConvexityMirror.h"
#include "objects/elements/Magnifier.h"
#include "objects/sources/ComplexlH.h"
#include "objects/sources/LampHouse.h"
#include "objects/sources/PointLampHouse.h"
#include "scene/Document.h"

namespace {

template <class T>
T& AddArc(Document& d, TPointF centre, float radius, float a1, float a2) {
  auto arc = std::make_unique<T>(d.canvas);
  arc->centre = centre;
  arc->radius = radius;
  arc->angle1 = a1;
  arc->angle2 = a2;
  arc->sweep = ArcObject::SweepOf(a1, a2);
  arc->PlaceEnds();
  arc->skipNextPaint = 0;  // painted at once when the file is opened
  arc->SetSerialName("1");
  auto& ref = *arc;
  d.scene.push_back(std::move(arc));
  return ref;
}

// A bundle of `count` rays heading left (direction 180) from x, centred on y = 300.
template <class T>
T& AddBundle(Document& d, float x, int count, float spacing, TColor colour = 0xFF) {
  auto lamp = std::make_unique<T>(d.canvas);
  const float top = 300 - spacing * float(count - 1) / 2;
  lamp->rayTemplate.startX = x;
  lamp->rayTemplate.startY = top;
  lamp->rayTemplate.throughX = x - 60;
  lamp->rayTemplate.throughY = top;
  lamp->rayTemplate.rayColour = colour;
  lamp->rayCount = count;
  lamp->raySpacing = spacing;
  lamp->skipNextPaint = 0;
  lamp->SetSerialName("1");
  auto& ref = *lamp;
  d.scene.push_back(std::move(lamp));
  return ref;
}

// The same bundle heading right from x.
template <class T>
T& AddBundleRight(Document& d, float x, int count, float spacing, TColor colour = 0xFF) {
  T& lamp = AddBundle<T>(d, x, count, spacing, colour);
  // Heading right, the offsets of the bundle run upwards: start at the bottom.
  const float bottom = 300 + spacing * float(count - 1) / 2;
  lamp.rayTemplate.startY = lamp.rayTemplate.throughY = bottom;
  lamp.rayTemplate.throughX = x + 60;
  return lamp;
}

// Vertex at x = 200, radius 300: the rays meet near x = 350.
const ExampleRegistrar concaveFocus("凹面镜会聚平行光.exo", [](Document& d) {
  AddArc<ConcaveMirror>(d, {500, 300}, 300, 150, 210);
  AddBundle<LampHouse>(d, 900, 5, 30, 0xFF0000);
});

// Vertex at x = 600: the reflected rays seem to come from x = 450 behind it.
const ExampleRegistrar convexSpread("凸面镜发散平行光.exo", [](Document& d) {
  d.page->drawReverse = 1;
  AddArc<ConvexityMirror>(d, {300, 300}, 300, -30, 30);
  AddBundle<LampHouse>(d, 1000, 5, 30, 0x00AA00);
});

// Focal length 150, the point on the axis 450 before the vertex: its real
// image S' lies 225 before the vertex, at x = 425. (Off the axis the rays of
// a spherical mirror do not meet in one point, and no mark is drawn.)
const ExampleRegistrar concaveImage("凹面镜成像(点光源).exo", [](Document& d) {
  AddArc<ConcaveMirror>(d, {500, 300}, 300, 150, 210);
  auto source = std::make_unique<PointLampHouse>(d.canvas);
  auto& r = source->record;
  r.points[0] = {650, 300};
  r.points[1] = {590, 300};
  r.points[2] = {590, 285};
  r.points[3] = {590, 315};
  r.ray.startX = r.ray.throughX = 650;
  r.ray.startY = r.ray.throughY = 300;
  r.objectName = std::string(1, 'S');  // GCC 12 warns (-Wrestrict) on "S" here
  source->skipNextPaint = 0;
  source->SetSerialName("1");
  d.scene.push_back(std::move(source));
});

// White light through a plano-convex lens of radius 250: a focus about 500
// behind it, violet nearer than red.
const ExampleRegistrar convexLens("凸透镜的会聚与色散.exo", [](Document& d) {
  Magnifier& lens = AddArc<Magnifier>(d, {300, 300}, 250, -35, 35);
  lens.refractiveIndex = 1.5f;
  lens.fillFlag = 1;
  AddBundleRight<ComplexlH>(d, 80, 5, 25);
});

// A plano-concave lens spreads the beam; the backward extensions meet at its
// virtual focus in front of it.
const ExampleRegistrar concaveLens("凹透镜的发散.exo", [](Document& d) {
  d.page->drawReverse = 1;
  Concave& lens = AddArc<Concave>(d, {150, 300}, 200, -40, 40);
  lens.refractiveIndex = 1.5f;
  lens.fillFlag = 1;
  AddBundleRight<LampHouse>(d, 80, 5, 25, 0xFF00FF);
});

}  // namespace
