#include <gtest/gtest.h>

#include <utility>

#include "gfx/BoardOverlay.h"

namespace {

constexpr TColor kKey = BoardOverlay::kTransparentColor;
constexpr TColor kGreen = 0x00FF00;

BoardOverlay Board(BoardOverlay::Tool tool) {
  BoardOverlay board;
  board.Cover(QSize(400, 300));
  board.Select(tool);
  return board;
}

void Stroke(BoardOverlay& board, int x1, int y1, int x2, int y2) {
  board.PointerDown(x1, y1);
  board.PointerMove(x2, y2);
  board.PointerUp();
}

TEST(BoardOverlayTest, PenDrawsInItsColourAndWidthOnlyOnceMadeAndSelected) {
  BoardOverlay unmade;
  unmade.Select(BoardOverlay::Tool::Pen);
  unmade.PointerDown(10, 10);
  EXPECT_FALSE(unmade.StrokeInProgress());

  BoardOverlay board = Board(BoardOverlay::Tool::Pen);
  EXPECT_EQ(board.Size(), QSize(1200, 1000));
  board.penColor = kGreen;
  board.penWidth = 5;
  board.PointerDown(100, 100);
  EXPECT_TRUE(board.StrokeInProgress());
  board.PointerMove(200, 100);
  board.PointerUp();
  EXPECT_FALSE(board.StrokeInProgress());
  EXPECT_EQ(board.ColorAt(150, 100), kGreen);
  EXPECT_EQ(board.ColorAt(150, 102), kGreen);
  EXPECT_EQ(board.ColorAt(150, 105), kKey);
  EXPECT_EQ(board.ColorAt(250, 100), kKey);

  board.Select(BoardOverlay::Tool::None);
  Stroke(board, 100, 200, 200, 200);
  EXPECT_EQ(board.ColorAt(150, 200), kKey);
}

TEST(BoardOverlayTest, FastEraserSweepLeavesNoGapAndTheKeyShowsThePictureBeneath) {
  BoardOverlay board = Board(BoardOverlay::Tool::Pen);
  board.penWidth = 7;
  Stroke(board, 0, 100, 399, 100);
  board.Select(BoardOverlay::Tool::Eraser);
  board.eraserSize = 10;
  Stroke(board, 50, 92, 300, 96);  // one jump of 250 pixels
  for (int x = 50; x <= 300; x += 5) EXPECT_EQ(board.ColorAt(x, 100), kKey) << x;
  EXPECT_EQ(board.ColorAt(350, 100), 255u);

  QImage picture(400, 300, QImage::Format_RGB32);
  picture.fill(QColor(0, 0, 2));  // the key colour itself
  board.PaintOver(picture);
  EXPECT_EQ(picture.pixelColor(150, 100), QColor(0, 0, 2));
  EXPECT_EQ(picture.pixelColor(350, 100), QColor(255, 0, 0));

  board.Clear();
  EXPECT_EQ(board.ColorAt(350, 100), kKey);
}

TEST(BoardOverlayTest, PenInTheKeyColourLeavesNothing) {
  BoardOverlay board = Board(BoardOverlay::Tool::Pen);
  board.penColor = kKey;
  board.penWidth = 7;
  Stroke(board, 10, 10, 90, 10);
  EXPECT_EQ(board.ColorAt(50, 10), kKey);
}

TEST(BoardOverlayTest, SpeedSensitivePenThinsWhenFastAndKeepsItsWidthBeyond25Pixels) {
  BoardOverlay board = Board(BoardOverlay::Tool::Pen);
  board.speedSensitive = true;
  board.penWidth = 5;
  board.PointerDown(0, 50);
  EXPECT_EQ(board.StrokeWidth(), 5);
  board.PointerMove(5, 50);
  EXPECT_EQ(board.StrokeWidth(), 8);
  board.PointerMove(45, 50);
  EXPECT_EQ(board.StrokeWidth(), 8);
  board.PointerMove(70, 50);
  EXPECT_EQ(board.StrokeWidth(), 0);
}

TEST(BoardOverlayTest, StylusPressureSetsTheWidthOnlyWithSpeedSensitiveStrokes) {
  BoardOverlay board = Board(BoardOverlay::Tool::Pen);
  board.penWidth = 5;
  board.pressure = 0.9;
  Stroke(board, 0, 50, 5, 50);
  EXPECT_EQ(board.StrokeWidth(), 5);  // a plain pen keeps its width
  board.speedSensitive = true;
  for (auto [pressure, width] : {std::pair{0.9, 9}, {0.02, 1}, {1.7, 10}, {0.0, 1}}) {
    board.pressure = pressure;
    board.PointerDown(0, 100);
    board.PointerMove(60, 100);  // speed alone would keep 5
    EXPECT_EQ(board.StrokeWidth(), width) << pressure;
    board.PointerUp();
  }
  board.pressure = -1;  // a mouse again: the speed rule
  board.PointerDown(0, 150);
  board.PointerMove(25, 150);
  EXPECT_EQ(board.StrokeWidth(), 0);
}

TEST(BoardOverlayTest, LargerSurfaceWidensTheOverlayAndKeepsTheStrokes) {
  BoardOverlay board = Board(BoardOverlay::Tool::Pen);
  Stroke(board, 100, 100, 200, 100);
  board.Cover(QSize(1600, 900));
  EXPECT_EQ(board.Size(), QSize(1600, 1000));
  EXPECT_EQ(board.ColorAt(150, 100), 255u);
  board.Cover(QSize(300, 200));
  EXPECT_EQ(board.Size(), QSize(1600, 1000));
  Stroke(board, 1500, 950, 5000, -3000);  // off the overlay: clipped
  EXPECT_EQ(board.ColorAt(1500, 950), 255u);
}

}  // namespace
