// Example experiments of the free-hand objects: light guided along a gently
// curved fibre, light escaping where a fibre bends too sharply, a beam on an
// irregular reflector, and the 500-point fibre the benchmarks trace.

#include <cmath>
#include <memory>
#include <vector>

#include "examples/Examples.h"
#include "objects/elements/FitfulObject.h"
#include "objects/elements/RayFibre.h"
#include "objects/elements/ThreePrism.h"
#include "objects/sources/ComplexlH.h"
#include "objects/sources/LampHouse.h"
#include "scene/Document.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

template <class Source>
std::unique_ptr<Source> Beam(Document& doc, TPointF tail, TPointF tip, int rays, float spacing,
                             TColor colour) {
  auto source = std::make_unique<Source>(doc.canvas);
  source->rayTemplate.startX = tail.x;
  source->rayTemplate.startY = tail.y;
  source->rayTemplate.throughX = tip.x;
  source->rayTemplate.throughY = tip.y;
  source->rayTemplate.rayColour = colour;
  source->rayCount = rays;
  source->raySpacing = spacing;
  source->skipNextPaint = 0;  // already drawn once, as a placed object would be
  source->SetSerialName("1");
  return source;
}

std::unique_ptr<RayFibre> Fibre(Document& doc, std::vector<TPointF> centre, float diameter,
                                float index) {
  auto fibre = std::make_unique<RayFibre>(doc.canvas);
  fibre->centre = std::move(centre);
  fibre->pointCount = static_cast<int>(fibre->centre.size());
  fibre->diameter = diameter;
  fibre->refractiveIndex = index;
  fibre->ApplyWallRule();
  fibre->SetSerialName("1");
  return fibre;
}

// Half a cosine wave, 120 px down over 600 px: the walls meet the rays at no
// more than 18 degrees, far inside the 48 degrees that total reflection in
// glass allows, and every ray leaves through the far end.
void GuidedAlongACurve(Document& doc) {
  std::vector<TPointF> centre;
  for (int x = 150; x <= 750; x += 6)
    centre.push_back({float(x), float(300 + 60 * (1 - std::cos(kPi * (x - 150) / 600)))});
  doc.scene.push_back(Beam<LampHouse>(doc, {40, 304}, {100, 304}, 3, 4, 0xFF));
  doc.scene.push_back(Fibre(doc, std::move(centre), 20, 1.5f));
}

// A straight fibre turning 60 degrees at once: beyond the bend the rays meet
// the wall only 30 degrees from its normal and most of the light escapes.
void BentTooSharply(Document& doc) {
  std::vector<TPointF> centre;
  for (int x = 150; x <= 450; x += 6) centre.push_back({float(x), 300});
  for (int i = 1; i <= 50; ++i)
    centre.push_back({float(450 + 3 * i), float(300 + 3 * std::sqrt(3.0) * i)});
  doc.scene.push_back(Beam<LampHouse>(doc, {40, 304}, {100, 304}, 3, 4, 0xFF));
  doc.scene.push_back(Fibre(doc, std::move(centre), 20, 1.5f));
}

// A U-shaped body open to the left: a beam sent into the bay bounces between
// its arms and back out, another is turned away by the outer side. (A ray
// started inside the outline would reflect until the generation limit.)
void IrregularReflector(Document& doc) {
  auto body = std::make_unique<FitfulObject>(doc.canvas);
  body->vertices = {{300, 150}, {600, 150}, {600, 450}, {300, 450},
                    {300, 380}, {520, 380}, {520, 220}, {300, 220}};
  body->pointCount = static_cast<int>(body->vertices.size());
  body->closed = 1;
  body->outlineExtent = body->pointCount;
  body->skipNextPaint = 0;
  body->SetSerialName("1");
  doc.scene.push_back(Beam<LampHouse>(doc, {120, 250}, {180, 265}, 2, 20, 0xFF));
  doc.scene.push_back(Beam<LampHouse>(doc, {760, 40}, {710, 80}, 1, 10, 0xFF00));
  doc.scene.push_back(std::move(body));
}

// The heaviest classroom scene: a 500-point fibre (about 1000 faces) along
// y = 300 + 50 (1 - cos(2 pi (x - 100) / 1000)) carrying ten white beams.
void FibreBenchmark(Document& doc) {
  std::vector<TPointF> centre;
  for (int x = 100; x <= 2096; x += 4)
    centre.push_back({float(x), float(300 + 50 * (1 - std::cos(2 * kPi * (x - 100) / 1000)))});
  doc.scene.push_back(Beam<ComplexlH>(doc, {20, 306.75f}, {60, 306.75f}, 10, 1.5f, 0xFF));
  doc.scene.push_back(Fibre(doc, std::move(centre), 20, 1.5f));
}

// A lesson to reveal step by step: total reflection in a right-angle prism
// (square on through a leg, 45 degrees at the base) and a straight fibre that
// a slanting beam enters and crosses wall to wall, one generation a bounce.
void TotalReflectionLesson(Document& doc) {
  auto prism = std::make_unique<ThreePrism>(doc.canvas);
  prism->vertices = {TPointF{300, 60}, TPointF{450, 210}, TPointF{150, 210}};
  prism->refractiveIndex = 1.5f;
  prism->skipNextPaint = 0;
  prism->SetSerialName("1");
  doc.scene.push_back(Beam<LampHouse>(doc, {489, 51}, {432.4f, 107.6f}, 1, 4, 0x00FFFF));
  doc.scene.push_back(std::move(prism));
  std::vector<TPointF> centre;
  for (int x = 150; x <= 750; x += 6) centre.push_back({float(x), 400});
  doc.scene.push_back(Beam<LampHouse>(doc, {60, 380}, {100, 389}, 1, 4, 0xFF));
  doc.scene.push_back(Fibre(doc, std::move(centre), 30, 1.5f));
}

const ExampleRegistrar curve("光导纤维的全反射.exo", GuidedAlongACurve);
const ExampleRegistrar bent("光导纤维的弯折.exo", BentTooSharply);
const ExampleRegistrar reflector("不规则物体的反射.exo", IrregularReflector);
const ExampleRegistrar lesson("课堂演示(全反射逐步显示).exo", TotalReflectionLesson);
const ExampleRegistrar benchmark("光导纤维(基准).exo", FibreBenchmark);

}  // namespace
