#include <QMenu>

#include "MainWindowFixture.h"
#include "app/PresentationMenu.h"
#include "gfx/PresentationScale.h"

namespace {

class PresentationTest : public MainWindowTest {
 protected:
  void TearDown() override {
    Menu()->Choose(1.0);
    MainWindowTest::TearDown();
  }
  PresentationMenu* Menu() { return w->findChild<PresentationMenu*>(); }
};

// A choice redraws at once and is remembered; 标准 gives back the very same
// picture, and the geometry never moves.
TEST_F(PresentationTest, TheViewMenuScalesTheSurfaceAndRemembersTheChoice) {
  ASSERT_NE(Menu(), nullptr);
  EXPECT_EQ(Menu()->Menu()->parent(), w->findChild<QMenu*>("ViewMenu"));
  EXPECT_TRUE(Menu()->Item(1.0)->isChecked());
  DrawObjectUnit* mirror = PlaceMirror(100, 100, 200, 100);
  const TPointF end = P2(mirror);
  const QImage standard = w->Surface()->Image().copy();
  Menu()->Item(2.0)->trigger();
  EXPECT_EQ(PresentationScale(), 2.0);
  EXPECT_NE(w->Surface()->Image(), standard);
  EXPECT_EQ(P2(mirror), end);
  EXPECT_EQ(PresentationMenu::Remembered(), 2.0);
  // The pick tolerances of handles and pieces grow.
  EXPECT_NE(Doc().HitTestSelectionFirst(int(end.x) + 11, int(end.y) + 5).code, kHitNone);
  EXPECT_NE(Doc().HitTestSelectionFirst(150, 106).code, kHitNone);  // and the piece's
  Menu()->Item(1.0)->trigger();
  EXPECT_EQ(w->Surface()->Image(), standard);
  EXPECT_EQ(Doc().HitTestSelectionFirst(int(end.x) + 11, int(end.y) + 5).code, kHitNone);
  EXPECT_EQ(Doc().HitTestSelectionFirst(150, 106).code, kHitNone);
}

}  // namespace
