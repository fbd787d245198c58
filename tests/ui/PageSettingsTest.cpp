#include <gtest/gtest.h>

#include <QPushButton>

#include "FakePropertySheet.h"
#include "TestEnvironment.h"
#include "UiTestApp.h"
#include "app/PageSettings.h"
#include "scene/Document.h"
#include "ui/TShowPropertiesFrm.h"

namespace {
class PageSettingsTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    UiTestApp();
  }
  Document document{nullptr};
};
}  // namespace

TEST_F(PageSettingsTest, OkAppliesThePageRowsOfTheRealSheet) {
  TShowPropertiesFrm sheet;
  Settings().sheet = &sheet;
  int rows = 0;
  std::string caption;
  WhenModal([&] {
    rows = sheet.RowCount();
    caption = sheet.windowTitle().toStdString();
    sheet.SetValue("发出光线的宽度", "3");
    sheet.SetValue("周围环境颜色", std::to_string(0xFFFFFF));
    sheet.SetValue("显示部分反射", "是");
    sheet.BitBtn1->click();
  });
  EXPECT_EQ(ShowPageSettings(document), 1);
  EXPECT_EQ(rows, 12);
  EXPECT_EQ(document.page->partialReflection, 1);
  EXPECT_EQ(caption, "页面设置属性");
  EXPECT_EQ(document.page->rayWidth, 3);
  EXPECT_EQ(document.page->ambientColour, 0xC8C8C8u);
}

TEST_F(PageSettingsTest, CancelLeavesThePageAlone) {
  TShowPropertiesFrm sheet;
  Settings().sheet = &sheet;
  WhenModal([&] {
    sheet.SetValue("发出光线的宽度", "3");
    sheet.CancelBtn->click();
  });
  EXPECT_EQ(ShowPageSettings(document), 2);
  EXPECT_EQ(document.page->rayWidth, 2);
}

TEST_F(PageSettingsTest, TheSheetIsFreeForObjectsAfterwards) {
  TShowPropertiesFrm sheet;
  Settings().sheet = &sheet;
  WhenModal([&] { sheet.BitBtn1->click(); });
  ShowPageSettings(document);
  // Another showing without a handler does not touch the page.
  WhenModal([&] {
    sheet.SetValue("发出光线的宽度", "1");
    sheet.BitBtn1->click();
  });
  EXPECT_EQ(sheet.ShowModal(), 1);
  EXPECT_EQ(document.page->rayWidth, 2);
}

TEST_F(PageSettingsTest, WorksWithTheFakeSheet) {
  FakeUi ui;
  ui.sheet.typed = {{"是否画法线", "否"}};
  EXPECT_EQ(ShowPageSettings(document), 1);
  EXPECT_EQ(ui.sheet.shown, 1);
  EXPECT_EQ(document.page->drawNormals, 0);
}
