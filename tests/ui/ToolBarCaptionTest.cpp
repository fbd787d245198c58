#include <QApplication>
#include <QToolBar>
#include <QToolButton>

#include "UiTest.h"
#include "app/TLumidorNetworkFrm.h"

namespace {

// Text as large as a screen at 100 %, 200 % and 300 % shows it.
class ToolBarCaptionTest : public UiTest, public ::testing::WithParamInterface<int> {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    standard = QApplication::font();
    QFont large = standard;
    large.setPointSizeF(standard.pointSizeF() * GetParam());
    QApplication::setFont(large);
  }
  void TearDown() override {
    QApplication::setFont(standard);
    UiTest::TearDown();
  }
  QFont standard;
};

// Every caption's glyph box, under its icon, lies inside its button; at
// 100 % the buttons keep their designed height.
TEST_P(ToolBarCaptionTest, CaptionsAreNeverClipped) {
  TLumidorNetworkFrm::Options options;
  options.splash = false;
  TLumidorNetworkFrm window(options);
  int buttons = 0;
  for (auto* button : window.findChild<QToolBar*>("ToolBar1")->findChildren<QToolButton*>()) {
    if (button->objectName().startsWith("qt_") || button->text().isEmpty()) continue;
    ++buttons;
    const QFontMetrics metrics = button->fontMetrics();
    EXPECT_GE(button->height(), button->iconSize().height() + metrics.height())
        << button->objectName().toStdString();
    EXPECT_GE(button->width(), metrics.horizontalAdvance(button->text()))
        << button->objectName().toStdString();
    if (GetParam() == 1) {
      EXPECT_EQ(button->height(), 38);
    }
  }
  EXPECT_GT(buttons, 10);
}

INSTANTIATE_TEST_SUITE_P(Scales, ToolBarCaptionTest, ::testing::Values(1, 2, 3));

}  // namespace
