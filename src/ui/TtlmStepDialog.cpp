#include "ui/TtlmStepDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <memory>

#include "i18n/TtlmIniGenerator.h"
#include "ui/QtText.h"
#include "ui/WindowTranslator.h"

namespace {}  // namespace

TtlmStepDialog::TtlmStepDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("TtlmStepDialog");
  setWindowTitle(Q(tlmController_.Translate("self.Caption", "新的语言条目")));
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint);

  SectionLabel = new QLabel(this);
  KeyLabel = new QLabel(this);
  TextEdit = new QLineEdit(this);
  SectionLabel->setObjectName("SectionLabel");
  KeyLabel->setObjectName("KeyLabel");
  TextEdit->setObjectName("TextEdit");
  // Sections and keys are selectable so that a translator can copy them.
  SectionLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
  KeyLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
  TextEdit->setMinimumWidth(360);

  auto* captionSection = new QLabel(Q(tlmController_.Translate("Label1.Caption", "窗口:")), this);
  auto* captionKey = new QLabel(Q(tlmController_.Translate("Label2.Caption", "键:")), this);
  auto* captionText = new QLabel(Q(tlmController_.Translate("Label3.Caption", "文字:")), this);
  captionSection->setObjectName("Label1");
  captionKey->setObjectName("Label2");
  captionText->setObjectName("Label3");
  auto* form = new QFormLayout;
  form->addRow(captionSection, SectionLabel);
  form->addRow(captionKey, KeyLabel);
  form->addRow(captionText, TextEdit);

  auto* buttons = new QDialogButtonBox(this);
  OkButton = buttons->addButton(Q(tlmController_.Translate("OkButton.Caption", "确定")),
                                QDialogButtonBox::AcceptRole);
  StopButton = buttons->addButton(Q(tlmController_.Translate("StopButton.Caption", "停止逐条")),
                                  QDialogButtonBox::ActionRole);
  CancelButton = buttons->addButton(Q(tlmController_.Translate("CancelButton.Caption", "取消")),
                                    QDialogButtonBox::RejectRole);
  OkButton->setObjectName("OkButton");
  StopButton->setObjectName("StopButton");
  CancelButton->setObjectName("CancelButton");
  StopButton->setToolTip(
      Q(tlmController_.Translate("StopButton.Hint", "这一条和以后的条目都按原文写入, 不再询问")));
  OkButton->setDefault(true);
  connect(OkButton, &QPushButton::clicked, this, [this] { Finish(Outcome::Accepted); });
  connect(StopButton, &QPushButton::clicked, this, [this] { Finish(Outcome::Stopped); });
  connect(CancelButton, &QPushButton::clicked, this, [this] { Finish(Outcome::Cancelled); });

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);
  AttachTranslator(this, tlmController_);
}

TtlmStepDialog::~TtlmStepDialog() = default;

TtlmStepDialog::Outcome TtlmStepDialog::Ask(const std::string& section, const std::string& key,
                                            std::string& text) {
  SectionLabel->setText(Q(section));
  KeyLabel->setText(Q(key));
  TextEdit->setText(Q(text));
  TextEdit->selectAll();
  TextEdit->setFocus();
  // Closing the window or Esc counts as "取消".
  outcome_ = Outcome::Cancelled;
  exec();
  if (outcome_ == Outcome::Accepted) text = TextEdit->text().toStdString();
  return outcome_;
}

void TtlmStepDialog::Finish(Outcome outcome) {
  outcome_ = outcome;
  if (outcome == Outcome::Accepted)
    accept();
  else
    reject();
}

void UseStepDialog(TtlmIniGenerator& generator) {
  // Made on first use, so that its own lookups are written by then; shared by
  // the callback's copies.
  auto dialog = std::make_shared<std::unique_ptr<TtlmStepDialog>>();
  auto busy = std::make_shared<bool>(false);
  generator.StepDialog = [dialog, busy](const std::string& section, const std::string& key,
                                        std::string& text) {
    // The dialog's own texts pass through the generator, too.
    if (*busy) return true;
    *busy = true;
    if (!*dialog) *dialog = std::make_unique<TtlmStepDialog>();
    const auto outcome = (*dialog)->Ask(section, key, text);
    *busy = false;
    return outcome != TtlmStepDialog::Outcome::Stopped;
  };
}
