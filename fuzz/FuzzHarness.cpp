#include "FuzzHarness.h"

#include <unistd.h>

#include <QGuiApplication>
#include <QImage>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>

#include "files/ExperimentFile.h"
#include "gfx/QImageCanvas.h"
#include "objects/ObjectFactory.h"
#include "optics/TextTraceSink.h"
#include "scene/Document.h"
#include "scene/IMessageSink.h"
#include "scene/ProcessSettings.h"

namespace {

// A small surface: painting cost grows with the pixels, and what the
// fuzzer looks for (out-of-bounds work, unbounded loops) does not need many.
constexpr int kSurfaceWidth = 320;
constexpr int kSurfaceHeight = 240;

class QuietMessages : public IMessageSink {
 public:
  void ShowMessage(const std::string&) override {}
  bool AskYesNo(const std::string&, const std::string&) override { return true; }
};

QuietMessages& Messages() {
  static QuietMessages messages;
  return messages;
}

// Every input is written and saved (with fsync) twice: on tmpfs that costs
// microseconds, on a disk milliseconds.
std::string MakeScratchDirectory() {
  const char* base = std::getenv("TMPDIR");
  std::string folder = base && *base ? base : "/tmp";
  if (::access("/dev/shm", W_OK | X_OK) == 0) folder = "/dev/shm";
  std::string pattern = folder + "/exo-fuzz-XXXXXX";
  if (!::mkdtemp(pattern.data())) FuzzFailure("cannot make a scratch folder in " + pattern);
  return pattern + "/";
}

void RemoveScratchDirectory() {
  std::error_code ignored;
  std::filesystem::remove_all(ScratchDirectory(), ignored);
}

struct Opened {
  bool ok = false;
  bool complete = false;
  std::string trace;
  Bytes saved;
};

// Open as at start-up, then one refresh with the experiment running (the
// trace printed as the command-line tool prints it), then Save.
Opened OpenTraceRenderSave(const std::string& path, const std::string& savePath) {
  FuzzResetSettings();
  Opened out;
  QImage surface(kSurfaceWidth, kSurfaceHeight, QImage::Format_RGB32);
  surface.fill(Qt::black);
  QImageCanvas canvas(&surface);
  Document document(&canvas);
  LowerWorkBounds(document);
  document.header = MakeHeaderTemplate();
  document.ResetPage();
  AddCoordinateSystem(document);
  const OpenResult result = OpenExperimentFile(path, document);
  if (result.status != OpenStatus::Opened) return out;
  out.complete = result.complete;
  for (const auto& object : document.scene) object->ControlPointValues();
  std::ostringstream trace;
  TextTraceSink printer(trace);
  document.running = true;
  document.RefreshView(&printer);
  out.trace = trace.str();
  std::string error;
  // A save may refuse what Open would refuse; that is not a fault.
  if (!SaveExperimentFile(savePath, document, &error)) return out;
  out.saved = ReadScratchFile(savePath);
  out.ok = true;
  return out;
}

}  // namespace

void LowerWorkBounds(Document& document) {
  document.paintBudget = 4'000;
  document.maxFaceTests = 200'000;
  document.maxDrawnItems = 4'000;
}

void FuzzSetUp() {
  static bool done = false;
  if (done) return;
  done = true;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "exo-fuzz";
  static char* argv[] = {name, nullptr};
  static QGuiApplication app(argc, argv);
  std::setlocale(LC_NUMERIC, "C");
  ScratchDirectory();
  std::filesystem::create_directories(FuzzPictureDirectory());
  std::atexit(RemoveScratchDirectory);
}

void FuzzResetSettings() {
  ResetSettings();
  Settings().messages = &Messages();
  Settings().pictureDirectory = FuzzPictureDirectory();
}

const std::string& ScratchDirectory() {
  static const std::string directory = MakeScratchDirectory();
  return directory;
}

const std::string& FuzzPictureDirectory() {
  static const std::string directory = ScratchDirectory() + "DAT/";
  return directory;
}

std::string WriteScratchFile(const std::string& name, std::span<const std::uint8_t> data) {
  const std::string path = ScratchDirectory() + name;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
  out.close();
  if (!out) FuzzFailure("cannot write " + path);
  return path;
}

Bytes ReadScratchFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void FuzzFailure(const std::string& what) {
  std::fprintf(stderr, "exo-fuzz: %s\n", what.c_str());
  std::fflush(stderr);
  std::abort();
}

void RoundTripExperiment(const std::string& path, const std::string& converterDirectory) {
  // Without a converter folder, files of other layouts meet a missing library.
  SetDataDirectory(converterDirectory.empty() ? ScratchDirectory() + "no-converter/"
                                              : converterDirectory);
  const std::string first = ScratchDirectory() + "saved-1.exo";
  const std::string second = ScratchDirectory() + "saved-2.exo";
  const Opened opened = OpenTraceRenderSave(path, first);
  if (!opened.ok) return;
  const Opened reopened = OpenTraceRenderSave(first, second);
  Require(reopened.ok && reopened.complete, "a saved experiment does not open whole again");
  Require(reopened.saved == opened.saved, "the second save does not give the same bytes");
  Require(reopened.trace == opened.trace, "the reopened experiment does not trace the same");
}
