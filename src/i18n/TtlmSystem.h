#pragma once
// Process-wide translation system: knows every controller and at most one
// active language filter.

#include <memory>
#include <optional>
#include <string>
#include <vector>

class TtlmController;

// The general information of a language file; empty texts are not given.
struct TtlmLanguageInfo {
  std::string language;
  std::string charset;
  std::string fontName;
  std::string fontSize;
};

class ILanguageFilter {
 public:
  virtual ~ILanguageFilter() = default;
  // Empty optional when the filter has no entry.
  virtual std::optional<std::string> Translate(const std::string& section,
                                               const std::string& key) const = 0;
  // What the controllers ask: the default lets a generator write the
  // entries it does not find.
  virtual std::optional<std::string> Lookup(const std::string& section, const std::string& key,
                                            const std::string& /*defaultText*/) {
    return Translate(section, key);
  }
  virtual int ActiveLanguage() const = 0;  // -1 for none
  virtual TtlmLanguageInfo GeneralInfo() const { return {}; }
  // Extension of the active language file (".trk"), empty for none.
  virtual std::string ActiveExtension() const { return {}; }
};

class TtlmSystem {
 public:
  static TtlmSystem& Instance();

  void Register(TtlmController* controller);
  void Unregister(TtlmController* controller);

  // Throws std::logic_error when another filter is already active.
  void ActivateFilter(std::shared_ptr<ILanguageFilter> filter);
  void DeactivateFilter();
  const ILanguageFilter* Filter() const { return filter_.get(); }
  ILanguageFilter* Filter() { return filter_.get(); }

  // Tells every registered controller to change language, unless the active
  // filter has no active language. Without a filter the windows go back to
  // their own texts.
  void ChangeLanguage();

 private:
  std::vector<TtlmController*> controllers_;
  std::shared_ptr<ILanguageFilter> filter_;
};
