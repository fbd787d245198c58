#include <cmath>
#include <filesystem>

#include "ExperimentFileFixture.h"
#include "RecordingTraceSink.h"
#include "objects/EquationReadout.h"

namespace {

class EquationReadoutTest : public ExperimentFileFixture {};

// In every example with one imaging element, the equation's image is the
// traced image mark (a point's, or an arrow's A'), real or virtual alike:
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
    if (readouts.size() != 1 || readouts[0].element.rfind("ImagingSystem", 0) == 0) continue;
    SCOPED_TRACE(entry.path().filename().string());
    const EquationReadout& r = readouts[0];
    ASSERT_TRUE(r.finite);
    EXPECT_NEAR(1 / r.u + 1 / r.v, 1 / r.f, 1e-9);
    document.running = true;
    RecordingTraceSink trace;
    document.Trace(trace);
    std::vector<TraceItem> marks = trace.Of(TraceItem::Image);
    for (const auto& arrow : trace.Of(TraceItem::ImageArrow)) marks.push_back(arrow);
    ASSERT_EQ(marks.size(), 1u);
    const TraceItem& mark = marks[0];
    const double along =
        (double(mark.a.x) - r.image.x) * r.axisX + (double(mark.a.y) - r.image.y) * r.axisY;
    const bool mirror = r.element.find("Mirror") != std::string::npos;
    const double tolerance = mirror ? 0.02 * std::fabs(r.v) : 1.0;
    EXPECT_LE(std::fabs(along), tolerance);
    EXPECT_LE(std::hypot(double(mark.a.x) - r.image.x, double(mark.a.y) - r.image.y), tolerance);
    EXPECT_EQ(mark.flag, r.real);
    (r.real ? real : virtualImages)++;
  }
  EXPECT_GE(real, 3);
  EXPECT_GE(virtualImages, 2);
}

}  // namespace
