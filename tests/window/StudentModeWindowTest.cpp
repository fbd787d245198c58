// Student mode in a real window under a window manager: Page Down / Page Up
// and the large scene buttons step through the lesson, and a drag from the
// display server (xdotool) leaves a locked object where the teacher put it.
#include <QGuiApplication>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "TestEnvironment.h"
#include "app/LessonControls.h"
#include "app/TDrawSurface.h"
#include "app/TLumidorNetworkFrm.h"
#include "scene/IMessageSink.h"
#include "ui/UiTestApp.h"

namespace {

void Xdotool(const QStringList& arguments) {
  ASSERT_EQ(QProcess::execute("xdotool", arguments), 0) << arguments.join(' ').toStdString();
}

void MouseTo(QPoint global) {
  Xdotool({"mousemove", "--sync", QString::number(global.x()), QString::number(global.y())});
}

}  // namespace

TEST(StudentModeWindow, KeysAndLargeButtonsStepAndALockedObjectStays) {
  UiTestApp();
  if (QGuiApplication::platformName() != "xcb")
    GTEST_SKIP() << "needs a display server (run under xvfb-run with QT_QPA_PLATFORM=xcb)";
  CollectingMessageSink messages;
  Settings().messages = &messages;
  TLumidorNetworkFrm::Options options;
  options.splash = false;
  TLumidorNetworkFrm window(options);
  window.setGeometry(0, 0, 1000, 700);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  window.Button("SpeedButton24")->click();
  window.SurfaceMouseDown(Qt::LeftButton, 100, 100);
  window.SurfaceMouseMove(Qt::LeftButton, 300, 100);
  window.SurfaceMouseUp(Qt::LeftButton, 300, 100);
  DrawObjectUnit* mirror = window.Doc().scene.back().get();
  mirror->SetLocked(true);
  LessonControls& lessons = *window.Lessons();
  lessons.NewLesson();
  lessons.AddScene();
  lessons.AddScene();
  lessons.Session().Show(0, window.Doc());
  lessons.EnterStudentMode();
  mirror = window.Doc().scene.back().get();
  const auto points = mirror->ControlPointValues();

  TDrawSurface* surface = window.Surface();
  MouseTo(surface->mapToGlobal(QPoint(200, 100)));
  Xdotool({"mousedown", "1"});
  MouseTo(surface->mapToGlobal(QPoint(260, 180)));
  Xdotool({"mouseup", "1"});
  QTest::qWait(200);
  EXPECT_EQ(window.Doc().scene.back()->ControlPointValues(), points);

  auto current = [&] { return lessons.Session().Current(); };
  Xdotool({"key", "--clearmodifiers", "Next"});
  EXPECT_TRUE(QTest::qWaitFor([&] { return current() == 1; }, 5000));
  auto* next = window.findChild<QPushButton*>("NextSceneBtn");
  ASSERT_TRUE(next->isVisible());
  MouseTo(next->mapToGlobal(next->rect().center()));
  Xdotool({"click", "1"});
  EXPECT_TRUE(QTest::qWaitFor([&] { return current() == 2; }, 5000));
  Xdotool({"key", "--clearmodifiers", "Prior"});
  EXPECT_TRUE(QTest::qWaitFor([&] { return current() == 1; }, 5000));
  EXPECT_TRUE(window.windowTitle().endsWith("场景 2 / 3: 场景 2"));
  EXPECT_TRUE(lessons.StudentMode());
}
