#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QPushButton>
#include <memory>

#include "TestEnvironment.h"
#include "UiTestApp.h"
#include "ui/TStringEditFrm.h"

namespace {
class StringEditTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    UiTestApp();
    form = std::make_unique<TStringEditFrm>();
  }
  // Made after the application exists.
  std::unique_ptr<TStringEditFrm> form;
  TStringEditFrm& editor() { return *form; }
};
}  // namespace

TEST_F(StringEditTest, CaptionButtonsAndScrollBars) {
  EXPECT_EQ(editor().windowTitle(), "文字编辑器");
  EXPECT_EQ(editor().Button1->text(), "确定");
  EXPECT_EQ(editor().Button2->text(), "取消");
  EXPECT_EQ(editor().StringEdit->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_EQ(editor().StringEdit->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
}

TEST_F(StringEditTest, SetTextShowsItAndTextIsTrimmed) {
  editor().SetText(" a\nb \n");
  EXPECT_EQ(editor().StringEdit->toPlainText(), " a\nb \n");
  EXPECT_EQ(editor().StoredText(), " a\nb \n");
  EXPECT_EQ(editor().Text(), "a\nb");
  editor().SetText("   ");
  EXPECT_EQ(editor().Text(), "");
}

TEST_F(StringEditTest, OkStoresTheEditedText) {
  editor().SetText("old");
  WhenModal([&] {
    editor().StringEdit->setPlainText("new text");
    editor().Button1->click();
  });
  EXPECT_EQ(editor().exec(), QDialog::Accepted);
  EXPECT_EQ(editor().StoredText(), "new text");
  EXPECT_EQ(editor().Text(), "new text");
}

TEST_F(StringEditTest, CancelEmptiesStoredAndShownText) {
  editor().SetText("keep me?");
  WhenModal([&] {
    editor().StringEdit->setPlainText("changed");
    editor().Button2->click();
  });
  EXPECT_EQ(editor().exec(), QDialog::Rejected);
  EXPECT_EQ(editor().StoredText(), "");
  EXPECT_EQ(editor().StringEdit->toPlainText(), "");
  EXPECT_EQ(editor().Text(), "");
}

TEST_F(StringEditTest, ChineseTextSurvivesTheRoundTrip) {
  editor().SetText("光线\n折射");
  EXPECT_EQ(editor().Text(), "光线\n折射");
}
