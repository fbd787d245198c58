#pragma once
// The shared modal key/value sheet in which objects and the page show and
// edit their properties.

#include <QColor>
#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "gfx/Colour.h"
#include "i18n/TtlmController.h"
#include "scene/IPropertySheet.h"
#include "scene/PropertyRowClass.h"
#include "ui/OnScreenKeyboard.h"

class QColorDialog;
class QFileDialog;
class QFontDialog;
class QPushButton;
class QTabWidget;
class QTableWidget;
class QWidget;
class DrawObjectUnit;
class TStringEditFrm;

// Windows colour values (0x00BBGGRR) <-> QColor.

class TShowPropertiesFrm : public QDialog, public IPropertySheet {
  Q_OBJECT

 public:
  explicit TShowPropertiesFrm(QWidget* parent = nullptr);
  ~TShowPropertiesFrm() override;

  // What "确定" applies (an object's ApplyProperties or the page settings);
  // the sheet closes only when it returns true. Without one, "确定" just closes.
  void SetApplyHandler(std::function<bool()> handler) { applyHandler_ = std::move(handler); }

  // IPropertySheet
  void ClearRows() override;
  void SetCaption(const std::string& caption) override;
  void InsertRow(const std::string& key, const std::string& value) override;
  int RowCount() const override;
  std::string KeyAt(int row) const override;
  void SetEditStyle(int row, TEditStyle style) override;
  void SetPickList(int row, const std::vector<std::string>& items) override;
  void SetReadOnly(int row, bool readOnly) override;
  std::string Value(const std::string& key) const override;
  void SetValue(const std::string& key, const std::string& value) override;
  // Runs the sheet: 1 when confirmed and applied, 2 when cancelled.
  int ShowModal() override;

  TEditStyle EditStyleAt(int row) const;
  std::vector<std::string> PickListAt(int row) const;
  bool ReadOnlyAt(int row) const;
  std::string ValueAt(int row) const;
  TRowClass RowClassAt(int row) const;

  // Sizes the sheet to its keys, places the buttons, focuses "确定" and brings
  // up the on-screen keyboard when asked for; ShowModal does it first.
  void FormShow();
  // The ellipsis button of a row: colour, picture, font or text editor.
  void EditButtonClick(int row);

  QTabWidget* PageControl1 = nullptr;
  QWidget* ProPage = nullptr;
  QTableWidget* ShowProperTiesList = nullptr;
  QPushButton* BitBtn1 = nullptr;    // "确定"
  QPushButton* CancelBtn = nullptr;  // "取消"
  QColorDialog* ColorDialog = nullptr;
  QFontDialog* FontDialog = nullptr;
  QFileDialog* OpenDialog = nullptr;
  TStringEditFrm* StringEditFrm = nullptr;

  // Column width of the keys after FormShow.
  int KeyColumnWidth() const;

 public slots:
  void BitBtn1Click();
  void CancelBtnClick();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  int RowOfKey(const std::string& key) const;
  void RunRowEditor(int row);
  void LayOut();
  // Wide enough for the title bar to show the title whole.
  int TitleBarWidth() const;
  // Tall enough for every row (at least the designed height, at most most of
  // the screen).
  int FittingHeight() const;

  TtlmController tlmController_{"TShowPropertiesFrm"};
  std::function<bool()> applyHandler_;
  int keyColumnWidth_ = 250;
};

// Runs `show` (which fills the sheet and calls ShowModal) with `apply` bound to
// "确定". With a sheet that has no buttons of its own (a test fake), `apply`
// runs once after a confirmed ShowModal. Returns 1 when applied, 2 otherwise.
int RunPropertySheet(IPropertySheet& sheet, const std::function<int()>& show,
                     const std::function<bool()>& apply);
// The properties command for one object, through Settings().sheet.
int ShowObjectProperties(DrawObjectUnit& object);
