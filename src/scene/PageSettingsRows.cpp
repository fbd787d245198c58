#include "scene/PageSettingsRows.h"

#include <string>
#include <vector>

#include "i18n/Convert.h"
#include "i18n/SharedTexts.h"
#include "i18n/TtlmController.h"
#include "scene/Document.h"
#include "scene/IPropertySheet.h"
#include "scene/PageGrid.h"
#include "scene/ProcessSettings.h"
#include "scene/UserCoordinates.h"

namespace {

std::string NormalColourKey() { return Tr("110", "法线的颜色"); }
std::string ReverseColourKey() { return Tr("109", "反向延长线的颜色"); }
std::string AmbientColourKey() { return Tr("108", "周围环境颜色"); }
std::string DrawNormalsKey() { return Tr("107", "是否画法线"); }
std::string DrawReverseKey() { return Tr("106", "是否画反向延长线"); }
std::string ToolLineWidthKey() { return Tr("105", "所有工具线的宽度"); }
std::string RayWidthKey() { return Tr("104", "发出光线的宽度"); }
std::string HighQualityKey() { return Tr("103", "是否使用高质图画(不推荐)"); }
std::string ShowAxesKey() { return Tr("102", "是否显示坐标轴"); }
std::string ShowAnglesKey() { return Tr("188", "是否显示角度"); }
std::string PartialReflectionKey() { return Tr("Page.PartialReflection", "显示部分反射"); }
std::string GridSpacingKey() { return Tr("GridSpacingRow", "网格间距"); }

std::string ColourText(TColor colour) { return IntToStr(static_cast<long long>(colour)); }

template <typename T>
void ReadInt(const IPropertySheet& sheet, const std::string& key, T& target) {
  int value = 0;
  if (TryStrToInt(sheet.Value(key), value)) target = static_cast<T>(value);
}

}  // namespace

TColor AcceptableAmbientColour(TColor colour) {
  const TColor red = colour & 0xFF;
  const TColor green = (colour >> 8) & 0xFF;
  const TColor blue = (colour >> 16) & 0xFF;
  if (red >= 201 && green >= 201 && blue >= 201) return 0xC8C8C8;
  return colour;
}

void FillPageSettingsRows(const Document& document, IPropertySheet& sheet) {
  const TNewPage& page = *document.page;
  sheet.ClearRows();
  sheet.SetCaption(Tr("101", "页面设置属性"));

  // Each row goes above the earlier ones: insert bottom to top.
  sheet.InsertRow(GridSpacingKey(), IntToStr(page.gridSpacing));
  sheet.InsertRow(PartialReflectionKey(), BoolToText(page.partialReflection != 0));
  sheet.InsertRow(ShowAnglesKey(), BoolToText(document.showAngles != 0));
  sheet.InsertRow(ShowAxesKey(), BoolToText(page.showAxes != 0));
  sheet.InsertRow(HighQualityKey(), BoolToText(Settings().highQuality));
  sheet.InsertRow(RayWidthKey(), IntToStr(page.rayWidth));
  sheet.InsertRow(ToolLineWidthKey(), IntToStr(Settings().toolLineWidth));
  sheet.InsertRow(DrawReverseKey(), BoolToText(page.drawReverse != 0));
  sheet.InsertRow(DrawNormalsKey(), BoolToText(page.drawNormals != 0));
  sheet.InsertRow(AmbientColourKey(), ColourText(page.ambientColour));
  sheet.InsertRow(ReverseColourKey(), ColourText(page.reverseColour));
  sheet.InsertRow(NormalColourKey(), ColourText(page.normalColour));

  const std::vector<std::string> yesNo{Tr(texts::kYes), Tr(texts::kNo)};
  const std::vector<std::string> widths{"1", "2", "3"};
  for (int row = 0; row < 3; ++row) sheet.SetEditStyle(row, TEditStyle::Ellipsis);
  for (int row = 3; row < 10; ++row) {
    sheet.SetEditStyle(row, TEditStyle::PickList);
    sheet.SetPickList(row, row == 5 || row == 6 ? widths : yesNo);
  }
  sheet.SetEditStyle(10, TEditStyle::PickList);
  sheet.SetPickList(10, yesNo);
  for (int row = 0; row < 11; ++row) sheet.SetReadOnly(row, true);
  // The grid's spacing is typed, or picked.
  sheet.SetEditStyle(11, TEditStyle::PickList);
  sheet.SetPickList(11, {"10", "20", "25", "50"});
}

bool ApplyPageSettings(Document& document, const IPropertySheet& sheet) {
  TNewPage& page = *document.page;

  TColor ambient = page.ambientColour;
  ReadInt(sheet, AmbientColourKey(), ambient);
  page.ambientColour = AcceptableAmbientColour(ambient);
  ReadInt(sheet, ReverseColourKey(), page.reverseColour);
  ReadInt(sheet, NormalColourKey(), page.normalColour);

  ReadInt(sheet, ToolLineWidthKey(), Settings().toolLineWidth);
  ReadInt(sheet, RayWidthKey(), page.rayWidth);

  page.drawNormals = TextToBool(sheet.Value(DrawNormalsKey())) ? 1 : 0;
  page.drawReverse = TextToBool(sheet.Value(DrawReverseKey())) ? 1 : 0;

  // Objects read the process-wide flag; the page keeps a copy for the file.
  Settings().highQuality = TextToBool(sheet.Value(HighQualityKey()));
  page.highQuality = Settings().highQuality ? 1 : 0;

  document.showAngles = TextToBool(sheet.Value(ShowAnglesKey())) ? 1 : 0;
  page.partialReflection = TextToBool(sheet.Value(PartialReflectionKey())) ? 1 : 0;

  page.showAxes = TextToBool(sheet.Value(ShowAxesKey())) ? 1 : 0;
  if (DrawObjectUnit* frame = FindByClass(document.scene, "ReferenceFrame"))
    frame->isDrawn = page.showAxes;

  // A spacing out of bounds (or not a number) keeps the one before.
  int spacing = 0;
  if (TryStrToInt(sheet.Value(GridSpacingKey()), spacing) && spacing >= kMinGridSpacing &&
      spacing <= kMaxGridSpacing)
    page.gridSpacing = spacing;

  for (const auto& object : document.scene) object->lineWidth = Settings().toolLineWidth;
  return true;
}
