// exo-tool: open, trace, render, re-save and describe experiment files
// without a window; `exo-tool --help` and `exo-tool COMMAND --help` say how.
//
// Exit status: 0 done (a trace cut short at its work bound says so on
// stderr); 1 a file that Open would refuse (the program's message on
// stderr), a file read only in part (after `info` has printed what was
// read), or output that could not be written; 2 wrong usage. Every problem
// goes to standard error as "exo-tool: FILE: what went wrong: the reason".

#include <QCoreApplication>
#include <QGuiApplication>
#include <clocale>
#include <cstdio>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "cli/ToolArguments.h"
#include "cli/ToolCommands.h"
#include "cli/ToolConsole.h"
#include "cli/ToolLanguage.h"
#include "i18n/SharedTexts.h"
#include "i18n/TtlmController.h"
#include "platform/Platform.h"
#include "scene/ProcessSettings.h"

int main(int argc, char** argv) {
  SilenceQtMessages();
  // A closed pipe is a failed write, said and exit 1, not a silent death.
  IgnoreBrokenPipes();
  const std::vector<std::string> arguments(argv, argv + argc);

  // Fonts need a GUI application; the offscreen platform needs no display.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  int qtArgc = 1;
  char* qtArgv[] = {argv[0], nullptr};
  const std::string command = CommandOf(arguments);
  std::unique_ptr<QCoreApplication> app;
  if (command == "render" || command == "bench")
    app = std::make_unique<QGuiApplication>(qtArgc, qtArgv);
  else
    app = std::make_unique<QCoreApplication>(qtArgc, qtArgv);
  // Numbers are printed and read with a decimal point whatever the locale.
  std::setlocale(LC_NUMERIC, "C");

  bool langMissing = false;
  const auto lang = LanguageOption(arguments, langMissing);
  const auto english = lang ? EnglishByName(*lang) : std::optional<bool>(LocaleWantsEnglish());
  UseInterfaceLanguage(english.value_or(false));
  if (langMissing || !english) {
    SayNow(Tr("ExoTool.UsageError", "用法错误") + ": " +
           Tr("ExoTool.NeedsLanguage", "--lang 需要 zh 或 en"));
    return 2;
  }

  const ParsedCommandLine parsed = ParseCommandLine(arguments);
  switch (parsed.outcome) {
    case ParsedCommandLine::Help:
      std::fputs(parsed.text.c_str(), stdout);
      return std::fflush(stdout) == 0 ? 0 : 1;
    case ParsedCommandLine::Version:
      std::printf("exo-tool %s\n", EXO_VERSION);
      return std::fflush(stdout) == 0 ? 0 : 1;
    case ParsedCommandLine::UsageError:
      std::fputs(parsed.text.c_str(), stderr);
      return 2;
    case ParsedCommandLine::Run:
      break;
  }

  ToolConsole console;
  Settings().messages = &console;
  int status = 2;
  try {
    status = RunCommand(parsed.args, console);
  } catch (const std::bad_alloc&) {
    console.ShowMessage(Tr(texts::kOutOfMemory));
    status = 1;
  }
  console.Flush();
  ResetSettings();
  return status;
}
