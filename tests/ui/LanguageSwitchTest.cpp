#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QLabel>
#include <QLibraryInfo>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <map>

#include "MainWindowFixture.h"
#include "app/LanguageMenu.h"
#include "app/TForm43.h"
#include "gfx/PresentationScale.h"
#include "i18n/TtlmIniFilter.h"
#include "scene/PageSettingsRows.h"
#include "ui/TShowPropertiesFrm.h"
#include "ui/TStringEditFrm.h"
#include "ui/WindowTranslator.h"

namespace {

// The windows of the program, with the language file in the program's folder.
class LanguageSwitchTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    UseFolder(EXO_LANGUAGE_DIR);
  }
  void TearDown() override {
    board.reset();
    sheet.reset();
    w.reset();
    TtlmIniFilter::RememberExtension("");
    SetApplicationFile("");
    UiTest::TearDown();
  }
  static void WriteFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
  }
  void UseFolder(const QString& folder) {
    SetApplicationFile(QDir(folder).filePath("exo_ui_tests").toStdString());
  }
  void Open(std::optional<QLocale> desktop = {}) {
    board.reset();
    sheet.reset();
    w.reset();
    TLumidorNetworkFrm::Options options;
    options.desktopLocale = desktop;
    options.splash = false;
    options.surfaceSize = QSize(200, 150);
    w = std::make_unique<TLumidorNetworkFrm>(options);
    w->FormShow();
    sheet = std::make_unique<TShowPropertiesFrm>(w.get());
    board = std::make_unique<TForm43>(w.get(), w->Surface(), [] {});
    menu = w->findChild<LanguageMenu*>();
    ASSERT_NE(menu, nullptr);
  }
  // Texts of every kind of component in every window.
  std::map<std::string, QString> Texts() {
    auto* tabs = sheet->PageControl1;
    return {{"title", w->windowTitle()},
            {"button", w->Button("SpeedButton8")->text()},
            {"hint", w->Button("SpeedButton8")->toolTip()},
            {"palette", w->Button("SpeedButton29")->toolTip()},
            {"action", w->Action("N4")->text()},
            {"popup", w->Action("PopupProperties")->text()},
            {"menu", w->findChild<QMenu*>("FileMenu")->title()},
            {"language", menu->Menu()->title()},
            {"sheet", sheet->windowTitle()},
            {"tab", tabs->tabText(0)},
            {"ok", sheet->BitBtn1->text()},
            {"editor", sheet->StringEditFrm->windowTitle()},
            {"cancel", sheet->StringEditFrm->Button2->text()},
            {"board", board->windowTitle()},
            {"item", board->PenWidthList->itemText(3)},
            {"label", board->EraserSizeLabel->text()}};
  }
  std::unique_ptr<TLumidorNetworkFrm> w;
  std::unique_ptr<TShowPropertiesFrm> sheet;
  std::unique_ptr<TForm43> board;
  LanguageMenu* menu = nullptr;
};

// The step shown in the status bar switches with the rest.
TEST_F(LanguageSwitchTest, TheStepInTheStatusBarSwitches) {
  Open();
  w->findChild<QAction*>("StepStartMenu")->trigger();
  auto* panel = w->findChild<QLabel*>("StepPanel");
  EXPECT_EQ(panel->text(), "第 0 步 / 共 0 步");  // an empty page
  menu->LanguageAction(0)->trigger();
  EXPECT_EQ(panel->text(), "Step 0 of 0");
}

// Until a language is chosen the interface follows the desktop: English
// unless it is Chinese or the "C" locale. A remembered choice wins, and
// following is not choosing.
TEST_F(LanguageSwitchTest, AFirstStartFollowsTheDesktopLanguage) {
  struct Case {
    QLocale desktop;
    const char* remembered;
    bool english;
  };
  for (const Case& c : {Case{QLocale("en_GB"), "", true}, Case{QLocale("de_DE"), "", true},
                        Case{QLocale("zh_CN"), "", false}, Case{QLocale::c(), "", false},
                        Case{QLocale("en_US"), LanguageMenu::kChineseExt, false},
                        Case{QLocale("zh_TW"), ".trk", true}}) {
    SCOPED_TRACE(c.desktop.name().toStdString() + " " + c.remembered);
    TtlmIniFilter::RememberExtension(c.remembered);
    Open(c.desktop);
    EXPECT_EQ(EnglishEdition(), c.english);
    EXPECT_EQ(w->Button("runbtn")->text(), c.english ? "Run" : "运行");
    EXPECT_EQ(TtlmIniFilter::RememberedExtension(), c.remembered);
  }
}

// The lab-wide defaults of the README (data/lab-defaults, placed under
// /etc/xdg): English and a presentation scale of 2x for every user who has
// not chosen otherwise.
TEST_F(LanguageSwitchTest, LabDefaultsUnderTheSystemFolderHold) {
  QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope, EXO_LAB_DEFAULTS_DIR);
  SetApplicationFile(QDir(EXO_LANGUAGE_DIR).filePath("veltrano-optics").toStdString());
  QSettings("Fenwark Workshop", "LangManager").remove("veltrano-optics");
  Open(QLocale("zh_CN"));
  EXPECT_TRUE(EnglishEdition());
  EXPECT_DOUBLE_EQ(PresentationScale(), 2.0);
  SetPresentationScale(1.0);
  QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope, "/etc/xdg");
}

TEST_F(LanguageSwitchTest, EveryOpenWindowSwitchesAtOnceAndComesBackExactly) {
  Open();
  const auto chinese = Texts();
  EXPECT_EQ(chinese.at("title"), "QorvanVeltrano Suite 光学 V5.0");
  ASSERT_NE(menu->LanguageAction(0), nullptr);
  EXPECT_EQ(menu->LanguageAction(0)->text(), "English");
  menu->LanguageAction(0)->trigger();
  const auto english = Texts();
  // No display name for the window system to append to every title.
  EXPECT_EQ(QGuiApplication::applicationDisplayName(), QCoreApplication::applicationName());
  for (const auto& [what, text] : chinese) EXPECT_NE(english.at(what), text) << what;
  EXPECT_EQ(english.at("title"), "QorvanVeltrano Suite Optics V5.0");
  EXPECT_EQ(english.at("item") + english.at("cancel"), "Thick 3Cancel");
  EXPECT_THROW(AttachTranslator(sheet.get(), MainController()), std::logic_error);
  EXPECT_TRUE(menu->LanguageAction(0)->isChecked());
  QToolButton* properties = w->Button("CutBtn");  // "Properties" needs a wider button
  EXPECT_GE(properties->width(), properties->sizeHint().width());
  EXPECT_GT(properties->width(), 38);
  EXPECT_FALSE(menu->QtChineseLoaded());
  EXPECT_EQ(TtlmIniFilter::RememberedExtension(), ".trk");
  EXPECT_TRUE(EnglishEdition());

  // The rows follow, and the sheet still finds its colour rows by name.
  FillPageSettingsRows(w->Doc(), *sheet);
  EXPECT_EQ(sheet->KeyAt(0), "Colour of normals");
  EXPECT_EQ(sheet->RowClassAt(0), TRowClass::Colour);
  EXPECT_EQ(sheet->PickListAt(3), (std::vector<std::string>{"Yes", "No"}));

  menu->ChineseAction()->trigger();
  EXPECT_EQ(Texts(), chinese);
  EXPECT_EQ(QGuiApplication::applicationDisplayName(), QCoreApplication::applicationName());
  EXPECT_EQ(properties->width(), 38);
  EXPECT_FALSE(EnglishEdition());
  EXPECT_EQ(TtlmIniFilter::RememberedExtension(), LanguageMenu::kChineseExt);
  const bool qtChinese =
      QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_zh_CN.qm");
  EXPECT_EQ(menu->QtChineseLoaded(), qtChinese);

  TtlmIniFilter::RememberExtension(".trk");  // the next start comes back in English
  Open();
  EXPECT_EQ(w->Button("runbtn")->text() + sheet->CancelBtn->text(), "RunCancel");
  EXPECT_TRUE(menu->LanguageAction(0)->isChecked());
}

TEST_F(LanguageSwitchTest, AMissingOrBrokenFileLeavesTheChineseTexts) {
  QTemporaryDir folder;
  const QString file = folder.filePath(LanguageMenu::kLanguageFile);
  for (const QByteArray& content : {QByteArray(), QByteArray("\0\xff[Gen\n=\n==", 11)}) {
    if (!content.isEmpty()) WriteFile(file, content);
    UseFolder(folder.path());
    TtlmIniFilter::RememberExtension(".trk");
    Open();
    EXPECT_EQ(menu->LanguageAction(0), nullptr);
    EXPECT_EQ(w->Button("SpeedButton8")->text(), "新建");
  }
  // Found at start, gone when chosen.
  ASSERT_TRUE(QFile::remove(file));
  ASSERT_TRUE(QFile::copy(QString(EXO_LANGUAGE_DIR) + "/" + LanguageMenu::kLanguageFile, file));
  TtlmIniFilter::RememberExtension("");
  Open();
  ASSERT_TRUE(QFile::remove(file));
  menu->LanguageAction(0)->trigger();
  EXPECT_TRUE(menu->ChineseAction()->isChecked());
  EXPECT_EQ(TtlmSystem::Instance().Filter(), nullptr);
  EXPECT_EQ(Texts().at("ok"), "确定");
}

TEST_F(LanguageSwitchTest, TheLanguageFontAppliesAndIgnoredControlsKeepTheirTexts) {
  QTemporaryDir folder;
  UseFolder(folder.path());
  for (const char* size : {"oops", "15"}) {
    WriteFile(folder.filePath(LanguageMenu::kLanguageFile),
              QByteArray("[General]\nFontName=Serif\nFontSize=") + size +
                  "\n[TLumidorNetworkFrm]\nSpeedButton8.Caption=N8\nSpeedButton9.Caption=N9\n");
    Open();
    const QFont before = w->font();
    MainController().IgnoreControls = {"SpeedButton9"};
    menu->LanguageAction(0)->trigger();
    MainController().IgnoreControls.clear();
    EXPECT_EQ(menu->LanguageAction(0)->text(), "<Unknown Language>");
    EXPECT_EQ(w->font().family(), "Serif");
    EXPECT_EQ(w->font().pointSize(), size[0] == '1' ? 15 : before.pointSize());  // "oops" keeps it
    EXPECT_EQ(w->Button("SpeedButton8")->text(), "N8");
    EXPECT_EQ(w->Button("SpeedButton9")->text(), "打开");
    menu->ChineseAction()->trigger();
    EXPECT_EQ(w->font(), before);
  }
}

}  // namespace

// The file dialogs' type column speaks the language of the interface.
TEST_F(LanguageSwitchTest, FileTypesAreNamedInTheInterfaceLanguage) {
  if (!QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_zh_CN.qm"))
    GTEST_SKIP() << "Qt's Chinese texts are not installed";
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  WriteFile(QDir(dir.path()).filePath("notes.txt"), "text");
  auto types = [&] {
    const QFileIconProvider provider;
    return provider.type(QFileInfo(dir.path())) + "|" +
           provider.type(QFileInfo(QDir(dir.path()).filePath("notes.txt")));
  };
  Open();
  menu->LanguageAction(0)->trigger();
  EXPECT_TRUE(types().startsWith("Folder|"));
  menu->ChineseAction()->trigger();
  EXPECT_EQ(types(), QString::fromUtf8("文件夹|纯文本文档"));
}
