// What each shape base promises, checked over every class built on it.
// (The arc and box bases have their suites in ArcObjectTest and BoxObjectTest.)
#include <gtest/gtest.h>

#include "FactoryClasses.h"
#include "TestEnvironment.h"
#include "gfx/RecordingCanvas.h"
#include "objects/EmitterObject.h"
#include "objects/ObjectFactory.h"
#include "objects/PolygonMedium.h"
#include "objects/TwoPointObject.h"
#include "optics/PlaneMath.h"
#include "optics/RayGeometry.h"

namespace {

class ShapeBase : public EngineTest, public ::testing::WithParamInterface<std::string> {
 protected:
  RecordingCanvas canvas;
  std::unique_ptr<DrawObjectUnit> object = CreateObjectByClassName(GetParam(), &canvas);
};

using TwoPointShapes = ShapeBase;
using PolygonShapes = ShapeBase;
using EmitterShapes = ShapeBase;

std::string Name(const ::testing::TestParamInfo<std::string>& info) { return info.param; }

}  // namespace

TEST_P(TwoPointShapes, PlacedFromP1ToP2AndHitOnTheSegmentOrItsEnds) {
  ASSERT_NE(object, nullptr);
  object->BeginCreate(100, 100);
  object->DragCreate(180, 150);
  object->EndCreate(300, 200);
  const auto points = object->ControlPointValues();
  EXPECT_EQ(points[0], (TPointF{100, 100}));
  EXPECT_EQ(points[1], (TPointF{300, 200}));
  EXPECT_EQ(object->HitTest(200, 150), 2);
  EXPECT_EQ(object->HitTest(298, 199), 1);
  EXPECT_EQ(object->selectedHandle, 1);
  EXPECT_EQ(object->HitTest(200, 180), 0);
  EXPECT_TRUE(object->InRect(190, 140, 210, 160));
  EXPECT_FALSE(object->InRect(400, 400, 500, 500));
}

INSTANTIATE_TEST_SUITE_P(EveryTwoPointClass, TwoPointShapes,
                         ::testing::ValuesIn(ClassesBuiltOn<TwoPointObject>()), Name);

// Every face has the glass on its left, whichever way the outline runs.
TEST_P(PolygonShapes, FacesHaveTheGlassOnTheirLeftAndTheInsideHits) {
  auto* polygon = dynamic_cast<PolygonMedium*>(object.get());
  ASSERT_NE(polygon, nullptr);
  const std::size_t n = polygon->vertices.size();
  for (bool clockwise : {false, true}) {
    for (std::size_t i = 0; i < n; ++i) {
      const double a = (clockwise ? -1.0 : 1.0) * 360.0 * double(i) / double(n) + 45;
      polygon->vertices[i] = PointAt({300, 300}, a, 100);
    }
    polygon->refractiveIndex = 1.5f;
    const auto faces = polygon->GetSurfaces();
    ASSERT_EQ(faces.size(), n);
    for (const auto& face : faces) {
      EXPECT_EQ(face.kind, kSurfaceRefract);
      EXPECT_EQ(face.refractiveIndex, 1.5f);
      EXPECT_EQ(SideOf(face, {300, 300}), 2);
    }
    EXPECT_EQ(polygon->HitTest(300, 300), 2);
    EXPECT_EQ(polygon->HitTest(500, 300), 0);
  }
}

INSTANTIATE_TEST_SUITE_P(EveryPolygonClass, PolygonShapes,
                         ::testing::ValuesIn(ClassesBuiltOn<PolygonMedium>()), Name);

TEST_P(EmitterShapes, HitOnTheSourceAndItsRaysStartThere) {
  auto* emitter = dynamic_cast<EmitterObject*>(object.get());
  ASSERT_NE(emitter, nullptr);
  emitter->BeginCreate(200, 200);
  emitter->EndCreate(200, 200);
  EXPECT_EQ(emitter->HitTest(202, 201), 1);
  EXPECT_EQ(emitter->HitTest(200, 400), 0);
  const auto rays = emitter->GetBaseRays();
  ASSERT_FALSE(rays.empty());
  EXPECT_EQ(rays[0].startX, emitter->record.points[0].x);
  EXPECT_EQ(rays[0].startY, emitter->record.points[0].y);
}

INSTANTIATE_TEST_SUITE_P(EveryEmitterClass, EmitterShapes,
                         ::testing::ValuesIn(ClassesBuiltOn<EmitterObject>()), Name);
