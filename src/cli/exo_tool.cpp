// exo-tool: open, trace, render, re-save and describe experiment files
// without a window.
//
//   exo-tool trace FILE.exo [--size WxH] [--generations K]
//   exo-tool render FILE.exo OUT[.png .bmp .jpg .svg .pdf] [--size WxH] [--no-run] [--hq]
//   [--generations K]
//                   [--follow X,Y] [--equations] [--presentation F]
//   exo-tool readout FILE.exo [--follow X,Y]
//   exo-tool resave IN.exo OUT.exo
//   exo-tool info FILE.exo
//   exo-tool import SCENE.json|LINK OUT.exo
//   exo-tool bench FILE.exo [--size WxH] [--runs N] [--hq] [--threads N]
//
// A trace cut short at its work bound says so on stderr (exit status 0).
// A file that Open would refuse prints the program's message on stderr and
// exits with 1; so does a file read only in part, after `info` has printed
// what was read. Wrong usage exits with 2. `exo-tool --help` and
// `exo-tool --version` answer on standard output and exit with 0.

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QString>
#include <QThreadPool>
#include <algorithm>
#include <chrono>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "files/ExperimentFile.h"
#include "files/RayOpticsScene.h"
#include "gfx/PresentationScale.h"
#include "gfx/QImageCanvas.h"
#include "gfx/RecordingCanvas.h"
#include "i18n/SharedTexts.h"
#include "i18n/TtlmController.h"
#include "objects/EquationPanel.h"
#include "objects/EquationReadout.h"
#include "objects/ObjectFactory.h"
#include "optics/RayPicker.h"
#include "optics/TextTraceSink.h"
#include "scene/Document.h"
#include "scene/IMessageSink.h"
#include "scene/ProcessSettings.h"
#include "scene/VectorPicture.h"

namespace {

constexpr int kDefaultWidth = 1920;
constexpr int kDefaultHeight = 1080;
constexpr int kMaxSide = 8192;
constexpr int kDefaultRuns = 20;
constexpr int kMaxRuns = 100000;
constexpr int kMaxThreads = 64;
constexpr int kMaxGenerations = 999999;
constexpr double kFollowTolerance = 5;  // px from the clicked point

const char* const kUsage =
    "usage:\n"
    "  exo-tool trace FILE.exo [--size WxH] [--generations K]\n"
    "  exo-tool render FILE.exo OUT [--size WxH] [--no-run] [--hq] [--generations K]\n"
    "                  [--follow X,Y] [--equations] [--presentation 1|1.5|2|3]\n"
    "  exo-tool readout FILE.exo [--follow X,Y]\n"
    "  exo-tool resave IN.exo OUT.exo\n"
    "  exo-tool info FILE.exo\n"
    "  exo-tool import SCENE.json|LINK OUT.exo\n"
    "  exo-tool bench FILE.exo [--size WxH] [--runs N] [--hq] [--threads N]\n"
    "  exo-tool --help | --version\n"
    "FILE may also be a Ray Optics Simulation scene (.json); LINK is its share link.\n"
    "OUT is written as PNG, BMP, JPEG, SVG or PDF by its extension (.png, .bmp, .jpg,\n"
    ".jpeg, .svg, .pdf).\n"
    "--generations K shows the generations 1 to K of the trace; --follow X,Y draws the\n"
    "ray whose piece passes nearest (X, Y), within 5 px, over the others faded;\n"
    "--equations adds the lens and mirror equation's panel beside each image;\n"
    "--presentation F draws labels, handles, arrowheads and rays F times larger.\n"
    "--threads N paints and traces on at most N threads (default: one per core; a\n"
    "trace on at most 8).\n";

const char* const kCutMessage =
    "exo-tool: too many rays or faces: the trace was cut short at its work bound\n";

int Usage(const std::string& problem = {}) {
  if (!problem.empty()) std::fprintf(stderr, "exo-tool: %s\n", problem.c_str());
  std::fputs(kUsage, stderr);
  return 2;
}

// Messages go to stderr after the command's output; an older file's
// question is answered with Yes, since the user asked for exactly this file.
class ConsoleMessages : public IMessageSink {
 public:
  ~ConsoleMessages() override { Flush(); }
  void ShowMessage(const std::string& text) override { held_.push_back(text); }
  bool AskYesNo(const std::string& caption, const std::string& text) override {
    held_.push_back(caption + ": " + text + " (yes)");
    return true;
  }
  void Flush() {
    std::fflush(stdout);
    for (const auto& text : held_) std::fprintf(stderr, "%s\n", text.c_str());
    held_.clear();
  }

 private:
  std::vector<std::string> held_;
};

struct Arguments {
  std::string command;
  std::vector<std::string> files;
  int width = kDefaultWidth;
  int height = kDefaultHeight;
  bool sizeGiven = false;
  bool noRun = false;
  int runs = kDefaultRuns;
  bool runsGiven = false;
  bool highQuality = false;
  int generations = 0;  // 0: all
  std::optional<TPointF> follow;
  bool equations = false;
  int threads = 0;          // 0: as many as the program uses
  double presentation = 0;  // 0: not given (standard)
};

// A whole number from 1 to `max`, digits only.
bool ParseCount(const std::string& text, int max, int& out) {
  if (text.empty() || text.size() > 6) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  out = std::atoi(text.c_str());
  return out >= 1 && out <= max;
}

// "X,Y": two finite numbers within the largest surface's reach.
bool ParsePoint(const std::string& text, TPointF& point) {
  const auto comma = text.find(',');
  if (comma == std::string::npos || text.size() > 40) return false;
  double v[2];
  const std::string parts[2] = {text.substr(0, comma), text.substr(comma + 1)};
  for (int i = 0; i < 2; ++i) {
    char* end = nullptr;
    v[i] = std::strtod(parts[i].c_str(), &end);
    if (parts[i].empty() || *end != '\0' || !(std::fabs(v[i]) <= 4 * kMaxSide)) return false;
  }
  point = {float(v[0]), float(v[1])};
  return true;
}

bool ParseSize(const std::string& text, int& width, int& height) {
  const auto x = text.find('x');
  if (x == std::string::npos) return false;
  return ParseCount(text.substr(0, x), kMaxSide, width) &&
         ParseCount(text.substr(x + 1), kMaxSide, height);
}

std::optional<Arguments> Parse(int argc, char** argv, std::string& problem) {
  if (argc < 2) {
    problem = "no command";
    return std::nullopt;
  }
  Arguments args;
  args.command = argv[1];
  for (int i = 2; i < argc; ++i) {
    const std::string a = argv[i];
    // The option's value from the next argument; false, with the problem
    // said, when it is missing or unusable.
    auto value = [&](const std::string& needs, const auto& read) {
      if (i + 1 < argc && read(argv[i + 1])) {
        ++i;
        return true;
      }
      problem = a + " needs " + needs;
      return false;
    };
    auto count = [&](int max, int& out) {
      return value("a count from 1 to " + std::to_string(max),
                   [&](const char* text) { return ParseCount(text, max, out); });
    };
    if (a == "--size") {
      if (!value("WxH, each side 1 to " + std::to_string(kMaxSide),
                 [&](const char* text) { return ParseSize(text, args.width, args.height); }))
        return std::nullopt;
      args.sizeGiven = true;
    } else if (a == "--no-run") {
      args.noRun = true;
    } else if (a == "--runs") {
      if (!count(kMaxRuns, args.runs)) return std::nullopt;
      args.runsGiven = true;
    } else if (a == "--threads") {
      if (!count(kMaxThreads, args.threads)) return std::nullopt;
    } else if (a == "--hq") {
      args.highQuality = true;
    } else if (a == "--equations") {
      args.equations = true;
    } else if (a == "--presentation") {
      const std::string f = i + 1 < argc ? argv[i + 1] : "";
      if (f != "1" && f != "1.5" && f != "2" && f != "3") {
        problem = "--presentation needs 1, 1.5, 2 or 3";
        return std::nullopt;
      }
      args.presentation = std::atof(f.c_str());
      ++i;
    } else if (a == "--generations") {
      if (!count(kMaxGenerations, args.generations)) return std::nullopt;
    } else if (a == "--follow") {
      TPointF point;
      if (!value("X,Y", [&](const char* text) { return ParsePoint(text, point); }))
        return std::nullopt;
      args.follow = point;
    } else if (a.size() > 1 && a[0] == '-' && a != "-") {
      problem = "unknown option " + a;
      return std::nullopt;
    } else {
      args.files.push_back(a);
    }
  }
  struct Shape {
    const char* name;
    std::size_t files;
    bool size, noRun, runs, highQuality, generations, follow;
  };
  static const Shape shapes[] = {{"trace", 1, true, false, false, false, true, false},
                                 {"render", 2, true, true, false, true, true, true},
                                 {"resave", 2, false, false, false, false, false, false},
                                 {"info", 1, false, false, false, false, false, false},
                                 {"import", 2, false, false, false, false, false, false},
                                 {"readout", 1, false, false, false, false, false, true},
                                 {"bench", 1, true, false, true, true, false, false}};
  for (const auto& shape : shapes) {
    if (args.command != shape.name) continue;
    if (args.files.size() != shape.files) {
      problem = "wrong number of files for " + args.command;
      return std::nullopt;
    }
    if ((args.sizeGiven && !shape.size) || (args.noRun && !shape.noRun) ||
        (args.runsGiven && !shape.runs) || (args.highQuality && !shape.highQuality) ||
        (args.generations && !shape.generations) || (args.follow && !shape.follow) ||
        ((args.equations || args.presentation) && args.command != "render") ||
        (args.threads && args.command != "bench")) {
      problem = "option not allowed for " + args.command;
      return std::nullopt;
    }
    if (args.command == "import" && !RayOpticsScene::IsScenePath(args.files[0])) {
      problem = "import takes a .json scene or a share link";
      return std::nullopt;
    }
    return args;
  }
  problem = "unknown command " + args.command;
  return std::nullopt;
}

std::string LowerExtension(const std::string& path) {
  const auto slash = path.rfind('/');
  const auto dot = path.rfind('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
  std::string ext = path.substr(dot + 1);
  for (char& c : ext)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return ext;
}

const char* ImageFormat(const std::string& path) {
  const std::string ext = LowerExtension(path);
  if (ext == "png") return "PNG";
  if (ext == "bmp") return "BMP";
  if (ext == "jpg" || ext == "jpeg") return "JPEG";
  return nullptr;
}

// The engine state the program has at start-up, then Open.
OpenResult OpenAsAtStartUp(Document& document, const std::string& path) {
  document.header = MakeHeaderTemplate();
  document.ResetPage();
  AddCoordinateSystem(document);
  return OpenExperimentFile(path, document);
}

// False when the file was refused or could not be read whole.
bool OpenLikeTheProgram(Document& document, const std::string& path) {
  const OpenResult result = OpenAsAtStartUp(document, path);
  // A scene keeps what maps; the message named the rest.
  return result.status == OpenStatus::Opened &&
         (result.complete || RayOpticsScene::IsScenePath(path));
}

std::string Number(double v) {
  char text[64];
  std::snprintf(text, sizeof text, "%.9g", v);
  return text;
}

int Info(const std::string& path) {
  RecordingCanvas canvas(kDefaultWidth, kDefaultHeight);
  canvas.keep = false;  // the paint after opening is not wanted
  Document document(&canvas);
  // A file read in part is still described: what was read, then exit 1.
  const OpenResult result = OpenAsAtStartUp(document, path);
  if (result.status != OpenStatus::Opened) return 1;
  const FileHeader& h = document.header;
  const TNewPage& p = *document.page;
  std::printf("file: %s\n", path.c_str());
  std::printf("version: %s\n", Number(h.version).c_str());
  std::printf("size: %d\n", h.fileSize);
  std::printf("format: %s\n", h.formatTag.c_str());
  std::printf("date: %s\n", h.dateTime.c_str());
  std::printf("product: %s\n", h.productTag.c_str());
  std::printf(
      "page: scale=%s highQuality=%u rayWidth=%d ambient=%u normals=%u reverse=%u axes=%u "
      "reservedColour=%d normalColour=%u reverseColour=%u showAngles=%u\n",
      Number(p.reservedScale).c_str(), p.highQuality, p.rayWidth, p.ambientColour, p.drawNormals,
      p.drawReverse, p.showAxes, p.reservedColour, p.normalColour, p.reverseColour,
      document.showAngles);
  std::printf("objects: %zu\n", document.scene.size());
  for (std::size_t i = 0; i < document.scene.size(); ++i) {
    auto& object = *document.scene[i];
    std::printf("%zu %s \"%s\"", i, object.className.c_str(), object.displayName.c_str());
    for (const auto& point : object.ControlPointValues())
      std::printf(" (%s,%s)", Number(point.x).c_str(), Number(point.y).c_str());
    std::printf("\n");
  }
  return result.complete ? 0 : 1;
}

void ReportCut(bool cut) {
  if (cut) std::fputs(kCutMessage, stderr);
}

// The part of the trace asked for; a followed point that meets no ray
// follows none.
void ApplyView(const Arguments& args, Document& document) {
  document.view.maxGeneration = args.generations;
  if (!args.follow) return;
  RayPicker picker(*args.follow, kFollowTolerance);
  document.running = true;
  document.Trace(picker);
  document.view.followedRoot = picker.Root();
}

int Trace(const Arguments& args) {
  RecordingCanvas canvas(args.width, args.height);
  // The picture is not wanted: lines are printed as they are traced, so
  // memory stays the same however long the trace.
  canvas.keep = false;
  Document document(&canvas);
  if (!OpenLikeTheProgram(document, args.files[0])) return 1;
  ApplyView(args, document);
  TextTraceSink printer(std::cout);
  document.running = true;
  document.RefreshView(&printer);
  ReportCut(document.lastTrace.cut);
  std::cout.flush();
  return std::cout ? 0 : 1;
}

// The surface a refresh paints on, black as the window's, with the
// experiment opened on it as the program opens it, high quality as asked.
struct Surface {
  explicit Surface(QImage picture) : image(std::move(picture)) {}
  QImage image;
  QImageCanvas canvas{&image};
  Document document{&canvas};
};

// Null (and said) when the picture cannot be made or the file not opened.
std::unique_ptr<Surface> OpenOnSurface(const Arguments& args) {
  QImage image(args.width, args.height, QImage::Format_RGB32);
  if (image.isNull()) {
    std::fprintf(stderr, "exo-tool: cannot make a %dx%d picture\n", args.width, args.height);
    return nullptr;
  }
  image.fill(Qt::black);
  auto surface = std::make_unique<Surface>(std::move(image));
  if (!OpenLikeTheProgram(surface->document, args.files[0])) return nullptr;
  if (args.highQuality) Settings().highQuality = 1;
  return surface;
}

// The scene and the trace drawn again as vector paths and text.
int WriteVector(Document& document, VectorFormat format, const Arguments& args) {
  const QByteArray bytes =
      VectorPictureBytes(document, format, args.width, args.height, "Veltrano Optics");
  ReportCut(document.traceCut);
  QFile out(QString::fromStdString(args.files[1]));
  if (bytes.isEmpty() || !out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() ||
      !out.flush()) {
    std::fprintf(stderr, "exo-tool: cannot write %s\n", args.files[1].c_str());
    return 1;
  }
  return 0;
}

int Render(const Arguments& args) {
  const char* format = ImageFormat(args.files[1]);
  const VectorFormat vector = VectorFormatOf(args.files[1]);
  if (!format && vector == VectorFormat::None)
    return Usage("OUT must end in .png, .bmp, .jpg, .jpeg, .svg or .pdf");
  const auto surface = OpenOnSurface(args);
  if (!surface) return 1;
  Document& document = surface->document;
  if (args.presentation) SetPresentationScale(args.presentation);
  ApplyView(args, document);
  if (args.equations)
    document.afterTrace = [&document](TCanvas& c) { PaintEquationPanels(c, document.scene); };
  document.running = !args.noRun;
  if (vector != VectorFormat::None) return WriteVector(document, vector, args);
  ReportCut(document.RefreshView());
  if (!surface->image.save(QString::fromStdString(args.files[1]), format)) {
    std::fprintf(stderr, "exo-tool: cannot write %s\n", args.files[1].c_str());
    return 1;
  }
  return 0;
}

// Counts the ray pieces of a trace and draws nothing.
class PieceCounter : public PieceSink {
 public:
  long long pieces = 0;
  void RayPiece(TPointF, TPointF, const DrawBaseRayDataStruct&) override { ++pieces; }
};

// The lens and mirror equation of every element and source pair:
//   element NAME OBJECT f u v m real|virtual upright|inverted
// and with --follow the law at every hit of the followed ray:
//   hit x y n1 n2 theta1 theta2      (n1 = n2 = 0: a reflection)
int Readout(const Arguments& args) {
  RecordingCanvas canvas(kDefaultWidth, kDefaultHeight);
  canvas.keep = false;
  Document document(&canvas);
  if (!OpenLikeTheProgram(document, args.files[0])) return 1;
  for (const auto& r : ReadEquations(document.scene))
    std::printf("element\t%s\t%s\t%s\n", r.element.c_str(), r.source.c_str(),
                EquationLine(r).c_str());
  if (args.follow) {
    ApplyView(args, document);
    if (document.view.followedRoot >= 0) {
      PieceCounter nothing;
      TraceFilter filter(nothing, document.view);
      document.Trace(filter);
      for (const auto& h : filter.FollowedHits())
        std::printf("hit\t%.3f\t%.3f\t%.6g\t%.6g\t%.3f\t%.3f\n", h.at.x, h.at.y, h.n1, h.n2,
                    h.theta1, h.theta2);
    }
  }
  std::fflush(stdout);
  return std::ferror(stdout) ? 1 : 0;
}

int Resave(const Arguments& args) {
  RecordingCanvas canvas(kDefaultWidth, kDefaultHeight);
  Document document(&canvas);
  if (!OpenLikeTheProgram(document, args.files[0])) return 1;
  std::string error;
  if (!SaveExperimentFile(args.files[1], document, &error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  return 0;
}

// Median and minimum milliseconds of `runs` calls, after two unmeasured ones.
template <typename Work>
std::pair<double, double> TimeRuns(int runs, Work work) {
  work();
  work();
  std::vector<double> ms;
  ms.reserve(std::size_t(runs));
  for (int i = 0; i < runs; ++i) {
    const auto start = std::chrono::steady_clock::now();
    work();
    ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                     .count());
  }
  std::sort(ms.begin(), ms.end());
  const std::size_t n = ms.size();
  const double median = n % 2 ? ms[n / 2] : (ms[n / 2 - 1] + ms[n / 2]) / 2;
  return {median, ms.front()};
}

int Bench(const Arguments& args) {
  const auto surface = OpenOnSurface(args);
  if (!surface) return 1;
  Document& document = surface->document;
  // The painting threads come from Qt's global pool (the raster engine's
  // span runs and our own paint work alike).
  if (args.threads) QThreadPool::globalInstance()->setMaxThreadCount(args.threads);
  // The trace's threads are its own.
  if (args.threads) document.traceContext.SetThreads(args.threads);
  document.running = true;
  PieceCounter counter;
  const auto trace = TimeRuns(args.runs, [&] {
    counter.pieces = 0;
    document.Trace(counter);
  });
  const auto refresh = TimeRuns(args.runs, [&] { document.RefreshView(); });
  std::printf("ray pieces\t%lld\n", counter.pieces);
  std::printf("trace ms\tmedian %.3f\tmin %.3f\t(%d threads)\n", trace.first, trace.second,
              document.traceContext.Threads());
  std::printf("refresh ms\tmedian %.3f\tmin %.3f\t(%dx%d%s, %d threads)\n", refresh.first,
              refresh.second, args.width, args.height,
              Settings().highQuality ? ", high quality" : "",
              QThreadPool::globalInstance()->maxThreadCount());
  std::fflush(stdout);
  ReportCut(document.traceCut);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2) {
    const std::string only = argv[1];
    if (only == "--version" || only == "-v") {
      std::printf("exo-tool %s\n", EXO_VERSION);
      return 0;
    }
    if (only == "--help" || only == "-h") {
      std::fputs(kUsage, stdout);
      return 0;
    }
  }
  std::string problem;
  const auto args = Parse(argc, argv, problem);
  if (!args) return Usage(problem);

  // Fonts need a GUI application; the offscreen platform needs no display.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  int qtArgc = 1;
  char* qtArgv[] = {argv[0], nullptr};
  std::unique_ptr<QGuiApplication> app;
  if (args->command == "render" || args->command == "bench")
    app = std::make_unique<QGuiApplication>(qtArgc, qtArgv);
  // Numbers are printed and read with a decimal point whatever the locale.
  std::setlocale(LC_NUMERIC, "C");

  ConsoleMessages messages;
  Settings().messages = &messages;

  int status = 2;
  try {
    if (args->command == "info")
      status = Info(args->files[0]);
    else if (args->command == "trace")
      status = Trace(*args);
    else if (args->command == "render")
      status = Render(*args);
    else if (args->command == "bench")
      status = Bench(*args);
    else if (args->command == "readout")
      status = Readout(*args);
    else if (args->command == "resave" || args->command == "import")
      status = Resave(*args);
  } catch (const std::bad_alloc&) {
    messages.ShowMessage(Tr(texts::kOutOfMemory));
    status = 1;
  }
  messages.Flush();
  ResetSettings();
  return status;
}
