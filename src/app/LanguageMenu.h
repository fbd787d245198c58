#pragma once
// The interface language: the main window's language filter (the English
// file "LumidorPro.trk" beside the program, stored inactive), the "语言"
// menu under "视图" with 中文 and each language file found, and Qt's own
// dialog texts. A choice takes effect at once in every window and is
// remembered for the next start. Until a choice is remembered the
// interface follows the desktop's language when the window is given one:
// English unless it is Chinese (or the plain "C" locale, which names none).

#include <QLocale>
#include <QObject>
#include <memory>
#include <optional>
#include <string>

#include "i18n/TtlmIniFilter.h"

class QAction;
class QActionGroup;
class QMainWindow;
class QMenu;
class QTranslator;

class LanguageMenu : public QObject {
  Q_OBJECT

 public:
  static constexpr const char* kLanguageFile = kMainLanguageFile;
  static constexpr const char* kLanguageExt = kMainLanguageExt;
  // Remembered for the program's own Chinese texts.
  static constexpr const char* kChineseExt = ".CHS";

  // Builds the filter and the menu, attaches the window's translation and
  // restores the remembered choice (or follows `desktop`).
  LanguageMenu(QMainWindow* window, QMenu* viewMenu, const std::optional<QLocale>& desktop = {});
  ~LanguageMenu() override;

  QMenu* Menu() const { return menu_; }
  QAction* ChineseAction() const { return chinese_; }
  // The item of loaded language `index`, null when there is none.
  QAction* LanguageAction(int index) const;
  const TtlmIniFilter& Filter() const { return *filter_; }

  // 中文: the filter goes inactive and every window shows its Chinese texts.
  void ChooseChinese();
  // A loaded language; a file that cannot be opened leaves Chinese.
  void ChooseLanguage(int index);
  bool QtChineseLoaded() const { return qtChinese_ != nullptr; }

 private:
  void AfterChange();
  void UseQtChinese(bool chinese);

  QMainWindow* window_;
  QMenu* menu_ = nullptr;
  QActionGroup* group_ = nullptr;
  QAction* chinese_ = nullptr;
  std::shared_ptr<TtlmIniFilter> filter_;
  std::unique_ptr<QTranslator> qtChinese_;
  std::unique_ptr<QTranslator> qtChineseGaps_;
};

// The English edition is in use: the active filter reads a ".trk" file.
bool EnglishEdition();
// A desktop in this locale gets the English interface on a first start.
bool DesktopWantsEnglish(const QLocale& desktop);

// The language menu of the main window, under its "ViewMenu".
LanguageMenu* InstallLanguageMenu(QMainWindow* window, const std::optional<QLocale>& desktop = {});
