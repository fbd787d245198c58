// Language files: any bytes read as an INI file or are refused; every entry
// read is found again after the file is written back with one entry more;
// as the active language, every text of the file translates, formats with
// arguments and reports the file's general information.

#include <QString>
#include <map>
#include <memory>
#include <utility>

#include "FuzzHarness.h"
#include "i18n/TInifileEx.h"
#include "i18n/TtlmController.h"
#include "i18n/TtlmIniFilter.h"
#include "i18n/TtlmSystem.h"

namespace {

using Entries = std::map<std::pair<std::string, std::string>, std::string>;

constexpr const char* kFileName = "LumidorPro.trk";
constexpr const char* kAddedKey = "FuzzAddedKey";

// Every (section, key) the file answers, with its value.
Entries Read(const TInifileEx& file) {
  Entries entries;
  for (const std::string& section : file.SectionNames())
    for (const std::string& key : file.SectionKeys(section))
      if (auto value = file.Find(section, key))
        entries.emplace(std::make_pair(section, key), *value);
  return entries;
}

bool SameName(const std::string& a, const std::string& b) {
  return QString::fromStdString(a).toCaseFolded() == QString::fromStdString(b).toCaseFolded();
}

// Writing one entry keeps every other entry the file answered.
void WriteBack(const std::string& path, const Entries& before) {
  std::size_t lines = 0;
  {
    TInifileEx file(path);
    if (!file.Readable()) return;
    file.WriteString("General", kAddedKey, "value\nwith a break");
    Require(file.Save(), "a language file that was read cannot be written back");
    lines = file.Lines().size();
  }
  const TInifileEx again(path);
  // Only the entry added may take a file over the bound on lines.
  if (lines > TInifileEx::kMaxLines) return;
  Require(again.Readable(), "a written language file is refused");
  Require(again.Find("General", kAddedKey) == "value with a break",
          "the entry written is not read back");
  for (const auto& [where, value] : before) {
    if (SameName(where.first, "General") && SameName(where.second, kAddedKey)) continue;
    Require(again.Find(where.first, where.second) == value,
            "writing an entry changed [" + where.first + "] " + where.second);
  }
}

// The file as the active language of every window asking for these sections.
void Translate(const Entries& entries) {
  auto filter = std::make_shared<TtlmIniFilter>("TLumidorNetworkFrm");
  filter->LanguagePath = ScratchDirectory();
  filter->CustomLanguageFiles = true;
  filter->LanguageFiles = {kFileName};
  filter->CustomLanguageExt = true;
  filter->LanguageExt = ".trk";
  filter->SaveSettings = false;
  filter->AddBracket = true;
  filter->LoadLanguages();
  filter->SetActive(true);
  filter->GeneralInfo();
  std::map<std::string, std::unique_ptr<TtlmController>> windows;
  for (const auto& [where, value] : entries) {
    if (where.first.empty()) continue;
    auto& window = windows[where.first];
    if (!window) window = std::make_unique<TtlmController>(where.first);
    window->Translate(where.second, "默认 %s %d", {"a", "1"});
  }
  TtlmSystem::Instance().ChangeLanguage();
  filter->SetActive(false);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  FuzzSetUp();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzResetSettings();
  const std::string path = WriteScratchFile(kFileName, {data, size});
  Entries entries;
  {
    const TInifileEx file(path);
    entries = Read(file);
  }
  Translate(entries);
  WriteBack(path, entries);
  return 0;
}
