#include "app/HelpViewer.h"

#include <QAction>
#include <QScreen>
#include <QStyle>
#include <QTextBrowser>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>

#include "i18n/SharedTexts.h"
#include "i18n/TtlmController.h"
#include "ui/QtText.h"
#include "ui/WindowTranslator.h"

HelpViewer::HelpViewer(QWidget* owner) : QWidget(owner, Qt::Window) {
  setObjectName("HelpViewer");
  setAttribute(Qt::WA_DeleteOnClose, false);  // kept for the next F1
  auto text = [this](const char* key, const char* chinese) {
    return Q(tlmController_.Translate(key, chinese));
  };
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  auto* bar = new QToolBar(this);
  bar->setObjectName("HelpBar");
  bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  layout->addWidget(bar);
  browser_ = new QTextBrowser(this);
  browser_->setObjectName("HelpBrowser");
  // Pages of the manual stay here; addresses on the web go to the desktop.
  browser_->setOpenExternalLinks(true);
  layout->addWidget(browser_, 1);

  QAction* back =
      bar->addAction(style()->standardIcon(QStyle::SP_ArrowBack), text("HelpBack.Caption", "后退"));
  back->setObjectName("HelpBack");
  back->setShortcut(QKeySequence::Back);
  QAction* forward = bar->addAction(style()->standardIcon(QStyle::SP_ArrowForward),
                                    text("HelpForward.Caption", "前进"));
  forward->setObjectName("HelpForward");
  forward->setShortcut(QKeySequence::Forward);
  QAction* home = bar->addAction(style()->standardIcon(QStyle::SP_DirHomeIcon),
                                 text("HelpHome.Caption", "目录"));
  home->setObjectName("HelpHome");
  back->setEnabled(false);
  forward->setEnabled(false);
  connect(back, &QAction::triggered, browser_, &QTextBrowser::backward);
  connect(forward, &QAction::triggered, browser_, &QTextBrowser::forward);
  connect(home, &QAction::triggered, browser_, &QTextBrowser::home);
  connect(browser_, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
  connect(browser_, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
  // Titled by the page, as a browser would.
  connect(browser_, &QTextBrowser::sourceChanged, this, [this] {
    const QString title = browser_->documentTitle();
    if (!title.isEmpty()) setWindowTitle(title);
  });

  setWindowTitle(Q(Tr(texts::kSuiteName)));
  const QScreen* at = owner->screen();
  const QSize room = at ? at->availableGeometry().size() : QSize(1024, 768);
  resize(std::min(900, room.width() * 9 / 10), std::min(700, room.height() * 9 / 10));
  AttachTranslator(this, tlmController_);
}

void HelpViewer::ShowPage(const QUrl& page) {
  if (browser_->source() != page) {
    browser_->clearHistory();
    browser_->setSource(page);
  }
  show();
  raise();
  activateWindow();
}

HelpViewer* HelpViewer::Of(QWidget* owner) {
  if (auto* viewer = owner->findChild<HelpViewer*>(QString(), Qt::FindDirectChildrenOnly))
    return viewer;
  return new HelpViewer(owner);  // owned by `owner`
}
