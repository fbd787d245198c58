#include <gtest/gtest.h>

#include <QColorDialog>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QImage>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "FakePropertySheet.h"
#include "TestEnvironment.h"
#include "UiTestApp.h"
#include "ui/TShowPropertiesFrm.h"
#include "ui/TStringEditFrm.h"

namespace {

class SheetTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    UiTestApp();
    sheet = std::make_unique<TShowPropertiesFrm>();
  }
  void TearDown() override {
    sheet.reset();
    EngineTest::TearDown();
  }

  // Opens the value cell's in-place editor; the widget of type T in it.
  template <typename T>
  T* OpenEditor(int row) {
    // Moving onto the cell opens its editor, as a click would.
    sheet->ShowProperTiesList->setCurrentItem(nullptr);
    sheet->ShowProperTiesList->setCurrentCell(row, 1);
    QApplication::processEvents();
    // Closed editors go away only with the deferred deletions.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QWidget* viewport = sheet->ShowProperTiesList->viewport();
    for (T* w : viewport->findChildren<T*>())
      if (w->isVisibleTo(viewport)) return w;
    return nullptr;
  }
  QColor PixelAt(const QPoint& p) {
    return sheet->ShowProperTiesList->viewport()->grab().toImage().pixelColor(p);
  }
  QRect ValueCell(int row) {
    return sheet->ShowProperTiesList->visualRect(sheet->ShowProperTiesList->model()->index(row, 1));
  }

  std::unique_ptr<TShowPropertiesFrm> sheet;
};

}  // namespace

TEST_F(SheetTest, CaptionsTabAndButtons) {
  EXPECT_EQ(sheet->windowTitle(), "详细属性");
  ASSERT_EQ(sheet->PageControl1->count(), 1);
  EXPECT_EQ(sheet->PageControl1->tabText(0), "属性");
  EXPECT_EQ(sheet->BitBtn1->text(), "确定");
  EXPECT_EQ(sheet->CancelBtn->text(), "取消");
  EXPECT_TRUE(sheet->BitBtn1->isDefault());
  EXPECT_FALSE(sheet->CancelBtn->isDefault());
  EXPECT_EQ(sheet->ShowProperTiesList->columnCount(), 2);
  sheet->SetCaption("平面镜属性");
  EXPECT_EQ(sheet->windowTitle(), "平面镜属性");
}

TEST_F(SheetTest, RowsGoAboveEarlierOnes) {
  sheet->InsertRow("Y1", "2");
  sheet->InsertRow("X1", "1");
  ASSERT_EQ(sheet->RowCount(), 2);
  EXPECT_EQ(sheet->KeyAt(0), "X1");
  EXPECT_EQ(sheet->KeyAt(1), "Y1");
  EXPECT_EQ(sheet->Value("Y1"), "2");
  EXPECT_EQ(sheet->Value("none"), "");
  EXPECT_EQ(sheet->KeyAt(5), "");
  sheet->SetValue("X1", "-7");
  EXPECT_EQ(sheet->Value("X1"), "-7");
  sheet->SetValue("none", "1");  // no such row: nothing happens
  EXPECT_EQ(sheet->RowCount(), 2);
  sheet->ClearRows();
  EXPECT_EQ(sheet->RowCount(), 0);
}

TEST_F(SheetTest, ValueOfDuplicateKeysIsTheTopRow) {
  sheet->InsertRow("颜色", "1");
  sheet->InsertRow("颜色", "2");
  EXPECT_EQ(sheet->Value("颜色"), "2");
}

TEST_F(SheetTest, KeysAreNotEditable) {
  sheet->InsertRow("X1", "1");
  EXPECT_FALSE(sheet->ShowProperTiesList->item(0, 0)->flags() & Qt::ItemIsEditable);
  EXPECT_TRUE(sheet->ShowProperTiesList->item(0, 1)->flags() & Qt::ItemIsEditable);
}

TEST_F(SheetTest, ShortKeysGiveTheNarrowestSheet) {
  sheet->InsertRow("X1", "1");
  sheet->InsertRow("Y", "1");
  sheet->FormShow();
  EXPECT_EQ(sheet->KeyColumnWidth(), 100);
  EXPECT_EQ(sheet->width(), 220);
}

TEST_F(SheetTest, WideKeysWidenTheKeyColumnAndTheSheet) {
  const std::string key(40, 'W');
  sheet->InsertRow("X1", "1");
  sheet->InsertRow(key, "1");
  sheet->FormShow();
  const int expected = sheet->fontMetrics().horizontalAdvance(QString::fromStdString(key)) + 10;
  ASSERT_GT(expected, 100);
  EXPECT_EQ(sheet->KeyColumnWidth(), expected);
  EXPECT_EQ(sheet->width(), expected + 120);
}

// Every English sheet title (the language file's "… Properties") is shown
// whole: its bold text and room for three title bar buttons fit the sheet.
TEST_F(SheetTest, TheSheetIsWideEnoughForItsEnglishTitle) {
  QFile english(QString(EXO_LANGUAGE_DIR) + "/LumidorPro.trk");
  ASSERT_TRUE(english.open(QIODevice::ReadOnly | QIODevice::Text));
  QFont bold = QApplication::font();
  bold.setBold(true);
  int titles = 0;
  while (!english.atEnd()) {
    const QString line = QString::fromUtf8(english.readLine()).trimmed();
    if (!line.endsWith(" Properties")) continue;
    const QString title = line.section(" = ", 1);
    sheet->SetCaption(title.toStdString());
    sheet->FormShow();
    EXPECT_GE(sheet->width(), QFontMetrics(bold).horizontalAdvance(title) + 3 * 20)
        << title.toStdString();
    ++titles;
  }
  EXPECT_GT(titles, 20);
}

TEST_F(SheetTest, EmptySheetStillHasItsMinimumSize) {
  sheet->FormShow();
  EXPECT_EQ(sheet->KeyColumnWidth(), 100);
  EXPECT_EQ(sheet->width(), 220);
}

TEST_F(SheetTest, CancelIsTheMirrorImageOfOk) {
  for (const std::string& key : {std::string("X"), std::string(60, 'M')}) {
    sheet->ClearRows();
    sheet->InsertRow(key, "1");
    sheet->FormShow();
    const QRect ok = sheet->BitBtn1->geometry();
    const QRect cancel = sheet->CancelBtn->geometry();
    EXPECT_EQ(cancel.left(), sheet->width() - ok.left() - cancel.width());
    EXPECT_EQ(cancel.top(), ok.top());
    EXPECT_LT(ok.right(), cancel.left());
  }
}

TEST_F(SheetTest, OkWithFailingApplyKeepsTheSheetOpen) {
  sheet->InsertRow("X1", "abc");
  int applied = 0;
  bool openAfterOk = false;
  sheet->SetApplyHandler([&] {
    ++applied;
    return false;
  });
  WhenModal([&] {
    sheet->BitBtn1->click();
    openAfterOk = sheet->isVisible();
    sheet->CancelBtn->click();
  });
  EXPECT_EQ(sheet->ShowModal(), 2);
  EXPECT_EQ(applied, 1);
  EXPECT_TRUE(openAfterOk);
  EXPECT_EQ(sheet->Value("X1"), "abc");  // the user's values stay
}

TEST_F(SheetTest, OkWithSucceedingApplyCloses) {
  sheet->InsertRow("X1", "1");
  int applied = 0;
  sheet->SetApplyHandler([&] {
    ++applied;
    return true;
  });
  WhenModal([&] { sheet->BitBtn1->click(); });
  EXPECT_EQ(sheet->ShowModal(), 1);
  EXPECT_EQ(applied, 1);
  EXPECT_FALSE(sheet->isVisible());
}

TEST_F(SheetTest, CancelAppliesNothing) {
  sheet->InsertRow("X1", "1");
  int applied = 0;
  sheet->SetApplyHandler([&] {
    ++applied;
    return true;
  });
  WhenModal([&] { sheet->CancelBtn->click(); });
  EXPECT_EQ(sheet->ShowModal(), 2);
  EXPECT_EQ(applied, 0);
  EXPECT_FALSE(sheet->isVisible());
}

TEST_F(SheetTest, ClosingTheWindowCountsAsCancel) {
  int applied = 0;
  sheet->SetApplyHandler([&] { return ++applied > 0; });
  WhenModal([&] { sheet->reject(); });
  EXPECT_EQ(sheet->ShowModal(), 2);
  EXPECT_EQ(applied, 0);
}

TEST_F(SheetTest, ShowingFocusesOkAndStartsAtTheTopValue) {
  sheet->InsertRow("Y1", "2");
  sheet->InsertRow("X1", "1");
  bool okFocused = false;
  int currentRow = -1, currentColumn = -1;
  WhenModal([&] {
    okFocused = sheet->focusWidget() == sheet->BitBtn1;
    currentRow = sheet->ShowProperTiesList->currentRow();
    currentColumn = sheet->ShowProperTiesList->currentColumn();
    sheet->CancelBtn->click();
  });
  sheet->ShowModal();
  EXPECT_TRUE(okFocused);
  EXPECT_EQ(currentRow, 0);
  EXPECT_EQ(currentColumn, 1);
}

TEST_F(SheetTest, TypedValuesReachTheRowsBeforeApplying) {
  sheet->InsertRow("X1", "1");
  std::string seen;
  sheet->SetApplyHandler([&] {
    seen = sheet->Value("X1");
    return true;
  });
  WhenModal([&] {
    auto* edit = OpenEditor<QLineEdit>(0);
    ASSERT_NE(edit, nullptr);
    edit->setText("");
    edit->insert("42");  // as typed: emits textEdited
    sheet->BitBtn1->click();
  });
  EXPECT_EQ(sheet->ShowModal(), 1);
  EXPECT_EQ(seen, "42");
}

TEST_F(SheetTest, ReadOnlySimpleRowHasNoEditor) {
  sheet->InsertRow("角度", "45");
  sheet->SetReadOnly(0, true);
  sheet->show();
  EXPECT_EQ(OpenEditor<QLineEdit>(0), nullptr);
  EXPECT_EQ(sheet->Value("角度"), "45");
}

TEST_F(SheetTest, ColourRowIsReadOnlyWithEllipsisAndSwatch) {
  sheet->InsertRow("X1", "0");
  sheet->InsertRow("颜色", "255");  // red
  sheet->SetEditStyle(0, TEditStyle::Ellipsis);
  sheet->SetReadOnly(0, true);
  sheet->show();
  QApplication::processEvents();
  EXPECT_EQ(sheet->RowClassAt(0), TRowClass::Colour);

  // Not being edited: the swatch is painted by the grid.
  sheet->ShowProperTiesList->setCurrentCell(1, 1);
  QApplication::processEvents();
  const QRect cell = ValueCell(0);
  EXPECT_EQ(PixelAt(QPoint(cell.left() + 8, cell.center().y())), QColor(255, 0, 0));
  EXPECT_NE(PixelAt(QPoint(cell.left() + 40, cell.center().y())), QColor(255, 0, 0));

  // Being edited: still there, next to a read-only text and the ellipsis button.
  auto* edit = OpenEditor<QLineEdit>(0);
  ASSERT_NE(edit, nullptr);
  EXPECT_TRUE(edit->isReadOnly());
  EXPECT_EQ(edit->text(), "255");
  EXPECT_FALSE(sheet->ShowProperTiesList->viewport()->findChildren<QToolButton*>().isEmpty());
  EXPECT_EQ(PixelAt(QPoint(cell.left() + 8, cell.center().y())), QColor(255, 0, 0));
}

TEST_F(SheetTest, SwatchFollowsTheValue) {
  sheet->InsertRow("背景颜色", std::to_string(0xFF0000));  // blue in 0x00BBGGRR
  sheet->SetEditStyle(0, TEditStyle::Ellipsis);
  sheet->SetReadOnly(0, true);
  sheet->show();
  QApplication::processEvents();
  const QRect cell = ValueCell(0);
  EXPECT_EQ(PixelAt(QPoint(cell.left() + 8, cell.center().y())), QColor(0, 0, 255));
  sheet->SetValue("背景颜色", std::to_string(0x00FF00));
  QApplication::processEvents();
  EXPECT_EQ(PixelAt(QPoint(cell.left() + 8, cell.center().y())), QColor(0, 255, 0));
}

TEST_F(SheetTest, OtherRowsHaveNoSwatch) {
  sheet->InsertRow("X1", "255");
  sheet->show();
  QApplication::processEvents();
  const QRect cell = ValueCell(0);
  EXPECT_NE(PixelAt(QPoint(cell.left() + 8, cell.center().y())), QColor(255, 0, 0));
}

TEST_F(SheetTest, ReadOnlyPickListOffersOnlyItsItems) {
  sheet->InsertRow("是否填充", "是");
  sheet->SetEditStyle(0, TEditStyle::PickList);
  sheet->SetPickList(0, {"是", "否"});
  sheet->SetReadOnly(0, true);
  sheet->show();
  auto* combo = OpenEditor<QComboBox>(0);
  ASSERT_NE(combo, nullptr);
  EXPECT_FALSE(combo->isEditable());
  ASSERT_EQ(combo->count(), 2);
  EXPECT_EQ(combo->itemText(0), "是");
  EXPECT_EQ(combo->currentText(), "是");
  combo->setCurrentIndex(1);
  EXPECT_EQ(sheet->Value("是否填充"), "否");
}

TEST_F(SheetTest, ReadOnlyPickListShowsAValueOutsideTheList) {
  sheet->InsertRow("所有工具线的宽度", "7");
  sheet->SetEditStyle(0, TEditStyle::PickList);
  sheet->SetPickList(0, {"1", "2", "3"});
  sheet->SetReadOnly(0, true);
  sheet->show();
  auto* combo = OpenEditor<QComboBox>(0);
  ASSERT_NE(combo, nullptr);
  EXPECT_EQ(combo->currentText(), "7");
  EXPECT_EQ(sheet->Value("所有工具线的宽度"), "7");  // opening changes nothing
}

TEST_F(SheetTest, EditablePickListAcceptsTypedText) {
  sheet->InsertRow("发出光线的宽度", "2");
  sheet->SetEditStyle(0, TEditStyle::PickList);
  sheet->SetPickList(0, {"1", "2", "3"});
  sheet->show();
  auto* combo = OpenEditor<QComboBox>(0);
  ASSERT_NE(combo, nullptr);
  EXPECT_TRUE(combo->isEditable());
  combo->setEditText("5");
  EXPECT_EQ(sheet->Value("发出光线的宽度"), "5");
}

TEST_F(SheetTest, ColourDialogStartsFromTheRowAndWritesDecimal) {
  sheet->InsertRow("填充颜色", std::to_string(0x0080FF));
  QColor started;
  WhenModal([&] {
    started = sheet->ColorDialog->currentColor();
    sheet->ColorDialog->setCurrentColor(QColor(1, 2, 3));
    sheet->ColorDialog->accept();
  });
  sheet->EditButtonClick(0);
  EXPECT_EQ(started, QColor(0xFF, 0x80, 0x00));
  EXPECT_EQ(sheet->Value("填充颜色"), std::to_string(0x030201));
}

TEST_F(SheetTest, CancelledColourDialogKeepsTheValue) {
  sheet->InsertRow("颜色", "123");
  WhenModal([&] { sheet->ColorDialog->reject(); });
  sheet->EditButtonClick(0);
  EXPECT_EQ(sheet->Value("颜色"), "123");
}

TEST_F(SheetTest, EllipsisButtonRunsTheDialogAndShowsTheEditorAgain) {
  sheet->InsertRow("X1", "0");
  sheet->InsertRow("颜色", "0");
  sheet->SetEditStyle(0, TEditStyle::Ellipsis);
  sheet->SetReadOnly(0, true);
  sheet->show();
  ASSERT_NE(OpenEditor<QLineEdit>(0), nullptr);
  auto buttons = sheet->ShowProperTiesList->viewport()->findChildren<QToolButton*>();
  ASSERT_EQ(buttons.size(), 1);
  buttons.first()->click();
  bool ran = false;
  WhenModal([&] {
    ran = true;
    sheet->ColorDialog->setCurrentColor(QColor(0, 0, 255));
    sheet->ColorDialog->accept();
  });
  for (int i = 0; i < 50 && !ran; ++i) QApplication::processEvents();
  ASSERT_TRUE(ran);
  QApplication::processEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(sheet->Value("颜色"), std::to_string(0xFF0000));
  EXPECT_EQ(sheet->ShowProperTiesList->currentRow(), 0);
  QLineEdit* edit = nullptr;
  QWidget* viewport = sheet->ShowProperTiesList->viewport();
  for (QLineEdit* e : viewport->findChildren<QLineEdit*>())
    if (e->isVisibleTo(viewport)) edit = e;
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->text().toStdString(), std::to_string(0xFF0000));
}

TEST_F(SheetTest, ClosingAnEditorNeverWritesAnOldValueBack) {
  sheet->InsertRow("X1", "0");
  sheet->InsertRow("颜色", "0");
  sheet->SetEditStyle(0, TEditStyle::Ellipsis);
  sheet->SetReadOnly(0, true);
  sheet->show();
  auto* edit = OpenEditor<QLineEdit>(0);
  ASSERT_NE(edit, nullptr);
  sheet->SetValue("颜色", "255");  // as the colour dialog does
  EXPECT_EQ(edit->text(), "255");
  sheet->ShowProperTiesList->setCurrentCell(1, 1);  // leaving the cell commits the editor
  QApplication::processEvents();
  EXPECT_EQ(sheet->Value("颜色"), "255");
}

TEST_F(SheetTest, TypingKeepsTheCursorWhereItIs) {
  sheet->InsertRow("X1", "12");
  sheet->show();
  auto* edit = OpenEditor<QLineEdit>(0);
  ASSERT_NE(edit, nullptr);
  edit->setCursorPosition(1);
  edit->insert("3");  // "132", cursor after the 3
  EXPECT_EQ(sheet->Value("X1"), "132");
  EXPECT_EQ(edit->cursorPosition(), 2);
}

TEST_F(SheetTest, PictureRowUsesTheImageFilter) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString file = QDir(dir.path()).filePath("a.bmp");
  QImage(4, 4, QImage::Format_RGB32).save(file, "BMP");
  sheet->InsertRow("图片路径", "无图片");
  WhenModal([&] {
    sheet->OpenDialog->setDirectory(dir.path());
    sheet->OpenDialog->selectFile(file);
    static_cast<QDialog*>(sheet->OpenDialog)->accept();
  });
  sheet->EditButtonClick(0);
  EXPECT_EQ(QFileInfo(QString::fromStdString(sheet->Value("图片路径"))), QFileInfo(file));
  ASSERT_EQ(sheet->OpenDialog->nameFilters().size(), 1);
  EXPECT_EQ(sheet->OpenDialog->nameFilters().first(), "图片文件 (*.bmp *.jpg *.jpeg)");
}

TEST_F(SheetTest, CancelledPictureDialogKeepsTheValue) {
  sheet->InsertRow("图片路径", "图片数据");
  WhenModal([&] { sheet->OpenDialog->reject(); });
  sheet->EditButtonClick(0);
  EXPECT_EQ(sheet->Value("图片路径"), "图片数据");
}

TEST_F(SheetTest, FontRowKeepsItsValueAndTheChosenFont) {
  sheet->InsertRow("设置字体", "大小:10;颜色:0;..........");
  TSheetFont start;
  start.name = "Serif";
  start.size = 12;
  start.color = 0x008080;
  sheet->SetDialogFont(start);
  int startedSize = 0;
  QColor startedColour;
  QString colourTitle;
  WhenModal([&] {
    startedSize = sheet->FontDialog->currentFont().pointSize();
    QFont chosen = sheet->FontDialog->currentFont();
    chosen.setPointSize(20);
    chosen.setItalic(true);
    sheet->FontDialog->setCurrentFont(chosen);
    WhenModal([&] {  // then the font colour
      startedColour = sheet->ColorDialog->currentColor();
      colourTitle = sheet->ColorDialog->windowTitle();
      sheet->ColorDialog->setCurrentColor(QColor(0, 0, 255));
      sheet->ColorDialog->accept();
    });
    sheet->FontDialog->accept();
  });
  sheet->EditButtonClick(0);
  EXPECT_EQ(startedSize, 12);
  EXPECT_EQ(startedColour, QColor(0x80, 0x80, 0));
  EXPECT_EQ(colourTitle, "文字颜色");  // the text's colour, not a bare "select colour"
  EXPECT_EQ(sheet->Value("设置字体"), "大小:10;颜色:0;..........");
  const TSheetFont font = sheet->DialogFont();
  EXPECT_EQ(font.size, 20);
  EXPECT_TRUE(font.italic);
  EXPECT_EQ(font.color, 0xFF0000u);
  // The font persists to the next showing.
  sheet->ClearRows();
  EXPECT_EQ(sheet->DialogFont(), font);
}

TEST_F(SheetTest, CancelledFontDialogChangesNothing) {
  sheet->InsertRow("设置字体", "x");
  TSheetFont start;
  start.size = 14;
  sheet->SetDialogFont(start);
  WhenModal([&] { sheet->FontDialog->reject(); });
  sheet->EditButtonClick(0);
  EXPECT_EQ(sheet->DialogFont(), start);
}

TEST_F(SheetTest, TextEditorResultIsTrimmed) {
  sheet->InsertRow("编辑字符串", "old");
  std::string shown;
  WhenModal([&] {
    shown = sheet->StringEditFrm->StringEdit->toPlainText().toStdString();
    sheet->StringEditFrm->StringEdit->setPlainText("  two\nlines \n");
    sheet->StringEditFrm->Button1->click();
  });
  sheet->EditButtonClick(0);
  EXPECT_EQ(shown, "old");
  EXPECT_EQ(sheet->Value("编辑字符串"), "two\nlines");
}

TEST_F(SheetTest, CancellingTheTextEditorKeepsTheRow) {
  sheet->InsertRow("物体名称", "FlatMirror1");
  WhenModal([&] {
    sheet->StringEditFrm->StringEdit->setPlainText("edited");
    sheet->StringEditFrm->Button2->click();
  });
  sheet->EditButtonClick(0);
  EXPECT_EQ(sheet->Value("物体名称"), "FlatMirror1");
}

TEST_F(SheetTest, RowsWithoutAClassIgnoreTheEllipsis) {
  sheet->InsertRow("X1", "5");
  sheet->EditButtonClick(0);  // no dialog: would block otherwise
  sheet->EditButtonClick(3);  // no such row
  EXPECT_EQ(sheet->Value("X1"), "5");
}

TEST_F(SheetTest, NoKeyboardProgramMeansNothingStarts) {
  const QByteArray path = qgetenv("PATH");
  qputenv("PATH", "/nonexistent");
  EXPECT_FALSE(StartOnScreenKeyboard());
  Settings().softKeyboard = true;
  sheet->FormShow();  // must not fail without the program
  qputenv("PATH", path);
}

TEST_F(SheetTest, ColourConversionKeepsWindowsByteOrder) {
  EXPECT_EQ(ToQColor(0x0000FF), QColor(255, 0, 0));
  EXPECT_EQ(ToQColor(0x00FF00), QColor(0, 255, 0));
  EXPECT_EQ(ToQColor(0xFF0000), QColor(0, 0, 255));
  EXPECT_EQ(FromQColor(QColor(0x12, 0x34, 0x56)), 0x563412u);
  EXPECT_EQ(FromQColor(ToQColor(0xCACACA)), 0xCACACAu);
  EXPECT_EQ(ToQColor(0x01FFFFFF), QColor(255, 255, 255));  // high byte ignored
}

TEST_F(SheetTest, RunPropertySheetBindsApplyToOk) {
  int applied = 0;
  WhenModal([&] { sheet->BitBtn1->click(); });
  const int result = RunPropertySheet(
      *sheet, [&] { return sheet->ShowModal(); }, [&] { return ++applied > 0; });
  EXPECT_EQ(result, 1);
  EXPECT_EQ(applied, 1);
  // The handler does not outlive the showing.
  WhenModal([&] { sheet->BitBtn1->click(); });
  EXPECT_EQ(sheet->ShowModal(), 1);
  EXPECT_EQ(applied, 1);
}

TEST_F(SheetTest, RunPropertySheetWithAFakeAppliesAfterConfirming) {
  FakePropertySheet fake;
  int applied = 0;
  auto apply = [&] {
    ++applied;
    return true;
  };
  fake.modalResult = 2;
  EXPECT_EQ(RunPropertySheet(
                fake, [&] { return fake.ShowModal(); }, apply),
            2);
  EXPECT_EQ(applied, 0);
  fake.modalResult = 1;
  EXPECT_EQ(RunPropertySheet(
                fake, [&] { return fake.ShowModal(); }, apply),
            1);
  EXPECT_EQ(applied, 1);
  EXPECT_EQ(RunPropertySheet(
                fake, [&] { return fake.ShowModal(); }, [] { return false; }),
            2);
}

// Without a pointer: F4 in a colour, picture or font row opens its dialog.
TEST_F(SheetTest, F4InTheRowOpensItsDialog) {
  sheet->InsertRow("填充颜色", "123");
  sheet->show();
  auto* editor = OpenEditor<QLineEdit>(0);
  ASSERT_NE(editor, nullptr);
  bool opened = false;
  WhenModal([&] {
    opened = true;
    sheet->ColorDialog->reject();
  });
  editor->setFocus();
  QTest::keyClick(editor, Qt::Key_F4);
  for (int i = 0; i < 200 && !opened; ++i) QTest::qWait(10);
  EXPECT_TRUE(opened);
}
