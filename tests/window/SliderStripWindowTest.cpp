// The board's sliders in a real window: a finger's drag on the focal length
// comes from the display server (xdotool), retraces as it goes and is one
// undo step when it lets go.
#include <QGuiApplication>
#include <QProcess>
#include <QSlider>
#include <QTest>
#include <QToolButton>

#include "TestEnvironment.h"
#include "app/SliderStrip.h"
#include "app/TLumidorNetworkFrm.h"
#include "objects/elements/IdealLens.h"
#include "scene/Document.h"
#include "ui/UiTestApp.h"

namespace {

void Xdotool(const QStringList& arguments) {
  ASSERT_EQ(QProcess::execute("xdotool", arguments), 0) << arguments.join(' ').toStdString();
}
void PointerTo(QPoint global) {
  Xdotool({"mousemove", "--sync", QString::number(global.x()), QString::number(global.y())});
}

class SliderStripWindow : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    UiTestApp();
    if (QGuiApplication::platformName() != "xcb")
      GTEST_SKIP() << "needs a display server (run under xvfb-run with QT_QPA_PLATFORM=xcb)";
    TLumidorNetworkFrm::Options options;
    options.splash = false;
    window = std::make_unique<TLumidorNetworkFrm>(options);
    window->setGeometry(0, 0, 1000, 700);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  }
  void TearDown() override {
    if (window) window->Sliders()->MenuItem()->setChecked(false);
    window.reset();
    EngineTest::TearDown();
  }
  std::unique_ptr<TLumidorNetworkFrm> window;
};

TEST_F(SliderStripWindow, DraggingTheFocalLengthRetracesLiveAndUndoesInOneStep) {
  SliderStrip& strip = *window->Sliders();
  window->Button("SpeedButton17")->click();
  window->SurfaceMouseDown(Qt::LeftButton, 400, 150);
  window->SurfaceMouseMove(Qt::LeftButton, 400, 350);
  window->SurfaceMouseUp(Qt::LeftButton, 400, 350);
  EXPECT_FALSE(strip.Strip()->isVisible());  // off until chosen
  strip.MenuItem()->setChecked(true);
  auto* lens = dynamic_cast<IdealLens*>(window->Doc().scene.back().get());
  ASSERT_NE(lens, nullptr);
  ASSERT_TRUE(QTest::qWaitFor([&] { return strip.Strip()->isVisible(); }, 5000));
  ASSERT_EQ(strip.Sliders().size(), 1u);
  const float before = lens->focalLength;
  const int undoBefore = window->Doc().history.Current();

  QSlider* slider = strip.Sliders()[0];
  EXPECT_GE(slider->height(), 44);  // finger-sized
  const int span = slider->width();
  const QPoint handle = slider->mapToGlobal(
      QPoint(int(span * double(slider->value()) / slider->maximum()), slider->height() / 2));
  PointerTo(handle);
  Xdotool({"mousedown", "1"});
  std::vector<float> seen;
  for (int step = 1; step <= 4; ++step) {
    PointerTo(handle + QPoint(step * 40, 0));
    QTest::qWait(60);
    seen.push_back(lens->focalLength);
  }
  Xdotool({"mouseup", "1"});
  ASSERT_TRUE(QTest::qWaitFor([&] { return !slider->isSliderDown(); }, 5000));
  QTest::qWait(100);
  // Live: the length grew with every move before the release.
  EXPECT_GT(seen.front(), before);
  EXPECT_GT(seen.back(), seen.front());
  EXPECT_EQ(window->Doc().history.Current(), undoBefore + 1);
  window->UndoMenuClick();
  EXPECT_EQ(dynamic_cast<IdealLens&>(*window->Doc().scene.back()).focalLength, before);
}

}  // namespace
