#include "FuzzHarness.h"

#include <unistd.h>

#include <QGuiApplication>
#include <QImage>
#include <QThreadPool>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "files/ExperimentFile.h"
#include "gfx/paint/QImageCanvas.h"
#include "objects/ObjectFactory.h"
#include "optics/TextTraceSink.h"
#include "scene/Document.h"
#include "scene/IMessageSink.h"
#include "scene/ProcessSettings.h"
#include "scene/RecordIo.h"

namespace {

// The window's surface at its usual size, painted as its refresh paints:
// the budgets of a paint hold there, not on a smaller picture.
constexpr int kSurfaceWidth = 1920;
constexpr int kSurfaceHeight = 1080;
// No file the program writes or reads comes near this.
constexpr std::uintmax_t kMaxScratchBytes = 512u << 20;

class QuietMessages : public IMessageSink {
 public:
  void ShowMessage(const std::string&) override {}
  bool AskYesNo(const std::string&, const std::string&) override { return true; }
};

QuietMessages& Messages() {
  static QuietMessages messages;
  return messages;
}

// Every field of a record as it is held, texts as they are (not converted
// for the file): two objects that give the same bytes hold the same.
class FieldBytes : public RecordIo {
 public:
  void Byte(std::uint8_t& v) override { Append(&v, 1); }
  void Int32(std::int32_t& v) override { Append(&v, sizeof v); }
  void UInt32(std::uint32_t& v) override { Append(&v, sizeof v); }
  void Float(float& v) override { Append(&v, sizeof v); }
  void Text(std::string& v, std::size_t) override {
    const std::uint64_t size = v.size();
    Append(&size, sizeof size);
    Append(v.data(), v.size());
  }
  void Bytes(std::uint8_t* data, std::size_t size) override { Append(data, size); }
  void Padding(std::size_t) override {}
  ::Bytes& Data() { return data_; }

 private:
  void Append(const void* from, std::size_t size) {
    const auto* bytes = static_cast<const std::uint8_t*>(from);
    data_.insert(data_.end(), bytes, bytes + size);
  }
  ::Bytes data_;
};

// The objects of a document, each its class name and fields.
Bytes ObjectsOf(Document& document) {
  FieldBytes fields;
  for (const auto& object : document.scene) {
    std::string name = object->className;
    fields.Text(name, 0);
    object->RecordAllFields(fields);
  }
  return std::move(fields.Data());
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
  Bytes objects;  // as saved (OpenTraceRenderSave) or as read (OpenAndTrace)
  Bytes saved;
};

void ResetDocument(Document& document) {
  FuzzResetSettings();
  document.header = MakeHeaderTemplate();
  document.ResetPage();
  AddCoordinateSystem(document);
  // The trace on one thread too (see FuzzSetUp).
  document.traceContext.SetThreads(1);
}

// One refresh with the experiment running (the trace printed as the
// command-line tool prints it), then Save and the saved bytes read back.
void TraceAndSave(Document& document, const std::string& savePath, Opened& out,
                  bool objectsAfterTrace) {
  if (!objectsAfterTrace) out.objects = ObjectsOf(document);
  std::ostringstream trace;
  TextTraceSink printer(trace);
  document.running = true;
  document.RefreshView(&printer);
  out.trace = trace.str();
  if (objectsAfterTrace) out.objects = ObjectsOf(document);
  std::string error;
  // A save may refuse what Open would refuse; that is not a fault.
  if (!SaveExperimentFile(savePath, document, &error)) return;
  out.saved = ReadScratchFile(savePath);
  out.ok = true;
}

// Open as at start-up, then one refresh of the surface with the experiment
// running (the trace printed as the command-line tool prints it), then Save.
Opened OpenTraceRenderSave(const std::string& path, const std::string& savePath) {
  Opened out;
  // Kept from input to input: the refresh paints the whole of it first.
  static QImage surface(kSurfaceWidth, kSurfaceHeight, QImage::Format_RGB32);
  QImageCanvas canvas(&surface);
  Document document(&canvas);
  ResetDocument(document);
  const OpenResult result = OpenExperimentFile(path, document);
  if (result.status != OpenStatus::Opened) return out;
  out.complete = result.complete;
  for (const auto& object : document.scene) object->ControlPointValues();
  TraceAndSave(document, savePath, out, /*objectsAfterTrace=*/true);
  return out;
}

// Opens a saved file and traces it as the command-line tool does, without
// painting (the paint was tried on the first opening), then saves it again.
Opened OpenTraceSave(const std::string& path, const std::string& savePath) {
  Opened out;
  Document document(nullptr);
  ResetDocument(document);
  const OpenResult result = OpenExperimentFile(path, document);
  if (result.status != OpenStatus::Opened) return out;
  out.complete = result.complete;
  TraceAndSave(document, savePath, out, /*objectsAfterTrace=*/false);
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
  // One input at a time on one core: painting threads would only hand the
  // work over (the refresh still paints on a thread of the pool).
  QThreadPool::globalInstance()->setMaxThreadCount(1);
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
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error || size > kMaxScratchBytes) FuzzFailure("cannot read " + path);
  Bytes bytes(size);
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> in(std::fopen(path.c_str(), "rb"), std::fclose);
  if (!in || std::fread(bytes.data(), 1, bytes.size(), in.get()) != bytes.size())
    FuzzFailure("cannot read " + path);
  return bytes;
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
  const Opened reopened = OpenTraceSave(first, second);
  Require(reopened.ok && reopened.complete, "a saved experiment does not open whole again");
  Require(reopened.objects == opened.objects, "the reopened experiment's objects are not the same");
  // The page and the header, which are not objects, are compared as saved.
  Require(reopened.saved == opened.saved, "the second save does not give the same bytes");
  Require(reopened.trace == opened.trace, "the reopened experiment does not trace the same");
}
