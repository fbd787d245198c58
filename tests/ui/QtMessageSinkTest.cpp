#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>

#include "UiTestApp.h"
#include "ui/QtMessageSink.h"

namespace {

// Presses `button` of the message box that is about to run modally, and
// remembers its texts.
struct BoxDriver {
  QString title, text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
  int width = 0, titleWidth = 0;
  void Press(QMessageBox::StandardButton button) {
    WhenModal([this, button] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      title = box->windowTitle();
      text = box->text();
      icon = box->icon();
      width = box->width();
      titleWidth = box->fontMetrics().horizontalAdvance(title);
      if (box->defaultButton()) defaultButton = box->standardButton(box->defaultButton());
      box->button(button)->click();
    });
  }
};

class QtMessageSinkTest : public ::testing::Test {
 protected:
  void SetUp() override { UiTestApp(); }
  QtMessageSink sink;
  BoxDriver driver;
};

}  // namespace

TEST_F(QtMessageSinkTest, MessageIsAnInformationBox) {
  driver.Press(QMessageBox::Ok);
  sink.ShowMessage("打开文件失败.");
  EXPECT_EQ(driver.title, "Veltrano Suite");
  EXPECT_EQ(driver.text, "打开文件失败.");
  EXPECT_EQ(driver.icon, QMessageBox::Information);
}

TEST_F(QtMessageSinkTest, YesAnswersTrue) {
  driver.Press(QMessageBox::Yes);
  EXPECT_TRUE(sink.AskYesNo("提示", "发现一个较低版本的文件是否仍然打开?"));
  EXPECT_EQ(driver.title, "提示");
  EXPECT_EQ(driver.text, "发现一个较低版本的文件是否仍然打开?");
  EXPECT_EQ(driver.defaultButton, QMessageBox::Yes);
}

TEST_F(QtMessageSinkTest, NoAnswersFalse) {
  driver.Press(QMessageBox::No);
  EXPECT_FALSE(sink.AskYesNo("提示", "?"));
}

TEST_F(QtMessageSinkTest, AShortMessageLeavesRoomForItsWholeTitle) {
  driver.Press(QMessageBox::Ok);
  sink.ShowMessage("x");
  // The title bar's icon and buttons take about a hundred pixels besides the title.
  EXPECT_GE(driver.width, driver.titleWidth + 100);
}
