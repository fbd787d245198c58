#pragma once
// The main window driven as a user would.

#include <QCoreApplication>
#include <QMouseEvent>
#include <QToolButton>

#include "UiTest.h"
#include "app/TDrawSurface.h"
#include "app/TLumidorNetworkFrm.h"
#include "objects/ObjectFactory.h"
#include "objects/elements/FlatMirror.h"

// The two control points of a plane mirror.
inline TPointF P1(const DrawObjectUnit* o) {
  if (auto* m = dynamic_cast<const FlatMirror*>(o)) return {m->segment.x1, m->segment.y1};
  ADD_FAILURE() << "not a plane mirror";
  return {};
}
inline TPointF P2(const DrawObjectUnit* o) {
  if (auto* m = dynamic_cast<const FlatMirror*>(o)) return {m->segment.x2, m->segment.y2};
  ADD_FAILURE() << "not a plane mirror";
  return {};
}

class MainWindowTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    TLumidorNetworkFrm::Options options;
    options.splash = false;
    options.surfaceSize = QSize(400, 300);
    w = std::make_unique<TLumidorNetworkFrm>(options);
    base = Doc().scene.size();
  }
  void TearDown() override {
    w.reset();
    UiTest::TearDown();
  }

  Document& Doc() { return w->Doc(); }
  // The page's coordinate system, shown as "是否显示坐标轴" on would show it.
  DrawObjectUnit* ShowAxes() {
    DrawObjectUnit* frame = FindByClass(Doc().scene, "ReferenceFrame");
    EXPECT_NE(frame, nullptr);
    Doc().page->showAxes = 1;
    if (frame) frame->isDrawn = 1;
    return frame;
  }
  // Objects added by the test, after the page's own coordinate system.
  std::size_t Placed() { return Doc().scene.size() - base; }
  void Down(int x, int y, Qt::MouseButton b = Qt::LeftButton) { w->SurfaceMouseDown(b, x, y); }
  void MoveTo(int x, int y, Qt::MouseButtons b = Qt::LeftButton) { w->SurfaceMouseMove(b, x, y); }
  void Up(int x, int y, Qt::MouseButton b = Qt::LeftButton) { w->SurfaceMouseUp(b, x, y); }
  void Click(int x, int y, Qt::MouseButton b = Qt::LeftButton) {
    Down(x, y, b);
    Up(x, y, b);
  }
  void Drag(int x1, int y1, int x2, int y2) {
    Down(x1, y1);
    MoveTo((x1 + x2) / 2, (y1 + y2) / 2);
    MoveTo(x2, y2);
    Up(x2, y2);
  }
  DrawObjectUnit* Place(const char* button, int x1, int y1, int x2, int y2) {
    w->Button(button)->click();
    Drag(x1, y1, x2, y2);
    return Doc().scene.back().get();
  }
  DrawObjectUnit* PlaceMirror(int x1, int y1, int x2, int y2) {
    return Place("SpeedButton24", x1, y1, x2, y2);
  }
  bool Enabled(const char* button) { return w->Button(button)->isEnabled(); }

  std::unique_ptr<TLumidorNetworkFrm> w;
  std::size_t base = 0;
};

// A real mouse event, delivered to the surface widget as Qt would.
inline void Send(QWidget* target, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held,
                 QPointF at) {
  QMouseEvent event(type, at, target->mapToGlobal(at), button, held, Qt::NoModifier);
  QCoreApplication::sendEvent(target, &event);
}
