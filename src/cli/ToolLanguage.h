#pragma once
// exo-tool's interface language and its quiet Qt: Chinese unless the
// locale or --lang asks for English, with the window's own language file;
// Qt's internal warnings (XDG_RUNTIME_DIR, fonts) never reach the user.

#include <optional>
#include <string>
#include <vector>

// English for "en", "en_GB"...; Chinese for "zh", "zh_CN"...; nothing for
// another language.
std::optional<bool> EnglishByName(const std::string& name);
// What the locale asks for: LANGUAGE's first entry, or else the first set
// of LC_ALL, LC_MESSAGES and LANG; English only when it starts with "en".
bool LocaleWantsEnglish();
// The value of "--lang X" or "--lang=X" before any "--" (after the program
// name); empty when not given. `missing` is set for a "--lang" at the end.
std::optional<std::string> LanguageOption(const std::vector<std::string>& arguments, bool& missing);
// The window's English file becomes the filter of every text (when it is
// found beside the program), or none is; system messages and Qt's own
// texts follow. Needs the application object.
void UseInterfaceLanguage(bool english);
// Drops Qt's messages (our own output never goes through them); a fatal one
// is still said.
void SilenceQtMessages();
