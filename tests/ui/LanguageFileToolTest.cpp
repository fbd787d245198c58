// The generator's step-by-step dialog and the translators' file generation:
// the dialog's three answers decide what is written, and a generated file
// opens as a language file with its texts in "<" ">".

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "UiTest.h"
#include "app/LanguageFileTool.h"
#include "i18n/TInifileEx.h"
#include "i18n/TtlmController.h"
#include "i18n/TtlmIniGenerator.h"
#include "ui/TtlmStepDialog.h"

namespace {

using Outcome = TtlmStepDialog::Outcome;

TtlmStepDialog* OpenStepDialog() {
  return qobject_cast<TtlmStepDialog*>(QApplication::activeModalWidget());
}

class LanguageFileToolTest : public UiTest {
 protected:
  void TearDown() override {
    TtlmSystem::Instance().DeactivateFilter();
    UiTest::TearDown();
  }
  std::string Path(const char* name) { return folder.filePath(name).toStdString(); }
  QTemporaryDir folder;
};

class StepOutcomeTest : public LanguageFileToolTest,
                        public ::testing::WithParamInterface<Outcome> {};

TEST_P(StepOutcomeTest, TheAnswerDecidesTheEntryAndWhetherTheNextIsAsked) {
  const Outcome outcome = GetParam();
  auto generator = MakeLanguageFileGenerator({Path("step.trk"), true, "Test"});
  generator->SetActive(true);
  const TtlmController texts("TStepWindow");
  QString shownSection, shownKey, shownText;
  WhenModal([&] {
    TtlmStepDialog* dialog = OpenStepDialog();
    ASSERT_NE(dialog, nullptr);
    shownSection = dialog->SectionLabel->text();
    shownKey = dialog->KeyLabel->text();
    shownText = dialog->TextEdit->text();
    dialog->TextEdit->clear();
    QTest::keyClicks(dialog->TextEdit, " Edited ");
    QPushButton* button = outcome == Outcome::Accepted  ? dialog->OkButton
                          : outcome == Outcome::Stopped ? dialog->StopButton
                                                        : dialog->CancelButton;
    QTest::mouseClick(button, Qt::LeftButton);
  });
  const std::string first = texts.Translate("7", "默认文字");
  EXPECT_EQ(shownSection, "TStepWindow");
  EXPECT_EQ(shownKey, "7");
  EXPECT_EQ(shownText, QString::fromUtf8("默认文字"));
  const std::string expected = outcome == Outcome::Accepted ? " Edited " : "默认文字";
  EXPECT_EQ(first, expected);

  bool askedAgain = false;
  WhenModal([&] {
    if (TtlmStepDialog* dialog = OpenStepDialog()) {
      askedAgain = true;
      dialog->CancelButton->click();
    }
  });
  EXPECT_EQ(texts.Translate("8", "第二条"), "第二条");
  QCoreApplication::processEvents();
  EXPECT_EQ(askedAgain, outcome != Outcome::Stopped);
  EXPECT_EQ(generator->StepByStep, outcome != Outcome::Stopped);

  ASSERT_TRUE(generator->Save());
  TInifileEx file(Path("step.trk"));
  EXPECT_EQ(file.ReadString("TStepWindow", "7", ""), "<" + expected + ">");
  EXPECT_EQ(file.ReadString("TStepWindow", "8", ""), "<第二条>");
  // The dialog's own texts were written without being asked about.
  EXPECT_EQ(file.ReadString("TtlmStepDialog", "StopButton.Caption", ""), "<停止逐条>");
}

INSTANTIATE_TEST_SUITE_P(Answers, StepOutcomeTest,
                         ::testing::Values(Outcome::Accepted, Outcome::Stopped,
                                           Outcome::Cancelled));

TEST_F(LanguageFileToolTest, TheGeneratedFileOpensAsALanguageFileWithBracketsStripped) {
  // Stops the step-by-step mode at the first entry; counts any later dialog.
  int dialogs = 0;
  QTimer answer;
  QObject::connect(&answer, &QTimer::timeout, [&] {
    if (TtlmStepDialog* dialog = OpenStepDialog())
      (++dialogs == 1 ? dialog->StopButton : dialog->CancelButton)->click();
  });
  answer.start(0);
  const auto request =
      LanguageFileRequestFrom({"veltrano-optics", "--generate-language",
                               folder.filePath("Lumidor.abc"), "--step", "--language", "Testish"});
  ASSERT_TRUE(request);
  EXPECT_TRUE(request->step);
  ASSERT_EQ(GenerateLanguageFile(*request), 0);
  answer.stop();
  EXPECT_EQ(dialogs, 1);
  EXPECT_EQ(TtlmSystem::Instance().Filter(), nullptr);

  for (bool bracket : {true, false}) {
    auto filter = std::make_shared<TtlmIniFilter>("TLumidorNetworkFrm");
    filter->LanguagePath = folder.path().toStdString();
    filter->CustomLanguageFiles = true;
    filter->LanguageFiles = {"Lumidor.abc"};
    filter->SaveSettings = false;
    filter->AddBracket = bracket;
    filter->LoadLanguages();
    ASSERT_EQ(filter->LanguageNames(), std::vector<std::string>{"Testish"});
    filter->SetActiveLanguage(0);
    ASSERT_EQ(filter->ActiveLanguage(), 0);
    EXPECT_EQ(filter->Translate("TLumidorNetworkFrm", "187"),
              bracket ? "Veltrano Suite" : "<Veltrano Suite>");
    // Every window's texts, the step dialog's own included.
    for (const char* section : {"TShowPropertiesFrm", "TForm43", "TAboutBox", "TtlmStepDialog"})
      EXPECT_TRUE(filter->Translate(section, "self.Caption")) << section;
  }
}

TEST_F(LanguageFileToolTest, AFileThatCannotBeWrittenFails) {
  EXPECT_FALSE(LanguageFileRequestFrom({"veltrano-optics", "mirror.exo"}));
  const auto noFile = LanguageFileRequestFrom({"veltrano-optics", "--generate-language"});
  ASSERT_TRUE(noFile);
  EXPECT_EQ(GenerateLanguageFile(*noFile), 1);
  EXPECT_EQ(GenerateLanguageFile({folder.filePath("missing/x.abc").toStdString()}), 1);
}

}  // namespace
