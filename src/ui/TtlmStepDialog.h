#pragma once
// The generator's step-by-step dialog: shows each new entry of the language
// file being written (section, key, default text) and lets the translator
// take the edited text, write the default, or stop asking.

#include <QDialog>
#include <string>

#include "i18n/TtlmController.h"

class QLabel;
class QLineEdit;
class QPushButton;
class TtlmIniGenerator;

class TtlmStepDialog : public QDialog {
  Q_OBJECT

 public:
  enum class Outcome { Accepted, Stopped, Cancelled };

  explicit TtlmStepDialog(QWidget* parent = nullptr);
  ~TtlmStepDialog() override;

  // Shows the entry; `text` comes back edited only when accepted.
  Outcome Ask(const std::string& section, const std::string& key, std::string& text);

  QLabel* SectionLabel = nullptr;
  QLabel* KeyLabel = nullptr;
  QLineEdit* TextEdit = nullptr;
  QPushButton* OkButton = nullptr;      // "确定": write the edited text
  QPushButton* StopButton = nullptr;    // "停止逐条": write the rest unchanged
  QPushButton* CancelButton = nullptr;  // "取消": write the default

 private:
  void Finish(Outcome outcome);

  TtlmController tlmController_{"TtlmStepDialog"};
  Outcome outcome_ = Outcome::Cancelled;
};

// Makes `generator` ask through a TtlmStepDialog for each new entry while its
// StepByStep is on. The dialog's own texts are looked up meanwhile; those
// lookups are written without asking. The dialog lives as long as the
// generator's callback.
void UseStepDialog(TtlmIniGenerator& generator);
