// The manual as the program's own help viewer lays it out: every picture
// on a line of its own, its caption under it, none inside a list item.
#include <gtest/gtest.h>

#include <QDir>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextList>

#include "TestEnvironment.h"
#include "UiTestApp.h"
#include "app/HelpViewer.h"

namespace {

class HelpManualTest : public EngineTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(HelpManualTest, PicturesStandAloneWithTheirCaptionsUnder) {
  UiTestApp();
  QWidget owner;
  HelpViewer viewer(&owner);
  viewer.ShowPage(QUrl::fromLocalFile(QDir(EXO_HELP_DIR).absoluteFilePath(GetParam())));
  int pictures = 0;
  bool pictureAbove = false;
  for (QTextBlock b = viewer.Browser()->document()->begin(); b.isValid(); b = b.next()) {
    bool picture = false;
    for (auto f = b.begin(); !f.atEnd(); ++f) picture |= f.fragment().charFormat().isImageFormat();
    const QString text = b.text().trimmed();
    if (picture) {
      ++pictures;
      EXPECT_EQ(text, QString(QChar::ObjectReplacementCharacter))
          << "beside a picture: " << text.toStdString();
      EXPECT_EQ(b.textList(), nullptr) << "a picture in a list item";
    } else if (pictureAbove) {
      EXPECT_FALSE(text.isEmpty()) << "no caption under a picture";
    }
    pictureAbove = picture;
  }
  EXPECT_GE(pictures, 9);
}

INSTANTIATE_TEST_SUITE_P(Languages, HelpManualTest,
                         ::testing::Values("index.html", "en/index.html"));

}  // namespace
