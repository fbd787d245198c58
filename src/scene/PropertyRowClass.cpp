#include "scene/PropertyRowClass.h"

#include <QString>

#include "i18n/TtlmController.h"

bool KeyContainsName(const std::string& key, const std::string& name) {
  if (name.empty()) return false;
  // QString lowers non-ASCII letters too, so translated keys compare properly.
  return QString::fromStdString(key).toLower().contains(QString::fromStdString(name).toLower());
}

TRowClass ClassifyPropertyKey(const std::string& key, const TtlmController& controller) {
  struct Name {
    const char* id;
    const char* text;
  };
  static const Name colourNames[] = {
      {"58", "颜色"},          {"87", "发光颜色"},          {"96", "显示颜色"},
      {"108", "周围环境颜色"}, {"109", "反向延长线的颜色"}, {"110", "法线的颜色"},
      {"111", "周围环境颜色"}, {"161", "透明颜色"},         {"167", "背景颜色"},
      {"112", "填充颜色"},
  };
  static const Name pathNames[] = {{"184", "路径"}};
  static const Name fontNames[] = {{"183", "字体"}};
  static const Name textNames[] = {{"166", "编辑字符串"}, {"92", "物体名称"}};

  auto matches = [&](const auto& names) {
    for (const Name& n : names)
      if (KeyContainsName(key, controller.Translate(n.id, n.text))) return true;
    return false;
  };
  if (matches(colourNames)) return TRowClass::Colour;
  if (matches(pathNames)) return TRowClass::PicturePath;
  if (matches(fontNames)) return TRowClass::Font;
  if (matches(textNames)) return TRowClass::Text;
  return TRowClass::None;
}
