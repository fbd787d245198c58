#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "TestEnvironment.h"
#include "i18n/TtlmController.h"
#include "i18n/TtlmSystem.h"
#include "scene/PropertyRowClass.h"

namespace {

class PropertyRowClassTest : public EngineTest {
 protected:
  TtlmController controller{"TShowPropertiesFrm"};
  TRowClass Classify(const std::string& key) { return ClassifyPropertyKey(key, controller); }
};

// Answers a fixed set of keys of one section.
class MapFilter : public ILanguageFilter {
 public:
  std::string section;
  std::map<std::string, std::string> texts;
  std::optional<std::string> Translate(const std::string& s,
                                       const std::string& key) const override {
    if (s != section) return std::nullopt;
    auto it = texts.find(key);
    if (it == texts.end()) return std::nullopt;
    return it->second;
  }
  int ActiveLanguage() const override { return 0; }
};

// Activates a filter for one test and always takes it down again.
struct ActiveFilter {
  explicit ActiveFilter(std::shared_ptr<ILanguageFilter> f) {
    TtlmSystem::Instance().ActivateFilter(f);
  }
  ~ActiveFilter() { TtlmSystem::Instance().DeactivateFilter(); }
};

}  // namespace

TEST_F(PropertyRowClassTest, SubstringTestIgnoresCaseAndPosition) {
  EXPECT_TRUE(KeyContainsName("Fill Colour", "colour"));
  EXPECT_TRUE(KeyContainsName("colour", "COLOUR"));
  EXPECT_TRUE(KeyContainsName("abcolour", "colour"));  // at the very end
  EXPECT_FALSE(KeyContainsName("colou", "colour"));    // key shorter than the name
  EXPECT_FALSE(KeyContainsName("", "colour"));
  EXPECT_TRUE(KeyContainsName("ЦВЕТ фона", "цвет"));  // non-ASCII letters lowered too
}

TEST_F(PropertyRowClassTest, EmptyNameMatchesNothing) {
  EXPECT_FALSE(KeyContainsName("X1", ""));
  EXPECT_FALSE(KeyContainsName("", ""));
}

TEST_F(PropertyRowClassTest, ColourKeysOfObjectsAndPage) {
  for (const char* key : {"颜色", "发光颜色", "显示颜色", "周围环境颜色", "反向延长线的颜色",
                          "法线的颜色", "透明颜色", "背景颜色", "填充颜色"})
    EXPECT_EQ(Classify(key), TRowClass::Colour) << key;
}

TEST_F(PropertyRowClassTest, ColourIsTestedBeforeTheOtherClasses) {
  EXPECT_EQ(Classify("字体颜色"), TRowClass::Colour);
  EXPECT_EQ(Classify("颜色字体"), TRowClass::Colour);
  EXPECT_EQ(Classify("路径颜色"), TRowClass::Colour);
  EXPECT_EQ(Classify("编辑字符串的颜色"), TRowClass::Colour);
}

TEST_F(PropertyRowClassTest, PathFontAndTextRows) {
  EXPECT_EQ(Classify("图片路径"), TRowClass::PicturePath);
  EXPECT_EQ(Classify("设置字体"), TRowClass::Font);
  EXPECT_EQ(Classify("字体路径"), TRowClass::PicturePath);  // path before font
  EXPECT_EQ(Classify("编辑字符串"), TRowClass::Text);
  EXPECT_EQ(Classify("物体名称"), TRowClass::Text);
  EXPECT_EQ(Classify("字体名称"), TRowClass::Font);  // font before text
}

TEST_F(PropertyRowClassTest, OtherKeysHaveNoClass) {
  for (const char* key : {"X1", "Y2", "角度", "是否填充", "折射率", "", "物体"})
    EXPECT_EQ(Classify(key), TRowClass::None) << key;
}

TEST_F(PropertyRowClassTest, NamesAreTranslatedWithTheControllersSection) {
  auto filter = std::make_shared<MapFilter>();
  filter->section = "TShowPropertiesFrm";
  filter->texts = {{"58", "Colour"}, {"184", "Path"}, {"183", "Font"}, {"166", "Edit text"}};
  ActiveFilter active(filter);
  EXPECT_EQ(Classify("Fill colour"), TRowClass::Colour);
  EXPECT_EQ(Classify("Picture PATH"), TRowClass::PicturePath);
  EXPECT_EQ(Classify("Set font"), TRowClass::Font);
  EXPECT_EQ(Classify("edit text"), TRowClass::Text);
  // The untranslated ids keep their Chinese defaults.
  EXPECT_EQ(Classify("背景颜色"), TRowClass::Colour);
  // Another window's section does not redirect this controller.
  TtlmController other("TForm43");
  EXPECT_EQ(ClassifyPropertyKey("Fill colour", other), TRowClass::None);
}

TEST_F(PropertyRowClassTest, EmptyTranslationDoesNotCatchEveryRow) {
  auto filter = std::make_shared<MapFilter>();
  filter->section = "TShowPropertiesFrm";
  filter->texts = {{"58", ""}};
  ActiveFilter active(filter);
  EXPECT_EQ(Classify("X1"), TRowClass::None);
  EXPECT_EQ(Classify("填充颜色"), TRowClass::Colour);  // id "112" still matches
}
