// The face index only narrows which faces a ray tests: every trace must come
// out exactly as when every face is tested, ties and shared vertices included.
#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "TraceBuilders.h"
#include "optics/FaceIndex.h"
#include "optics/TextTraceSink.h"
#include "optics/schedule/Tracer.h"

namespace {

std::string TraceText(const std::vector<DrawObjectLineDataStruct>& surfaces,
                      const std::vector<DrawBaseRayDataStruct>& rays, bool index, bool angles) {
  TraceOptions options;
  options.faceIndex = index;
  options.showAngles = angles;
  options.maxGenerations = 60;
  std::ostringstream out;
  TextTraceSink sink(out);
  const TraceResult result = TraceScene(surfaces, rays, options, sink);
  // Not the face tests: the index makes fewer.
  out << "cut " << result.cut << "\n";
  return out.str();
}

struct SceneCase {
  const char* name;
  unsigned seed;
  int faces;
  bool grid;  // faces on a coarse lattice: shared vertices, collinear runs, ties
};

class FaceIndexScenes : public testing::TestWithParam<SceneCase> {};

TEST_P(FaceIndexScenes, TraceIsTheSameAsTestingEveryFace) {
  const SceneCase& c = GetParam();
  std::mt19937 random(c.seed);
  std::uniform_real_distribution<float> coord(0, 1200), unit(0, 1);
  std::uniform_int_distribution<int> cell(0, 24);
  auto point = [&] {
    return c.grid ? TPointF{cell(random) * 50.0f, cell(random) * 50.0f}
                  : TPointF{coord(random), coord(random)};
  };
  std::vector<DrawObjectLineDataStruct> surfaces;
  TPointF chain = point();
  for (int i = 0; i < c.faces; ++i) {
    const float kind = unit(random);
    TPointF a = unit(random) < 0.5f ? chain : point(), b = point();
    if (a.x == b.x && a.y == b.y) b.x += 50;
    chain = b;
    if (kind < 0.45f) {
      surfaces.push_back(Mirror(a, b, unit(random) < 0.3f ? 3 : 1));
    } else if (kind < 0.85f) {
      surfaces.push_back(Boundary(a, b, 1.2f + unit(random)));
    } else if (kind < 0.97f) {
      surfaces.push_back(ArcMirror(a, 20 + 200 * unit(random), 360 * unit(random),
                                   360 * unit(random), unit(random) < 0.5f ? 1 : 2));
    } else {
      DrawObjectLineDataStruct line = Mirror(a, b, 3);
      line.shape = kShapeLine;
      surfaces.push_back(line);
    }
  }
  std::vector<DrawBaseRayDataStruct> rays;
  for (int i = 0; i < 40; ++i) {
    // Some rays start on a vertex and run along a lattice direction.
    const TPointF from = point();
    rays.push_back(c.grid && i % 2 ? RayAt(from, 45.0 * (i % 8)) : RayAt(from, 360 * unit(random)));
  }
  ASSERT_GE(surfaces.size(), FaceIndex::kMinFaces);
  const std::string linear = TraceText(surfaces, rays, false, c.seed % 2 == 0);
  EXPECT_GT(linear.size(), 1000u);
  EXPECT_EQ(TraceText(surfaces, rays, true, c.seed % 2 == 0), linear);
}

INSTANTIATE_TEST_SUITE_P(Random, FaceIndexScenes,
                         testing::Values(SceneCase{"scattered", 1, 60, false},
                                         SceneCase{"dense", 2, 600, false},
                                         SceneCase{"lattice", 3, 200, true},
                                         SceneCase{"latticeDense", 4, 900, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FaceIndex, FacesTooFarOutOrNotFiniteAreStillTested) {
  std::vector<DrawObjectLineDataStruct> surfaces;
  for (int i = 0; i < 30; ++i)
    surfaces.push_back(Mirror({1000.0f + 10 * i, 0}, {1000.0f + 10 * i, 50}));
  surfaces.push_back(Mirror({5e8f, -5e8f}, {5e8f, 5e8f}, 3));
  surfaces.push_back(Mirror({std::nanf(""), 0}, {600, 300}, 3));
  surfaces.push_back(Mirror({400, -100}, {400, 200}, 3));
  const std::vector<DrawBaseRayDataStruct> rays{RayAt({0, 20}, 0), RayAt({0, 400}, 0),
                                                RayAt({500, 500}, 90)};
  const std::string linear = TraceText(surfaces, rays, false, false);
  EXPECT_EQ(TraceText(surfaces, rays, true, false), linear);
  // The ray at y=400 only meets the far mirror.
  EXPECT_NE(linear.find("500000000"), std::string::npos);
}

}  // namespace
