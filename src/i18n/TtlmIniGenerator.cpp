#include "i18n/TtlmIniGenerator.h"

#include <memory>

void TtlmIniGenerator::OpenTarget(const std::string& path, const std::string& language) {
  auto file = std::make_unique<TInifileEx>(path);
  if (!file->SectionExists("General")) file->WriteString("General", "Language", language);
  written_.clear();
  OpenFile(std::move(file), 0);
}

bool TtlmIniGenerator::Save() { return File() && File()->Save(); }

std::optional<std::string> TtlmIniGenerator::Lookup(const std::string& section,
                                                    const std::string& key,
                                                    const std::string& defaultText) {
  TInifileEx* file = File();
  if (!file) return std::nullopt;
  auto found = Translate(section, key);
  if (found && KeepDefined) return found;
  std::string text = defaultText;
  if (!found && StepByStep && StepDialog && !StepDialog(section, key, text)) StepByStep = false;
  file->WriteString(section, key, AddBracket ? "<" + text + ">" : text);
  if (!found) written_.emplace_back(section, key);
  return text;
}
