#include "app/TAboutBox.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include "app/Glyphs.h"
#include "i18n/SharedTexts.h"
#include "i18n/TtlmController.h"
#include "ui/QtText.h"
#include "ui/WindowTranslator.h"

namespace {}  // namespace

TAboutBox::TAboutBox(QWidget* parent, bool splash) : QDialog(parent), splash_(splash) {
  setObjectName("TAboutBox");
  setModal(true);
  setWindowTitle(Q(tlmController_.Translate("self.Caption", "关于Veltrano Suite")));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  picture_ = new QLabel(this);
  picture_->setObjectName("AboutPicture");
  picture_->setPixmap(MakeAboutPicture(
      Q(Tr(texts::kSuiteName)) + " " + Q(tlmController_.Translate("Title.Caption", "光学")),
      Q(tlmController_.Translate("Edition.Caption", "V5.0 课堂互动光学实验室"))));
  layout->addWidget(picture_);
  if (splash_) {
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    timer_ = new QTimer(this);
    timer_->setSingleShot(true);
    timer_->setInterval(kSplashMilliseconds);
    connect(timer_, &QTimer::timeout, this, &QDialog::accept);
    timer_->start();
  } else {
    picture_->installEventFilter(this);
    picture_->setCursor(Qt::PointingHandCursor);
  }
  layout->setSizeConstraint(QLayout::SetFixedSize);
  AttachTranslator(this, tlmController_);
  if (splash_) {
    // In the middle of the screen the main window is on, not of the window,
    // which may not have been maximised yet.
    adjustSize();
    const QScreen* shown = parent ? parent->screen() : QGuiApplication::primaryScreen();
    if (shown) move(shown->availableGeometry().center() - QPoint(width() / 2, height() / 2));
  }
}

bool TAboutBox::eventFilter(QObject* watched, QEvent* event) {
  if (watched == picture_ && event->type() == QEvent::MouseButtonPress && !splash_) {
    accept();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}
