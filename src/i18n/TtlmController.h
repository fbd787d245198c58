#pragma once
// Per-window text lookup: every caption, key and message passes through
// Translate(id, default) so that a language filter can replace it.

#include <functional>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

class TtlmController {
 public:
  // section = the window's class name, e.g. "TLumidorNetworkFrm"; an empty
  // one throws std::logic_error (a controller needs its window).
  explicit TtlmController(std::string section);
  ~TtlmController();
  TtlmController(const TtlmController&) = delete;
  TtlmController& operator=(const TtlmController&) = delete;

  const std::string& Section() const { return section_; }

  std::string Translate(const std::string& id, const std::string& defaultText) const;
  // The found text is used as a printf-like format ("%s", "%d"); a format that
  // does not fit the arguments gives the unformatted text.
  std::string Translate(const std::string& id, const std::string& defaultText,
                        const std::vector<std::string>& arguments) const;

  // The Chinese default last asked for with this key (a window's own texts
  // are translated again from these when the language changes).
  std::optional<std::string> RecordedDefault(const std::string& key) const;

  // Called by TtlmSystem when the language changes (only when Active):
  // OnBeforeLanguageChange, OnLanguageChange (the window re-translates
  // itself), OnAfterLanguageChange.
  void ChangeLanguage();

  bool Active = true;
  std::vector<std::string> StringProperties{"Caption", "Hint"};
  std::vector<std::string> StringsProperties{"Items"};
  std::vector<std::string> IgnoreControls;
  std::string Version = "0.16";
  std::function<void()> OnBeforeLanguageChange;
  std::function<void()> OnLanguageChange;
  std::function<void()> OnAfterLanguageChange;

 private:
  std::string section_;
  mutable std::unordered_map<std::string, std::string> defaults_;
};

// The controller of the main window, through which the engine's objects and
// messages look up their texts.
TtlmController& MainController();

// Shorthand for MainController().Translate(id, defaultText).
std::string Tr(const std::string& id, const std::string& defaultText);
