#include <algorithm>
#include <cmath>
#include <filesystem>

#include "ExperimentFileFixture.h"
#include "GuiApplication.h"
#include "RecordingTraceSink.h"
#include "gfx/PresentationScale.h"
#include "gfx/paint/QImageCanvas.h"
#include "objects/EquationPanel.h"
#include "objects/EquationReadout.h"
#include "objects/sources/PointLampHouse.h"

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

// A source turned about the concave mirror's centre of curvature, off the
// arc's middle (here 10 degrees put the image 12 % of v from the traced one):
// every line through the centre is an axis, so the equation's image stays the
// traced one. Aimed away from the mirror, no image at all.
TEST_F(EquationReadoutTest, AMirrorImagesAlongTheLineThroughItsCentre) {
  for (double turn : {0.0, 10.0, -12.0, 180.0}) {
    SCOPED_TRACE(turn);
    StartLikeTheProgram(document);
    ASSERT_EQ(
        OpenExperimentFile(std::string(EXO_EXAMPLES_DIR) + "/凹面镜成像(点光源).exo", document)
            .status,
        OpenStatus::Opened);
    PointLampHouse* source = nullptr;
    TPointF centre;
    for (const auto& object : document.scene) {
      if (auto* s = dynamic_cast<PointLampHouse*>(object.get())) source = s;
      const auto faces = object->GetSurfaces();
      if (faces.size() == 1 && faces[0].shape == kShapeArc) centre = faces[0].ArcCentre();
    }
    ASSERT_NE(source, nullptr);
    const double a = turn * 3.14159265358979 / 180;
    auto& points = source->record.points;
    const TPointF at = points[0];
    // A narrower fan, so that its rays still meet the arc when turned.
    for (int i = 1; i <= source->record.rayCount; ++i)
      points[i].y = at.y + (points[i].y - at.y) / 3;
    for (int i = 0; i < source->record.rayCount + 1; ++i) {
      // About the centre, and for 180 degrees only the aim points about the source.
      const TPointF pivot = turn == 180 ? at : centre;
      if (turn == 180 && i == 0) continue;
      const double dx = points[i].x - pivot.x, dy = points[i].y - pivot.y;
      points[i] = {float(pivot.x + dx * std::cos(a) + dy * std::sin(a)),
                   float(pivot.y - dx * std::sin(a) + dy * std::cos(a))};
    }
    const auto readouts = ReadEquations(document.scene);
    document.running = true;
    RecordingTraceSink trace;
    document.Trace(trace);
    const auto marks = trace.Of(TraceItem::Image);
    ASSERT_EQ(readouts.size(), marks.size());
    if (turn == 180) continue;
    ASSERT_EQ(marks.size(), 1u);
    const double off = std::hypot(double(marks[0].a.x) - readouts[0].image.x,
                                  double(marks[0].a.y) - readouts[0].image.y);
    EXPECT_LE(off, 0.02 * std::fabs(readouts[0].v));
    // u and v as the trace has them: from where the line through the source
    // and the centre meets the mirror (beyond the centre: the source is).
    const TPointF s = points[0];
    const double d = std::hypot(double(s.x) - centre.x, double(s.y) - centre.y);
    const double radius = 2 * readouts[0].f;
    const double vx = centre.x + radius * (centre.x - s.x) / d,
                 vy = centre.y + radius * (centre.y - s.y) / d;
    EXPECT_NEAR(readouts[0].u, std::hypot(s.x - vx, s.y - vy), 0.5);
    EXPECT_NEAR(readouts[0].v, std::hypot(marks[0].a.x - vx, marks[0].a.y - vy),
                0.02 * std::fabs(readouts[0].v));
  }
}

// Each readout names its object and the element it is read against, one
// pair once, even where the file gives three objects one name.
TEST_F(EquationReadoutTest, EachReadoutNamesItsOwnObjectAndElement) {
  for (const auto& entry : std::filesystem::directory_iterator(EXO_EXAMPLES_DIR)) {
    if (entry.path().extension() != ".exo") continue;
    SCOPED_TRACE(entry.path().filename().string());
    StartLikeTheProgram(document);
    ASSERT_EQ(OpenExperimentFile(entry.path().string(), document).status, OpenStatus::Opened);
    const auto names = SerialNames(document.scene);
    auto named = [&](const std::string& name) -> DrawObjectUnit* {
      const auto at = std::find(names.begin(), names.end(), name);
      return at == names.end() ? nullptr : document.scene[at - names.begin()].get();
    };
    std::vector<std::pair<std::string, std::string>> pairs;
    for (const auto& r : ReadEquations(document.scene)) {
      DrawObjectUnit* source = named(r.source);
      DrawObjectUnit* element = named(r.element);
      ASSERT_NE(source, nullptr) << r.source;
      ASSERT_NE(element, nullptr) << r.element;
      EXPECT_TRUE(source == element || !source->GetBaseRays().empty()) << r.source;
      EXPECT_EQ(std::count(pairs.begin(), pairs.end(), std::pair(r.source, r.element)), 0)
          << r.source << " " << r.element;
      pairs.emplace_back(r.source, r.element);
    }
  }
}

class EquationPanelPlacement : public ExperimentFileFixture,
                               public ::testing::WithParamInterface<double> {
 protected:
  void SetUp() override {
    ExperimentFileFixture::SetUp();
    EnsureGuiApplication();
    SetPresentationScale(GetParam());
  }
  void TearDown() override {
    SetPresentationScale(1);
    ExperimentFileFixture::TearDown();
  }
};

// On a classroom surface, every panel lies inside it, clear of every traced
// image (A'B' or the point, with its dot, arrowhead and labels) and of
// every other panel, at each presentation scale.
TEST_P(EquationPanelPlacement, PanelsCoverNoImageNoOtherPanelAndNoEdge) {
  OwnedImageCanvas canvas(1920, 1080);
  canvas.Font = TFont{};
  const int label = Scaled(8), mark = Scaled(10);
  const int labelWidth = canvas.TextWidth("B'"), labelHeight = canvas.TextHeight("B'");
  int panels = 0;
  for (const auto& entry : std::filesystem::directory_iterator(EXO_EXAMPLES_DIR)) {
    if (entry.path().extension() != ".exo") continue;
    SCOPED_TRACE(entry.path().filename().string());
    StartLikeTheProgram(document);
    ASSERT_EQ(OpenExperimentFile(entry.path().string(), document).status, OpenStatus::Opened);
    const auto layout = LayOutEquationPanels(canvas, document.scene);
    if (layout.empty()) continue;
    document.running = true;
    RecordingTraceSink trace;
    document.Trace(trace);
    std::vector<PanelRect> images;
    for (const auto& m : trace.items) {
      if (m.kind != TraceItem::Image && m.kind != TraceItem::ImageArrow) continue;
      const TPointF b = m.kind == TraceItem::Image ? m.a : m.b;
      images.push_back({int(std::min(m.a.x, b.x)) - mark, int(std::min(m.a.y, b.y)) - mark,
                        int(std::max(m.a.x, b.x)) + std::max(mark, label + labelWidth),
                        int(std::max(m.a.y, b.y)) + std::max(mark, label + labelHeight)});
    }
    for (std::size_t i = 0; i < layout.size(); ++i) {
      const PanelRect& p = layout[i].panel;
      EXPECT_TRUE(p.x1 >= 0 && p.y1 >= 0 && p.x2 <= canvas.Width() && p.y2 <= canvas.Height());
      for (const PanelRect& image : images) EXPECT_FALSE(p.Meets(image)) << i;
      for (std::size_t j = 0; j < i; ++j) EXPECT_FALSE(p.Meets(layout[j].panel)) << i << " " << j;
      ++panels;
    }
  }
  EXPECT_GE(panels, 10);
}

INSTANTIATE_TEST_SUITE_P(Scales, EquationPanelPlacement, ::testing::Values(1.0, 2.0, 3.0));

}  // namespace
