#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <functional>
#include <memory>
#include <vector>

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

// "取消", Esc and the close box all leave the text as it was.
TEST_F(StringEditTest, EveryWayOutButOkKeepsTheOldText) {
  const std::vector<std::function<void(TStringEditFrm&)>> ways = {
      [](TStringEditFrm& e) { e.Button2->click(); },
      [](TStringEditFrm& e) {
        QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(&e, &esc);
      },
      [](TStringEditFrm& e) { e.close(); },
  };
  for (std::size_t i = 0; i < ways.size(); ++i) {
    editor().SetText("keep me");
    WhenModal([&] {
      editor().StringEdit->setPlainText("changed");
      ways[i](editor());
    });
    EXPECT_EQ(editor().exec(), QDialog::Rejected) << i;
    EXPECT_EQ(editor().StoredText(), "keep me") << i;
    EXPECT_EQ(editor().Text(), "keep me") << i;
  }
}

TEST_F(StringEditTest, ChineseTextSurvivesTheRoundTrip) {
  editor().SetText("光线\n折射");
  EXPECT_EQ(editor().Text(), "光线\n折射");
}
