#include <gtest/gtest.h>

#include "GuiApplication.h"
#include "gfx/PresentationScale.h"
#include "gfx/QImageCanvas.h"
#include "gfx/RecordingCanvas.h"
#include "objects/tools/Protractor.h"
#include "optics/CanvasDrawing.h"
#include "optics/CanvasTraceSink.h"

namespace {

class PresentationScaleTest : public ::testing::TestWithParam<double> {
 protected:
  void SetUp() override { SetPresentationScale(GetParam()); }
  void TearDown() override { SetPresentationScale(1); }
  double scale() const { return GetParam(); }
};

// Pens, arrowheads, labels and handles grow with the scale; at 1 nothing
// changes (one label text, no halo).
TEST_P(PresentationScaleTest, ScalesWhatIsReadNotWhereItIs) {
  RecordingCanvas canvas(400, 300);
  {
    TraceOptions options;
    options.rayWidth = 2;
    CanvasTraceSink sink(canvas, options);
    DrawBaseRayDataStruct ray;
    sink.RayPiece({10, 10}, {200, 10}, ray);
    sink.Arrow({100, 10}, 0, ray);
    sink.AngleLabel({50, 50}, "30.0", true);
  }
  ASSERT_GE(canvas.Count(RecordedOp::Line), 3u);
  const auto& piece = canvas.ops[0];
  EXPECT_EQ(piece.pen.width, int(2 * scale()));
  EXPECT_EQ(piece.coords, (std::vector<float>{10, 10, 200, 10}));
  const auto& wing = canvas.ops[1].coords;
  EXPECT_NEAR(std::hypot(wing[2] - wing[0], wing[3] - wing[1]), 10 * scale(), 1.5);
  EXPECT_EQ(canvas.Count(RecordedOp::Text), scale() > 1 ? 9u : 1u);
  canvas.Clear();
  PaintHandleSquares(canvas, {{100, 100}}, 6, 0);
  ASSERT_EQ(canvas.Count(RecordedOp::Rectangle), 1u);
  EXPECT_EQ(canvas.ops[0].coords[2] - canvas.ops[0].coords[0], float(6 * scale()));

  EnsureGuiApplication();
  OwnedImageCanvas image(100, 100);
  image.Font.size = 10;
  SetPresentationScale(1);
  const int standard = image.TextHeight("A");
  SetPresentationScale(scale());
  EXPECT_NEAR(image.TextHeight("A"), standard * scale(), standard * 0.25);
}

// The objects' own labels get the halo too: the protractor's angle.
TEST_P(PresentationScaleTest, ObjectLabelsGetTheHalo) {
  RecordingCanvas canvas(400, 300);
  Protractor protractor(&canvas);
  protractor.Draw(kDrawCopy);
  EXPECT_EQ(canvas.Count(RecordedOp::Text), scale() > 1 ? 9u : 1u);
}

INSTANTIATE_TEST_SUITE_P(Scales, PresentationScaleTest, ::testing::Values(1.0, 2.0, 3.0));

}  // namespace
