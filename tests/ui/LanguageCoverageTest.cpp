// The English file covers every text the program looks up: every window is
// built and every object shows its rows, draws, and refuses bad values while
// a generator that keeps the defined entries records each lookup it cannot
// answer. A text added to the code only needs its entry in the file.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <map>
#include <set>

#include "UiTest.h"
#include "app/TextTour.h"
#include "gfx/paint/QImageCanvas.h"
#include "i18n/TtlmIniGenerator.h"

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
  QTemporaryDir folder;
  std::shared_ptr<TtlmIniGenerator> generator;
};

TEST_F(LanguageCoverageTest, EveryTextTheProgramLooksUpHasAnEnglishEntry) {
  const TextTourResult tour = VisitEveryText();
  std::string missing;
  for (const auto& [section, key] : generator->Written())
    missing += "[" + section + "] " + key + " = " + *generator->Translate(section, key) + "\n";
  EXPECT_TRUE(missing.empty()) << "entries missing from lang/LumidorPro.trk:\n" << missing;
  EXPECT_GT(tour.messages, 50u);  // the messages were really asked for
  EXPECT_GT(tour.rows, 100u);
}

TEST_F(LanguageCoverageTest, EnglishRowKeysKeepTheirEditors) {
  QImage image(300, 200, QImage::Format_RGB32);
  QImageCanvas canvas(&image);
  const auto english = ObjectRowClasses(&canvas);
  TtlmSystem::Instance().DeactivateFilter();
  const auto chinese = ObjectRowClasses(&canvas);
  ASSERT_EQ(english.size(), chinese.size());
  for (std::size_t i = 0; i < english.size(); ++i) {
    const bool ascii = std::all_of(chinese[i].first.begin(), chinese[i].first.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (!ascii) {
      EXPECT_NE(english[i].first, chinese[i].first);
    }
    EXPECT_EQ(english[i].second, chinese[i].second)
        << english[i].first << " / " << chinese[i].first;
  }
}

// Every text id of a window stands for one text: a language file gives one
// text per id. Records the default each lookup comes with and answers none.
class DefaultTexts : public ILanguageFilter {
 public:
  std::map<std::pair<std::string, std::string>, std::set<std::string>> seen;
  std::optional<std::string> Translate(const std::string&, const std::string&) const override {
    return {};
  }
  std::optional<std::string> Lookup(const std::string& section, const std::string& key,
                                    const std::string& text) override {
    return seen[{section, key}].insert(text), std::nullopt;
  }
  int ActiveLanguage() const override { return 0; }
};

TEST_F(UiTest, NoTextIdStandsForTwoTexts) {
  auto texts = std::make_shared<DefaultTexts>();
  TtlmSystem::Instance().ActivateFilter(texts);
  VisitEveryText();
  TtlmSystem::Instance().DeactivateFilter();
  std::string shared;
  for (const auto& [id, defaults] : texts->seen)
    if (defaults.size() > 1)
      for (const std::string& text : defaults)
        shared += id.first + " " + id.second + ": " + text + "\n";
  EXPECT_TRUE(shared.empty()) << shared;
}

}  // namespace
