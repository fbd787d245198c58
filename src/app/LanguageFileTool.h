#pragma once
// For translators: `veltrano-optics --generate-language FILE [--step]
// [--language NAME]` writes FILE as a language file holding every text the
// program looks up (the entries FILE already has are kept), in "<" ">" so
// that leading and trailing blanks survive. With --step each new entry is
// first shown in the step-by-step dialog. No main window stays open.

#include <QStringList>
#include <memory>
#include <optional>
#include <string>

class TtlmIniGenerator;

struct LanguageFileRequest {
  std::string file;
  bool step = false;
  // The "Language" a file without a general section gets.
  std::string language = "New Language";
};

// The request on the command line; empty when it asks for none. A
// --generate-language without a file name is a request with an empty file.
std::optional<LanguageFileRequest> LanguageFileRequestFrom(const QStringList& arguments);

// Writes the file; 0 on success, 1 (with the reason on standard error) when
// the file could not be written. Reports the number of new entries.
int GenerateLanguageFile(const LanguageFileRequest& request);

// The generator the tool uses, set up for `request` (its file opened) but
// not yet active.
std::shared_ptr<TtlmIniGenerator> MakeLanguageFileGenerator(const LanguageFileRequest& request);
