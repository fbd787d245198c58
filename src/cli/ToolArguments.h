#pragma once
// exo-tool's command line, read with QCommandLineParser: a command, its
// files and its own options. "--opt value" and "--opt=value" both work,
// "--" ends the options, "-" names standard input or output.

#include <optional>
#include <string>
#include <vector>

#include "gfx/TCanvas.h"

constexpr int kDefaultWidth = 1920;
constexpr int kDefaultHeight = 1080;
constexpr int kMaxSide = 8192;
constexpr int kDefaultRuns = 20;

struct ToolArguments {
  std::string command;
  std::vector<std::string> files;
  int width = kDefaultWidth;
  int height = kDefaultHeight;
  bool noRun = false;
  int runs = kDefaultRuns;
  bool highQuality = false;
  int generations = 0;  // 0: all
  std::optional<TPointF> follow;
  bool equations = false;
  int threads = 0;          // 0: as many as the program uses
  double presentation = 0;  // 0: not given (standard)
  bool json = false;
  int scene = 0;            // the scene of a lesson, 1 first; 0: not given
  std::string format;       // render: "png", "bmp", "jpg", "svg", "pdf"; empty: by OUT's name
  bool paper = false;       // render: the A4 worksheet
  std::string table;        // with paper: "blank", "values" or empty (none)
  std::string lessonTitle;  // with paper: heads the page when given
};

struct ParsedCommandLine {
  enum Outcome { Run, Help, Version, UsageError } outcome = UsageError;
  ToolArguments args;
  // Help: the text for standard output. UsageError: the problem and the
  // usage, for standard error.
  std::string text;
};

// `arguments` as the program got them, its name first.
ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments);
// The command's name when it is one of exo-tool's, else empty.
std::string CommandOf(const std::vector<std::string>& arguments);
