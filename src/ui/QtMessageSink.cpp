#include "ui/QtMessageSink.h"

#include <QApplication>
#include <QMessageBox>

void QtMessageSink::ShowMessage(const std::string& text) {
  QMessageBox::information(parent_, QApplication::applicationDisplayName(),
                           QString::fromStdString(text));
}

bool QtMessageSink::AskYesNo(const std::string& caption, const std::string& text) {
  return QMessageBox::question(parent_, QString::fromStdString(caption),
                               QString::fromStdString(text), QMessageBox::Yes | QMessageBox::No,
                               QMessageBox::Yes) == QMessageBox::Yes;
}
