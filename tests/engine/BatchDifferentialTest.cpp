#include <gtest/gtest.h>

#include <random>

#include "GuiApplication.h"
#include "TestEnvironment.h"
#include "gfx/QImageCanvas.h"

namespace {

// Random strokes in every pen mode, style and width, often repeated (so that
// the batch leaves some out) and under random clips, painted in one batch
// and one by one: the pixels must be the same.
void PaintRandom(TCanvas& c, unsigned seed) {
  std::mt19937 rng(seed);
  auto pick = [&rng](int n) { return int(rng() % unsigned(n)); };
  const TPoint pool[] = {{-30, 5}, {60, 9}, {17, 90}, {88, 71}};
  for (int i = 0; i < 400; ++i) {
    c.Pen = {TPenMode(pick(3)), TColor(0xC0 << (8 * pick(2))), 1 + pick(3) / 2,
             TPenStyle(pick(3) ? 0 : pick(5))};
    c.Brush = {TBrushStyle(pick(2)), TColor(0x2080F0 >> pick(2))};
    c.ClipRect = pick(4) ? TClipRect{} : TClipRect{true, 9, 4, 70, 80};
    const int from = pick(3);
    const TPoint a = pool[from], b = pool[from + 1 + pick(3 - from)];
    switch (pick(8)) {
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
      default:
        c.Line(a.x, a.y, b.x, b.y);
    }
  }
}

class BatchDifferentialTest : public EngineTest, public ::testing::WithParamInterface<unsigned> {};

TEST_P(BatchDifferentialTest, BatchPaintsWhatSingleCallsPaint) {
  EnsureGuiApplication();
  OwnedImageCanvas batched(100, 90, 0x336699), single(100, 90, 0x336699);
  batched.BeginBatch();
  PaintRandom(batched, GetParam());
  batched.EndBatch();
  PaintRandom(single, GetParam());
  EXPECT_TRUE(batched.Picture() == single.Picture());
}

INSTANTIATE_TEST_SUITE_P(Seeds, BatchDifferentialTest, ::testing::Range(1u, 61u));

}  // namespace
