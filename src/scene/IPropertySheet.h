#pragma once
// The key/value sheet through which objects show and read their properties.
// The window implements it with widgets, tests with a fake.

#include <string>
#include <vector>

#include "gfx/TCanvas.h"

enum class TEditStyle { Simple, Ellipsis, PickList };

// The font of the sheet's font dialog. It persists between showings: a text
// annotation loads it before showing and reads it back when applying.
struct TSheetFont {
  std::string name = "Arial";
  int size = 10;  // points
  TColor color = 0x008080;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
  bool operator==(const TSheetFont&) const = default;
};

class IPropertySheet {
 public:
  virtual ~IPropertySheet() = default;
  virtual void ClearRows() = 0;
  virtual void SetCaption(const std::string& caption) = 0;
  // The new row goes above the earlier ones (row 0 is the top row).
  virtual void InsertRow(const std::string& key, const std::string& value) = 0;
  virtual int RowCount() const = 0;
  virtual std::string KeyAt(int row) const = 0;
  virtual void SetEditStyle(int row, TEditStyle style) = 0;
  virtual void SetPickList(int row, const std::vector<std::string>& items) = 0;
  virtual void SetReadOnly(int row, bool readOnly) = 0;
  // Value of the first row with this key; empty when there is none.
  virtual std::string Value(const std::string& key) const = 0;
  virtual void SetValue(const std::string& key, const std::string& value) = 0;
  // 1 = confirmed ("确定"), 2 = cancelled.
  virtual int ShowModal() = 0;

  virtual TSheetFont DialogFont() const { return dialogFont_; }
  virtual void SetDialogFont(const TSheetFont& font) { dialogFont_ = font; }

 protected:
  TSheetFont dialogFont_;
};

// Rows kept in memory; ShowModal returns "cancelled". The default sheet of a
// headless process and the base of the test fake.
class MemoryPropertySheet : public IPropertySheet {
 public:
  struct Row {
    std::string key;
    std::string value;
    TEditStyle style = TEditStyle::Simple;
    std::vector<std::string> pickList;
    bool readOnly = false;
  };

  std::string caption;
  std::vector<Row> rows;

  void ClearRows() override { rows.clear(); }
  void SetCaption(const std::string& c) override { caption = c; }
  void InsertRow(const std::string& key, const std::string& value) override {
    rows.insert(rows.begin(), Row{key, value, TEditStyle::Simple, {}, false});
  }
  int RowCount() const override { return static_cast<int>(rows.size()); }
  std::string KeyAt(int row) const override {
    return row >= 0 && row < RowCount() ? rows[row].key : std::string();
  }
  void SetEditStyle(int row, TEditStyle style) override {
    if (row >= 0 && row < RowCount()) rows[row].style = style;
  }
  void SetPickList(int row, const std::vector<std::string>& items) override {
    if (row >= 0 && row < RowCount()) rows[row].pickList = items;
  }
  void SetReadOnly(int row, bool readOnly) override {
    if (row >= 0 && row < RowCount()) rows[row].readOnly = readOnly;
  }
  std::string Value(const std::string& key) const override {
    for (const auto& r : rows)
      if (r.key == key) return r.value;
    return {};
  }
  void SetValue(const std::string& key, const std::string& value) override {
    for (auto& r : rows)
      if (r.key == key) {
        r.value = value;
        return;
      }
  }
  int ShowModal() override { return 2; }
};
