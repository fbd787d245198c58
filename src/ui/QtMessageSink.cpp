#include "ui/QtMessageSink.h"

#include <QApplication>
#include <QMessageBox>

#include "i18n/TtlmController.h"

void QtMessageSink::ShowMessage(const std::string& text) {
  // The application's title; not Qt's display name, which the window
  // system would append to every window title.
  QMessageBox::information(parent_, QString::fromStdString(Tr("187", "Veltrano Suite")),
                           QString::fromStdString(text));
}

bool QtMessageSink::AskYesNo(const std::string& caption, const std::string& text) {
  return QMessageBox::question(parent_, QString::fromStdString(caption),
                               QString::fromStdString(text), QMessageBox::Yes | QMessageBox::No,
                               QMessageBox::Yes) == QMessageBox::Yes;
}
