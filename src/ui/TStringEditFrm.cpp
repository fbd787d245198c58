#include "ui/TStringEditFrm.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QResizeEvent>

#include "i18n/Convert.h"
#include "ui/ButtonBar.h"
#include "ui/WindowTranslator.h"

TStringEditFrm::TStringEditFrm(QWidget* parent) : QDialog(parent) {
  setObjectName("TStringEditFrm");
  setWindowTitle(QString::fromStdString(tlmController_.Translate("self.Caption", "文字编辑器")));
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint);

  StringEdit = new QPlainTextEdit(this);
  StringEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  StringEdit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  // Lines stay as typed; the horizontal bar scrolls long ones.
  StringEdit->setLineWrapMode(QPlainTextEdit::NoWrap);

  Button1 = new QPushButton(
      QString::fromStdString(tlmController_.Translate("Button1.Caption", "确定")), this);
  Button2 = new QPushButton(
      QString::fromStdString(tlmController_.Translate("Button2.Caption", "取消")), this);
  StringEdit->setObjectName("StringEdit");
  Button1->setObjectName("Button1");
  Button2->setObjectName("Button2");
  Button1->setDefault(false);
  Button1->setAutoDefault(false);
  Button2->setAutoDefault(false);
  connect(Button1, &QPushButton::clicked, this, &TStringEditFrm::Button1Click);
  connect(Button2, &QPushButton::clicked, this, &TStringEditFrm::Button2Click);

  resize(328, 248);
  AttachTranslator(this, tlmController_);
}

TStringEditFrm::~TStringEditFrm() = default;

void TStringEditFrm::SetText(const std::string& text) {
  text_ = text;
  StringEdit->setPlainText(QString::fromStdString(text));
}

std::string TStringEditFrm::Text() const { return Trim(StringEdit->toPlainText().toStdString()); }

void TStringEditFrm::Button1Click() {
  text_ = StringEdit->toPlainText().toStdString();
  accept();
}

void TStringEditFrm::Button2Click() { reject(); }

void TStringEditFrm::reject() {
  // "取消", Esc and the close box all keep the text as it was.
  StringEdit->setPlainText(QString::fromStdString(text_));
  QDialog::reject();
}

void TStringEditFrm::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  LayOutButtonBar(*this, *StringEdit, *Button1, *Button2, 20);
}
