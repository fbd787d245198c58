// Mouse moves on the surface reach the window at most once per frame, the
// latest position winning, and never after the press or release behind them.
#include <QKeyEvent>
#include <QTest>
#include <QToolButton>
#include <vector>

#include "MainWindowFixture.h"

namespace {

class SurfaceMovesTest : public MainWindowTest {
 protected:
  // Many moves arriving faster than the window refreshes, as while a slow
  // trace runs: Qt delivers them one after the other with no pass of the
  // event loop in between.
  void Burst(QWidget* surface, int count, QPoint from, QPoint step) {
    for (int i = 1; i <= count; ++i)
      Send(surface, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, from + step * i);
  }
};

TEST_F(SurfaceMovesTest, ABurstOfMovesRefreshesOnceWithTheLatestPointer) {
  DrawObjectUnit* mirror = PlaceMirror(50, 60, 150, 60);
  Doc().running = true;
  QWidget* surface = w->Surface();
  std::vector<int> passed;  // x of every move passed on to the window
  QObject::connect(w->Surface(), &TDrawSurface::MouseMove,
                   [&](Qt::MouseButtons, int x, int) { passed.push_back(x); });
  Send(surface, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, {100, 60});
  Burst(surface, 300, {100, 60}, {1, 0});
  EXPECT_TRUE(passed.empty());
  // Until the held move is passed on, however slow the machine.
  EXPECT_TRUE(QTest::qWaitFor([&] { return !passed.empty(); }, 60000));
  EXPECT_EQ(passed, std::vector<int>{400});
  // The drag went all the way: the mirror moved by the whole motion.
  EXPECT_EQ(P1(mirror), (TPointF{350, 60}));
  Send(surface, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, {400, 60});
}

TEST_F(SurfaceMovesTest, PressAndReleaseComeAfterTheMovesBeforeThem) {
  DrawObjectUnit* mirror = PlaceMirror(50, 60, 150, 60);
  QWidget* surface = w->Surface();
  for (const QEvent::Type last : {QEvent::MouseButtonRelease, QEvent::KeyPress}) {
    const TPointF start = P1(mirror);
    Send(surface, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton,
         {start.x + 50, start.y});
    Burst(surface, 20, {int(start.x) + 50, int(start.y)}, {0, 2});
    if (last == QEvent::KeyPress) {
      // A key anywhere in the program (an edit shortcut) sees the drag done.
      QKeyEvent key(QEvent::KeyPress, Qt::Key_Shift, Qt::NoModifier);
      QCoreApplication::sendEvent(w.get(), &key);
      EXPECT_EQ(P1(mirror), (TPointF{start.x, start.y + 40})) << "before a key";
    }
    Send(surface, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton,
         {start.x + 50, start.y + 40});
    EXPECT_EQ(P1(mirror), (TPointF{start.x, start.y + 40}));
  }
  // The drag pushed its snapshot at the release, once per drag.
  ASSERT_TRUE(Doc().CanUndo());
}

}  // namespace
