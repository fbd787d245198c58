// The desktop's keys and pointer habits through Qt's own shortcut, wheel and
// mouse handling on a shown window, beside the window's own keys.
#include <QMenu>
#include <QPointingDevice>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>

#include "MainWindowFixture.h"
#include "app/DesktopHabits.h"
#include "app/SurfaceGestures.h"
#include "scene/ProcessSettings.h"

namespace {

class DesktopHabitsTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    w->show();
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    mirror = PlaceMirror(50, 60, 150, 60);
  }
  void Key(QKeyCombination key) { QTest::keyClick(w.get(), key.key(), key.keyboardModifiers()); }
  void Wheel(int angle, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
    QWheelEvent event({200, 200}, {200, 200}, {}, {0, angle}, Qt::NoButton, modifiers,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(w->Surface(), &event);
  }
  // The mirror's first end after a zoom by `factor` about the pointer.
  TPointF Zoomed(float factor) {
    auto copy = mirror->Clone();
    copy->Zoom(200, 200, factor);
    return P1(copy.get());
  }
  DrawObjectUnit* mirror = nullptr;
};

TEST_F(DesktopHabitsTest, RedoKeysBesideTheWindowsOwn) {
  for (const QKeyCombination redo :
       {Qt::CTRL | Qt::SHIFT | Qt::Key_Z, Qt::CTRL | Qt::Key_Y, Qt::CTRL | Qt::ALT | Qt::Key_Z}) {
    Key(Qt::CTRL | Qt::Key_Z);  // the window's own undo
    ASSERT_EQ(Placed(), 0u);
    Key(redo);
    EXPECT_EQ(Placed(), 1u) << QKeySequence(redo).toString().toStdString();
  }
}

TEST_F(DesktopHabitsTest, EscapePutsAToolDownEvenInTheMiddleOfPlacing) {
  w->Button("SpeedButton24")->click();
  Key(Qt::Key_Escape);
  EXPECT_EQ(w->ActiveHandlers(), TLumidorNetworkFrm::Handlers::Default);
  EXPECT_EQ(Doc().placement, nullptr);
  EXPECT_TRUE(w->Button("ArrowBtn")->isChecked());
  w->Button("SpeedButton24")->click();
  Down(200, 100);
  MoveTo(260, 150);
  Key(Qt::Key_Escape);
  Up(260, 150);  // neither places nor selects
  EXPECT_EQ(Placed(), 1u);
  EXPECT_TRUE(Doc().selection.empty());
  w->Button("SpeedButton7")->click();
  Key(Qt::Key_Escape);
  EXPECT_FALSE(w->moveMode);
}

TEST_F(DesktopHabitsTest, CtrlQQuitsLikeExit) {
  Doc().page->saved = 0;
  Key(Qt::CTRL | Qt::Key_Q);
  EXPECT_FALSE(w->isVisible());
  EXPECT_EQ(Doc().page->saved, 1);
}

TEST_F(DesktopHabitsTest, CtrlWheelZoomsOneNotchAtATime) {
  const TPointF in = Zoomed(1.1f);
  Wheel(DesktopHabits::kNotch / 2);
  EXPECT_EQ(P1(mirror), (TPointF{50, 60}));  // half a notch: not yet
  Wheel(DesktopHabits::kNotch / 2);
  EXPECT_EQ(P1(mirror), in);
  const TPointF out = Zoomed(0.95f);
  Wheel(-DesktopHabits::kNotch);
  EXPECT_EQ(P1(mirror), out);
  Wheel(DesktopHabits::kNotch, Qt::NoModifier);
  EXPECT_EQ(P1(mirror), out);
  EXPECT_EQ(Doc().history.Size(), 2u);  // no snapshot
}

TEST_F(DesktopHabitsTest, MiddleDragPansWithoutASnapshot) {
  QWidget* surface = w->Surface();
  QTest::mousePress(surface, Qt::MiddleButton, {}, {200, 200});
  EXPECT_EQ(surface->cursor().shape(), Qt::ClosedHandCursor);
  Send(surface, QEvent::MouseMove, Qt::NoButton, Qt::MiddleButton, {230, 210});
  QTest::mouseRelease(surface, Qt::MiddleButton, {}, {230, 210});
  EXPECT_EQ(P1(mirror), (TPointF{80, 70}));
  EXPECT_EQ(P2(mirror), (TPointF{180, 70}));
  EXPECT_EQ(Doc().history.Size(), 2u);
  EXPECT_EQ(surface->cursor().shape(), Qt::CrossCursor);
}

TEST_F(DesktopHabitsTest, LongTouchOpensThePopupMenuAMouseDoesNot) {
  static const QPointingDevice* touch = QTest::createTouchDevice();  // kept by Qt
  auto press = [&](const QPointingDevice* device) {
    QMouseEvent event(QEvent::MouseButtonPress, {100, 60}, {100, 60}, {100, 60}, Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier, device);
    QCoreApplication::sendEvent(w->Surface(), &event);
  };
  Click(300, 250);  // nothing selected
  // A menu that does not open has no moment to wait for: past the long press.
  press(QPointingDevice::primaryPointingDevice());
  QTest::qWait(SurfaceGestures::kLongPressMilliseconds + 200);
  EXPECT_FALSE(w->ToolUnitMenu()->isVisible());
  Up(100, 60);
  // One that opens is waited for, however slow the machine.
  press(touch);
  EXPECT_TRUE(QTest::qWaitFor([&] { return w->ToolUnitMenu()->isVisible(); }, 60000));
  EXPECT_EQ(Doc().selection, Selection{mirror});
  EXPECT_FALSE(w->mouseDown);  // the press ended there
  w->ToolUnitMenu()->close();
}

}  // namespace
