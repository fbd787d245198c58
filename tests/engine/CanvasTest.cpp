#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <set>

#include "GuiApplication.h"
#include "TestEnvironment.h"
#include "gfx/Colour.h"
#include "gfx/RecordingCanvas.h"
#include "gfx/TGDIPlusCanvas.h"
#include "gfx/paint/QImageCanvas.h"

namespace {

using CanvasTest = EngineTest;

// A background with a different colour in every pixel, so that any change shows.
void Pattern(QImage& image) {
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      image.setPixel(x, y, qRgb((x * 7) & 0xFF, (y * 5) & 0xFF, (x * y) & 0xFF));
}

QRgb At(const QImage& image, int x, int y) { return image.pixel(x, y) & 0xFFFFFF; }

int CountColour(const QImage& image, QRgb colour) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) n += At(image, x, y) == (colour & 0xFFFFFF);
  return n;
}

void DrawEverything(TCanvas& c) {
  c.MoveTo(3, 4);
  c.LineTo(50, 37);
  c.Polyline({{5, 5}, {40, 5}, {40, 40}, {5, 40}, {5, 5}});
  c.Rectangle(10, 12, 30, 28);
  c.Ellipse(20, 20, 55, 50);
  c.Arc(8, 8, 56, 56, 60, 30, 30, 0);
  c.Polygon({{2, 60}, {30, 45}, {60, 60}});
}

}  // namespace

// --- QImageCanvas ---

TEST_F(CanvasTest, XorTwiceRestoresThePixels) {
  for (int width : {1, 3}) {
    OwnedImageCanvas canvas(64, 64);
    Pattern(canvas.Picture());
    const QImage before = canvas.Picture().copy();
    canvas.Pen.mode = TPenMode::Xor;
    canvas.Pen.color = 0x40FF80;
    canvas.Pen.width = width;
    canvas.Brush.style = TBrushStyle::Clear;
    DrawEverything(canvas);
    EXPECT_NE(canvas.Picture(), before);
    DrawEverything(canvas);
    EXPECT_EQ(canvas.Picture(), before) << "pen width " << width;
  }
}

TEST_F(CanvasTest, XorPolylineDoesNotCancelAtItsCorners) {
  OwnedImageCanvas canvas(32, 32, 0);
  canvas.Pen.mode = TPenMode::Xor;
  canvas.Pen.color = 0xFFFFFF;
  canvas.Polyline({{2, 2}, {20, 2}, {20, 20}});
  EXPECT_EQ(At(canvas.Picture(), 20, 2), 0xFFFFFFu);
}

// A wide pen's long outline (a scribbled free-hand object) is painted in
// runs of 32 points that share their ends, so that Qt's work follows its
// points rather than their square; a copy or merge pen paints the shared
// pixels as once. Up to 32 points it stays one path, corners joined.
TEST_F(CanvasTest, LongWideOutlinesArePaintedInRunsOfAFewPoints) {
  EnsureGuiApplication();
  std::vector<TPoint> outline;
  for (int i = 0; i < 500; ++i)
    outline.push_back({int(100 + 90 * std::sin(i * 0.37)), int(100 + 90 * std::sin(i * 0.23))});
  for (const TPenMode mode : {TPenMode::Copy, TPenMode::Merge})
    for (const int width : {2, 5}) {
      OwnedImageCanvas whole(200, 200, 0x402010), runs(200, 200, 0x402010);
      for (OwnedImageCanvas* c : {&whole, &runs}) {
        c->Pen.mode = mode;
        c->Pen.width = width;
        c->Pen.color = 0x30C0F0;
      }
      whole.Polyline(outline);
      for (std::size_t from = 0; from + 1 < outline.size(); from += 31)
        runs.Polyline({outline.begin() + long(from),
                       outline.begin() + long(std::min(from + 32, outline.size()))});
      EXPECT_EQ(whole.Picture(), runs.Picture()) << int(mode) << " " << width;
    }
}

// Short strokes cost one each, a fill by its area on the image.
TEST_F(CanvasTest, PaintBudgetDropsWhatIsBeyondIt) {
  OwnedImageCanvas canvas(100, 100, 0);
  canvas.SetPaintBudget(3);
  canvas.Pen.color = 0xFFFFFF;
  for (int y = 0; y < 4; ++y) canvas.Line(0, y * 10, 5, y * 10);
  EXPECT_TRUE(canvas.PaintCut());
  EXPECT_EQ(canvas.Picture().pixel(2, 20), 0xFFFFFFFFu);
  EXPECT_EQ(canvas.Picture().pixel(2, 30), 0xFF000000u);
  canvas.SetPaintBudget(99);
  EXPECT_FALSE(canvas.PaintCut());
  canvas.Brush.color = 0xFF;
  canvas.FillRect(0, 0, 100, 100);  // 100 primitives' worth, still painted
  canvas.FillRect(0, 0, 10, 10);
  EXPECT_TRUE(canvas.PaintCut());
}

TEST_F(CanvasTest, MergeOrsColours) {
  OwnedImageCanvas canvas(20, 20, 0x0000FF);  // red
  canvas.Pen.mode = TPenMode::Merge;
  canvas.Pen.color = 0x00FF00;  // green
  canvas.Line(0, 10, 19, 10);
  EXPECT_EQ(At(canvas.Picture(), 5, 10), qRgb(255, 255, 0) & 0xFFFFFF);
  EXPECT_EQ(At(canvas.Picture(), 5, 5), qRgb(255, 0, 0) & 0xFFFFFF);
}

TEST_F(CanvasTest, CopyLinesAreHardEdgedAndLeaveTheEndPointOut) {
  OwnedImageCanvas canvas(40, 40, 0);
  canvas.Pen.color = 0xFFFFFF;
  canvas.Line(2, 5, 10, 5);
  EXPECT_EQ(CountColour(canvas.Picture(), 0xFFFFFF), 8);
  EXPECT_EQ(At(canvas.Picture(), 10, 5), 0u);
  canvas.Line(3, 10, 37, 29);  // slanted: still only the two colours
  std::set<QRgb> colours;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x) colours.insert(At(canvas.Picture(), x, y));
  EXPECT_EQ(colours.size(), 2u);
}

TEST_F(CanvasTest, HighQualityLinesAreAntiAliased) {
  OwnedImageCanvas canvas(40, 40, 0);
  TAaPen pen;
  pen.color = 0xFFFFFF;
  pen.width = 2;
  canvas.AaLine(3.3f, 10.2f, 37.6f, 29.1f, pen);
  int partial = 0;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x) {
      const int grey = qRed(canvas.Picture().pixel(x, y));
      partial += grey > 0 && grey < 255;
    }
  EXPECT_GT(partial, 10);
}

TEST_F(CanvasTest, DotsLeaveGapsThatTakeTheBrushUnlessClear) {
  OwnedImageCanvas canvas(40, 10, 0);
  canvas.Pen.style = TPenStyle::Dot;
  canvas.Pen.color = 0xFFFFFF;
  canvas.Brush.style = TBrushStyle::Clear;
  canvas.Line(0, 2, 39, 2);
  const int lit = CountColour(canvas.Picture(), 0xFFFFFF);
  EXPECT_GT(lit, 10);
  EXPECT_LT(lit, 30);
  canvas.Brush.style = TBrushStyle::Solid;
  canvas.Brush.color = 0x0000FF;
  canvas.Line(0, 6, 39, 6);
  int gaps = 0;
  for (int x = 0; x < 39; ++x) gaps += At(canvas.Picture(), x, 6) == (qRgb(255, 0, 0) & 0xFFFFFF);
  EXPECT_GT(gaps, 10);
}

TEST_F(CanvasTest, ArcRunsCounterClockwiseFromStartToEnd) {
  OwnedImageCanvas canvas(60, 60, 0);
  canvas.Pen.color = 0xFFFFFF;
  // From the ray to the right (0 degrees) to the ray upwards (90 degrees).
  canvas.Arc(10, 10, 51, 51, 60, 30, 30, 0);
  int upperRight = 0, elsewhere = 0;
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 60; ++x) {
      if (At(canvas.Picture(), x, y) == 0) continue;
      (x >= 29 && y <= 31 ? upperRight : elsewhere)++;
    }
  EXPECT_GT(upperRight, 20);
  EXPECT_EQ(elsewhere, 0);
}

TEST_F(CanvasTest, FillRectIgnoresThePenModeAndSkipsClearBrushes) {
  OwnedImageCanvas canvas(20, 20, 0x808080);
  canvas.Pen.mode = TPenMode::Xor;
  canvas.Brush.color = 0x00FF00;
  canvas.FillRect(2, 2, 8, 8);
  EXPECT_EQ(At(canvas.Picture(), 2, 2), qRgb(0, 255, 0) & 0xFFFFFF);
  EXPECT_EQ(At(canvas.Picture(), 8, 8), qRgb(128, 128, 128) & 0xFFFFFF);  // right/bottom out
  canvas.Brush.style = TBrushStyle::Clear;
  canvas.FillRect(10, 10, 15, 15);
  EXPECT_EQ(At(canvas.Picture(), 12, 12), qRgb(128, 128, 128) & 0xFFFFFF);
}

TEST_F(CanvasTest, ToQColorReadsWindowsColourValues) {
  const QColor c = ToQColor(0x00563412, 99);
  EXPECT_EQ(c.red(), 0x12);
  EXPECT_EQ(c.green(), 0x34);
  EXPECT_EQ(c.blue(), 0x56);
  EXPECT_EQ(c.alpha(), 99);
  EXPECT_EQ(ToQColor(0xFF563412).blue(), 0x56);  // high byte ignored
}

TEST_F(CanvasTest, HugeCoordinatesAreCutToTheImage) {
  OwnedImageCanvas canvas(50, 20, 0);
  canvas.Pen.color = 0xFFFFFF;
  canvas.Pen.width = 2;
  canvas.Line(-2147483647, 10, 2147483647, 10);
  EXPECT_EQ(At(canvas.Picture(), 0, 10), 0xFFFFFFu);
  EXPECT_EQ(At(canvas.Picture(), 49, 10), 0xFFFFFFu);
  TAaPen pen;
  pen.color = 0xFF;
  canvas.AaLine(25, -1e8f, 25, 1e8f, pen);
  canvas.AaLine(-1e30f, 1e30f, 1e30f, std::nanf(""), pen);  // nothing sensible to draw, no harm
  EXPECT_NE(At(canvas.Picture(), 25, 3), 0u);
}

TEST_F(CanvasTest, StretchDrawScalesThePicture) {
  OwnedImageCanvas canvas(20, 20, 0);
  QImage picture(2, 2, QImage::Format_RGB32);
  picture.fill(qRgb(0, 0, 255));
  canvas.StretchDraw(10, 4, 4, 14, picture);  // corners in any order
  EXPECT_EQ(At(canvas.Picture(), 5, 5), qRgb(0, 0, 255) & 0xFFFFFF);
  EXPECT_EQ(At(canvas.Picture(), 12, 5), 0u);
}

// The transparent colour lets the surface show; only the part of the box
// on the surface is keyed, however far the box reaches.
TEST_F(CanvasTest, StretchDrawTransparentLeavesTheKeyColourOut) {
  OwnedImageCanvas canvas(20, 20, 0);
  QImage picture(2, 1, QImage::Format_RGB32);
  picture.setPixel(0, 0, qRgb(255, 255, 255));
  picture.setPixel(1, 0, qRgb(0, 0, 255));
  canvas.StretchDrawTransparent(0, 0, 20, 10, picture, 0xFFFFFF);
  canvas.StretchDrawTransparent(-1000000, 10, 1000000, 20, picture, 0xFFFFFF);
  const std::uint32_t blue = qRgb(0, 0, 255) & 0xFFFFFF;
  EXPECT_EQ(At(canvas.Picture(), 5, 5), 0u);
  EXPECT_EQ(At(canvas.Picture(), 15, 5), blue);
  EXPECT_EQ(At(canvas.Picture(), 5, 15), blue);
}

TEST_F(CanvasTest, TextIsTransparentOnAClearBrushAndOpaqueOtherwise) {
  EnsureGuiApplication();
  OwnedImageCanvas canvas(200, 60, 0);
  canvas.Font.size = 10;
  canvas.Font.color = 0xFFFFFF;
  canvas.Brush.style = TBrushStyle::Clear;
  canvas.TextOut(5, 5, "Wi");
  const int width = canvas.TextWidth("Wi"), height = canvas.TextHeight("Wi");
  ASSERT_GT(width, 0);
  ASSERT_GT(height, 0);
  int black = 0, lit = 0;
  for (int y = 5; y < 5 + height; ++y)
    for (int x = 5; x < 5 + width; ++x) (At(canvas.Picture(), x, y) == 0 ? black : lit)++;
  EXPECT_GT(lit, 0);
  EXPECT_GT(black, 0);
  canvas.Brush.style = TBrushStyle::Solid;
  canvas.Brush.color = 0x0000FF;
  canvas.TextOut(100, 5, "Wi");
  // The whole text cell is covered: brush colour or glyph, nothing left black.
  int uncovered = 0;
  for (int y = 5; y < 5 + height; ++y)
    for (int x = 100; x < 100 + width; ++x) uncovered += At(canvas.Picture(), x, y) == 0;
  EXPECT_EQ(uncovered, 0);
  EXPECT_EQ(At(canvas.Picture(), 100, 5), qRgb(255, 0, 0) & 0xFFFFFF);
}

TEST_F(CanvasTest, TextMetricsFollowTheFont) {
  EnsureGuiApplication();
  OwnedImageCanvas canvas(10, 10);
  canvas.Font.size = 10;
  const int shortWidth = canvas.TextWidth("45"), longWidth = canvas.TextWidth("45.00");
  EXPECT_GT(longWidth, shortWidth);
  const int smallHeight = canvas.TextHeight("x");
  canvas.Font.size = 20;
  EXPECT_GT(canvas.TextHeight("x"), smallHeight);
}

// --- High-quality layer ---

TEST_F(CanvasTest, ArgbPacksTheWindowsColour) {
  EXPECT_EQ(ToArgb(0x00563412, 0x80), 0x80123456u);
  EXPECT_EQ(ToArgb(0xFF, 255), 0xFFFF0000u);
}

TEST_F(CanvasTest, PenKeepsItsFixedColourUntilReleased) {
  TGDIPen pen;
  EXPECT_EQ(pen.Argb(), 0xFF000000u);
  pen.SetColor(0xFF);  // remembered only
  EXPECT_EQ(pen.Argb(), 0xFF000000u);
  pen.SetFixedColour(0);
  EXPECT_EQ(pen.Argb(), 0xFFFF0000u);
  pen.SetColor(0xFF00);
  EXPECT_EQ(pen.Argb(), 0xFF00FF00u);
  EXPECT_EQ(pen.Current().color, 0xFF00u);
  pen.SetFixedColour(1);
  EXPECT_EQ(pen.Argb(), 0xFF000000u);
  pen.alpha = 0x40;
  pen.SetFixedColour(0);
  EXPECT_EQ(pen.Argb(), 0x4000FF00u);
  EXPECT_EQ(pen.Current().alpha, 0x40);
}

TEST_F(CanvasTest, PolylineFillsFirstUnlessNoFill) {
  RecordingCanvas target;
  const std::vector<TPoint> square{{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}};
  {
    TGDIPlusCanvas hq(target);
    hq.Pen.SetWidth(3);
    hq.Polyline(square);
  }
  ASSERT_EQ(target.ops.size(), 2u);
  EXPECT_EQ(target.ops[0].kind, RecordedOp::AaFillPolygon);
  EXPECT_EQ(target.ops[0].aaPen.color, 0u);  // opaque black solid brush
  EXPECT_EQ(target.ops[0].aaPen.alpha, 255);
  EXPECT_EQ(target.ops[1].kind, RecordedOp::AaPolyline);
  EXPECT_FLOAT_EQ(target.ops[1].aaPen.width, 3);
  EXPECT_EQ(target.ops[1].coords.size(), 10u);
  target.Clear();
  TGDIPlusCanvas outline(target);
  outline.Brush.noFill = 1;
  outline.Polyline(square);
  ASSERT_EQ(target.ops.size(), 1u);
  EXPECT_EQ(target.ops[0].kind, RecordedOp::AaPolyline);
  // A texture brush without a picture paints nothing.
  target.Clear();
  TGDIPlusCanvas textured(target);
  textured.Brush.SelectKind(TGDIBrush::kTexture);
  textured.Polyline(square);
  EXPECT_EQ(target.Count(RecordedOp::AaFillPolygon), 0u);
}

TEST_F(CanvasTest, PieSortsItsCorners) {
  RecordingCanvas target;
  TGDIPlusCanvas hq(target);
  hq.Pie(50, 40, 10, 20, 30, 60);
  hq.Pie(10, 20, 50, 40, 30, 60);
  hq.Pie(10, 40, 50, 20, 30, 60);
  ASSERT_EQ(target.ops.size(), 3u);
  for (const auto& op : target.ops) {
    EXPECT_EQ(op.kind, RecordedOp::AaPie);
    EXPECT_EQ(op.coords, target.ops[0].coords);
  }
  EXPECT_FLOAT_EQ(target.ops[0].coords[0], 10);
  EXPECT_FLOAT_EQ(target.ops[0].coords[1], 20);
  EXPECT_FLOAT_EQ(target.ops[0].coords[2], 50);
  EXPECT_FLOAT_EQ(target.ops[0].coords[3], 40);
  // Clockwise angles become the canvas's counter-clockwise ones.
  EXPECT_FLOAT_EQ(target.ops[0].coords[4], -30);
  EXPECT_FLOAT_EQ(target.ops[0].coords[5], -60);
  EXPECT_FLOAT_EQ(target.ops[0].coords[6], 1);  // filled: no-fill flag clear
}

TEST_F(CanvasTest, LineAndLineToMoveTheCurrentPoint) {
  RecordingCanvas target;
  TGDIPlusCanvas hq(target);
  hq.MoveTo(1.5f, 2.5f);
  hq.LineTo(10.25f, 3);
  hq.Line(0, 0, 7, 8);
  hq.LineTo(9, 9);
  ASSERT_EQ(target.ops.size(), 3u);
  EXPECT_EQ(target.ops[0].coords, (std::vector<float>{1.5f, 2.5f, 10.25f, 3}));
  EXPECT_EQ(target.ops[2].coords, (std::vector<float>{7, 8, 9, 9}));
}

TEST_F(CanvasTest, PieOnAnImageFillsOnlyTheSector) {
  OwnedImageCanvas canvas(60, 60, 0xFFFFFF);
  TGDIPlusCanvas hq(canvas);
  hq.Pie(10, 10, 50, 50, 0, 90);  // clockwise from the right: lower right quarter
  EXPECT_EQ(At(canvas.Picture(), 40, 40), 0u);
  EXPECT_EQ(At(canvas.Picture(), 40, 20), 0xFFFFFFu);
  EXPECT_EQ(At(canvas.Picture(), 20, 40), 0xFFFFFFu);
}

TEST_F(CanvasTest, BatchedPaintingMatchesSinglePrimitives) {
  EnsureGuiApplication();
  auto paint = [](TCanvas& c) {
    c.Pen.mode = TPenMode::Xor;
    c.Pen.color = 0x00FF00;
    c.Line(0, 3, 30, 3);
    c.Pen.mode = TPenMode::Copy;  // the XOR must not carry over to this line
    c.Pen.color = 0xFF0000;
    c.Pen.width = 3;
    c.Line(0, 10, 30, 20);
    c.Pen.width = 1;
    c.Brush.style = TBrushStyle::Clear;
    c.Ellipse(5, 5, 25, 25);
    TAaPen pen;
    pen.color = 0xFF;
    c.AaLine(1.5f, 28.5f, 30.5f, 2.5f, pen);
    c.Pen.mode = TPenMode::Merge;
    c.Pen.color = 0x0000FF;
    c.Line(0, 12, 30, 12);
    // A batch sets only what changed: each primitive must still see the
    // state it asks for (opaque dot gaps, then transparent text; a fill,
    // then a merge line; a translucent fill, then an opaque polygon).
    c.Pen.mode = TPenMode::Copy;
    c.Pen.style = TPenStyle::Dot;
    c.Brush.style = TBrushStyle::Solid;
    c.Brush.color = 0x808080;
    c.Line(0, 30, 31, 1);
    c.Brush.style = TBrushStyle::Clear;
    c.Font.color = 0xFFFF;
    c.TextOut(2, 2, "45");
    c.Font.bold = true;
    c.TextOut(12, 14, "30.0");
    c.Brush.style = TBrushStyle::Solid;
    c.FillRect(20, 20, 28, 28);
    c.Pen.style = TPenStyle::Solid;
    c.Pen.mode = TPenMode::Merge;
    c.Line(18, 24, 31, 24);
    c.AaFillPolygon({{2, 20}, {12, 20}, {7, 30}}, 0xFF00, 100);
    c.Pen.mode = TPenMode::Copy;
    c.Polygon({{20, 2}, {30, 2}, {25, 10}});
  };
  OwnedImageCanvas single(32, 32);
  Pattern(single.Picture());
  OwnedImageCanvas batched(32, 32);
  Pattern(batched.Picture());
  paint(single);
  {
    CanvasBatch outer(batched);
    CanvasBatch inner(batched);  // batches nest
    paint(batched);
  }
  EXPECT_EQ(batched.Picture(), single.Picture());
  // After the batch the image is free for other painters.
  QPainter other(&batched.Picture());
  EXPECT_TRUE(other.isActive());
}

// A batch leaves out lines that a later line covers; the picture must be the
// one painted primitive by primitive. Many repeated lines (as rays caught
// between mirrors draw), in copy, merge and XOR pens, dotted and wide, with
// anti-aliased lines and text between them, from a fixed pseudo-random walk.
class BatchRepeatsTest : public CanvasTest, public ::testing::WithParamInterface<unsigned> {};

TEST_P(BatchRepeatsTest, RepeatedLinesPaintAsWithoutTheBatch) {
  EnsureGuiApplication();
  const int lines[4][4] = {{2, 5, 60, 5}, {60, 5, 2, 5}, {10, 2, 30, 60}, {0, 40, 63, 20}};
  const TColor colours[3] = {0x0000FF, 0x00FF00, 0x808080};
  auto paint = [&](TCanvas& c) {
    unsigned state = GetParam();
    auto next = [&state](unsigned n) {
      state = state * 1103515245u + 12345u;
      return (state >> 16) % n;
    };
    for (int i = 0; i < 300; ++i) {
      const unsigned what = next(20);
      if (what == 0) {
        TAaPen pen;
        pen.color = colours[next(3)];
        pen.alpha = 160;
        c.AaLine(1.5f, 30.5f, 62.5f, 33.5f, pen);
        continue;
      }
      if (what == 1) {
        c.Brush.style = TBrushStyle::Clear;
        c.Font.color = colours[next(3)];
        c.TextOut(int(next(40)), int(next(40)), "45");
        continue;
      }
      const TPenMode modes[3] = {TPenMode::Copy, TPenMode::Merge, TPenMode::Xor};
      c.Pen.mode = modes[what % 7 == 0 ? 2 : next(2)];
      c.Pen.color = colours[next(3)];
      c.Pen.width = int(next(3)) + 1;
      c.Pen.style = next(4) == 0 ? TPenStyle::Dot : TPenStyle::Solid;
      c.Brush.style = next(2) ? TBrushStyle::Solid : TBrushStyle::Clear;
      c.Brush.color = 0x102030;
      const int* l = lines[next(4)];
      c.Line(l[0], l[1], l[2], l[3]);
    }
  };
  OwnedImageCanvas single(64, 64);
  Pattern(single.Picture());
  OwnedImageCanvas batched(64, 64);
  Pattern(batched.Picture());
  paint(single);
  {
    CanvasBatch batch(batched);
    paint(batched);
  }
  EXPECT_EQ(batched.Picture(), single.Picture());
}

INSTANTIATE_TEST_SUITE_P(Walks, BatchRepeatsTest, ::testing::Values(1u, 2u, 7u, 42u, 1234u));
