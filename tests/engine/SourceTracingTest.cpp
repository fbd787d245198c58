// The sources traced through real surfaces: image marks of a point source and
// of a luminous arrow in a plane mirror, a white beam fanned out by a prism,
// and spectral rays adding up on the picture.
#include <gtest/gtest.h>

#include <cmath>

#include "GuiApplication.h"
#include "RecordingTraceSink.h"
#include "TestEnvironment.h"
#include "gfx/RecordingCanvas.h"
#include "gfx/paint/QImageCanvas.h"
#include "objects/elements/FlatMirror.h"
#include "objects/elements/IdealMagnifier.h"
#include "objects/elements/ThreePrism.h"
#include "objects/sources/ComplexlH.h"
#include "objects/sources/PointLampHouse.h"
#include "objects/sources/RealObject.h"
#include "optics/schedule/Tracer.h"
#include "scene/Document.h"

namespace {

class SourceTracingTest : public EngineTest {
 protected:
  RecordingCanvas canvas;

  // A mirror along x = 300 that reflects what comes from the left.
  std::unique_ptr<FlatMirror> MirrorAt300() {
    auto m = std::make_unique<FlatMirror>(&canvas);
    m->segment.x1 = 300;
    m->segment.y1 = 0;
    m->segment.x2 = 300;
    m->segment.y2 = 500;
    return m;
  }

  std::unique_ptr<PointLampHouse> PointSource(int x, int y, const std::string& name = "S") {
    auto s = std::make_unique<PointLampHouse>(&canvas);
    s->BeginCreate(x, y);
    s->EndCreate(x, y);
    s->record.objectName = name;
    return s;
  }

  RecordingTraceSink TraceDocument(Document& doc) {
    RecordingTraceSink sink;
    doc.Trace(sink);
    return sink;
  }
};

// Direction of the last piece drawn in each colour, in emission order of the
// colours.
std::vector<float> LeavingDirections(const RecordingTraceSink& sink,
                                     const std::vector<TColor>& colours) {
  std::vector<float> out;
  for (TColor c : colours) {
    float direction = -1;
    for (const auto& item : sink.items)
      if (item.kind == TraceItem::Ray && item.ray.rayColour == c) direction = item.ray.direction;
    out.push_back(direction);
  }
  return out;
}

}  // namespace

TEST_F(SourceTracingTest, PointSourceHasAVirtualImageAtItsMirrorPoint) {
  Document doc(&canvas);
  doc.scene.push_back(MirrorAt300());
  doc.scene.push_back(PointSource(100, 200));
  const auto sink = TraceDocument(doc);
  const auto images = sink.Of(TraceItem::Image);
  ASSERT_EQ(images.size(), 1u);
  EXPECT_NEAR(images[0].a.x, 500, 0.5);
  EXPECT_NEAR(images[0].a.y, 200, 0.5);
  EXPECT_FALSE(images[0].flag);  // behind the mirror: virtual
  EXPECT_EQ(images[0].text, "S'");
}

// Narrow fans (in degrees, aimed 15 degrees off the axis) still mark the
// image where the mirror and the thin-lens equations put it.
class NarrowFanTest : public SourceTracingTest, public ::testing::WithParamInterface<double> {};

TEST_P(NarrowFanTest, ImageOfAPointSourceStandsWhereTheEquationsPutIt) {
  const double half = GetParam() / 2 * 3.14159265358979 / 180, tilt = 15 * 3.14159265358979 / 180;
  auto source = PointSource(100, 200);
  for (int i = 1; i <= 3; ++i) {
    const double a = tilt + (i - 2) * half;
    source->record.points[i] = {float(100 + 60 * std::cos(a)), float(200 - 60 * std::sin(a))};
  }
  auto lens = std::make_unique<IdealMagnifier>(&canvas);
  lens->focalLength = 100;
  lens->BeginCreate(350, 50);
  lens->EndCreate(350, 450);
  const auto rays = source->GetBaseRays();
  // A mirror at x = 300 and a lens f = 100 at x = 350 (u = 250, v = 500 / 3).
  const std::pair<std::vector<DrawObjectLineDataStruct>, TPointF> cases[] = {
      {MirrorAt300()->GetSurfaces(), {500, 200}},
      {lens->GetSurfaces(), {float(350 + 500.0 / 3), float(250 + 50 * (500.0 / 3) / 250)}}};
  for (const auto& [surfaces, expected] : cases) {
    RecordingTraceSink sink;
    TraceScene(surfaces, rays, TraceOptions{}, sink);
    const auto images = sink.Of(TraceItem::Image);
    ASSERT_EQ(images.size(), 1u) << expected.x;
    EXPECT_NEAR(images[0].a.x, expected.x, 0.1);
    EXPECT_NEAR(images[0].a.y, expected.y, 0.1);
  }
}

INSTANTIATE_TEST_SUITE_P(Fans, NarrowFanTest, ::testing::Values(0.5, 1.0, 2.0, 8.0));

TEST_F(SourceTracingTest, TwoPointSourcesInOnePassEachGetTheirOwnImage) {
  Document doc(&canvas);
  doc.scene.push_back(MirrorAt300());
  doc.scene.push_back(PointSource(100, 150, "P"));
  doc.scene.push_back(PointSource(200, 300, "Q"));
  for (int pass = 0; pass < 2; ++pass) {
    const auto images = TraceDocument(doc).Of(TraceItem::Image);
    ASSERT_EQ(images.size(), 2u) << pass;
    EXPECT_EQ(images[0].text, "P'");
    EXPECT_NEAR(images[0].a.x, 500, 0.5);
    EXPECT_NEAR(images[0].a.y, 150, 0.5);
    EXPECT_EQ(images[1].text, "Q'");
    EXPECT_NEAR(images[1].a.x, 400, 0.5);
    EXPECT_NEAR(images[1].a.y, 300, 0.5);
  }
  // Every trace handed out fresh groups.
  EXPECT_EQ(Settings().emissionGroupCounter, 4);
}

TEST_F(SourceTracingTest, ArrowInFrontOfAMirrorHasItsImageArrow) {
  Document doc(&canvas);
  doc.scene.push_back(MirrorAt300());
  auto arrow = std::make_unique<RealObject>(&canvas);
  arrow->lineWidth = 3;
  arrow->BeginCreate(100, 300);
  arrow->DragCreate(100, 200);
  arrow->EndCreate(100, 200);
  doc.scene.push_back(std::move(arrow));
  const auto sink = TraceDocument(doc);
  const auto arrows = sink.Of(TraceItem::ImageArrow);
  ASSERT_EQ(arrows.size(), 1u);
  EXPECT_NEAR(arrows[0].a.x, 500, 0.5);  // A'
  EXPECT_NEAR(arrows[0].a.y, 300, 0.5);
  EXPECT_NEAR(arrows[0].b.x, 500, 0.5);  // B'
  EXPECT_NEAR(arrows[0].b.y, 200, 0.5);
  EXPECT_FALSE(arrows[0].flag);
  EXPECT_EQ(arrows[0].lineWidth, 3);
}

TEST_F(SourceTracingTest, PrismFansAWhiteBeamRedLeastVioletMost) {
  ComplexlH white(&canvas);
  white.rayTemplate.startX = 50;
  white.rayTemplate.startY = 220;
  white.rayTemplate.throughX = 100;
  white.rayTemplate.throughY = 220;
  ThreePrism prism(&canvas);  // apex up
  prism.vertices = {TPointF{300, 100}, TPointF{200, 300}, TPointF{400, 300}};
  prism.refractiveIndex = 1.5f;
  RecordingTraceSink sink;
  TraceScene(prism.GetSurfaces(), white.GetBaseRays(), TraceOptions{}, sink);
  for (const auto& item : sink.Of(TraceItem::Ray)) EXPECT_EQ(item.ray.blend, 1);

  const std::vector<TColor> spectrum(white.colourTable.begin(), white.colourTable.end());
  std::vector<TColor> colours = spectrum;
  colours[0] = white.rayTemplate.rayColour;
  const auto directions = LeavingDirections(sink, colours);
  // Bent towards the base: below the horizontal, so the deviation is 360 - angle.
  double previous = 0;
  for (std::size_t slot = 0; slot < directions.size(); ++slot) {
    ASSERT_GT(directions[slot], 270) << slot;
    const double deviation = 360.0 - directions[slot];
    EXPECT_GT(deviation, previous + 0.05) << "slot " << slot + 1;
    previous = deviation;
  }
}

TEST_F(SourceTracingTest, SpectralRaysAddUpToWhiteAlsoInHighQuality) {
  EnsureGuiApplication();
  for (bool hq : {false, true}) {
    OwnedImageCanvas image(800, 400, 0);
    Settings().highQuality = hq;
    Document doc(&image);
    auto white = std::make_unique<ComplexlH>(&image);
    white->rayTemplate.startX = 50;
    white->rayTemplate.startY = 200;
    white->rayTemplate.throughX = 100;
    white->rayTemplate.throughY = 200;
    white->skipNextPaint = 0;
    doc.scene.push_back(std::move(white));
    doc.running = true;
    doc.RefreshView();
    int white_pixels = 0;
    for (int dy = -2; dy <= 2; ++dy)
      white_pixels += (image.Picture().pixel(400, 200 + dy) & 0xFFFFFF) == 0xFFFFFFu;
    EXPECT_GT(white_pixels, 0) << "high quality " << hq;
  }
}

// A lens between a source and its aim points (60 px ahead): the rays start at
// the source, so they meet the lens; the object inside f has its virtual
// image where the thin-lens equation puts it.
TEST_F(SourceTracingTest, ALensBeforeTheAimPointsStillBendsTheRays) {
  auto lens = std::make_unique<IdealMagnifier>(&canvas);
  lens->focalLength = 100;
  lens->BeginCreate(330, 50);
  lens->EndCreate(330, 350);  // optical centre (330, 200)
  const double v = 30.0 * 100 / (30 - 100);
  auto point = PointSource(300, 190);
  auto arrow = std::make_unique<RealObject>(&canvas);
  arrow->BeginCreate(300, 200);
  arrow->DragCreate(300, 180);
  arrow->EndCreate(300, 180);
  const struct {
    std::vector<DrawBaseRayDataStruct> rays;
    TraceItem::Kind mark;
  } cases[] = {{point->GetBaseRays(), TraceItem::Image},
               {arrow->GetBaseRays(), TraceItem::ImageArrow}};
  for (const auto& [rays, mark] : cases) {
    RecordingTraceSink sink;
    TraceScene(lens->GetSurfaces(), rays, TraceOptions{}, sink);
    const auto pieces = sink.Of(TraceItem::Ray);
    ASSERT_GE(pieces.size(), rays.size());
    for (std::size_t i = 0; i < rays.size(); ++i) {
      EXPECT_FLOAT_EQ(pieces[i].a.x, rays[i].startX) << i;  // from the source itself
      EXPECT_NEAR(pieces[i].b.x, 330, 0.01) << i;           // to the lens
    }
    const auto marks = sink.Of(mark);
    ASSERT_EQ(marks.size(), 1u);
    EXPECT_FALSE(marks[0].flag);
    EXPECT_NEAR(marks[0].a.x, 330 + v, 0.1);
    EXPECT_NEAR(marks[0].a.y, 200 + (mark == TraceItem::Image ? -10 : 0) * v / -30, 0.1);
  }
}
