#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "FakePropertySheet.h"
#include "TestEnvironment.h"
#include "objects/ObjectFactory.h"
#include "scene/Document.h"
#include "scene/PageSettingsRows.h"

namespace {

// A stand-in for scene objects: only the base fields matter here.
class PlainObject : public DrawObjectUnit {
 public:
  explicit PlainObject(const std::string& name) : DrawObjectUnit(nullptr) { SetClassName(name); }
};

class PageSettingsRowsTest : public EngineTest {
 protected:
  FakeUi ui;
  Document document{nullptr};

  DrawObjectUnit* Add(const std::string& className) {
    document.scene.push_back(std::make_unique<PlainObject>(className));
    return document.scene.back().get();
  }
  void Fill() { FillPageSettingsRows(document, ui.sheet); }
  // Fill, let the "user" type, confirm and apply.
  bool ApplyTyped(std::map<std::string, std::string> typed) {
    Fill();
    ui.sheet.typed = std::move(typed);
    EXPECT_EQ(ui.sheet.ShowModal(), 1);
    return ApplyPageSettings(document, ui.sheet);
  }
};

const std::vector<std::string> kKeys = {
    "法线的颜色",       "反向延长线的颜色", "周围环境颜色",   "是否画法线",
    "是否画反向延长线", "所有工具线的宽度", "发出光线的宽度", "是否使用高质图画(不推荐)",
    "是否显示坐标轴",   "是否显示角度",     "显示部分反射",   "网格间距"};

}  // namespace

TEST_F(PageSettingsRowsTest, RowsTopToBottomWithDefaults) {
  Fill();
  EXPECT_EQ(ui.sheet.caption, "页面设置属性");
  ASSERT_EQ(ui.sheet.RowCount(), 12);
  for (int i = 0; i < 12; ++i) EXPECT_EQ(ui.sheet.KeyAt(i), kKeys[i]) << i;
  const std::vector<std::string> values = {std::to_string(0xCACACA),
                                           std::to_string(0xFF),
                                           "0",
                                           "是",
                                           "是",
                                           "2",
                                           "2",
                                           "否",
                                           "否",
                                           "否",
                                           "否",
                                           "20"};
  for (int i = 0; i < 12; ++i) EXPECT_EQ(ui.sheet.rows[i].value, values[i]) << kKeys[i];
}

TEST_F(PageSettingsRowsTest, EditStylesPickListsAndReadOnly) {
  Fill();
  const std::vector<std::string> yesNo{"是", "否"};
  const std::vector<std::string> widths{"1", "2", "3"};
  for (int i = 0; i < 11; ++i) {
    const auto& row = ui.sheet.rows[i];
    EXPECT_TRUE(row.readOnly) << kKeys[i];
    if (i < 3) {
      EXPECT_EQ(row.style, TEditStyle::Ellipsis) << kKeys[i];
      EXPECT_TRUE(row.pickList.empty());
    } else {
      EXPECT_EQ(row.style, TEditStyle::PickList) << kKeys[i];
      EXPECT_EQ(row.pickList, (i == 5 || i == 6) ? widths : yesNo) << kKeys[i];
    }
  }
}

TEST_F(PageSettingsRowsTest, RowsShowTheCurrentSettings) {
  document.page->ambientColour = 0x102030;
  document.page->rayWidth = 3;
  document.page->drawNormals = 0;
  document.page->showAxes = 1;
  document.showAngles = 1;
  Settings().toolLineWidth = 1;
  Settings().highQuality = true;
  Fill();
  EXPECT_EQ(ui.sheet.Value("周围环境颜色"), std::to_string(0x102030));
  EXPECT_EQ(ui.sheet.Value("发出光线的宽度"), "3");
  EXPECT_EQ(ui.sheet.Value("所有工具线的宽度"), "1");
  EXPECT_EQ(ui.sheet.Value("是否画法线"), "否");
  EXPECT_EQ(ui.sheet.Value("是否显示坐标轴"), "是");
  EXPECT_EQ(ui.sheet.Value("是否显示角度"), "是");
  EXPECT_EQ(ui.sheet.Value("是否使用高质图画(不推荐)"), "是");
  document.page->partialReflection = 1;
  Fill();
  EXPECT_EQ(ui.sheet.Value("显示部分反射"), "是");
}

TEST_F(PageSettingsRowsTest, FillClearsEarlierRows) {
  ui.sheet.InsertRow("X1", "5");
  Fill();
  EXPECT_EQ(ui.sheet.RowCount(), 12);
  EXPECT_EQ(ui.sheet.Find("X1"), nullptr);
}

TEST_F(PageSettingsRowsTest, UnchangedRowsLeaveEverythingAsItWas) {
  const TNewPage before = *document.page;
  EXPECT_TRUE(ApplyTyped({}));
  EXPECT_EQ(document.page->ambientColour, before.ambientColour);
  EXPECT_EQ(document.page->normalColour, before.normalColour);
  EXPECT_EQ(document.page->reverseColour, before.reverseColour);
  EXPECT_EQ(document.page->rayWidth, before.rayWidth);
  EXPECT_EQ(document.page->drawNormals, before.drawNormals);
  EXPECT_EQ(document.page->drawReverse, before.drawReverse);
  EXPECT_EQ(document.page->showAxes, before.showAxes);
  EXPECT_EQ(Settings().toolLineWidth, 2);
  EXPECT_FALSE(Settings().highQuality);
  EXPECT_TRUE(ui.messages.messages.empty());
}

TEST_F(PageSettingsRowsTest, NearWhiteBackgroundIsReplaced) {
  EXPECT_EQ(AcceptableAmbientColour(0xC9C9C9), 0xC8C8C8u);  // (201, 201, 201)
  EXPECT_EQ(AcceptableAmbientColour(0xFFFFFF), 0xC8C8C8u);
  EXPECT_EQ(AcceptableAmbientColour(0xC9FFFF), 0xC8C8C8u);
  EXPECT_EQ(AcceptableAmbientColour(0xFFFFC8), 0xFFFFC8u);  // red 200
  EXPECT_EQ(AcceptableAmbientColour(0xFFC8FF), 0xFFC8FFu);  // green 200
  EXPECT_EQ(AcceptableAmbientColour(0xC8FFFF), 0xC8FFFFu);  // blue 200
  EXPECT_EQ(AcceptableAmbientColour(0), 0u);

  EXPECT_TRUE(ApplyTyped({{"周围环境颜色", std::to_string(0xC9C9C9)}}));
  EXPECT_EQ(document.page->ambientColour, 0xC8C8C8u);
  EXPECT_TRUE(ui.messages.messages.empty());                              // replaced silently
  EXPECT_TRUE(ApplyTyped({{"周围环境颜色", std::to_string(0xFFFFC8)}}));  // (200, 255, 255)
  EXPECT_EQ(document.page->ambientColour, 0xFFFFC8u);
}

TEST_F(PageSettingsRowsTest, ColoursWidthsAndFlagsAreStored) {
  EXPECT_TRUE(ApplyTyped({{"法线的颜色", "255"},
                          {"反向延长线的颜色", "65280"},
                          {"发出光线的宽度", "3"},
                          {"是否画法线", "否"},
                          {"是否画反向延长线", " 否 "},
                          {"是否使用高质图画(不推荐)", " 是"},
                          {"是否显示角度", "是"}}));
  EXPECT_EQ(document.page->normalColour, 255u);
  EXPECT_EQ(document.page->reverseColour, 65280u);
  EXPECT_EQ(document.page->rayWidth, 3);
  EXPECT_EQ(document.page->drawNormals, 0);
  EXPECT_EQ(document.page->drawReverse, 0);
  EXPECT_TRUE(Settings().highQuality);
  EXPECT_EQ(document.page->highQuality, 1);
  EXPECT_EQ(document.showAngles, 1);
}

TEST_F(PageSettingsRowsTest, OnlyTheYesTextIsTrue) {
  document.page->drawNormals = 1;
  EXPECT_TRUE(ApplyTyped({{"是否画法线", "yes"}}));
  EXPECT_EQ(document.page->drawNormals, 0);
  EXPECT_TRUE(ApplyTyped({{"是否画法线", "是\t"}}));
  EXPECT_EQ(document.page->drawNormals, 1);
}

TEST_F(PageSettingsRowsTest, ToolLineWidthReachesEveryExistingObject) {
  DrawObjectUnit* a = Add("FlatMirror");
  DrawObjectUnit* b = Add("LampHouse");
  b->lineWidth = 7;
  EXPECT_TRUE(ApplyTyped({{"所有工具线的宽度", "3"}}));
  EXPECT_EQ(Settings().toolLineWidth, 3);
  EXPECT_EQ(a->lineWidth, 3);
  EXPECT_EQ(b->lineWidth, 3);
  // New objects take it too.
  EXPECT_EQ(Add("Ruler")->lineWidth, 3);
}

TEST_F(PageSettingsRowsTest, AxesFollowOnlyTheFirstCoordinateSystem) {
  DrawObjectUnit* mirror = Add("FlatMirror");
  DrawObjectUnit* frame = Add("ReferenceFrame");
  DrawObjectUnit* second = Add("ReferenceFrame");
  frame->isDrawn = 0;
  second->isDrawn = 0;
  EXPECT_TRUE(ApplyTyped({{"是否显示坐标轴", "是"}}));
  EXPECT_EQ(document.page->showAxes, 1);
  EXPECT_EQ(frame->isDrawn, 1);
  EXPECT_EQ(second->isDrawn, 0);
  EXPECT_EQ(mirror->isDrawn, 1);

  EXPECT_TRUE(ApplyTyped({{"是否显示坐标轴", "否"}}));
  EXPECT_EQ(document.page->showAxes, 0);
  EXPECT_EQ(frame->isDrawn, 0);
  EXPECT_EQ(mirror->isDrawn, 1);         // only the axes are hidden
  EXPECT_EQ(document.scene.size(), 3u);  // and the axes stay in the scene
}

TEST_F(PageSettingsRowsTest, AxesRowWithoutCoordinateSystem) {
  EXPECT_TRUE(ApplyTyped({{"是否显示坐标轴", "是"}}));
  EXPECT_EQ(document.page->showAxes, 1);
}

TEST_F(PageSettingsRowsTest, ApplyingTakesNoUndoSnapshot) {
  Add("FlatMirror");
  document.page->saved = 1;
  EXPECT_TRUE(ApplyTyped({{"发出光线的宽度", "1"}}));
  EXPECT_EQ(document.history.Size(), 0u);
  EXPECT_EQ(document.page->saved, 1);
}

TEST_F(PageSettingsRowsTest, UnconvertibleValuesKeepTheOldSettings) {
  document.page->rayWidth = 3;
  document.page->ambientColour = 0x112233;
  EXPECT_TRUE(
      ApplyTyped({{"发出光线的宽度", "wide"}, {"所有工具线的宽度", ""}, {"周围环境颜色", "1e2"}}));
  EXPECT_EQ(document.page->rayWidth, 3);
  EXPECT_EQ(Settings().toolLineWidth, 2);
  EXPECT_EQ(document.page->ambientColour, 0x112233u);
}

TEST_F(PageSettingsRowsTest, RealCoordinateSystemFollowsTheAxesRow) {
  ASSERT_TRUE(AddCoordinateSystem(document));
  DrawObjectUnit* frame = FindByClass(document.scene, "ReferenceFrame");
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->isDrawn, 0);
  EXPECT_TRUE(ApplyTyped({{"是否显示坐标轴", "是"}}));
  EXPECT_EQ(frame->isDrawn, 1);
  EXPECT_TRUE(ApplyTyped({{"是否显示坐标轴", "否"}}));
  EXPECT_EQ(frame->isDrawn, 0);
  EXPECT_EQ(FindByClass(document.scene, "ReferenceFrame"), frame);
}
