#pragma once
// Writes a language file for translators: while it is the active filter,
// every lookup that finds no entry (or every lookup, unless KeepDefined)
// writes its default text as the entry, in "<" ">" with AddBracket so that
// leading and trailing blanks survive.

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "i18n/TtlmIniFilter.h"

class TtlmIniGenerator : public TtlmIniFilter {
 public:
  explicit TtlmIniGenerator(std::string owner) : TtlmIniFilter(std::move(owner)) {}

  // Only lookups without an entry write one.
  bool KeepDefined = true;
  // Each new entry goes through StepDialog first, which may edit the text;
  // it returns false to end the step-by-step mode (the entry is still written).
  bool StepByStep = false;
  std::function<bool(const std::string& section, const std::string& key, std::string& text)>
      StepDialog;

  // Opens (or starts) the file written to as language 0; a file without a
  // general section gets one naming `language`.
  void OpenTarget(const std::string& path, const std::string& language);
  // Writes the file; false when it could not be written.
  bool Save();

  // Entries written since OpenTarget, as (section, key), in writing order.
  const std::vector<std::pair<std::string, std::string>>& Written() const { return written_; }

  std::optional<std::string> Lookup(const std::string& section, const std::string& key,
                                    const std::string& defaultText) override;

 private:
  std::vector<std::pair<std::string, std::string>> written_;
};
