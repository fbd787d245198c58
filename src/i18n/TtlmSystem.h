#pragma once
// Process-wide translation system: knows every controller and at most one
// active language filter.

#include <memory>
#include <optional>
#include <string>
#include <vector>

class TtlmController;

class ILanguageFilter {
 public:
  virtual ~ILanguageFilter() = default;
  // Empty optional when the filter has no entry.
  virtual std::optional<std::string> Translate(const std::string& section,
                                               const std::string& key) const = 0;
  virtual int ActiveLanguage() const = 0;  // -1 for none
};

class TtlmSystem {
 public:
  static TtlmSystem& Instance();

  void Register(TtlmController* controller);
  void Unregister(TtlmController* controller);
  const std::vector<TtlmController*>& Controllers() const { return controllers_; }

  // Throws std::logic_error when another filter is already active.
  void ActivateFilter(std::shared_ptr<ILanguageFilter> filter);
  void DeactivateFilter();
  const ILanguageFilter* Filter() const { return filter_.get(); }

 private:
  std::vector<TtlmController*> controllers_;
  std::shared_ptr<ILanguageFilter> filter_;
};
