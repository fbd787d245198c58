#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTabletEvent>
#include <QTest>
#include <QToolButton>

#include "MainWindowFixture.h"
#include "app/TForm43.h"

namespace {

constexpr TColor kKey = BoardOverlay::kTransparentColor;

class DrawingBoardTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    board = std::make_unique<TForm43>(w.get(), w->Surface(), [this] { w->RefreshView(); });
    w->SetDrawingBoard(board.get());
  }
  void TearDown() override {
    w->SetDrawingBoard(nullptr);
    board.reset();
    MainWindowTest::TearDown();
  }
  QColor Shown(int x, int y) { return w->Surface()->Image().pixelColor(x, y); }

  std::unique_ptr<TForm43> board;
};

TEST_F(DrawingBoardTest, ShownBoardTakesTheStrokesAndClosingGivesTheSceneBack) {
  DrawObjectUnit* mirror = PlaceMirror(50, 60, 150, 60);
  Click(300, 250);
  EXPECT_FALSE(board->Visible());
  w->Action("N31")->trigger();
  ASSERT_TRUE(board->Visible());
  EXPECT_TRUE(board->PenButton->isChecked());
  EXPECT_EQ(board->Overlay().penWidth, 5);

  Drag(100, 60, 100, 160);
  EXPECT_EQ(P1(mirror), (TPointF{50, 60}));
  EXPECT_TRUE(Doc().selection.empty());
  EXPECT_EQ(Shown(100, 120), QColor(255, 0, 0));
  EXPECT_EQ(Shown(100, 156), QColor(255, 0, 0));
  EXPECT_EQ(w->Surface()->cursor().shape(), Qt::BitmapCursor);

  board->EraserButton->click();
  EXPECT_EQ(board->Overlay().eraserSize, 22);
  EXPECT_FALSE(board->PenWidthList->isEnabled());
  Drag(95, 110, 95, 130);
  EXPECT_NE(Shown(100, 120), QColor(255, 0, 0));
  EXPECT_EQ(board->Overlay().ColorAt(100, 120), kKey);

  w->ArrowBtnClick();
  EXPECT_FALSE(board->Visible());
  EXPECT_EQ(w->Surface()->cursor().shape(), Qt::CrossCursor);
  Click(100, 60);
  EXPECT_EQ(Doc().selection.size(), 1u);
  EXPECT_EQ(Shown(100, 156), QColor(255, 0, 0));  // the strokes stay shown

  w->NewPageClick();
  EXPECT_EQ(board->Overlay().ColorAt(100, 156), kKey);
  EXPECT_NE(Shown(100, 156), QColor(255, 0, 0));
}

// The board opens beside the palette and below the tool bar, over neither.
TEST_F(DrawingBoardTest, TheBoardOpensBesideThePaletteAndToolBar) {
  // Bars as tall and wide as large fonts make them.
  w->findChild<QWidget*>("ToolBar1")->setMinimumHeight(120);
  w->findChild<QWidget*>("Panel3")->setMinimumWidth(160);
  w->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
  w->Action("N31")->trigger();
  const QRect shown(board->pos(), board->frameGeometry().size());
  for (const char* name : {"Panel3", "ToolBar1"}) {
    auto* part = w->findChild<QWidget*>(name);
    ASSERT_NE(part, nullptr) << name;
    EXPECT_FALSE(shown.intersects(QRect(part->mapToGlobal(QPoint()), part->size()))) << name;
  }
}

TEST_F(DrawingBoardTest, PopupItemOpensTheBoardAndTheOverlayFollowsALargerSurface) {
  w->Action("N19")->trigger();
  ASSERT_TRUE(board->Visible());
  Drag(390, 290, 900, 900);  // runs off the surface
  EXPECT_EQ(board->Overlay().Size(), QSize(1200, 1000));
  QImage large(1600, 1200, QImage::Format_RGB32);
  large.fill(Qt::white);
  QImageCanvas canvas(&large);
  board->PaintOverlay(canvas);
  EXPECT_EQ(board->Overlay().Size(), QSize(1600, 1200));
  EXPECT_EQ(large.pixelColor(600, 541), QColor(255, 0, 0));
  board->ClearButton->click();
  EXPECT_EQ(board->Overlay().ColorAt(600, 541), kKey);
}

}  // namespace

namespace {

TEST_F(DrawingBoardTest, StylusPressureReachesTheBoardAndAMouseClearsIt) {
  w->Action("N31")->trigger();
  ASSERT_TRUE(board->Visible());
  board->ShowTraceBox->setChecked(true);
  ASSERT_TRUE(board->Overlay().speedSensitive);
  TDrawSurface* surface = w->Surface();
  QTabletEvent pen(QEvent::TabletPress, QPointingDevice::primaryPointingDevice(), QPointF(50, 50),
                   surface->mapToGlobal(QPointF(50, 50)), 0.8, 0, 0, 0, 0, 0, Qt::NoModifier,
                   Qt::LeftButton, Qt::LeftButton);
  QCoreApplication::sendEvent(surface, &pen);
  EXPECT_DOUBLE_EQ(surface->PenPressure(), 0.8);
  Down(50, 50);
  MoveTo(75, 50);  // the speed rule would give no width
  EXPECT_EQ(board->Overlay().StrokeWidth(), 8);
  Up(75, 50);

  QMouseEvent mouse(QEvent::MouseMove, QPointF(60, 60), surface->mapToGlobal(QPointF(60, 60)),
                    Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QCoreApplication::sendEvent(surface, &mouse);
  EXPECT_EQ(surface->PenPressure(), -1);
}

}  // namespace
