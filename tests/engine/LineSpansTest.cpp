// LineSpans against Qt's own painting of the same lines, pixel for pixel.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cmath>
#include <random>
#include <tuple>
#include <vector>

#include "gfx/paint/LineSpans.h"

namespace {

constexpr int kSize = 200;

// Random lines: any direction, or along an axis, a diagonal, or one pixel
// off them; some of a single point; ends inside, near and outside the image.
struct LineMaker {
  std::mt19937 rng;
  int Next(int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); }
  void Make(QPoint& p1, QPoint& p2) {
    p1 = QPoint(Next(kSize + 20) - 10, Next(kSize + 20) - 10);
    if (Next(3) == 0) p1.setX(Next(4));  // a pixel or three from the edge
    const int length = Next(3) == 0 ? Next(6) : Next(260);
    const double angle = Next(3) == 0 ? Next(8) * M_PI / 4 : Next(100000) * M_PI / 50000;
    p2 = p1 + QPoint(std::lround(length * std::cos(angle)), std::lround(length * std::sin(angle)));
    if (Next(6) == 0) p2 += QPoint(Next(3) - 1, Next(3) - 1);
  }
};

// Paints the line through Qt on `qt` and from its spans on `ours` (both
// cleared first) and expects the same pixels in `keep`.
void ExpectQtsPixels(QImage& qt, QImage& ours, QPoint p1, QPoint p2, int width, const QRect& keep,
                     bool merge) {
  qt.fill(Qt::black);
  ours.fill(Qt::black);
  QPen pen(Qt::white);
  pen.setWidth(width);
  pen.setCapStyle(Qt::SquareCap);
  pen.setJoinStyle(Qt::MiterJoin);
  {
    QPainter painter(&qt);
    painter.setPen(pen);
    if (merge) painter.setCompositionMode(QPainter::RasterOp_SourceOrDestination);
    painter.drawLine(p1, p2);
  }
  std::vector<LineSpan> spans(MaxLineSpans(p1, p2, width));
  const int count = LineSpans(p1, p2, width, keep, spans);
  for (int s = 0; s < count; ++s) {
    auto* row = reinterpret_cast<QRgb*>(ours.scanLine(spans[s].y));
    std::fill(row + spans[s].x0, row + spans[s].x1 + 1, qRgb(255, 255, 255));
  }
  const QRect shown = keep.intersected(qt.rect());
  ASSERT_EQ(ours.copy(shown), qt.copy(shown)) << "line " << p1.x() << "," << p1.y() << " - "
                                              << p2.x() << "," << p2.y() << " width " << width;
}

class LineSpansTest : public ::testing::TestWithParam<unsigned> {};

TEST_P(LineSpansTest, PaintsExactlyQtsPixels) {
  LineMaker lines{std::mt19937(GetParam())};
  QImage qt(kSize, kSize, QImage::Format_RGB32), ours(kSize, kSize, QImage::Format_RGB32);
  int compared = 0;
  for (int i = 0; i < 1500; ++i) {
    QPoint p1, p2;
    lines.Make(p1, p2);
    const int width = 2 + i % 2;
    if (!LineSpansExact(p1, p2, width, qt.size())) continue;
    // Every third line keeps only a band of rows, as a band of a refresh does.
    const int top = lines.Next(kSize), bottom = top + lines.Next(kSize);
    const QRect keep = i % 3 == 0 ? QRect(0, top, kSize, bottom - top) : qt.rect();
    ExpectQtsPixels(qt, ours, p1, p2, width, keep, i % 4 < 2);
    if (HasFatalFailure()) return;
    ++compared;
  }
  EXPECT_GT(compared, 400);  // the lines the model takes are most of them
}

INSTANTIATE_TEST_SUITE_P(Seeds, LineSpansTest, ::testing::Range(1u, 9u));

// Long lines where the first row's x, taken from the slope rather than from
// the edge itself, would end one pixel off. Moved next to the image's
// corner (whole pixels move nothing), on an image just large enough.
TEST(LineSpansLong, FirstRowFromTheEdge) {
  for (auto [p1, p2, width] : {std::tuple{QPoint(1392, 1105), QPoint(2039, 1251), 2},
                               {QPoint(425, 990), QPoint(8, 8), 3},
                               {QPoint(1092, 1485), QPoint(648, 2039), 2},
                               {QPoint(343, 1276), QPoint(1042, 1751), 2}}) {
    const QRect box = QRect(p1, p2).normalized();
    p1 += QPoint(4, 4) - box.topLeft();
    p2 += QPoint(4, 4) - box.topLeft();
    QImage qt(box.size() + QSize(8, 8), QImage::Format_RGB32), ours(qt.size(), qt.format());
    ASSERT_TRUE(LineSpansExact(p1, p2, width, qt.size()));
    ExpectQtsPixels(qt, ours, p1, p2, width, qt.rect(), false);
  }
}

}  // namespace
