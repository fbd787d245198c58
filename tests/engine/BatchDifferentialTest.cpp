#include <gtest/gtest.h>

#include <random>

#include "GuiApplication.h"
#include "TestEnvironment.h"
#include "gfx/paint/QImageCanvas.h"

namespace {

// Random strokes in every pen mode, style and width, often repeated (so that
// the batch leaves some out), under random clips and across the band edges,
// painted one by one and in one batch in one to three bands: the pixels must
// be the same.
void PaintRandom(TCanvas& c, unsigned seed) {
  QImage picture(7, 5, QImage::Format_RGB32);
  for (int i = 0; i < 35; ++i) picture.setPixel(i % 7, i / 7, i % 3 ? 0xFFFFFF : 0x10204 * i);
  std::mt19937 rng(seed);
  auto pick = [&rng](int n) { return int(rng() % unsigned(n)); };
  const TPoint pool[] = {{-30, 5}, {60, 9}, {17, 90}, {88, 71}};
  // Merge lines whose colours OR to white are painted as white.
  const TColor colours[] = {0xC0, 0xC000, 0xFFFFFF, 0xFF00FF, 0x00FF00};
  for (int i = 0; i < 400; ++i) {
    c.Pen = {TPenMode(pick(3)), colours[pick(5)], 1 + pick(3), TPenStyle(pick(3) ? 0 : pick(5))};
    c.Brush = {TBrushStyle(pick(2)), TColor(0x2080F0 >> pick(2))};
    c.ClipRect = pick(4) ? TClipRect{} : TClipRect{true, 9, 4, 70, 80};
    const int from = pick(3);
    TPoint a = pool[from], b = pool[from + 1 + pick(3 - from)];
    if (!pick(4)) {
      a = {pick(180) - 40, pick(170) - 40};
      b = {pick(180) - 40, pick(170) - 40};
    }
    switch (pick(11)) {
      case 0:
        c.Rectangle(a.x, a.y, b.x, b.y);
        break;
      case 1:
        c.Ellipse(a.x, a.y, b.x, b.y);
        break;
      case 2:
        c.Polyline({a, b, pool[pick(4)]});
        break;
      case 3:
        c.FillRect(a.x, a.y, b.x, b.y);
        break;
      case 5:
        c.TextOut(a.x, a.y, "ab");
        break;
      case 4:
        c.AaLine(a.x, a.y, b.x, b.y, {0x3070F0, 160, 3.5f});
        break;
      case 6:
        c.Arc(a.x, a.y, b.x, b.y, b.x, a.y, a.x, b.y);
        break;
      case 7:
        c.AaPie(a.x, a.y, b.x, b.y, 30, 200, {0x40A020, 200, 1.5f}, pick(2), 0x8080);
        break;
      case 8:
        c.StretchDrawTransparent(a.x, a.y, b.x, b.y, picture, 0xFFFFFF);
        break;
      default:
        c.Line(a.x, a.y, b.x, b.y);
    }
  }
}

class BatchDifferentialTest : public EngineTest, public ::testing::WithParamInterface<unsigned> {};

TEST_P(BatchDifferentialTest, BatchPaintsWhatSingleCallsPaint) {
  EnsureGuiApplication();
  OwnedImageCanvas single(100, 90, 0x336699);
  PaintRandom(single, GetParam());
  for (int bands : {1, 2, 3}) {
    OwnedImageCanvas batched(100, 90, 0x336699);
    batched.SetBands(bands);
    batched.BeginBatch();
    PaintRandom(batched, GetParam());
    batched.EndBatch();
    EXPECT_TRUE(batched.Picture() == single.Picture()) << bands << " bands";
  }
}

INSTANTIATE_TEST_SUITE_P(Seeds, BatchDifferentialTest, ::testing::Range(1u, 61u));

}  // namespace
