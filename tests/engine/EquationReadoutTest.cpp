#include <algorithm>
#include <cmath>
#include <filesystem>

#include "ExperimentFileFixture.h"
#include "RecordingTraceSink.h"
#include "objects/EquationReadout.h"

namespace {

class EquationReadoutTest : public ExperimentFileFixture {};

// In every example with imaging elements (two lenses in a row too: the second
// images the first's image), the equation's image is the traced image mark
// (a point's, or an arrow's A'), real or virtual alike:
// within 1 px for an ideal lens, which bends rays by the equation itself. A
// spherical mirror's wide rays meet nearer the mirror than its paraxial
// image (spherical aberration: 2.6 px of v = 225 in the example), so there
// the equation holds to 2 % of v.
TEST_F(EquationReadoutTest, ImageOfTheEquationIsTheTracedMark) {
  int real = 0, virtualImages = 0;
  for (const auto& entry : std::filesystem::directory_iterator(EXO_EXAMPLES_DIR)) {
    if (entry.path().extension() != ".exo") continue;
    StartLikeTheProgram(document);
    ASSERT_EQ(OpenExperimentFile(entry.path().string(), document).status, OpenStatus::Opened);
    const auto readouts = ReadEquations(document.scene);
    // The imaging system constructs its image without tracing.
    if (readouts.empty() || readouts[0].element.rfind("ImagingSystem", 0) == 0) continue;
    SCOPED_TRACE(entry.path().filename().string());
    document.running = true;
    RecordingTraceSink trace;
    document.Trace(trace);
    std::vector<TraceItem> marks = trace.Of(TraceItem::Image);
    for (const auto& arrow : trace.Of(TraceItem::ImageArrow)) marks.push_back(arrow);
    ASSERT_EQ(marks.size(), readouts.size());
    for (const EquationReadout& r : readouts) {
      ASSERT_TRUE(r.finite);
      EXPECT_NEAR(1 / r.u + 1 / r.v, 1 / r.f, 1e-9);
      auto distance = [&](const TraceItem& m) {
        return std::hypot(double(m.a.x) - r.image.x, double(m.a.y) - r.image.y);
      };
      const TraceItem& mark = *std::min_element(
          marks.begin(), marks.end(),
          [&](const TraceItem& a, const TraceItem& b) { return distance(a) < distance(b); });
      const double along =
          (double(mark.a.x) - r.image.x) * r.axisX + (double(mark.a.y) - r.image.y) * r.axisY;
      const bool mirror = r.element.find("Mirror") != std::string::npos;
      const double tolerance = mirror ? 0.02 * std::fabs(r.v) : 1.0;
      EXPECT_LE(std::fabs(along), tolerance);
      EXPECT_LE(distance(mark), tolerance);
      EXPECT_EQ(mark.flag, r.real);
      (r.real ? real : virtualImages)++;
    }
  }
  EXPECT_GE(real, 7);
  EXPECT_GE(virtualImages, 3);
}

}  // namespace
