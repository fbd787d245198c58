// The property sheet in a real window under a window manager: clicks and keys
// come from the display server (xdotool), so activation and focus come as a
// teacher's desktop gives them.
#include <QAbstractItemView>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGuiApplication>
#include <QImage>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>
#include <utility>

#include "TestEnvironment.h"
#include "app/TDrawSurface.h"
#include "app/TLumidorNetworkFrm.h"
#include "scene/IMessageSink.h"
#include "ui/FileDialogLayout.h"
#include "ui/TShowPropertiesFrm.h"
#include "ui/UiTestApp.h"

namespace {

void Xdotool(const QStringList& arguments) {
  ASSERT_EQ(QProcess::execute("xdotool", arguments), 0) << arguments.join(' ').toStdString();
}
void ClickAt(QPoint global, int clicks = 1) {
  Xdotool({"mousemove", "--sync", QString::number(global.x()), QString::number(global.y())});
  Xdotool({"click", "--repeat", QString::number(clicks), "--delay", "80", "1"});
}

class SheetWindow : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    UiTestApp();
    if (QGuiApplication::platformName() != "xcb")
      GTEST_SKIP() << "needs a display server (run under xvfb-run with QT_QPA_PLATFORM=xcb)";
    Settings().messages = &messages;
    TLumidorNetworkFrm::Options options;
    options.splash = false;
    window = std::make_unique<TLumidorNetworkFrm>(options);
    sheet = std::make_unique<TShowPropertiesFrm>(window.get());  // as the program has it
    Settings().sheet = sheet.get();
    window->setGeometry(0, 0, 1000, 700);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  }
  void TearDown() override {
    sheet.reset();
    window.reset();
    EngineTest::TearDown();
  }
  void Place(const char* tool, QPoint from, QPoint to) {
    window->Button(tool)->click();
    window->SurfaceMouseDown(Qt::LeftButton, from.x(), from.y());
    window->SurfaceMouseMove(Qt::LeftButton, to.x(), to.y());
    window->SurfaceMouseUp(Qt::LeftButton, to.x(), to.y());
  }
  // Runs `open`, and `inside` once `shown` is on the screen: from a timer,
  // since the modal loop that shows it returns only once it is closed.
  static void WhenShown(QWidget* shown, const std::function<void()>& open,
                        const std::function<void()>& inside) {
    QTimer poll;
    poll.setInterval(20);
    bool ran = false;
    QObject::connect(&poll, &QTimer::timeout, &poll, [&] {
      if (!shown->isVisible() || ran) return;
      ran = true;
      poll.stop();
      inside();
    });
    poll.start();
    open();
    ASSERT_TRUE(QTest::qWaitFor([&] { return ran && !shown->isVisible(); }, 30000));
  }
  // Double-clicks the object at `at` (surface pixels) and runs `inside` in its sheet.
  void InSheetOf(QPoint at, const std::function<void()>& inside) {
    WhenShown(
        sheet.get(), [&] { ClickAt(window->Surface()->mapToGlobal(at), 2); },
        [&] {
          ASSERT_TRUE(QTest::qWaitForWindowActive(sheet.get()));
          // The window manager may still move the sheet into place (its frame
          // comes late on a busy display): aim only once it stays put.
          QPoint at = sheet->mapToGlobal(QPoint());
          (void)QTest::qWaitFor(
              [&] {
                QTest::qWait(100);
                const QPoint now = sheet->mapToGlobal(QPoint());
                return std::exchange(at, now) == now;
              },
              3000);
          inside();
        });
  }
  int RowOf(const std::string& key) {
    for (int row = 0; row < sheet->RowCount(); ++row)
      if (sheet->KeyAt(row) == key) return row;
    ADD_FAILURE() << "no row " << key;
    return 0;
  }
  QPoint ValueCell(const std::string& key) {
    QTableWidget* list = sheet->ShowProperTiesList;
    return list->viewport()->mapToGlobal(
        list->visualRect(list->model()->index(RowOf(key), 1)).center());
  }
  // Clicks into the value of `key`; the keys typed next go to its editor.
  void ClickInto(const std::string& key, QPoint offset = {}) {
    ClickAt(ValueCell(key) + offset);
    QTableWidget* list = sheet->ShowProperTiesList;
    const bool editing = QTest::qWaitFor(
        [&] {
          auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget());
          return edit && list->isAncestorOf(edit) && list->currentRow() == RowOf(key);
        },
        5000);
    EXPECT_TRUE(editing) << "the click meant for " << key << " made row " << list->currentRow()
                         << " current, the focus on "
                         << (QApplication::focusWidget()
                                 ? QApplication::focusWidget()->metaObject()->className()
                                 : "nothing");
  }
  // Types `keys` and waits until the row `key` has changed.
  std::string Type(const char* keys, const std::string& key) {
    const std::string before = sheet->Value(key);
    Xdotool({"type", keys});
    (void)QTest::qWaitFor([&] { return sheet->Value(key) != before; }, 5000);
    return sheet->Value(key);
  }

  CollectingMessageSink messages;
  std::unique_ptr<TLumidorNetworkFrm> window;
  std::unique_ptr<TShowPropertiesFrm> sheet;
};

class FirstClickIntoAValue : public SheetWindow,
                             public ::testing::WithParamInterface<const char*> {};

// The first click into a value selects it (the top row's editor is open with
// the sheet, the others open with the click); the next one places the cursor.
TEST_P(FirstClickIntoAValue, SelectsItAndTheNextClickPlacesTheCursor) {
  Place("SpeedButton24", {200, 200}, {300, 200});
  std::string typed, appended;
  InSheetOf({250, 200}, [&] {
    ClickInto(GetParam());
    typed = Type("7", GetParam());
    ClickInto(GetParam(), QPoint(60, 0));  // past the end of the text
    appended = Type("5", GetParam());
    sheet->CancelBtn->click();
  });
  EXPECT_EQ(typed, "7");
  EXPECT_EQ(appended, "75");
}

INSTANTIATE_TEST_SUITE_P(Rows, FirstClickIntoAValue, ::testing::Values("X1", "Y1", "X2"));

}  // namespace
