#include <QPointingDevice>
#include <QTouchEvent>

#include "MainWindowFixture.h"

namespace {

class SurfaceZoomTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    mirror = PlaceMirror(100, 100, 200, 100);
    snapshots = Doc().history.Size();
  }
  void Touch(QEvent::Type type, std::initializer_list<QPointF> fingers) {
    static QPointingDevice screen("touch", 1, QInputDevice::DeviceType::TouchScreen,
                                  QPointingDevice::PointerType::Finger,
                                  QInputDevice::Capability::Position, 2, 0);
    QList<QEventPoint> points;
    int id = 0;
    const auto state = type == QEvent::TouchBegin ? QEventPoint::Pressed
                       : type == QEvent::TouchEnd ? QEventPoint::Released
                                                  : QEventPoint::Updated;
    // Qt places each point on the widget from its global position.
    for (const QPointF& p : fingers)
      points << QEventPoint(id++, state, p, w->Surface()->mapToGlobal(p));
    QTouchEvent event(type, &screen, Qt::NoModifier, points);
    QCoreApplication::sendEvent(w->Surface(), &event);
  }
  DrawObjectUnit* mirror = nullptr;
  std::size_t snapshots = 0;
};

// Two fingers spreading zoom about their centre; moving together they pan.
TEST_F(SurfaceZoomTest, TwoFingersPinchAndPan) {
  Touch(QEvent::TouchBegin, {{140, 100}, {160, 100}});
  Touch(QEvent::TouchUpdate, {{135, 100}, {165, 100}});  // half as far apart again
  EXPECT_NEAR(P1(mirror).x, 75, 0.01);
  EXPECT_NEAR(P2(mirror).x, 225, 0.01);
  Touch(QEvent::TouchUpdate, {{135, 130}, {165, 130}});  // 30 px down
  EXPECT_NEAR(P1(mirror).y, 130, 0.01);
  Touch(QEvent::TouchEnd, {{135, 130}, {165, 130}});
  EXPECT_EQ(Doc().history.Size(), snapshots);
}

}  // namespace
