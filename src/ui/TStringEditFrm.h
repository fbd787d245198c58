#pragma once
// The multi-line text editor that the property sheet opens for text rows.

#include <QDialog>
#include <memory>
#include <string>

#include "i18n/TtlmController.h"

class QPlainTextEdit;
class QPushButton;

class TStringEditFrm : public QDialog {
  Q_OBJECT

 public:
  explicit TStringEditFrm(QWidget* parent = nullptr);
  ~TStringEditFrm() override;

  // Stores the text and shows it in the editor.
  void SetText(const std::string& text);
  // The editor's text, trimmed.
  std::string Text() const;
  // The stored text: what "确定" took over; anything else keeps the old one.
  const std::string& StoredText() const { return text_; }

  QPlainTextEdit* StringEdit = nullptr;
  QPushButton* Button1 = nullptr;  // "确定"
  QPushButton* Button2 = nullptr;  // "取消"

 public slots:
  void Button1Click();
  void Button2Click();
  void reject() override;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  TtlmController tlmController_{"TStringEditFrm"};
  std::string text_;
};
