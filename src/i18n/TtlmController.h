#pragma once
// Per-window text lookup: every caption, key and message passes through
// Translate(id, default) so that a language filter can replace it.

#include <string>
#include <vector>

class TtlmController {
 public:
  // section = the window's class name, e.g. "TLumidorNetworkFrm".
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

  bool Active = true;
  std::vector<std::string> StringProperties{"Caption", "Hint"};
  std::vector<std::string> StringsProperties{"Items"};
  std::vector<std::string> IgnoreControls;
  std::string Version = "0.16";

 private:
  std::string section_;
};

// The controller of the main window, through which the engine's objects and
// messages look up their texts.
TtlmController& MainController();

// Shorthand for MainController().Translate(id, defaultText).
std::string Tr(const std::string& id, const std::string& defaultText);
