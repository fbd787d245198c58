#include "UiTest.h"
#include "app/PaperMenu.h"
#include "app/TDrawSurface.h"
#include "app/TLumidorNetworkFrm.h"

namespace {

class PaperOutputTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    TLumidorNetworkFrm::Options options;
    options.splash = false;
    options.surfaceSize = QSize(640, 480);
    options.openFile = std::string(EXO_EXAMPLES_DIR) + "/凸透镜成像(物体在二倍焦距以外).exo";
    window = std::make_unique<TLumidorNetworkFrm>(options);
  }
  std::unique_ptr<TLumidorNetworkFrm> window;
};

// Printing starts on white paper, the screen as it was; the screen's white
// theme paints the surface white and gives back the very pixels when off.
TEST_F(PaperOutputTest, PrintingStartsWhiteAndTheScreensThemeComesAndGoes) {
  PaperMenu& paper = *window->Paper();
  EXPECT_TRUE(paper.ForOutput());
  EXPECT_FALSE(paper.ForScreen());
  window->RunMenuClick();
  const QImage dark = window->Surface()->Image().copy();
  EXPECT_EQ(dark.pixelColor(2, 2), QColor(Qt::black));
  paper.ScreenItem()->setChecked(true);
  EXPECT_EQ(window->Surface()->Image().pixelColor(2, 2), QColor(Qt::white));
  paper.ScreenItem()->setChecked(false);
  EXPECT_EQ(window->Surface()->Image(), dark);
}

}  // namespace
