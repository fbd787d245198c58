// Start-up on the desktop: the program's icon, and the splash centred on
// the window's screen with the experiment of the command line behind it.
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "UiTest.h"
#include "app/AppIcon.h"
#include "app/TAboutBox.h"
#include "app/TDrawSurface.h"
#include "app/TLumidorNetworkFrm.h"
#include "scene/ObjectList.h"

namespace {

class DesktopStartTest : public UiTest {};

TEST_F(DesktopStartTest, IconHasEveryThemeSize) {
  const QIcon icon = ApplicationIcon();
  ASSERT_FALSE(icon.isNull());
  for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
    EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size))) << size;
}

// Counts the surface's paints.
class PaintCounter : public QObject {
 public:
  int paints = 0;
  bool eventFilter(QObject*, QEvent* event) override {
    paints += event->type() == QEvent::Paint;
    return false;
  }
};

TEST_F(DesktopStartTest, SplashIsCentredOverThePaintedExperiment) {
  TLumidorNetworkFrm::Options options;
  options.openFile = std::string(EXO_EXAMPLES_DIR) + "/平面镜反射.exo";
  TLumidorNetworkFrm window(options);
  PaintCounter counter;
  window.Surface()->installEventFilter(&counter);
  int paintsBehind = -1;
  QRect splashAt;
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    auto* splash = qobject_cast<TAboutBox*>(QApplication::activeModalWidget());
    if (!splash || !splash->isVisible()) return;
    splashAt = splash->frameGeometry();
    paintsBehind = counter.paints;
    splash->accept();
  });
  watch.start(10);
  window.show();
  // Until the splash shows; the bound only ends a run where it never does.
  ASSERT_TRUE(QTest::qWaitFor([&] { return paintsBehind >= 0; }, 60000)) << "no splash";
  EXPECT_GT(paintsBehind, 0);
  EXPECT_NE(FindByClass(window.Doc().scene, "FlatMirror"), nullptr);
  const QPoint off = splashAt.center() - window.screen()->availableGeometry().center();
  EXPECT_LE(off.manhattanLength(), 2) << off.x() << "," << off.y();
}

}  // namespace
