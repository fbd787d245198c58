// The English file covers every text the program looks up: every window is
// built and every object shows its rows, draws, and refuses bad values while
// a generator that keeps the defined entries records each lookup it cannot
// answer. A text added to the code only needs its entry in the file.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QToolButton>
#include <algorithm>

#include "MainWindowFixture.h"
#include "app/TAboutBox.h"
#include "app/TForm43.h"
#include "gfx/QImageCanvas.h"
#include "i18n/TtlmIniGenerator.h"
#include "scene/PageSettingsRows.h"
#include "scene/PropertyRowClass.h"
#include "ui/TShowPropertiesFrm.h"

namespace {

class LanguageCoverageTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    const QString copy = folder.filePath("LumidorPro.trk");
    ASSERT_TRUE(QFile::copy(QString(EXO_LANGUAGE_DIR) + "/LumidorPro.trk", copy));
    generator = std::make_shared<TtlmIniGenerator>("TLumidorNetworkFrm");
    generator->OpenTarget(copy.toStdString(), "English");
    generator->SetActive(true);
  }
  void TearDown() override {
    TtlmSystem::Instance().DeactivateFilter();
    UiTest::TearDown();
  }
  // Every row key of every object with the editor its name gives it.
  std::vector<std::pair<std::string, TRowClass>> RowClasses(TCanvas* canvas) {
    const TtlmController sheetTexts("TShowPropertiesFrm");
    std::vector<std::pair<std::string, TRowClass>> out;
    for (const std::string& name : KnownClassNames()) {
      auto object = CreateObjectByClassName(name, canvas);
      object->ShowProperties();
      for (const auto& row : ui->sheet.rows)
        out.emplace_back(row.key, ClassifyPropertyKey(row.key, sheetTexts));
    }
    return out;
  }
  QTemporaryDir folder;
  std::shared_ptr<TtlmIniGenerator> generator;
};

TEST_F(LanguageCoverageTest, EveryTextTheProgramLooksUpHasAnEnglishEntry) {
  {
    TLumidorNetworkFrm::Options options;
    options.splash = false;
    options.surfaceSize = QSize(300, 200);
    TLumidorNetworkFrm w(options);
    w.FormShow();
    TShowPropertiesFrm sheet(&w);
    TForm43 board(&w, w.Surface(), [] {});
    TAboutBox splash(&w, true), about(&w, false);
    TtlmSystem::Instance().ChangeLanguage();
    FillPageSettingsRows(w.Doc(), ui->sheet);
    RowClasses(w.Surface()->Canvas());
    TCanvas* canvas = w.Surface()->Canvas();
    for (const std::string& name : KnownClassNames()) {
      auto shown = CreateObjectByClassName(name, canvas);
      shown->Draw(2);  // the first paint only clears the placing flag
      shown->Draw(2);
      shown->ShowProperties();
      std::vector<std::string> keys;
      for (const auto& row : ui->sheet.rows) keys.push_back(row.key);
      // Each row alone with values that are not numbers, too small or too large.
      for (const std::string& key : keys)
        for (const char* bad : {"abc", "-1000", "0.5", "1000000"}) {
          auto object = CreateObjectByClassName(name, canvas);
          ui->sheet.typed = {{key, bad}};
          object->ShowProperties();
          object->ApplyProperties();
        }
      ui->sheet.typed.clear();
    }
  }
  std::string missing;
  for (const auto& [section, key] : generator->Written())
    missing += "[" + section + "] " + key + " = " + *generator->Translate(section, key) + "\n";
  EXPECT_TRUE(missing.empty()) << "entries missing from lang/LumidorPro.trk:\n" << missing;
  EXPECT_GT(ui->messages.messages.size(), 50u);  // the messages were really asked for
}

TEST_F(LanguageCoverageTest, EnglishRowKeysKeepTheirEditors) {
  QImage image(300, 200, QImage::Format_RGB32);
  QImageCanvas canvas(&image);
  const auto english = RowClasses(&canvas);
  TtlmSystem::Instance().DeactivateFilter();
  const auto chinese = RowClasses(&canvas);
  ASSERT_EQ(english.size(), chinese.size());
  for (std::size_t i = 0; i < english.size(); ++i) {
    const bool ascii = std::all_of(chinese[i].first.begin(), chinese[i].first.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (!ascii) {
      EXPECT_NE(english[i].first, chinese[i].first);
    }
    EXPECT_EQ(english[i].second, chinese[i].second) << english[i].first << " / " << chinese[i].first;
  }
}

}  // namespace
