#include "app/LanguageMenu.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QMainWindow>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>
#include <QTranslator>
#include <algorithm>
#include <utility>

#include "app/QtChineseGaps.h"
#include "app/TeachingControls.h"
#include "i18n/TtlmController.h"
#include "i18n/TtlmIniFilter.h"
#include "i18n/TtlmSystem.h"
#include "ui/QtText.h"
#include "ui/WindowTranslator.h"

namespace {

bool SameExtension(const std::string& a, const std::string& b) {
  return !a.empty() && Q(a).compare(Q(b), Qt::CaseInsensitive) == 0;
}

}  // namespace

LanguageMenu::LanguageMenu(QMainWindow* window, QMenu* viewMenu,
                           const std::optional<QLocale>& desktop)
    : QObject(window), window_(window) {
  setObjectName("LanguageMenuManager");
  filter_ = MakeMainLanguageFilter();
  const std::string remembered = TtlmIniFilter::RememberedExtension();
  filter_->LoadLanguages();

  menu_ = new QMenu(Q(Tr("LanguageMenu.Caption", "语言")), viewMenu);
  menu_->setObjectName("LanguageMenu");
  viewMenu->addMenu(menu_);
  group_ = new QActionGroup(menu_);
  group_->setExclusive(true);
  chinese_ = new QAction(QString::fromUtf8("中文"), group_);
  chinese_->setObjectName("LanguageChinese");
  chinese_->setCheckable(true);
  chinese_->setChecked(true);
  menu_->addAction(chinese_);
  connect(chinese_, &QAction::triggered, this, &LanguageMenu::ChooseChinese);
  const auto& names = filter_->LanguageNames();
  for (int i = 0; i < static_cast<int>(names.size()); ++i) {
    auto* item = new QAction(Q(names[static_cast<std::size_t>(i)]), group_);
    item->setObjectName(QString("Language%1").arg(i));
    item->setData(i);
    item->setCheckable(true);
    menu_->addAction(item);
    connect(item, &QAction::triggered, this, [this, i] { ChooseLanguage(i); });
  }

  AttachTranslator(window_, MainController());
  MainController().OnAfterLanguageChange = [this] { AfterChange(); };

  int start = -1;
  for (std::size_t i = 0; i < filter_->LoadedFiles().size(); ++i)
    if (start < 0 && SameExtension(FileExtension(filter_->LoadedFiles()[i]), remembered))
      start = static_cast<int>(i);
  // Following the desktop is not a choice: nothing is remembered.
  const bool follow = remembered.empty() && desktop && DesktopWantsEnglish(*desktop) &&
                      !filter_->LoadedFiles().empty();
  if (start < 0 && follow) start = 0;
  if (start >= 0 && !TtlmSystem::Instance().Filter()) {
    const bool save = std::exchange(filter_->SaveSettings, filter_->SaveSettings && !follow);
    ChooseLanguage(start);
    filter_->SaveSettings = save;
  } else {
    UseQtChinese(!TtlmSystem::Instance().Filter());
  }
}

bool DesktopWantsEnglish(const QLocale& desktop) {
  const QLocale::Language language = desktop.language();
  return language != QLocale::Chinese && language != QLocale::C && language != QLocale::AnyLanguage;
}

LanguageMenu::~LanguageMenu() {
  MainController().OnAfterLanguageChange = nullptr;
  filter_->SetActive(false);
  UseQtChinese(false);
}

QAction* LanguageMenu::LanguageAction(int index) const {
  for (QAction* action : group_->actions())
    if (action != chinese_ && action->data().toInt() == index) return action;
  return nullptr;
}

void LanguageMenu::ChooseChinese() {
  filter_->SetActive(false);
  if (filter_->SaveSettings) TtlmIniFilter::RememberExtension(kChineseExt);
  TtlmSystem::Instance().ChangeLanguage();
  chinese_->setChecked(true);
  UseQtChinese(true);
}

void LanguageMenu::ChooseLanguage(int index) {
  // Another filter (a generator) owns the lookups meanwhile: throws.
  filter_->SetActive(true);
  filter_->SetActiveLanguage(index);
  if (filter_->ActiveLanguage() < 0) {
    // Missing or spoilt since it was found: the Chinese texts stay.
    filter_->SetActive(false);
    TtlmSystem::Instance().ChangeLanguage();
    chinese_->setChecked(true);
    UseQtChinese(true);
    return;
  }
  if (QAction* item = LanguageAction(index)) item->setChecked(true);
  UseQtChinese(false);
}

void LanguageMenu::AfterChange() {
  // No application display name is set: the window system would append it to
  // every title. Message boxes take the program's title themselves.
  // Tool bar buttons keep their width in Chinese; longer captions widen them.
  const bool translated = TtlmSystem::Instance().Filter() != nullptr;
  for (QToolBar* bar : window_->findChildren<QToolBar*>()) {
    for (QToolButton* button : bar->findChildren<QToolButton*>()) {
      if (button->objectName().isEmpty() || button->text().isEmpty()) continue;
      QVariant own = button->property("tlmOwnWidth");
      if (!own.isValid()) {
        own = button->width();
        button->setProperty("tlmOwnWidth", own);
      }
      const int width = own.toInt();
      button->setFixedWidth(translated ? std::max(width, button->sizeHint().width()) : width);
    }
  }
  // The step in the status bar is a formatted text: written anew.
  if (auto* teaching = window_->findChild<TeachingControls*>()) teaching->Refreshed();
}

void LanguageMenu::UseQtChinese(bool chinese) {
  if (chinese == (qtChinese_ != nullptr)) return;
  if (!chinese) {
    QCoreApplication::removeTranslator(qtChinese_.get());
    QCoreApplication::removeTranslator(qtChineseGaps_.get());
    qtChinese_.reset();
    qtChineseGaps_.reset();
    QLocale::setDefault(QLocale::system());
    return;
  }
  auto translator = std::make_unique<QTranslator>();
  // Without Qt's translations installed its dialogs stay English.
  if (!translator->load("qtbase_zh_CN", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) return;
  // The file dialogs name file types in the default locale's language.
  QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
  qtChineseGaps_ = std::make_unique<QtChineseGaps>();
  QCoreApplication::installTranslator(qtChineseGaps_.get());
  QCoreApplication::installTranslator(translator.get());
  qtChinese_ = std::move(translator);
}

bool EnglishEdition() {
  const ILanguageFilter* filter = TtlmSystem::Instance().Filter();
  return filter && SameExtension(filter->ActiveExtension(), LanguageMenu::kLanguageExt);
}

LanguageMenu* InstallLanguageMenu(QMainWindow* window, const std::optional<QLocale>& desktop) {
  auto* view = window->findChild<QMenu*>("ViewMenu");
  return view ? new LanguageMenu(window, view, desktop) : nullptr;
}
