#include "cli/ToolLanguage.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QtGlobal>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "i18n/TtlmIniFilter.h"

namespace {

bool StartsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

void QuietHandler(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (type == QtFatalMsg) std::fprintf(stderr, "exo-tool: %s\n", qPrintable(text));
}

}  // namespace

std::optional<bool> EnglishByName(const std::string& name) {
  if (name == "en" || StartsWith(name, "en_") || StartsWith(name, "en-")) return true;
  if (name == "zh" || StartsWith(name, "zh_") || StartsWith(name, "zh-")) return false;
  return std::nullopt;
}

bool LocaleWantsEnglish() {
  const char* language = std::getenv("LANGUAGE");
  if (language && *language) return StartsWith(language, "en");
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(name);
    if (value && *value) return StartsWith(value, "en");
  }
  return false;
}

std::optional<std::string> LanguageOption(const std::vector<std::string>& arguments,
                                          bool& missing) {
  missing = false;
  std::optional<std::string> found;
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    const std::string& a = arguments[i];
    if (a == "--") break;
    if (a == "--lang") {
      if (i + 1 >= arguments.size()) {
        missing = true;
        break;
      }
      found = arguments[++i];
    } else if (StartsWith(a, "--lang=")) {
      found = a.substr(7);
    }
  }
  return found;
}

void UseInterfaceLanguage(bool english) {
  static std::shared_ptr<TtlmIniFilter> filter;
  static std::unique_ptr<QTranslator> qtChinese;
  if (english) {
    filter = MakeMainLanguageFilter();
    filter->SaveSettings = false;  // a script's choice is not the user's
    filter->LoadLanguages();
    if (filter->ActiveLanguage() >= 0) filter->SetActive(true);
    // The system's reasons ("No such file or directory") in English too.
    std::setlocale(LC_MESSAGES, "C");
    return;
  }
  // Qt's parser texts ("Unknown option") in Chinese where Qt's translations
  // are installed; English otherwise.
  qtChinese = std::make_unique<QTranslator>();
  if (qtChinese->load("qtbase_zh_CN", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QCoreApplication::installTranslator(qtChinese.get());
  else
    qtChinese.reset();
}

void SilenceQtMessages() { qInstallMessageHandler(QuietHandler); }
