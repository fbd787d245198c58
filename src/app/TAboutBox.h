#pragma once
// The about box. As a splash it has no border, is sized to its picture and
// closes itself after 3000 ms; as the ordinary about box a click on the
// picture closes it.

#include <QDialog>

#include "i18n/TtlmController.h"

class QLabel;
class QTimer;

class TAboutBox : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kSplashMilliseconds = 3000;

  TAboutBox(QWidget* parent, bool splash);
  QTimer* SplashTimer() const { return timer_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  TtlmController tlmController_{"TAboutBox"};
  bool splash_;
  QLabel* picture_ = nullptr;
  QTimer* timer_ = nullptr;
};
