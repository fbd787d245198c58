#include "scene/PropertyRows.h"

#include <algorithm>
#include <cassert>
#include <cfloat>
#include <cmath>

#include "i18n/Convert.h"
#include "i18n/SharedTexts.h"
#include "i18n/TtlmController.h"
#include "optics/PlaneMath.h"
#include "optics/RayGeometry.h"
#include "scene/DrawObjectUnit.h"
#include "scene/IMessageSink.h"
#include "scene/ProcessSettings.h"
#include "scene/UserCoordinates.h"

RowHandle PropertyRows::Add(PropertyRow row) {
  rows_.push_back(std::move(row));
  return RowHandle(*this, static_cast<int>(rows_.size()) - 1);
}

void PropertyRows::ApplyOrder(const RowOrder& order) {
  order_.clear();
  for (const RowHandle& row : order) {
    assert(row.rows_ == this);
    order_.push_back(row.index_);
  }
}

RowOrder Join(std::initializer_list<RowOrder> parts) {
  RowOrder all;
  for (const RowOrder& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

void PropertyRows::AddLast(PropertyRow row) {
  const RowHandle added = Add(std::move(row));
  if (!order_.empty()) order_.push_back(added.index_);
}

void PropertyRows::MakeReadOnly() {
  for (PropertyRow& row : rows_) {
    row.readOnly = true;
    row.pickList.clear();
    row.apply = nullptr;
    if (row.style != TEditStyle::Simple) row.style = TEditStyle::Simple;
  }
  onSuccess_ = nullptr;
}

int PropertyRows::Show() const {
  IPropertySheet& sheet = *Settings().sheet;
  if (beforeShow_) beforeShow_();
  if (!caption_.empty()) {
    sheet.ClearRows();
    sheet.SetCaption(caption_);
    // Each row goes above the earlier ones: bottom row first.
    for (auto it = rows_.rbegin(); it != rows_.rend(); ++it) sheet.InsertRow(it->key, it->value);
    for (int i = 0; i < static_cast<int>(rows_.size()); ++i) {
      const PropertyRow& row = rows_[static_cast<std::size_t>(i)];
      if (row.style != TEditStyle::Simple) sheet.SetEditStyle(i, row.style);
      if (!row.pickList.empty()) sheet.SetPickList(i, row.pickList);
      if (row.readOnly) sheet.SetReadOnly(i, true);
    }
  }
  return sheet.ShowModal();
}

bool PropertyRows::Apply() const {
  IPropertySheet& sheet = *Settings().sheet;
  std::vector<int> order = order_;
  if (order.empty())
    for (int i = 0; i < static_cast<int>(rows_.size()); ++i) order.push_back(i);
  bool ok = true;
  std::vector<int> failedGroups;
  for (int index : order) {
    if (index < 0 || index >= static_cast<int>(rows_.size())) continue;
    const PropertyRow& row = rows_[static_cast<std::size_t>(index)];
    if (!row.apply) continue;
    if (row.group > 0 &&
        std::find(failedGroups.begin(), failedGroups.end(), row.group) != failedGroups.end())
      continue;
    if (row.apply(sheet.Value(row.key))) continue;
    if (!row.message.empty()) ShowMessage(row.message);
    ok = false;
    if (row.group > 0) failedGroups.push_back(row.group);
  }
  if (ok && onSuccess_) ok = onSuccess_();
  if (finally_) finally_();
  return ok;
}

bool PropertyRows::ApplyOne(std::size_t index, const std::string& text) const {
  if (index >= rows_.size() || !rows_[index].apply) return false;
  bool ok = rows_[index].apply(text);
  if (ok && onSuccess_) ok = onSuccess_();
  if (finally_) finally_();
  return ok;
}

PropertyRow ColourRow(const std::string& key, TColor& colour) {
  PropertyRow row{key, IntToStr(colour), TEditStyle::Ellipsis, true};
  // Filled only by the colour dialog; anything else keeps the old colour.
  row.apply = [&colour](const std::string& text) {
    int v = 0;
    if (TryStrToInt(text, v)) colour = static_cast<TColor>(v);
    return true;
  };
  return row;
}

PropertyRow YesNoRow(const std::string& key, std::uint8_t& flag, bool strict) {
  PropertyRow row{key, BoolToText(flag != 0), TEditStyle::PickList, true};
  row.pickList = {Tr(texts::kYes), Tr(texts::kNo)};
  row.apply = [&flag, strict](const std::string& text) {
    if (strict && !TextToBool(text) && text != Tr(texts::kNo)) return true;
    flag = TextToBool(text) ? 1 : 0;
    return true;
  };
  return row;
}

namespace {
PropertyRow UserRow(const std::string& key, float& value, const std::string& message, int axis) {
  PropertyRow row{key, axis == 1 ? UserXText(value) : UserYText(value)};
  row.message = message;
  row.apply = [&value, axis](const std::string& text) {
    int v = 0;
    if (!TryStrToInt(text, v)) return false;
    value = axis == 1 ? static_cast<float>(double(v) + Settings().originX)
                      : static_cast<float>(double(Settings().originY) - v);
    return true;
  };
  return row;
}
}  // namespace

PropertyRow UserXRow(const std::string& key, float& x, const std::string& message) {
  return UserRow(key, x, message, 1);
}

PropertyRow UserYRow(const std::string& key, float& y, const std::string& message) {
  return UserRow(key, y, message, 2);
}

PropertyRow FactorRow(float& factor) {
  PropertyRow row{Tr("88", "折射率倍"), LeftStr(FloatToShortStr(factor), 6)};
  row.message = Tr("90", "折射率倍,不是有用的数值型,请输入一个数值型");
  row.apply = [&factor](const std::string& text) {
    double value = 0;
    // A value beyond the float range cannot be stored; it is as unusable as text.
    if (!TryStrToFloat(text, value) || std::fabs(value) > FLT_MAX) return false;
    factor = static_cast<float>(value);
    return true;
  };
  return row;
}

PropertyRow IndexRow(float& index, const std::string& notANumber) {
  return IndexRow(index, notANumber, Tr("116", "折射率不能小于1"), true);
}

PropertyRow IndexRow(float& index, const std::string& notANumber, const std::string& belowOne,
                     bool shortText) {
  const std::string shown = FloatToShortStr(index);
  PropertyRow row{Tr("114", "折射率"), shortText ? LeftStr(shown, 6) : shown};
  row.apply = [&index, notANumber, belowOne](const std::string& text) {
    double value = 0;
    if (!TryStrToFloat(text, value) || std::fabs(value) > FLT_MAX) {
      ShowMessage(notANumber);
      return false;
    }
    if (value < 1.0) {
      ShowMessage(belowOne);
      return false;
    }
    index = static_cast<float>(value);
    return true;
  };
  row.slider = PropertyRow::Slider{1.0, 3.0, 0.01};
  return row;
}

PropertyRow AngleRow(TPointF p1, TPointF p2) {
  return {Tr("86", "角度"), LeftStr(FloatToShortStr(DirectionAngle(p1, p2)), 6), TEditStyle::Simple,
          true};
}

void AddCentreRows(PropertyRows& rows, DrawObjectUnit& object, TPointF centre) {
  for (int axis : {1, 2}) {
    const std::string shown = axis == 1 ? UserXText(centre.x) : UserYText(centre.y);
    PropertyRow row{axis == 1 ? Tr("CentreXRow", "中心X") : Tr("CentreYRow", "中心Y"), shown};
    row.message = Tr("CentreRowBad", "中心的坐标不是有用的整数,请输入一个整数.");
    // Untouched, the row moves nothing: the centre may lie between pixels.
    row.apply = [&object, shown, axis](const std::string& text) {
      if (Trim(text) == shown) return true;
      int typed = 0, was = 0;
      if (!TryStrToInt(text, typed) || !TryStrToInt(shown, was)) return false;
      if (std::abs(double(typed) - was) > 1e7) return false;
      const int delta = typed - was;
      object.Move(kMoveBy, axis == 1 ? delta : 0, axis == 1 ? 0 : -delta);
      return true;
    };
    rows.AddLast(std::move(row));
  }
}
