#include "ui/TShowPropertiesFrm.h"

#include <QAction>
#include <QApplication>
#include <QColorDialog>
#include <QComboBox>
#include <QFileDialog>
#include <QFocusEvent>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequence>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <algorithm>

#include "i18n/Convert.h"
#include "i18n/TtlmController.h"
#include "scene/DrawObjectUnit.h"
#include "scene/ProcessSettings.h"
#include "ui/ButtonBar.h"
#include "ui/FileDialogLayout.h"
#include "ui/QtText.h"
#include "ui/TStringEditFrm.h"
#include "ui/WindowTranslator.h"

namespace {

constexpr int kStyleRole = Qt::UserRole + 1;
constexpr int kPickListRole = Qt::UserRole + 2;
constexpr int kReadOnlyRole = Qt::UserRole + 3;
constexpr int kSwatchWidth = 16;
constexpr int kDesignWidth = 298;
constexpr int kDesignHeight = 261;

// The sheet font's family, size and style as the editors show it.
QFont EditorFont(const TSheetFont& sheet) {
  QFont font(QString::fromStdString(sheet.name));
  font.setPointSize(std::max(1, sheet.size));
  font.setBold(sheet.bold);
  font.setItalic(sheet.italic);
  return font;
}

bool ColourOfText(const QString& text, QColor& colour) {
  int value = 0;
  if (!TryStrToInt(text.toStdString(), value)) return false;
  colour = ToQColor(static_cast<TColor>(value));
  return true;
}

void PaintSwatch(QPainter& painter, const QRect& cell, const QString& value) {
  QColor colour;
  if (!ColourOfText(value, colour)) return;
  painter.save();
  painter.setPen(Qt::NoPen);
  painter.setBrush(colour);
  painter.drawRect(QRect(cell.left(), cell.top(), kSwatchWidth, cell.height()));
  painter.restore();
}

// Paints the row's colour at the left of the in-place editor, so that the
// swatch stays visible while a colour row is being edited.
class SwatchWidget : public QWidget {
 public:
  SwatchWidget(QWidget* parent, const QLineEdit* source) : QWidget(parent), source_(source) {
    setFixedWidth(kSwatchWidth);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    PaintSwatch(painter, rect(), source_->text());
  }

 private:
  const QLineEdit* source_;
};

// A click into a value whose editor is open but not being typed in (the top
// row's, opened with the sheet) selects the whole value, as opening an editor
// with a click does, so that typing replaces it in every row. A press from
// the display server has already moved the focus when a filter sees it (Qt
// gives a press its focus first), so the focus that came with this very press
// counts as not having had it; the rest of that click (moves with the button
// held, the release) is swallowed, so that it cannot place the cursor.
class SelectOnFirstClick : public QObject {
 public:
  explicit SelectOnFirstClick(QLineEdit* edit) : QObject(edit), edit_(edit) {
    edit->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    switch (event->type()) {
      case QEvent::FocusIn:
        if (static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason) {
          // The press that gave it is delivered in this same dispatch.
          focusedByPress_ = true;
          QTimer::singleShot(0, this, [this] { focusedByPress_ = false; });
        }
        return false;
      case QEvent::FocusOut:
        swallowing_ = false;
        return false;
      case QEvent::MouseButtonPress:
        if (edit_->hasFocus() && !focusedByPress_) return false;
        focusedByPress_ = false;
        swallowing_ = true;
        edit_->setFocus(Qt::MouseFocusReason);
        edit_->selectAll();
        return true;
      case QEvent::MouseMove:
        return swallowing_ && (static_cast<QMouseEvent*>(event)->buttons() & Qt::LeftButton);
      case QEvent::MouseButtonRelease:
        if (!swallowing_) return false;
        swallowing_ = false;
        return true;
      default:
        return false;
    }
  }

 private:
  QLineEdit* edit_;
  bool focusedByPress_ = false;
  bool swallowing_ = false;
};

// A value editor with the ellipsis button at its right.
class EllipsisEditor : public QWidget {
 public:
  EllipsisEditor(QWidget* parent, bool colourRow, bool readOnly) : QWidget(parent) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    edit = new QLineEdit(this);
    edit->setReadOnly(readOnly);
    edit->setFrame(false);
    new SelectOnFirstClick(edit);
    if (colourRow) {
      swatch = new SwatchWidget(this, edit);
      layout->addWidget(swatch);
    }
    layout->addWidget(edit, 1);
    button = new QToolButton(this);
    button->setText("...");
    button->setFocusPolicy(Qt::NoFocus);
    // The keyboard's way to the row's dialog: F4 or Alt+Down, as a combo box opens.
    auto* open = new QAction(edit);
    open->setShortcuts({QKeySequence(Qt::Key_F4), QKeySequence(Qt::ALT | Qt::Key_Down)});
    open->setShortcutContext(Qt::WidgetShortcut);
    edit->addAction(open);
    QObject::connect(open, &QAction::triggered, button, &QToolButton::click);
    button->setToolTip("F4");
    button->setAccessibleName(QString::fromStdString(Tr("SheetDialogButton", "打开对话框")));
    layout->addWidget(button);
    setFocusProxy(edit);
    setAutoFillBackground(true);
  }
  void SetText(const QString& text) {
    edit->setText(text);
    if (swatch) swatch->update();
  }

  QLineEdit* edit = nullptr;
  QToolButton* button = nullptr;
  QWidget* swatch = nullptr;
};

class ValueDelegate : public QStyledItemDelegate {
 public:
  explicit ValueDelegate(TShowPropertiesFrm* sheet)
      : QStyledItemDelegate(sheet->ShowProperTiesList), sheet_(sheet) {}

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                        const QModelIndex& index) const override {
    QWidget* editor = MakeEditor(parent, index);
    if (editor) FollowModel(editor, index);
    return editor;
  }

  void setEditorData(QWidget* editor, const QModelIndex& index) const override {
    const QString value = index.data().toString();
    if (auto* combo = dynamic_cast<QComboBox*>(editor)) {
      const QSignalBlocker block(combo);
      int at = combo->findText(value);
      if (at < 0 && !combo->isEditable()) {
        // A value outside the list is still shown as it is.
        combo->insertItem(0, value);
        at = 0;
      }
      if (combo->isEditable()) {
        if (combo->currentText() != value) combo->setEditText(value);
      } else {
        combo->setCurrentIndex(at);
      }
    } else if (auto* ellipsis = dynamic_cast<EllipsisEditor*>(editor)) {
      if (ellipsis->edit->text() != value) ellipsis->SetText(value);
    } else if (auto* edit = dynamic_cast<QLineEdit*>(editor)) {
      if (edit->text() != value) edit->setText(value);  // keeps the cursor while typing
    }
  }

  void setModelData(QWidget* editor, QAbstractItemModel* model,
                    const QModelIndex& index) const override {
    QString value;
    if (auto* combo = dynamic_cast<QComboBox*>(editor))
      value = combo->currentText();
    else if (auto* ellipsis = dynamic_cast<EllipsisEditor*>(editor))
      value = ellipsis->edit->text();
    else if (auto* edit = dynamic_cast<QLineEdit*>(editor))
      value = edit->text();
    else
      return;
    model->setData(index, value, Qt::EditRole);
  }

  void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                            const QModelIndex&) const override {
    editor->setGeometry(option.rect);
  }

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    const bool swatch = index.column() == 1 && sheet_->RowClassAt(index.row()) == TRowClass::Colour;
    if (!swatch) {
      QStyledItemDelegate::paint(painter, option, index);
      return;
    }
    QStyleOptionViewItem shifted(option);
    shifted.rect.adjust(kSwatchWidth + 2, 0, 0, 0);
    QStyledItemDelegate::paint(painter, shifted, index);
    PaintSwatch(*painter, option.rect, index.data().toString());
  }

 private:
  QWidget* MakeEditor(QWidget* parent, const QModelIndex& index) const {
    if (index.column() != 1) return nullptr;
    const int row = index.row();
    const bool readOnly = sheet_->ReadOnlyAt(row);
    auto* self = const_cast<ValueDelegate*>(this);
    switch (sheet_->EditStyleAt(row)) {
      case TEditStyle::PickList: {
        auto* combo = new QComboBox(parent);
        combo->setEditable(!readOnly);
        if (combo->lineEdit()) new SelectOnFirstClick(combo->lineEdit());
        for (const auto& item : sheet_->PickListAt(row)) combo->addItem(Q(item));
        QObject::connect(combo, &QComboBox::currentTextChanged, combo,
                         [self, combo] { emit self->commitData(combo); });
        return combo;
      }
      case TEditStyle::Ellipsis: {
        auto* editor =
            new EllipsisEditor(parent, sheet_->RowClassAt(row) == TRowClass::Colour, readOnly);
        const QPersistentModelIndex at(index);
        TShowPropertiesFrm* sheet = sheet_;
        QObject::connect(editor->button, &QToolButton::clicked, sheet, [sheet, at] {
          // Later, not inside the click: the dialog takes the focus, and losing
          // it closes and destroys this editor with its button.
          QTimer::singleShot(0, sheet, [sheet, at] {
            if (at.isValid()) sheet->EditButtonClick(at.row());
          });
        });
        QObject::connect(editor->edit, &QLineEdit::textEdited, editor, [self, editor] {
          if (editor->swatch) editor->swatch->update();
          emit self->commitData(editor);
        });
        return editor;
      }
      case TEditStyle::Simple:
        break;
    }
    if (readOnly) return nullptr;
    auto* edit = new QLineEdit(parent);
    edit->setFrame(false);
    new SelectOnFirstClick(edit);
    QObject::connect(edit, &QLineEdit::textEdited, edit,
                     [self, edit] { emit self->commitData(edit); });
    return edit;
  }

  // An open editor shows what the row holds even when the row is changed from
  // outside (a dialog of the ellipsis button), so closing it can never write
  // an old text back.
  void FollowModel(QWidget* editor, const QModelIndex& index) const {
    const QPersistentModelIndex at(index);
    QObject::connect(
        index.model(), &QAbstractItemModel::dataChanged, editor,
        [this, editor, at](const QModelIndex& topLeft, const QModelIndex& bottomRight) {
          if (at.isValid() && topLeft.row() <= at.row() && at.row() <= bottomRight.row() &&
              topLeft.column() <= at.column() && at.column() <= bottomRight.column())
            setEditorData(editor, at);
        });
  }

  TShowPropertiesFrm* sheet_;
};

}  // namespace

TShowPropertiesFrm::TShowPropertiesFrm(QWidget* parent) : QDialog(parent) {
  auto tr = [this](const char* key, const char* text) {
    return Q(tlmController_.Translate(key, text));
  };
  setObjectName("TShowPropertiesFrm");
  setWindowTitle(tr("self.Caption", "详细属性"));
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

  PageControl1 = new QTabWidget(this);
  PageControl1->setObjectName("PageControl1");
  ProPage = new QWidget(PageControl1);
  ProPage->setObjectName("ProPage");
  PageControl1->addTab(ProPage, tr("ProPage.Caption", "属性"));

  ShowProperTiesList = new QTableWidget(0, 2, ProPage);
  ShowProperTiesList->setObjectName("ShowProperTiesList");
  auto* pageLayout = new QHBoxLayout(ProPage);
  pageLayout->setContentsMargins(0, 0, 0, 0);
  pageLayout->addWidget(ShowProperTiesList);
  ShowProperTiesList->horizontalHeader()->hide();
  ShowProperTiesList->verticalHeader()->hide();
  ShowProperTiesList->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Fixed);
  ShowProperTiesList->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
  ShowProperTiesList->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  ShowProperTiesList->verticalHeader()->setDefaultSectionSize(
      std::max(18, fontMetrics().height() + 4));
  ShowProperTiesList->setColumnWidth(0, keyColumnWidth_);
  ShowProperTiesList->setSelectionMode(QAbstractItemView::SingleSelection);
  ShowProperTiesList->setEditTriggers(QAbstractItemView::AllEditTriggers);
  ShowProperTiesList->setItemDelegate(new ValueDelegate(this));
  {
    QPalette palette = ShowProperTiesList->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    ShowProperTiesList->setPalette(palette);
  }
  // A click on a key edits that row's value.
  connect(ShowProperTiesList, &QTableWidget::cellClicked, this, [this](int row, int column) {
    if (column == 0) ShowProperTiesList->setCurrentCell(row, 1);
  });

  BitBtn1 = new QPushButton(tr("BitBtn1.Caption", "确定"), this);
  CancelBtn = new QPushButton(tr("CancelBtn.Caption", "取消"), this);
  BitBtn1->setObjectName("BitBtn1");
  CancelBtn->setObjectName("CancelBtn");
  BitBtn1->setDefault(true);
  CancelBtn->setAutoDefault(false);
  connect(BitBtn1, &QPushButton::clicked, this, &TShowPropertiesFrm::BitBtn1Click);
  connect(CancelBtn, &QPushButton::clicked, this, &TShowPropertiesFrm::CancelBtnClick);

  ColorDialog = new QColorDialog(this);
  FontDialog = new QFontDialog(this);
  OpenDialog = new QFileDialog(this);
  OpenDialog->setFileMode(QFileDialog::ExistingFile);
  OpenDialog->setAcceptMode(QFileDialog::AcceptOpen);
  StringEditFrm = new TStringEditFrm(this);
  ColorDialog->setObjectName("ColorDialog");
  FontDialog->setObjectName("FontDialog");
  OpenDialog->setObjectName("OpenDialog");

  resize(kDesignWidth, kDesignHeight);
  AttachTranslator(this, tlmController_);
}

TShowPropertiesFrm::~TShowPropertiesFrm() = default;

void TShowPropertiesFrm::ClearRows() { ShowProperTiesList->setRowCount(0); }

void TShowPropertiesFrm::SetCaption(const std::string& caption) { setWindowTitle(Q(caption)); }

void TShowPropertiesFrm::InsertRow(const std::string& key, const std::string& value) {
  ShowProperTiesList->insertRow(0);
  auto* keyItem = new QTableWidgetItem(Q(key));
  keyItem->setFlags(Qt::ItemIsEnabled);
  keyItem->setData(kStyleRole, static_cast<int>(TEditStyle::Simple));
  keyItem->setData(kReadOnlyRole, false);
  auto* valueItem = new QTableWidgetItem(Q(value));
  valueItem->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable);
  ShowProperTiesList->setItem(0, 0, keyItem);
  ShowProperTiesList->setItem(0, 1, valueItem);
}

int TShowPropertiesFrm::RowCount() const { return ShowProperTiesList->rowCount(); }

std::string TShowPropertiesFrm::KeyAt(int row) const {
  const QTableWidgetItem* item = ShowProperTiesList->item(row, 0);
  return item ? item->text().toStdString() : std::string();
}

std::string TShowPropertiesFrm::ValueAt(int row) const {
  const QTableWidgetItem* item = ShowProperTiesList->item(row, 1);
  return item ? item->text().toStdString() : std::string();
}

void TShowPropertiesFrm::SetEditStyle(int row, TEditStyle style) {
  if (QTableWidgetItem* item = ShowProperTiesList->item(row, 0))
    item->setData(kStyleRole, static_cast<int>(style));
}

void TShowPropertiesFrm::SetPickList(int row, const std::vector<std::string>& items) {
  QStringList list;
  for (const auto& i : items) list << Q(i);
  if (QTableWidgetItem* item = ShowProperTiesList->item(row, 0)) item->setData(kPickListRole, list);
}

void TShowPropertiesFrm::SetReadOnly(int row, bool readOnly) {
  if (QTableWidgetItem* item = ShowProperTiesList->item(row, 0))
    item->setData(kReadOnlyRole, readOnly);
}

TEditStyle TShowPropertiesFrm::EditStyleAt(int row) const {
  const QTableWidgetItem* item = ShowProperTiesList->item(row, 0);
  return item ? static_cast<TEditStyle>(item->data(kStyleRole).toInt()) : TEditStyle::Simple;
}

std::vector<std::string> TShowPropertiesFrm::PickListAt(int row) const {
  std::vector<std::string> out;
  if (const QTableWidgetItem* item = ShowProperTiesList->item(row, 0))
    for (const QString& s : item->data(kPickListRole).toStringList())
      out.push_back(s.toStdString());
  return out;
}

bool TShowPropertiesFrm::ReadOnlyAt(int row) const {
  const QTableWidgetItem* item = ShowProperTiesList->item(row, 0);
  return item && item->data(kReadOnlyRole).toBool();
}

TRowClass TShowPropertiesFrm::RowClassAt(int row) const {
  return ClassifyPropertyKey(KeyAt(row), tlmController_);
}

int TShowPropertiesFrm::RowOfKey(const std::string& key) const {
  for (int row = 0; row < RowCount(); ++row)
    if (KeyAt(row) == key) return row;
  return -1;
}

std::string TShowPropertiesFrm::Value(const std::string& key) const {
  const int row = RowOfKey(key);
  return row < 0 ? std::string() : ValueAt(row);
}

void TShowPropertiesFrm::SetValue(const std::string& key, const std::string& value) {
  const int row = RowOfKey(key);
  if (row < 0) return;
  ShowProperTiesList->item(row, 1)->setText(Q(value));
}

int TShowPropertiesFrm::KeyColumnWidth() const { return ShowProperTiesList->columnWidth(0); }

void TShowPropertiesFrm::FormShow() {
  int widest = 0;
  const QFontMetrics metrics = fontMetrics();
  for (int row = 0; row < RowCount(); ++row)
    widest = std::max(widest, metrics.horizontalAdvance(Q(KeyAt(row))));
  keyColumnWidth_ = std::max(100, widest + 10);
  ShowProperTiesList->setColumnWidth(0, keyColumnWidth_);
  // Every showing starts from the rows, never from the size a user gave the
  // sheet of another object (maximised, or stretched).
  setWindowState(windowState() & ~(Qt::WindowMaximized | Qt::WindowFullScreen));
  resize(std::max({220, keyColumnWidth_ + 120, TitleBarWidth()}), FittingHeight());
  LayOut();
  BitBtn1->setFocus();
  if (Settings().softKeyboard) BringUpOnScreenKeyboard();
}

int TShowPropertiesFrm::ShowModal() {
  FormShow();
  const int result = exec();
  return result == QDialog::Accepted ? 1 : 2;
}

void TShowPropertiesFrm::BitBtn1Click() {
  // The in-place editors hand every change to the grid at once, so the rows
  // already hold what the user sees.
  if (applyHandler_ && !applyHandler_()) return;  // the object has told the user why
  accept();
}

void TShowPropertiesFrm::CancelBtnClick() { reject(); }

void TShowPropertiesFrm::EditButtonClick(int row) {
  if (row < 0 || row >= RowCount()) return;
  RunRowEditor(row);
  if (!isVisible()) return;
  // The dialog leaves no window active, and where the desktop would make the
  // sheet active only with the next click, "确定" would lose that click.
  activateWindow();
  raise();
  // The dialog's focus change closed the cell's editor; show it again.
  if (ShowProperTiesList->currentRow() == row) {
    ShowProperTiesList->setCurrentItem(nullptr);
    ShowProperTiesList->setCurrentCell(row, 1);
  }
}

void TShowPropertiesFrm::RunRowEditor(int row) {
  const std::string key = KeyAt(row);
  switch (RowClassAt(row)) {
    case TRowClass::Colour: {
      QColor start;
      if (!ColourOfText(Q(ValueAt(row)), start)) start = Qt::black;
      ColorDialog->setCurrentColor(start);
      if (ColorDialog->exec() == QDialog::Accepted)
        SetValue(key, IntToStr(FromQColor(ColorDialog->currentColor())));
      break;
    }
    case TRowClass::PicturePath:
      // In the language shown now, and where the last picture came from.
      OpenDialog->setNameFilter(
          Q(tlmController_.Translate("OpenDialog.Filter", "图片文件 (*.bmp *.jpg *.jpeg)")));
      OpenDialog->setDirectory(PicturesFolder());
      LayOutFileDialog(*OpenDialog);
      if (OpenDialog->exec() == QDialog::Accepted && !OpenDialog->selectedFiles().isEmpty()) {
        RememberPictureFolder(OpenDialog->selectedFiles().first());
        SetValue(key, OpenDialog->selectedFiles().first().toStdString());
      }
      break;
    case TRowClass::Font: {
      const TSheetFont current = DialogFont();
      QFont font = EditorFont(current);
      font.setUnderline(current.underline);
      font.setStrikeOut(current.strikeOut);
      FontDialog->setCurrentFont(font);
      if (FontDialog->exec() != QDialog::Accepted) break;
      const QFont chosen = FontDialog->selectedFont();
      TSheetFont next = current;
      next.name = chosen.family().toStdString();
      if (chosen.pointSize() > 0) next.size = chosen.pointSize();
      next.bold = chosen.bold();
      next.italic = chosen.italic();
      next.underline = chosen.underline();
      next.strikeOut = chosen.strikeOut();
      // Qt's font dialog has no colour box: the colour follows in the colour
      // dialog, titled so that nobody takes it for another row's colour.
      ColorDialog->setCurrentColor(ToQColor(current.color));
      const QString title = ColorDialog->windowTitle();
      ColorDialog->setWindowTitle(Q(tlmController_.Translate("FontColour.Title", "文字颜色")));
      const bool chosenColour = ColorDialog->exec() == QDialog::Accepted;
      ColorDialog->setWindowTitle(title);
      if (chosenColour) next.color = FromQColor(ColorDialog->currentColor());
      SetDialogFont(next);
      break;
    }
    case TRowClass::Text: {
      StringEditFrm->StringEdit->setFont(EditorFont(DialogFont()));
      StringEditFrm->SetText(ValueAt(row));
      // Only "确定" changes the row.
      if (StringEditFrm->exec() == QDialog::Accepted) SetValue(key, StringEditFrm->Text());
      break;
    }
    case TRowClass::None:
      break;
  }
}

void TShowPropertiesFrm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // The grid opens editors only while visible: start at the top value, whose
  // editor is shown at once, as in a value list.
  ShowProperTiesList->setCurrentItem(nullptr);
  if (RowCount() > 0) ShowProperTiesList->setCurrentCell(0, 1);
  BitBtn1->setFocus();
}

int TShowPropertiesFrm::TitleBarWidth() const {
  // Window managers draw titles bold, beside the window's icon and its
  // minimise and close buttons, each about as wide as the bar is high.
  QFont font = QApplication::font("QMdiSubWindowTitleBar");
  font.setBold(true);
  const QFontMetrics metrics(font);
  const int bar = std::max(style()->pixelMetric(QStyle::PM_TitleBarHeight), metrics.height() + 8);
  return metrics.horizontalAdvance(windowTitle()) + 4 * bar;
}

int TShowPropertiesFrm::FittingHeight() const {
  const int rows = ShowProperTiesList->verticalHeader()->length();
  const int grid = rows + 2 * ShowProperTiesList->frameWidth();
  const int tabs = PageControl1->tabBar()->sizeHint().height() + 4;  // and the page's frame
  int limit = kDesignHeight;
  if (const QScreen* at = screen())
    limit = std::max(limit, at->availableGeometry().height() * 9 / 10);
  return std::clamp(tabs + grid + kButtonBar, kDesignHeight, limit);
}

void TShowPropertiesFrm::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  LayOut();
}

void TShowPropertiesFrm::LayOut() {
  LayOutButtonBar(*this, *PageControl1, *BitBtn1, *CancelBtn, 10);
}

int RunPropertySheet(IPropertySheet& sheet, const std::function<int()>& show,
                     const std::function<bool()>& apply) {
  if (auto* form = dynamic_cast<TShowPropertiesFrm*>(&sheet)) {
    form->SetApplyHandler(apply);
    const int result = show();
    form->SetApplyHandler({});
    return result == 1 ? 1 : 2;
  }
  if (show() != 1) return 2;
  return apply() ? 1 : 2;
}

int ShowObjectProperties(DrawObjectUnit& object) {
  return RunPropertySheet(
      *Settings().sheet, [&object] { return object.ShowProperties(); },
      [&object] { return object.ApplyProperties(); });
}
