#include <gtest/gtest.h>

#include <QPainter>

#include "GuiApplication.h"
#include "gfx/PresentationScale.h"
#include "gfx/RecordingCanvas.h"
#include "gfx/paint/PainterCanvas.h"
#include "gfx/paint/QImageCanvas.h"
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

// Backward extensions stay dotted however wide the scale draws them: runs
// of the pen's colour and of the page alternate along the line, and the
// dots are as wide as the pen, on the screen and on a vector picture.
TEST_P(PresentationScaleTest, ExtensionsStayDotted) {
  EnsureGuiApplication();
  OwnedImageCanvas screen(300, 60);
  QImage vector(300, 60, QImage::Format_RGB32);
  vector.fill(Qt::black);
  {
    QPainter painter(&vector);
    PainterCanvas onVector(painter, 300, 60);
    for (TCanvas* canvas : {static_cast<TCanvas*>(&screen), static_cast<TCanvas*>(&onVector)}) {
      CanvasTraceSink sink(*canvas, TraceOptions{});
      sink.Extension({10, 30}, {250, 30});
    }
  }
  const int width = Scaled(1);
  for (const QImage* image : {&screen.Picture(), &vector}) {
    int runs = 0, rows = 0;
    for (int x = 10; x < 250; ++x)
      runs += (image->pixel(x, 30) & 0xFFFFFF) != 0 && (image->pixel(x + 1, 30) & 0xFFFFFF) == 0;
    for (int y = 0; y < 60; ++y) rows += (image->pixel(12, y) & 0xFFFFFF) != 0;
    EXPECT_GE(runs, 240 / (6 * width) - 1) << (image == &vector ? "vector" : "screen");
    EXPECT_EQ(rows, width);
  }
}

// A label's halo contrasts with the label, not with the page: white and
// yellow angle labels inside a light filled medium on a dark page get a
// dark halo (and no halo at all at scale 1).
TEST_P(PresentationScaleTest, HalosContrastWithTheLabelOverAFilledMedium) {
  EnsureGuiApplication();
  OwnedImageCanvas canvas(400, 100);
  canvas.Pen.style = TPenStyle::Clear;
  canvas.Brush.color = 0xFFE0A0;  // light blue
  canvas.FillRect(0, 0, 400, 100);
  {
    CanvasTraceSink sink(canvas, TraceOptions{});
    sink.SetBackground(0);  // the page around the medium is black
    sink.AngleLabel({100, 50}, "30.0", true);
    sink.AngleLabel({300, 50}, "45.0", false);
  }
  for (const int left : {0, 200}) {
    int dark = 0;
    for (int y = 0; y < 100; ++y)
      for (int x = left; x < left + 200; ++x) dark += qGray(canvas.Picture().pixel(x, y)) < 64;
    if (scale() > 1)
      EXPECT_GT(dark, 20) << left;
    else
      EXPECT_EQ(dark, 0) << left;
  }
}

// Rays, arrows, extensions, labels and image marks on the smallest paint
// budget that shows them all at the normal size are shown whole at every
// presentation scale: the budget counts the larger pens, arrowheads, dots
// and haloed labels as the normal size draws them.
bool TraceCut(double budget) {
  OwnedImageCanvas canvas(1000, 700);
  canvas.SetPaintBudget(budget);
  {
    TraceOptions options;
    options.rayWidth = 2;
    CanvasTraceSink sink(canvas, options);
    DrawBaseRayDataStruct ray;
    for (int i = 0; i < 300; ++i) {
      const float y = float(20 + 2 * i);
      sink.RayPiece({20, y}, {900, y + 40}, ray);
      sink.Arrow({400, y + 20}, 2, ray);
      sink.Extension({900, y + 40}, {100, y});
      sink.AngleLabel({500, y}, "30.0", i % 2 == 0);
      if (i % 10 == 0) sink.ImagePoint({600, y}, true, "S'");
    }
  }
  return canvas.PaintCut();
}

TEST_P(PresentationScaleTest, LargerPensDropNothingTheNormalScaleShows) {
  EnsureGuiApplication();
  SetPresentationScale(1);
  double enough = 1e5, short_ = 0;
  ASSERT_FALSE(TraceCut(enough));
  while (enough - short_ > 1) {
    const double middle = (enough + short_) / 2;
    (TraceCut(middle) ? short_ : enough) = middle;
  }
  ASSERT_TRUE(TraceCut(short_));
  SetPresentationScale(scale());
  EXPECT_FALSE(TraceCut(enough));
}

INSTANTIATE_TEST_SUITE_P(Scales, PresentationScaleTest, ::testing::Values(1.0, 1.5, 2.0, 3.0));

}  // namespace
