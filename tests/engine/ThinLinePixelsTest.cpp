// ThinLinePixels against Qt's own painting of the same lines, pixel for pixel.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QThreadPool>
#include <cmath>
#include <random>
#include <tuple>
#include <vector>

#include "gfx/paint/ThinLinePixels.h"

namespace {

const std::vector<int> kPatterns[] = {{}, {3, 3}, {9, 6, 3, 6}, {9, 3, 3, 3, 3, 3}};
constexpr QRgb kWhite = 0xffffffff, kGrey = 0xff808080;

// Paints the line through Qt (in a pool thread, as the program does) and from
// the model, gaps in grey when the background is opaque; expects one image.
void ExpectQtsPixels(QSize size, QPoint p1, QPoint p2, const std::vector<int>& dashes,
                     const QRect& keep, bool opaque, bool merge) {
  QImage qt(size, QImage::Format_RGB32), ours(size, QImage::Format_RGB32);
  qt.fill(Qt::black);
  ours.fill(Qt::black);
  QThreadPool::globalInstance()->start([&] {
    QPainter painter(&qt);
    QPen pen(Qt::white, 1, Qt::SolidLine, Qt::FlatCap);
    if (!dashes.empty()) pen.setDashPattern(QList<qreal>(dashes.begin(), dashes.end()));
    painter.setPen(pen);
    painter.setBackgroundMode(opaque ? Qt::OpaqueMode : Qt::TransparentMode);
    painter.setBackground(QColor(kGrey));
    if (merge) painter.setCompositionMode(QPainter::RasterOp_SourceOrDestination);
    painter.setClipRect(keep);
    painter.drawLine(p1, p2);
  });
  QThreadPool::globalInstance()->waitForDone();
  std::vector<ThinSpan> spans(MaxThinSpans(p1, p2, keep));
  const int count = ThinLinePixels(p1, p2, dashes, size, keep, spans);
  for (int s = 0; s < count; ++s) {
    auto* row = reinterpret_cast<QRgb*>(ours.scanLine(spans[s].y));
    if (spans[s].dash || opaque)
      std::fill(row + spans[s].x0, row + spans[s].x1 + 1, spans[s].dash ? kWhite : kGrey);
  }
  ASSERT_EQ(ours, qt) << "line " << p1.x() << "," << p1.y() << " - " << p2.x() << "," << p2.y()
                      << " with " << dashes.size() << " dashes";
}

class ThinLinePixelsTest : public ::testing::TestWithParam<unsigned> {};

// Short and long lines in any direction or along an axis or a diagonal, ends
// inside, just outside, hundreds of pixels out or very far; every other line
// keeps only a band of rows, as a band of a refresh does.
TEST_P(ThinLinePixelsTest, PaintsExactlyQtsPixels) {
  std::mt19937 rng(GetParam());
  const auto next = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  const QSize size(240 + GetParam() % 3 * 60, 180);
  int compared = 0;
  for (int i = 0; i < 400; ++i) {
    const int out = next(3) == 0 ? 300 : 2;
    const QPoint p1(next(size.width() + 2 * out) - out, next(size.height() + 2 * out) - out);
    const int length = next(3) == 0 ? 1 + next(8) : next(8) == 0 ? 1 << 20 : 1 + next(900);
    const double angle = next(3) == 0 ? next(16) * M_PI / 8 : next(100000) * M_PI / 50000;
    const QPoint p2 =
        p1 + QPoint(std::lround(length * std::cos(angle)), std::lround(length * std::sin(angle)));
    const std::vector<int>& dashes = kPatterns[i % 4];
    if (!ThinLineExact(p1, p2, dashes, size)) continue;
    const int top = next(size.height());
    const QRect keep = i % 2 ? QRect(0, top, size.width(), 1 + next(60)) : QRect({}, size);
    ExpectQtsPixels(size, p1, p2, dashes, keep, i % 3 != 0, i % 5 == 0);
    if (HasFatalFailure()) return;
    ++compared;
  }
  EXPECT_GT(compared, 350);  // single points are the only lines left to Qt
}

INSTANTIATE_TEST_SUITE_P(Seeds, ThinLinePixelsTest, ::testing::Range(1u, 9u));

// Lines cut at a side and at the top or bottom of the device, where the order
// of the cuts and the rounding of the first step show, and one whose cut part
// is a diagonal: its major axis is that of the cut line.
TEST(ThinLinePixelsCut, OrderAndRounding) {
  for (auto [p1, p2, pattern] : {std::tuple{QPoint(261, 235), QPoint(-1269, 875), 0},
                                 {QPoint(172, 215), QPoint(-32, 599), 2},
                                 {QPoint(812, 116), QPoint(-534, 589), 2},
                                 {QPoint(838, -398), QPoint(-809, 975), 1},
                                 {QPoint(1, 173), QPoint(-706, 884), 1}}) {
    ASSERT_TRUE(ThinLineExact(p1, p2, kPatterns[pattern], QSize(400, 300)));
    ExpectQtsPixels(QSize(400, 300), p1, p2, kPatterns[pattern], QRect(0, 0, 400, 300), true,
                    false);
  }
}

}  // namespace
