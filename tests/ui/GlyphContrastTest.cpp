#include <QPainter>
#include <QToolButton>

#include "UiTest.h"
#include "app/Glyphs.h"
#include "app/TLumidorNetworkFrm.h"
#include "gfx/Colour.h"
#include "gfx/PaperInk.h"

namespace {

QPalette Themed(QColor back, QColor text) {
  QPalette palette = QApplication::palette();
  for (auto role : {QPalette::Window, QPalette::Button}) palette.setColor(role, back);
  for (auto role : {QPalette::WindowText, QPalette::ButtonText}) palette.setColor(role, text);
  return palette;
}

// Pixels of the glyph, laid on `back`, that stand out from it by 3:1.
int LegiblePixels(const QIcon& icon, QSize size, QColor back) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(back);
  QPainter painter(&image);
  painter.drawPixmap(0, 0, icon.pixmap(size, 1.0));
  painter.end();
  int legible = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      legible +=
          ContrastRatio(FromQColor(image.pixelColor(x, y)), FromQColor(back)) >= kGlyphContrast;
  return legible;
}

class GlyphContrastTest : public UiTest, public ::testing::WithParamInterface<int> {};

// The line tool and the move button among them: every glyph of the palette
// and the tool bar keeps a legible mark on a light, a dark and a
// high-contrast desktop, once the window has its palette.
TEST_P(GlyphContrastTest, EveryGlyphStandsOutFromItsButton) {
  const QPalette palettes[] = {QApplication::palette(), Themed({53, 53, 53}, Qt::white),
                               Themed(Qt::black, Qt::white)};
  const QPalette& palette = palettes[GetParam()];
  TLumidorNetworkFrm::Options options;
  options.splash = false;
  options.surfaceSize = QSize(400, 300);
  TLumidorNetworkFrm window(options);
  window.setPalette(palette);
  int glyphs = 0;
  for (QToolButton* button : window.findChildren<QToolButton*>()) {
    if (!button->property(kToolGlyphProperty).isValid() &&
        !button->property(kGlyphClassProperty).isValid())
      continue;
    ++glyphs;
    EXPECT_GE(LegiblePixels(button->icon(), button->iconSize(), palette.color(QPalette::Button)),
              12)
        << button->objectName().toStdString();
  }
  EXPECT_GE(glyphs, 40);
}

INSTANTIATE_TEST_SUITE_P(Palettes, GlyphContrastTest, ::testing::Values(0, 1, 2));

}  // namespace
