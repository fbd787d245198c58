#pragma once
// The language filter: finds the language files beside the program, opens
// one and answers the text lookups from it. Its Active flag makes it the
// process's filter in TtlmSystem; setting a language tells every window.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "i18n/TInifileEx.h"
#include "i18n/TtlmSystem.h"

// The program's file: the data folder of its folder (DataFolderOf) is
// "{$APPHOME}", its name (without folder) names the remembered choice.
// Empty: the running program's.
void SetApplicationFile(const std::string& path);
std::string ApplicationFile();

class TtlmIniFilter : public ILanguageFilter, public std::enable_shared_from_this<TtlmIniFilter> {
 public:
  static constexpr const char* kAppHome = "{$APPHOME}";
  static constexpr const char* kUnknownLanguage = "<Unknown Language>";

  // `owner` is the owning window's class name; empty throws std::logic_error.
  explicit TtlmIniFilter(std::string owner);
  ~TtlmIniFilter() override;

  std::string LanguagePath = kAppHome;
  bool CustomLanguageFiles = false;
  std::vector<std::string> LanguageFiles;
  bool CustomLanguageExt = false;
  std::string LanguageExt;
  bool SaveSettings = true;
  // Values read lose one leading "<" together with one trailing ">".
  bool AddBracket = false;

  // Makes this the process's filter (throws when another one is active) or
  // takes it down. The filter must be owned by a shared_ptr to be activated.
  void SetActive(bool active);
  bool Active() const;

  // Discovers the language files and opens the starting language. Nothing
  // is remembered and no window is told: that is the user's choice's job.
  void LoadLanguages();
  // Closes the open file and opens the one at `index`; on success the index
  // becomes active (remembered with SaveSettings), otherwise -1. Then, if
  // this filter is active, every window changes language (not for -1).
  void SetActiveLanguage(int index);

  const std::vector<std::string>& LoadedFiles() const { return loadedFiles_; }
  // The "Language" of each loaded file, in the same order.
  const std::vector<std::string>& LanguageNames() const { return languageNames_; }
  // The extension the starting language is chosen by (with its dot).
  std::string StartingExtension() const;

  // The extension remembered for this program, empty when none.
  static std::string RememberedExtension();
  static void RememberExtension(const std::string& extension);

  // ILanguageFilter
  std::optional<std::string> Translate(const std::string& section,
                                       const std::string& key) const override;
  int ActiveLanguage() const override { return activeLanguage_; }
  TtlmLanguageInfo GeneralInfo() const override;
  std::string ActiveExtension() const override;

  // A value as read: with AddBracket, "<text>" gives "text".
  std::string StripBracket(std::string value) const;

 protected:
  // The open language file, null when none.
  TInifileEx* File() const { return file_.get(); }
  void OpenFile(std::unique_ptr<TInifileEx> file, int index);

 private:
  std::string ResolvedFolder() const;

  std::string owner_;
  std::vector<std::string> loadedFiles_;
  std::vector<std::string> languageNames_;
  std::unique_ptr<TInifileEx> file_;
  int activeLanguage_ = -1;
};

// The main window's filter, as the window and exo-tool use it: the English
// file "LumidorPro.trk" beside the program, its texts in "<" ">", not yet
// loaded nor active.
inline constexpr const char* kMainLanguageFile = "LumidorPro.trk";
inline constexpr const char* kMainLanguageExt = ".trk";
std::shared_ptr<TtlmIniFilter> MakeMainLanguageFilter();

// Extension of a file name with its dot (".trk"), empty for none.
std::string FileExtension(const std::string& fileName);
