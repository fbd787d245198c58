#include "app/LanguageFileTool.h"

#include <QDir>
#include <QFileInfo>
#include <cstdio>
#include <memory>

#include "app/TextTour.h"
#include "i18n/TtlmIniGenerator.h"
#include "i18n/TtlmSystem.h"
#include "ui/TtlmStepDialog.h"

std::optional<LanguageFileRequest> LanguageFileRequestFrom(const QStringList& arguments) {
  const qsizetype at = arguments.indexOf("--generate-language");
  if (at < 0) return std::nullopt;
  LanguageFileRequest request;
  if (at + 1 < arguments.size() && !arguments.at(at + 1).startsWith("--"))
    request.file = arguments.at(at + 1).toStdString();
  request.step = arguments.contains("--step");
  const qsizetype name = arguments.indexOf("--language");
  if (name >= 0 && name + 1 < arguments.size())
    request.language = arguments.at(name + 1).toStdString();
  return request;
}

std::shared_ptr<TtlmIniGenerator> MakeLanguageFileGenerator(const LanguageFileRequest& request) {
  auto generator = std::make_shared<TtlmIniGenerator>("TLumidorNetworkFrm");
  generator->AddBracket = true;
  generator->KeepDefined = true;
  generator->StepByStep = request.step;
  if (request.step) UseStepDialog(*generator);
  generator->OpenTarget(request.file, request.language);
  return generator;
}

int GenerateLanguageFile(const LanguageFileRequest& request) {
  if (request.file.empty()) {
    std::fprintf(stderr, "--generate-language needs the name of the file to write\n");
    return 1;
  }
  // Known before the long walk through every window.
  if (!QFileInfo(QString::fromStdString(request.file)).absoluteDir().exists()) {
    std::fprintf(stderr, "%s could not be written: no such folder\n", request.file.c_str());
    return 1;
  }
  auto generator = MakeLanguageFileGenerator(request);
  generator->SetActive(true);
  VisitEveryText();
  generator->SetActive(false);
  if (!generator->Save()) {
    std::fprintf(stderr, "%s could not be written\n", request.file.c_str());
    return 1;
  }
  std::printf("%zu new entries written to %s\n", generator->Written().size(), request.file.c_str());
  return 0;
}
