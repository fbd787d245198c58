// A trace traced on one thread while drawn on another hands its sink the
// very calls, in the very order, of a trace on one thread, cut by a work
// bound at the very same item; faces kept prepared from the trace before never change what a trace
// finds.
#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <thread>

#include "ExperimentFileFixture.h"
#include "TestEnvironment.h"
#include "TraceBuilders.h"
#include "files/ExperimentFile.h"
#include "gfx/RecordingCanvas.h"
#include "objects/ObjectFactory.h"
#include "optics/TextTraceSink.h"
#include "optics/schedule/TraceContext.h"
#include "optics/schedule/Tracer.h"

namespace {

using Surfaces = std::vector<DrawObjectLineDataStruct>;
using Rays = std::vector<DrawBaseRayDataStruct>;

// Every call, the ones that draw nothing too.
class AllCalls : public TextTraceSink {
 public:
  explicit AllCalls(std::ostream& out) : TextTraceSink(out), out_(out) {}
  void Origin(int generation, int root) override {
    out_ << "origin\t" << generation << '\t' << root << '\n';
    // The sink is called on the thread that traces, whoever traces.
    if (std::this_thread::get_id() != owner_) out_ << "called on another thread\n";
  }
  void Hit(TPointF at, double n1, double n2, double t1, double t2) override {
    out_ << "hit\t" << at.x << '\t' << at.y << '\t' << n1 << '\t' << n2 << '\t' << t1 << '\t' << t2
         << '\n';
  }
  void Shares(double reflected, double transmitted) override {
    out_ << "shares\t" << reflected << '\t' << transmitted << '\n';
  }

 private:
  std::ostream& out_;
  const std::thread::id owner_ = std::this_thread::get_id();
};

std::string Text(const Surfaces& surfaces, const Rays& rays, const TraceOptions& options,
                 TraceContext* context) {
  std::ostringstream out;
  AllCalls sink(out);
  const TraceResult r = context ? TraceScene(surfaces, rays, options, sink, *context)
                                : TraceScene(surfaces, rays, options, sink);
  out << "cut " << r.cut << " tests " << r.faceTests << " items " << r.drawnItems << '\n';
  return out.str();
}

struct Scene {
  Surfaces surfaces;
  Rays rays;
};

// One object of every class the factory knows, dragged out at random.
Scene RandomScene(unsigned seed) {
  std::mt19937 random(seed);
  std::uniform_real_distribution<float> coord(0, 900);
  RecordingCanvas canvas(1000, 1000);
  Scene scene;
  for (const std::string& name : KnownClassNames()) {
    auto object = CreateObjectByClassName(name, &canvas);
    const float x = coord(random), y = coord(random);
    object->BeginCreate(x, y);
    object->DragCreate(x + coord(random) / 6, y + coord(random) / 6);
    object->EndCreate(x + coord(random) / 3, y + coord(random) / 3);
    for (const auto& s : object->GetSurfaces()) scene.surfaces.push_back(s);
    for (const auto& r : object->GetBaseRays()) scene.rays.push_back(r);
  }
  // Rays caught between two-sided mirrors, generation after generation.
  scene.surfaces.push_back(Mirror({0, 0}, {0, 1000}, 3));
  scene.surfaces.push_back(Mirror({1000, 0}, {1000, 1000}, 3));
  for (int i = 0; i < 5; ++i) scene.rays.push_back(RayAt({500, 100.0f + 150 * i}, 3 + i));
  return scene;
}

struct Case {
  unsigned seed;
  bool angles;        // angle labels and the law at every hit
  int boundFraction;  // 0: no bound reached; k: the item (odd k: face-test) bound at 1/k
};

class PipedTrace : public EngineTest, public testing::WithParamInterface<Case> {};

TEST_P(PipedTrace, GivesTheCallsOfOneThread) {
  const Case c = GetParam();
  const Scene scene = RandomScene(c.seed);
  TraceOptions options;
  options.showAngles = options.reportHits = options.partialReflection = c.angles;
  TraceContext probe;
  probe.SetThreads(1);
  std::ostringstream ignored;
  AllCalls counter(ignored);
  const TraceResult full = TraceScene(scene.surfaces, scene.rays, options, counter, probe);
  ASSERT_FALSE(full.cut);
  if (c.boundFraction % 2 == 1) options.maxFaceTests = full.faceTests / c.boundFraction;
  if (c.boundFraction > 0 && c.boundFraction % 2 == 0)
    options.maxDrawnItems = full.drawnItems / c.boundFraction;
  const std::string alone = Text(scene.surfaces, scene.rays, options, nullptr);
  // Traced on a helper while drawn on this one (with helpers to spare too).
  for (int threads : {1, 2, 4}) {
    TraceContext piped;
    piped.SetThreads(threads);
    piped.PipeAlways(true);
    EXPECT_EQ(Text(scene.surfaces, scene.rays, options, &piped), alone) << threads;
  }
}

INSTANTIATE_TEST_SUITE_P(Scenes, PipedTrace,
                         testing::Values(Case{1, false, 0}, Case{2, true, 0}, Case{3, false, 2},
                                         Case{4, true, 3}, Case{5, false, 7}, Case{6, true, 4},
                                         Case{7, false, 5}, Case{8, true, 10}));

// White light boxed by four mirrors, cut at the item bound.
TEST_F(ExperimentFileFixture, BoxedWhiteLightIsCutAtTheSameItemWhenPiped) {
  ASSERT_EQ(OpenExperimentFile(std::string(EXO_EXAMPLES_DIR) + "/四面镜子中的复合光.exo", document)
                .status,
            OpenStatus::Opened);
  document.running = true;
  std::ostringstream ignored;
  AllCalls gather(ignored);
  ASSERT_TRUE(document.Trace(gather).cut);
  const TraceOptions options = document.CurrentTraceOptions();
  const std::string alone = Text(document.surfaces, document.baseRays, options, nullptr);
  // (Not EXPECT_EQ: a diff of two such texts takes minutes.)
  TraceContext piped;
  piped.SetThreads(2);
  piped.PipeAlways(true);
  EXPECT_TRUE(Text(document.surfaces, document.baseRays, options, &piped) == alone);
}

// A wall of mirrors (enough for the face index) and a fan of rays onto it.
TEST_F(EngineTest, KeptFacesFollowEveryChangeOfTheFaces) {
  Surfaces wall;
  for (int i = 0; i < 24; ++i)
    wall.push_back(Mirror({600, 40.0f * i}, {620, 40.0f * i + 40}, i % 3 == 0 ? 3 : 1));
  Rays fan;
  for (int i = 0; i < 12; ++i) fan.push_back(RayAt({100, 480}, -40 + 7 * i));
  TraceOptions options;
  TraceContext context;
  context.SetThreads(1);
  auto same = [&](const Surfaces& faces) {
    EXPECT_EQ(Text(faces, fan, options, &context), Text(faces, fan, options, nullptr));
  };
  same(wall);
  same(wall);  // kept
  Surfaces moved = wall;
  for (auto& face : moved) face.x1 -= 300, face.x2 -= 300;
  same(moved);
  Surfaces one = moved;
  one[12].y1 += 17;
  same(one);
  Surfaces more = one;
  more.push_back(Mirror({200, 300}, {200, 700}));
  same(more);
  more.erase(more.begin() + 5);
  same(more);
  more.pop_back();
  same(more);
  options.faceIndex = false;
  same(more);
  options.faceIndex = true;
  same(more);
}

}  // namespace
