// The properties command with a real object in the real sheet.

#include <gtest/gtest.h>

#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QHeaderView>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "TestEnvironment.h"
#include "UiTestApp.h"
#include "objects/ObjectFactory.h"
#include "scene/IMessageSink.h"
#include "ui/TShowPropertiesFrm.h"

namespace {
class ObjectPropertiesTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    UiTestApp();
    sheet = std::make_unique<TShowPropertiesFrm>();
    Settings().sheet = sheet.get();
    Settings().messages = &messages;
    mirror = CreateObjectByClassName("FlatMirror", nullptr);
    ASSERT_NE(mirror, nullptr);
    mirror->BeginCreate(120, 200);  // user (100, 100)
    mirror->EndCreate(220, 200);    // user (200, 100)
  }
  void TearDown() override {
    mirror.reset();
    sheet.reset();
    EngineTest::TearDown();
  }
  std::unique_ptr<TShowPropertiesFrm> sheet;
  CollectingMessageSink messages;
  std::unique_ptr<DrawObjectUnit> mirror;
};
}  // namespace

TEST_F(ObjectPropertiesTest, InvalidCoordinateKeepsTheSheetOpenUntilCorrected) {
  bool openAfterBadOk = false;
  std::size_t messagesAfterBadOk = 0;
  WhenModal([&] {
    sheet->SetValue("X1", "abc");
    sheet->BitBtn1->click();
    openAfterBadOk = sheet->isVisible();
    messagesAfterBadOk = messages.messages.size();
    sheet->SetValue("X1", "50");
    sheet->BitBtn1->click();
  });
  EXPECT_EQ(ShowObjectProperties(*mirror), 1);
  EXPECT_TRUE(openAfterBadOk);
  ASSERT_EQ(messagesAfterBadOk, 1u);
  EXPECT_EQ(messages.messages[0], "x1,不是有用的整数,请输入一个整数.");
  EXPECT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(sheet->windowTitle(), "平面镜属性");
  // Shown again: the corrected point is the mirror's.
  WhenModal([&] { sheet->CancelBtn->click(); });
  mirror->ShowProperties();
  EXPECT_EQ(sheet->Value("X1"), "50");
  EXPECT_EQ(sheet->Value("Y1"), "100");
}

TEST_F(ObjectPropertiesTest, CancelAlwaysClosesAndAppliesNothing) {
  WhenModal([&] {
    sheet->SetValue("X1", "abc");
    sheet->CancelBtn->click();
  });
  EXPECT_EQ(ShowObjectProperties(*mirror), 2);
  EXPECT_TRUE(messages.messages.empty());
  WhenModal([&] { sheet->CancelBtn->click(); });
  mirror->ShowProperties();
  EXPECT_EQ(sheet->Value("X1"), "100");
}

TEST_F(ObjectPropertiesTest, ColourRowOfTheMirrorHasTheColourEditor) {
  WhenModal([&] {
    const int row = 4;
    EXPECT_EQ(sheet->KeyAt(row), "颜色");
    EXPECT_EQ(sheet->RowClassAt(row), TRowClass::Colour);
    EXPECT_EQ(sheet->EditStyleAt(row), TEditStyle::Ellipsis);
    EXPECT_TRUE(sheet->ReadOnlyAt(row));
    WhenModal([&] {
      sheet->ColorDialog->setCurrentColor(QColor(0, 0, 255));
      sheet->ColorDialog->accept();
    });
    sheet->EditButtonClick(row);
    sheet->BitBtn1->click();
  });
  EXPECT_EQ(ShowObjectProperties(*mirror), 1);
  EXPECT_EQ(mirror->color, 0xFF0000u);
}

TEST_F(ObjectPropertiesTest, TypingIntoAnyRowReplacesItsValue) {
  std::string x1, y1;
  WhenModal([&] {
    QWidget* cells = sheet->ShowProperTiesList->viewport();
    auto editor = [cells]() -> QLineEdit* {  // the one open
      for (QLineEdit* edit : cells->findChildren<QLineEdit*>())
        if (edit->isVisibleTo(cells)) return edit;
      return nullptr;
    };
    QLineEdit* top = editor();  // opened with the sheet
    ASSERT_NE(top, nullptr);
    QTest::mouseClick(top, Qt::LeftButton, {}, QPoint(top->width() - 2, top->height() / 2));
    QTest::keyClicks(top, "216");
    QTest::mouseClick(
        cells, Qt::LeftButton, {},
        sheet->ShowProperTiesList->visualRect(sheet->ShowProperTiesList->model()->index(1, 1))
            .center());
    ASSERT_NE(editor(), top);
    QTest::keyClicks(editor(), "7");
    x1 = sheet->Value("X1");
    y1 = sheet->Value("Y1");
    sheet->CancelBtn->click();
  });
  ShowObjectProperties(*mirror);
  EXPECT_EQ(x1, "216");  // not "100216"
  EXPECT_EQ(y1, "7");
}

TEST_F(ObjectPropertiesTest, EveryShowingSizesItselfToItsRows) {
  bool maximised = true;
  int height = 0;
  WhenModal([&] {
    sheet->showMaximized();
    sheet->CancelBtn->click();
  });
  ShowObjectProperties(*mirror);
  WhenModal([&] {
    maximised = sheet->isMaximized();
    height = sheet->height();
    sheet->CancelBtn->click();
  });
  ShowObjectProperties(*mirror);
  EXPECT_FALSE(maximised);
  EXPECT_EQ(height, 261);
  for (int i = 0; i < 20; ++i) sheet->InsertRow("K" + std::to_string(i), "1");
  sheet->FormShow();  // rows beyond the designed height make it taller
  EXPECT_GT(sheet->height(), sheet->ShowProperTiesList->verticalHeader()->length());
}

TEST_F(ObjectPropertiesTest, AfterARowsFileDialogTheSheetIsActiveForTheNextClick) {
  sheet->InsertRow("图片路径", "无图片");
  sheet->SetEditStyle(0, TEditStyle::Ellipsis);
  bool active = false;
  WhenModal([&] {
    WhenModal([&] { static_cast<QDialog*>(sheet->OpenDialog)->done(QDialog::Accepted); });
    sheet->EditButtonClick(0);
    QApplication::processEvents();
    active = QApplication::activeWindow() == sheet.get();
    sheet->CancelBtn->click();
  });
  sheet->ShowModal();
  EXPECT_TRUE(active);
}
