#include "app/CommandLine.h"

#include <QCommandLineParser>
#include <cstdio>

#ifndef EXO_VERSION
#define EXO_VERSION "0.0.0"
#endif

namespace {

// Options the application object takes; hidden from the usage, since
// teachers never need them.
struct PassedOn {
  const char* name;
  bool value;
};
constexpr PassedOn kPassedOn[] = {{"platform", true},
                                  {"platformpluginpath", true},
                                  {"platformtheme", true},
                                  {"plugin", true},
                                  {"qwindowgeometry", true},
                                  {"geometry", true},
                                  {"qwindowtitle", true},
                                  {"title", true},
                                  {"qwindowicon", true},
                                  {"icon", true},
                                  {"style", true},
                                  {"stylesheet", true},
                                  {"display", true},
                                  {"session", true},
                                  {"name", true},
                                  {"reverse", false},
                                  {"widgetcount", false},
                                  {"nograb", false},
                                  {"dograb", false},
                                  {"sync", false}};

}  // namespace

const char* ProgramVersion() { return EXO_VERSION; }

CommandLine ReadCommandLine(int argc, char** argv) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  CommandLine result;
  // The translators' tool reads its own arguments.
  if (arguments.contains("--generate-language")) return result;

  QCommandLineParser parser;
  // Qt's options are words after a single dash ("-platform").
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  parser.setApplicationDescription(
      "Veltrano Optics: an interactive optics laboratory for the classroom.");
  const QCommandLineOption help(QStringList{"h", "help"}, "Show this help and exit.");
  const QCommandLineOption version(QStringList{"v", "version"}, "Show the version and exit.");
  parser.addOption(help);
  parser.addOption(version);
  for (const PassedOn& option : kPassedOn) {
    QCommandLineOption hidden(option.name, QString(), option.value ? "value" : QString());
    hidden.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(hidden);
  }
  parser.addPositionalArgument("file", "An experiment (*.exo) to open.", "[FILE.exo]");

  // No application object exists yet to name the program.
  const QString usage = parser.helpText().replace("<executable_name>", "veltrano-optics");

  if (!parser.parse(arguments)) {
    std::fprintf(stderr, "veltrano-optics: %s\n%s", qPrintable(parser.errorText()),
                 qPrintable(usage));
    result.exitCode = 2;
  } else if (parser.isSet(help)) {
    std::fputs(qPrintable(usage), stdout);
    result.exitCode = 0;
  } else if (parser.isSet(version)) {
    std::printf("veltrano-optics %s\n", ProgramVersion());
    result.exitCode = 0;
  } else if (!parser.positionalArguments().isEmpty()) {
    // A launcher given several files opens the first, as it always did.
    result.file = parser.positionalArguments().first().toStdString();
  }
  return result;
}
