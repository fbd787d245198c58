// LineSpans against Qt's own painting of the same lines, pixel for pixel.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cmath>
#include <random>
#include <vector>

#include "gfx/LineSpans.h"

namespace {

constexpr int kSize = 200;

// Random lines: any direction, or along an axis, a diagonal, or one pixel
// off them; some of a single point; ends inside and outside the image.
struct LineMaker {
  std::mt19937 rng;
  int Next(int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); }
  void Make(QPoint& p1, QPoint& p2) {
    p1 = QPoint(Next(kSize + 20) - 10, Next(kSize + 20) - 10);
    const int length = Next(3) == 0 ? Next(6) : Next(260);
    const double angle = Next(3) == 0 ? Next(8) * M_PI / 4 : Next(100000) * M_PI / 50000;
    p2 = p1 + QPoint(std::lround(length * std::cos(angle)), std::lround(length * std::sin(angle)));
    if (Next(6) == 0) p2 += QPoint(Next(3) - 1, Next(3) - 1);
  }
};

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
    qt.fill(Qt::black);
    ours.fill(Qt::black);
    QPen pen(Qt::white);
    pen.setWidth(width);
    pen.setCapStyle(Qt::SquareCap);
    pen.setJoinStyle(Qt::MiterJoin);
    {
      QPainter painter(&qt);
      painter.setPen(pen);
      if (i % 4 < 2) painter.setCompositionMode(QPainter::RasterOp_SourceOrDestination);
      painter.drawLine(p1, p2);
    }
    // Every other line keeps only a band of rows, as a band of a refresh does.
    const int top = lines.Next(kSize), bottom = top + lines.Next(kSize);
    const QRect keep = i % 3 == 0 ? QRect(0, top, kSize, bottom - top) : qt.rect();
    std::vector<LineSpan> spans(MaxLineSpans(p1, p2, width));
    const int count = LineSpans(p1, p2, width, keep, spans);
    for (int s = 0; s < count; ++s) {
      auto* row = reinterpret_cast<QRgb*>(ours.scanLine(spans[s].y));
      std::fill(row + spans[s].x0, row + spans[s].x1 + 1, qRgb(255, 255, 255));
    }
    const QImage expected = qt.copy(keep.intersected(qt.rect()));
    ASSERT_EQ(ours.copy(keep.intersected(qt.rect())), expected)
        << "line " << p1.x() << "," << p1.y() << " - " << p2.x() << "," << p2.y() << " width "
        << width;
    ++compared;
  }
  EXPECT_GT(compared, 500);  // the lines the model takes are most of them
}

INSTANTIATE_TEST_SUITE_P(Seeds, LineSpansTest, ::testing::Range(1u, 9u));

}  // namespace
