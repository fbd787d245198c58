#pragma once
// The manual in a window of the program's own, for desktops where no web
// browser opens HTML: the same pages, their pictures and their links.

#include <QUrl>
#include <QWidget>

#include "i18n/TtlmController.h"

class QTextBrowser;

class HelpViewer : public QWidget {
  Q_OBJECT

 public:
  // A window of its own, owned by `owner` (not null).
  explicit HelpViewer(QWidget* owner);

  // Shows `page` and brings the window up.
  void ShowPage(const QUrl& page);
  QTextBrowser* Browser() const { return browser_; }

  // The viewer of `owner` (not null), made on first use.
  static HelpViewer* Of(QWidget* owner);

 private:
  TtlmController tlmController_{"HelpViewer"};
  QTextBrowser* browser_ = nullptr;
};
