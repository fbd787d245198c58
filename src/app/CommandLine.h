#pragma once
// The program's command line, read before any window system is touched, so
// that --help and --version answer on a machine without a display.
//
//   veltrano-optics [FILE.exo]        open an experiment
//   veltrano-optics --help | -h       usage on standard output, exit 0
//   veltrano-optics --version | -v    version on standard output, exit 0
//
// An unknown option prints the usage on standard error (exit 2). Qt's own
// options (-platform, -style, ...) and the translators' --generate-language
// pass through to those who read them.

#include <optional>
#include <string>

struct CommandLine {
  // Set when the program is to end at once with this status.
  std::optional<int> exitCode;
  // The experiment to open; empty for none.
  std::string file;
};

CommandLine ReadCommandLine(int argc, char** argv);

// "5.0.0", the version of the package.
const char* ProgramVersion();
