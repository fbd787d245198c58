#include "ui/QtMessageSink.h"

#include <QApplication>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>

#include "i18n/SharedTexts.h"
#include "i18n/TtlmController.h"

namespace {

// Room the window system's title bar takes besides the title: icon, buttons
// and margins.
constexpr int kTitleBarRoom = 120;

// A box sized only to a short text is narrower than its title bar needs and
// the title ends in "...": it is made at least as wide as its title.
int Run(QMessageBox& box) {
  QFont bold = box.font();
  bold.setBold(true);
  const int titleWidth = QFontMetrics(bold).horizontalAdvance(box.windowTitle()) + kTitleBarRoom;
  // The message box sets its own size from its layout; a spacer is what it keeps.
  if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
    grid->addItem(new QSpacerItem(titleWidth, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                  grid->rowCount(), 0, 1, grid->columnCount());
  return box.exec();
}

}  // namespace

void QtMessageSink::ShowMessage(const std::string& text) {
  // The application's title; not Qt's display name, which the window
  // system would append to every window title.
  QMessageBox box(QMessageBox::Information, QString::fromStdString(Tr(texts::kSuiteName)),
                  QString::fromStdString(text), QMessageBox::Ok, parent_);
  Run(box);
}

bool QtMessageSink::AskYesNo(const std::string& caption, const std::string& text) {
  QMessageBox box(QMessageBox::Question, QString::fromStdString(caption),
                  QString::fromStdString(text), QMessageBox::Yes | QMessageBox::No, parent_);
  box.setDefaultButton(QMessageBox::Yes);
  return Run(box) == QMessageBox::Yes;
}
