#pragma once
// An object's property sheet declared once, in display order: each row's key,
// shown value, edit style and how its text is read back (with the message
// for a bad value). Showing and applying the sheet both read this list.

#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "gfx/TCanvas.h"
#include "scene/IPropertySheet.h"

struct PropertyRow {
  std::string key;
  std::string value;
  TEditStyle style = TEditStyle::Simple;
  bool readOnly = false;
  std::vector<std::string> pickList;
  // Reads the row's text back; false for a value that cannot be used. Empty
  // for a row that is only shown.
  std::function<bool(const std::string& text)> apply;
  // Shown when apply returns false (rows that build their message from the
  // text show it themselves and leave this empty).
  std::string message;
  // Rows of a group above 0 are read until the first bad one; the rest of
  // that group is then left as it was.
  int group = 0;
  // A number the board's slider strip offers for this row: its range and
  // step (app/SliderStrip). The slider writes the row through `apply`.
  struct Slider {
    double min = 0, max = 1, step = 1;
  };
  std::optional<Slider> slider;

  PropertyRow() = default;
  PropertyRow(std::string k, std::string v, TEditStyle s = TEditStyle::Simple, bool ro = false)
      : key(std::move(k)), value(std::move(v)), style(s), readOnly(ro) {}
};

class PropertyRows;
class DrawObjectUnit;

// A row's place in its sheet, as Add gives it: the rows are read back by
// handle, never by a counted index. Valid while the sheet is being built.
class RowHandle {
 public:
  PropertyRow* operator->() const;
  PropertyRow& operator*() const { return *operator->(); }

 private:
  friend class PropertyRows;
  RowHandle(PropertyRows& rows, int index) : rows_(&rows), index_(index) {}
  PropertyRows* rows_;
  int index_;
};

// Handles in the order their rows are read back.
using RowOrder = std::vector<RowHandle>;
// The parts one after the other.
RowOrder Join(std::initializer_list<RowOrder> parts);

class PropertyRows {
 public:
  PropertyRows() = default;
  explicit PropertyRows(std::string caption) : caption_(std::move(caption)) {}

  RowHandle Add(PropertyRow row);
  RowHandle Add(std::string key, std::string value) {
    return Add(PropertyRow{std::move(key), std::move(value)});
  }
  // A row of `group` whose text `apply` reads back; a refused text shows
  // `message`.
  RowHandle Add(std::string key, std::string value, int group, std::string message,
                std::function<bool(const std::string&)> apply) {
    PropertyRow row{std::move(key), std::move(value)};
    row.group = group;
    row.message = std::move(message);
    row.apply = std::move(apply);
    return Add(std::move(row));
  }
  bool HasCaption() const { return !caption_.empty(); }
  // Rows read back in this order (default: display order); rows left out
  // are not read.
  void ApplyOrder(const RowOrder& order);
  // Runs after the rows are read, whatever they held.
  void Finally(std::function<void()> step) { finally_ = std::move(step); }
  // Runs when the sheet is shown, before it is filled: what the sheet's own
  // dialogs start from. Applying builds the rows again and must not redo it.
  void BeforeShow(std::function<void()> step) { beforeShow_ = std::move(step); }
  // Runs after the rows when every one was usable; its result is the
  // sheet's (it shows its own message when it refuses).
  void OnSuccess(std::function<bool()> step) { onSuccess_ = std::move(step); }

  // A last row, read back last whatever the apply order.
  void AddLast(PropertyRow row);
  // Every row only shown: nothing is read back.
  void MakeReadOnly();

  // Fills the sheet (caption, rows, styles) and shows it modally. Without a
  // caption nothing is filled: the sheet shows what it holds.
  int Show() const;
  // Reads every row back in apply order; true when every value was usable.
  bool Apply() const;
  // Reads only the row at `index` (display order) from `text`, then what
  // follows every apply; true when the value was usable.
  bool ApplyOne(std::size_t index, const std::string& text) const;
  const std::vector<PropertyRow>& All() const { return rows_; }

 private:
  friend class RowHandle;
  std::string caption_;
  std::vector<PropertyRow> rows_;
  std::vector<int> order_;
  std::function<void()> finally_;
  std::function<void()> beforeShow_;
  std::function<bool()> onSuccess_;
};

inline PropertyRow* RowHandle::operator->() const {
  return &rows_->rows_.at(static_cast<std::size_t>(index_));
}

// ---- rows shared by many objects

// A colour row: decimal value, chosen in the colour dialog (ellipsis, read-only).
PropertyRow ColourRow(const std::string& key, TColor& colour);
// A yes/no row with the pick list "是"/"否", read-only.
// Strict: a text that is neither word leaves the flag as it is.
PropertyRow YesNoRow(const std::string& key, std::uint8_t& flag, bool strict = false);
// A screen coordinate shown as a whole user coordinate; a text that is not
// an integer is refused with `message`.
PropertyRow UserXRow(const std::string& key, float& x, const std::string& message);
PropertyRow UserYRow(const std::string& key, float& y, const std::string& message);
// An index factor row ("折射率倍"): any real within the float range.
PropertyRow FactorRow(float& factor);
// A refractive index ("折射率"): below 1 is refused with text 116, a text
// that is not a number (or beyond the float range) with `notANumber`.
PropertyRow IndexRow(float& index, const std::string& notANumber);
// The same with its own below-1 message; `shortText` shows six characters.
PropertyRow IndexRow(float& index, const std::string& notANumber, const std::string& belowOne,
                     bool shortText);
// Rows "中心X", "中心Y" showing `centre` in user coordinates, shown and read
// last: a changed value moves the whole object by the difference.
void AddCentreRows(PropertyRows& rows, DrawObjectUnit& object, TPointF centre);
// The read-only direction from p1 to p2 ("角度").
PropertyRow AngleRow(TPointF p1, TPointF p2);
