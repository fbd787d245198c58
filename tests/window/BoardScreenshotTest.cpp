// The drawing board in a real window on a virtual display: what the screen
// shows is grabbed from the display server, not read from our own bitmap.
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QTest>
#include <QToolButton>
#include <functional>

#include "TestEnvironment.h"
#include "app/TDrawSurface.h"
#include "app/TForm43.h"
#include "app/TLumidorNetworkFrm.h"
#include "scene/IMessageSink.h"
#include "ui/UiTestApp.h"

namespace {

class RealWindow : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    UiTestApp();
    if (QGuiApplication::platformName() != "xcb")
      GTEST_SKIP() << "needs a display server (run under xvfb-run with QT_QPA_PLATFORM=xcb)";
    Settings().messages = &messages;
    TLumidorNetworkFrm::Options options;
    options.splash = false;
    window = std::make_unique<TLumidorNetworkFrm>(options);
    board = std::make_unique<TForm43>(window.get(), window->Surface(),
                                      [this] { window->RefreshView(); });
    window->SetDrawingBoard(board.get());
    window->setGeometry(0, 0, 1000, 700);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  }
  void TearDown() override {
    if (window) window->SetDrawingBoard(nullptr);
    board.reset();
    window.reset();
    EngineTest::TearDown();
  }

  void Send(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons) {
    QWidget* surface = window->Surface();
    QMouseEvent event(type, QPointF(at), surface->mapToGlobal(QPointF(at)), button, buttons,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(surface, &event);
  }
  void Stroke(QPoint from, QPoint to) {
    Send(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    for (int k = 1; k <= 20; ++k)
      Send(QEvent::MouseMove, from + (to - from) * k / 20, Qt::NoButton, Qt::LeftButton);
    Send(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
  }
  // Until the display shows `red` pure red pixels in the box (the held move
  // and the repaint take their time); the bound only ends a run where it never does.
  bool ShowsRed(QRect box, const std::function<bool(int)>& red) {
    return QTest::qWaitFor([&] { return red(RedOnScreen(box)); }, 60000);
  }
  // Counts the pure red pixels the display shows in a box of the surface.
  int RedOnScreen(QRect box) {
    const QPoint origin = window->Surface()->mapToGlobal(box.topLeft());
    const QImage shot = window->screen()
                            ->grabWindow(0, origin.x(), origin.y(), box.width(), box.height())
                            .toImage();
    int red = 0;
    for (int y = 0; y < shot.height(); ++y)
      for (int x = 0; x < shot.width(); ++x)
        if (shot.pixelColor(x, y) == QColor(255, 0, 0)) ++red;
    return red;
  }

  CollectingMessageSink messages;
  std::unique_ptr<TLumidorNetworkFrm> window;
  std::unique_ptr<TForm43> board;
};

TEST_F(RealWindow, BoardStrokeShowsOnTheScreenAndTheEraserWipesIt) {
  const std::size_t objects = window->Doc().scene.size();
  const QRect around(180, 180, 240, 40);
  ASSERT_EQ(RedOnScreen(around), 0);
  window->Action("N31")->trigger();
  ASSERT_TRUE(board->Visible());
  board->move(window->mapToGlobal(QPoint(700, 400)));  // away from the stroke

  Stroke({200, 200}, {400, 200});
  // A 5 px red pen over 200 px: most of it must be on the screen.
  EXPECT_TRUE(ShowsRed(around, [](int red) { return red > 700; })) << RedOnScreen(around);
  EXPECT_EQ(window->Doc().scene.size(), objects);
  EXPECT_TRUE(window->Doc().selection.empty());

  board->EraserButton->click();
  // The eraser square hangs below and right of the pointer.
  Stroke({170, 190}, {410, 190});
  EXPECT_TRUE(ShowsRed(around, [](int red) { return red == 0; })) << RedOnScreen(around);
}

}  // namespace
