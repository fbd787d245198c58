#include "cli/ToolCommands.h"

#include <QBuffer>
#include <QDate>
#include <QImage>
#include <QImageWriter>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QThreadPool>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>

#include "cli/ToolConsole.h"
#include "cli/ToolLesson.h"
#include "cli/ToolStreams.h"
#include "files/ExperimentFile.h"
#include "files/LessonFile.h"
#include "files/RayOpticsScene.h"
#include "files/RayOpticsWriter.h"
#include "gfx/PresentationScale.h"
#include "gfx/RecordingCanvas.h"
#include "gfx/paint/QImageCanvas.h"
#include "i18n/TtlmController.h"
#include "objects/EquationPanel.h"
#include "objects/EquationReadout.h"
#include "objects/ObjectFactory.h"
#include "objects/Worksheet.h"
#include "optics/JsonTraceSink.h"
#include "optics/RayPicker.h"
#include "optics/TextTraceSink.h"
#include "optics/TraceFilter.h"
#include "scene/Document.h"
#include "scene/ProcessSettings.h"
#include "scene/VectorPicture.h"

namespace {

constexpr double kFollowTolerance = 5;  // px from the clicked point

std::string CannotWrite() { return Tr("ExoTool.CannotWrite", "不能写入"); }

// The engine state the program has at start-up, then Open of the file the
// user named, or of what came on standard input.
OpenResult OpenAsAtStartUp(Document& document, const std::string& name, ToolConsole& console,
                           int scene) {
  console.SetFile(name);
  std::unique_ptr<QTemporaryFile> copy;
  std::string path = name;
  if (IsStandardStream(name)) {
    copy = CopyStandardInput(kMaxExperimentFileSize, console);
    if (!copy) return {};
    path = copy->fileName().toStdString();
  }
  document.header = MakeHeaderTemplate();
  document.ResetPage();
  AddCoordinateSystem(document);
  if (!copy && IsLessonPath(name)) return OpenLessonScene(name, scene, document, console);
  OpenResult result = OpenExperimentFile(path, document);
  if (result.status == OpenStatus::Failed) console.AddReason(result.systemReason);
  return result;
}

// False when the file was refused or could not be read whole.
bool OpenLikeTheProgram(Document& document, const std::string& name, ToolConsole& console,
                        int scene) {
  const OpenResult result = OpenAsAtStartUp(document, name, console, scene);
  // A scene keeps what maps; the message named the rest.
  return result.status == OpenStatus::Opened &&
         (result.complete || RayOpticsScene::IsScenePath(name));
}

void ReportCut(bool cut, ToolConsole& console) {
  if (cut)
    console.ShowMessage(Tr("ExoTool.TraceCut", "光线或界面太多:追迹到了工作量的上限,提前结束了"));
}

// A source set to the special rays with no lens or curved mirror before it.
void ReportFallbacks(const TraceResult& trace, ToolConsole& console) {
  if (trace.fanFallbacks > 0)
    console.ShowMessage(
        Tr("SpecialRays.Fallback", "特殊光线:光源前方没有理想透镜或面镜,画出了扇形光线"));
}

// Standard output flushed: 1, said, when anything written there was lost.
int Finish(ToolConsole& console, int status = 0) {
  std::string reason;
  if (FlushStandardOutput(reason)) return status;
  console.SetFile("-", true);
  console.Problem(CannotWrite(), reason);
  return 1;
}

int PrintJson(const QJsonObject& object, ToolConsole& console, int status = 0) {
  const QByteArray text = QJsonDocument(object).toJson(QJsonDocument::Indented);
  StandardOutput().write(text.constData(), text.size());
  return Finish(console, status);
}

std::string Number(double v) {
  char text[64];
  std::snprintf(text, sizeof text, "%.9g", v);
  return text;
}

QString Q(const std::string& text) { return QString::fromStdString(text); }

int Info(const ToolArguments& args, ToolConsole& console) {
  RecordingCanvas canvas(kDefaultWidth, kDefaultHeight);
  canvas.keep = false;  // the paint after opening is not wanted
  Document document(&canvas);
  const std::string& name = args.files[0];
  if (IsLessonPath(name) && args.scene == 0) {
    const int status = LessonInfo(args, console);
    return status ? status : Finish(console);
  }
  // A file read in part is still described: what was read, then exit 1.
  const OpenResult result = OpenAsAtStartUp(document, name, console, args.scene);
  if (result.status != OpenStatus::Opened) return 1;
  const int status = result.complete ? 0 : 1;
  const FileHeader& h = document.header;
  const TNewPage& p = *document.page;
  if (args.json) {
    QJsonArray objects;
    for (std::size_t i = 0; i < document.scene.size(); ++i) {
      auto& object = *document.scene[i];
      QJsonArray points;
      for (const auto& point : object.ControlPointValues())
        points.append(QJsonArray{point.x, point.y});
      objects.append(QJsonObject{{"index", qint64(i)},
                                 {"class", Q(object.className)},
                                 {"name", Q(object.displayName)},
                                 {"points_px", points}});
    }
    const QJsonObject page{{"scale", p.reservedScale},
                           {"high_quality", p.highQuality},
                           {"ray_width_px", p.rayWidth},
                           {"ambient_colour_bgr", qint64(p.ambientColour)},
                           {"normals", p.drawNormals},
                           {"reverse", p.drawReverse},
                           {"axes", p.showAxes},
                           {"reserved_colour", p.reservedColour},
                           {"normal_colour_bgr", qint64(p.normalColour)},
                           {"reverse_colour_bgr", qint64(p.reverseColour)},
                           {"show_angles", document.showAngles}};
    return PrintJson({{"file", Q(name)},
                      {"complete", result.complete},
                      {"version", h.version},
                      {"size_bytes", h.fileSize},
                      {"format", Q(h.formatTag)},
                      {"date", Q(h.dateTime)},
                      {"product", Q(h.productTag)},
                      {"page", page},
                      {"objects", objects}},
                     console, status);
  }
  Print("file: %s\n", name.c_str());
  Print("version: %s\n", Number(h.version).c_str());
  Print("size: %d\n", h.fileSize);
  Print("format: %s\n", h.formatTag.c_str());
  Print("date: %s\n", h.dateTime.c_str());
  Print("product: %s\n", h.productTag.c_str());
  Print(
      "page: scale=%s highQuality=%u rayWidth=%d ambient=%u normals=%u reverse=%u axes=%u "
      "reservedColour=%d normalColour=%u reverseColour=%u showAngles=%u\n",
      Number(p.reservedScale).c_str(), p.highQuality, p.rayWidth, p.ambientColour, p.drawNormals,
      p.drawReverse, p.showAxes, p.reservedColour, p.normalColour, p.reverseColour,
      document.showAngles);
  Print("objects: %zu\n", document.scene.size());
  for (std::size_t i = 0; i < document.scene.size(); ++i) {
    auto& object = *document.scene[i];
    Print("%zu %s \"%s\"", i, object.className.c_str(), object.displayName.c_str());
    for (const auto& point : object.ControlPointValues())
      Print(" (%s,%s)", Number(point.x).c_str(), Number(point.y).c_str());
    Print("\n");
  }
  return Finish(console, status);
}

// The part of the trace asked for; a followed point that meets no ray
// follows none.
void ApplyView(const ToolArguments& args, Document& document) {
  document.view.maxGeneration = args.generations;
  if (!args.follow) return;
  RayPicker picker(*args.follow, kFollowTolerance);
  document.running = true;
  document.Trace(picker);
  document.view.followedRoot = picker.Root();
}

int Trace(const ToolArguments& args, ToolConsole& console) {
  RecordingCanvas canvas(args.width, args.height);
  // The picture is not wanted: lines are printed as they are traced, so
  // memory stays the same however long the trace.
  canvas.keep = false;
  Document document(&canvas);
  if (!OpenLikeTheProgram(document, args.files[0], console, args.scene)) return 1;
  ApplyView(args, document);
  document.running = true;
  if (args.json) {
    JsonTraceSink items;
    document.RefreshView(&items);
    ReportCut(document.lastTrace.cut, console);
    ReportFallbacks(document.lastTrace, console);
    return PrintJson({{"file", Q(args.files[0])},
                      {"width_px", args.width},
                      {"height_px", args.height},
                      {"generations", args.generations},
                      {"cut", document.lastTrace.cut},
                      {"ray_pieces", items.RayPieces()},
                      {"items", items.Items()}},
                     console);
  }
  TextTraceSink printer(StandardOutput());
  document.RefreshView(&printer);
  ReportCut(document.lastTrace.cut, console);
  ReportFallbacks(document.lastTrace, console);
  return Finish(console);
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
std::unique_ptr<Surface> OpenOnSurface(const ToolArguments& args, ToolConsole& console) {
  QImage image(args.width, args.height, QImage::Format_RGB32);
  if (image.isNull()) {
    console.ShowMessage(
        MainController().Translate("ExoTool.NoPicture", "不能生成 %sx%s 像素的图片",
                                   {std::to_string(args.width), std::to_string(args.height)}));
    return nullptr;
  }
  image.fill(Qt::black);
  auto surface = std::make_unique<Surface>(std::move(image));
  if (!OpenLikeTheProgram(surface->document, args.files[0], console, args.scene)) return nullptr;
  if (args.highQuality) Settings().highQuality = 1;
  return surface;
}

int Render(const ToolArguments& args, ToolConsole& console) {
  const auto surface = OpenOnSurface(args, console);
  if (!surface) return 1;
  Document& document = surface->document;
  if (args.presentation) SetPresentationScale(args.presentation);
  ApplyView(args, document);
  if (args.equations)
    document.afterTrace = [&document](TCanvas& c) { PaintEquationPanels(c, document.scene); };
  document.running = !args.noRun;
  QByteArray bytes;
  std::string reason;
  if (args.paper) {
    WorksheetOptions sheet;
    sheet.lessonTitle = args.lessonTitle;
    sheet.title = ExperimentTitle(IsStandardStream(args.files[0]) ? "" : args.files[0]);
    sheet.date = QDate::currentDate().toString(Qt::ISODate).toStdString();
    sheet.table = args.table == "blank"    ? WorksheetOptions::Table::Blank
                  : args.table == "values" ? WorksheetOptions::Table::Values
                                           : WorksheetOptions::Table::None;
    bytes = WorksheetBytes(document, QSize(args.width, args.height), sheet, args.format);
    ReportCut(document.traceCut, console);
  } else if (args.format == "svg" || args.format == "pdf") {
    // The scene and the trace drawn again as vector paths and text.
    bytes =
        VectorPictureBytes(document, args.format == "svg" ? VectorFormat::Svg : VectorFormat::Pdf,
                           args.width, args.height, "Veltrano Optics");
    ReportCut(document.traceCut, console);
  } else {
    ReportCut(document.RefreshView(), console);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer,
                        args.format == "jpg" ? "JPEG" : QByteArray(args.format.c_str()).toUpper());
    if (!writer.write(surface->image)) {
      reason = writer.errorString().toStdString();
      bytes.clear();
    }
  }
  console.SetFile(args.files[1], true);
  if (bytes.isEmpty() || !WriteOutput(args.files[1], bytes, reason)) {
    console.Problem(CannotWrite(), reason);
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
//   hit x y n1 n2 theta1 theta2 [R T] (n1 = n2 = 0: a reflection; R and T
//   where the face divides the light)
int Readout(const ToolArguments& args, ToolConsole& console) {
  RecordingCanvas canvas(kDefaultWidth, kDefaultHeight);
  canvas.keep = false;
  Document document(&canvas);
  if (!OpenLikeTheProgram(document, args.files[0], console, args.scene)) return 1;
  const auto equations = ReadEquations(document.scene);
  std::vector<TraceFilter::HitLaw> hits;
  bool followed = false;
  if (args.follow) {
    ApplyView(args, document);
    followed = document.view.followedRoot >= 0;
    if (followed) {
      PieceCounter nothing;
      TraceFilter filter(nothing, document.view);
      document.Trace(filter);
      hits = filter.FollowedHits();
    }
  }
  if (args.json) {
    QJsonArray elements, laws;
    for (const auto& r : equations)
      elements.append(QJsonObject{{"element", Q(r.element)},
                                  {"object", Q(r.source)},
                                  {"f_px", r.f},
                                  {"u_px", r.u},
                                  {"v_px", r.finite ? QJsonValue(r.v) : QJsonValue()},
                                  {"magnification", r.finite ? QJsonValue(r.m) : QJsonValue()},
                                  {"finite", r.finite},
                                  {"real", r.finite && r.real},
                                  {"upright", r.finite && r.upright}});
    for (const auto& h : hits)
      laws.append(QJsonObject{{"x_px", h.at.x},
                              {"y_px", h.at.y},
                              {"n1", h.n1},
                              {"n2", h.n2},
                              {"theta1_deg", h.theta1},
                              {"theta2_deg", h.theta2},
                              {"reflection", h.n1 == 0 && h.n2 == 0},
                              {"R", h.reflected < 0 ? QJsonValue() : QJsonValue(h.reflected)},
                              {"T", h.transmitted < 0 ? QJsonValue() : QJsonValue(h.transmitted)}});
    return PrintJson({{"file", Q(args.files[0])},
                      {"elements", elements},
                      {"followed", followed},
                      {"hits", laws}},
                     console);
  }
  for (const auto& r : equations)
    Print("element\t%s\t%s\t%s\n", r.element.c_str(), r.source.c_str(), EquationLine(r).c_str());
  for (const auto& h : hits) {
    Print("hit\t%.3f\t%.3f\t%.6g\t%.6g\t%.3f\t%.3f", h.at.x, h.at.y, h.n1, h.n2, h.theta1,
          h.theta2);
    if (h.reflected >= 0) Print("\t%.6f\t%.6f", h.reflected, h.transmitted);
    Print("\n");
  }
  return Finish(console);
}

int Resave(const ToolArguments& args, ToolConsole& console) {
  RecordingCanvas canvas(kDefaultWidth, kDefaultHeight);
  Document document(&canvas);
  if (!OpenLikeTheProgram(document, args.files[0], console, args.scene)) return 1;
  const std::string& out = args.files[1];
  console.SetFile(out, true);
  std::string error;
  if (!IsStandardStream(out)) {
    if (SaveExperimentFile(out, document, &error)) return 0;
    console.ShowMessage(error);
    return 1;
  }
  std::vector<std::uint8_t> data;
  if (!ExperimentBytesForSave(document, data, &error)) {
    console.ShowMessage(error);
    return 1;
  }
  const QByteArray bytes(reinterpret_cast<const char*>(data.data()), qsizetype(data.size()));
  if (WriteOutput(out, bytes, error)) return 0;
  console.Problem(CannotWrite(), error);
  return 1;
}

int Export(const ToolArguments& args, ToolConsole& console) {
  RecordingCanvas canvas(kDefaultWidth, kDefaultHeight);
  Document document(&canvas);
  if (!OpenLikeTheProgram(document, args.files[0], console, args.scene)) return 1;
  const std::string& out = args.files[1];
  console.SetFile(out, true);
  std::vector<std::string> messages;
  std::string error;
  const bool written = IsStandardStream(out)
                           ? WriteOutput(out, RayOpticsWriter::Bytes(document, messages), error)
                           : RayOpticsWriter::Save(document, out, error, messages);
  if (!written) {
    console.Problem(CannotWrite(), error);
    return 1;
  }
  // What the peer lacks is said, but the rest was written.
  for (const std::string& message : messages) console.ShowMessage(message);
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

int Bench(const ToolArguments& args, ToolConsole& console) {
  const auto surface = OpenOnSurface(args, console);
  if (!surface) return 1;
  Document& document = surface->document;
  // Every thread beside the caller comes from Qt's global pool (the raster
  // engine's span runs, the bands, a piped trace alike).
  if (args.threads) QThreadPool::globalInstance()->setMaxThreadCount(args.threads);
  if (args.threads) document.traceContext.SetThreads(args.threads);
  document.running = true;
  PieceCounter counter;
  const auto trace = TimeRuns(args.runs, [&] {
    counter.pieces = 0;
    document.Trace(counter);
  });
  const auto refresh = TimeRuns(args.runs, [&] { document.RefreshView(); });
  ReportCut(document.traceCut, console);
  const int traceThreads = document.traceContext.Threads();
  const int paintThreads = QThreadPool::globalInstance()->maxThreadCount();
  const bool highQuality = Settings().highQuality != 0;
  if (args.json)
    return PrintJson({{"file", Q(args.files[0])},
                      {"ray_pieces", counter.pieces},
                      {"runs", args.runs},
                      {"trace_median_ms", trace.first},
                      {"trace_min_ms", trace.second},
                      {"trace_threads", traceThreads},
                      {"refresh_median_ms", refresh.first},
                      {"refresh_min_ms", refresh.second},
                      {"refresh_threads", paintThreads},
                      {"width_px", args.width},
                      {"height_px", args.height},
                      {"high_quality", highQuality},
                      {"cut", document.traceCut}},
                     console);
  Print("ray pieces\t%lld\n", counter.pieces);
  Print("trace ms\tmedian %.3f\tmin %.3f\t(%d threads)\n", trace.first, trace.second, traceThreads);
  Print("refresh ms\tmedian %.3f\tmin %.3f\t(%dx%d%s, %d threads)\n", refresh.first, refresh.second,
        args.width, args.height, highQuality ? ", high quality" : "", paintThreads);
  return Finish(console);
}

}  // namespace

int RunCommand(const ToolArguments& args, ToolConsole& console) {
  if (args.command == "info") return Info(args, console);
  if (args.command == "trace") return Trace(args, console);
  if (args.command == "render") return Render(args, console);
  if (args.command == "bench") return Bench(args, console);
  if (args.command == "readout") return Readout(args, console);
  if (args.command == "resave" || args.command == "import") return Resave(args, console);
  if (args.command == "export") return Export(args, console);
  if (args.command == "lesson") return Finish(console, LessonCommand(args, console));
  return 2;
}
