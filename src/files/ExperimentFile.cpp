#include "files/ExperimentFile.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <ctime>
#include <exception>
#include <memory>

#include "files/FileConverter.h"
#include "files/RayOpticsScene.h"
#include "gfx/PictureAllowance.h"
#include "i18n/SharedTexts.h"
#include "i18n/TextCodec.h"
#include "i18n/TtlmController.h"
#include "objects/ObjectFactory.h"
#include "objects/tools/DrawImage.h"
#include "objects/tools/DrawString.h"
#include "platform/Platform.h"
#include "platform/ProgramFolders.h"
#include "scene/ByteStream.h"
#include "scene/Document.h"
#include "scene/IMessageSink.h"
#include "scene/PageGrid.h"
#include "scene/ProcessSettings.h"
#include "scene/RecordIo.h"

namespace {

constexpr const char* kFormatTag = "ptx";
constexpr const char* kProductTag = "物理光学软件";
constexpr float kVersion = 6.0f;
constexpr std::size_t kProductTagOffset = 58;
constexpr std::size_t kProductTagSize = 62;

std::string& DataDirectoryOverride() {
  static std::string directory;
  return directory;
}

void Show(OpenResult& result, const std::string& text) {
  result.messages.push_back(text);
  ShowMessage(text);
}

// False (said, and the result failed) when the file is not read.
bool ReadOrSay(const std::string& path, std::vector<std::uint8_t>& data, std::size_t maxBytes,
               OpenResult& result) {
  int systemError = 0;
  const FileRead read = ReadWholeFile(path, data, maxBytes, &systemError);
  if (read == FileRead::Read) return true;
  if (systemError != 0) result.systemReason = std::strerror(systemError);
  if (read == FileRead::TooLarge)
    Show(result, TooLargeFileMessage());
  else if (read == FileRead::NotRegularFile)
    Show(result, Tr("ExperimentFile.OpenNotRegular",
                    "这个名字不是普通文件(是文件夹、管道或设备),不能打开.") +
                     " " + path);
  else
    Show(result, Tr("8", "打开文件失败."));
  result.status = OpenStatus::Failed;
  return false;
}

// Text for a message: control bytes would garble a message box or a terminal.
std::string PrintableName(const std::string& raw) {
  std::string text = GbkToUtf8(raw);
  for (char& c : text)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
  return text;
}

std::string DamagedRecordMessage() {
  return Tr("ExperimentFile.DamagedRecord", "文件已经损坏,只读出了损坏处之前的控件.");
}

// Step 6 of Open, for a file that was accepted. A file read only in part
// does not lend the experiment its name: saving it there would put the part
// over the whole, so the next save asks for a name.
void FinishOpen(const std::string& path, Document& document, OpenResult& result) {
  document.page->fileName = result.complete ? path : TNewPage{}.fileName;
  // The page is fully applied before the snapshot, so that Undo back to the
  // opened state shows the axes as the page says.
  if (auto* frame = FindByClass(document.scene, "ReferenceFrame"))
    frame->isDrawn = document.page->showAxes;
  document.SyncOrigin();
  // One paint without tracing clears the skip-next-paint flags of objects
  // made by the converted reader; a snapshot holding one would hide the
  // object on the first refresh after Undo.
  document.Repaint(true);
  document.PushUndoSnapshot();
  // A file that was just opened whole has no unsaved change.
  document.page->saved = result.complete ? 1 : 0;
  if (!result.complete)
    Show(result, Tr("ExperimentFile.PartialOpen",
                    "文件只读取了一部分,实验没有使用此文件名;保存时请另选文件名,以免覆盖原文件."));
  document.RefreshView();
}

OpenResult OpenOlderFile(const std::string& path, Document& document, std::size_t maxBytes,
                         OpenResult result) {
  const ConversionResult conversion = ConvertOlderFile(DataDirectory(), path);
  if (conversion == ConversionResult::LibraryMissing) {
    // Nothing is damaged: the file is not ours, or needs a converter that
    // this installation does not have.
    Show(result, Tr("921",
                    "此文件不是本版本的实验文件。较早版本的实验文件需要文件转换程序才能打开，"
                    "但没有安装文件转换程序。"));
    result.status = OpenStatus::Failed;
    return result;
  }
  if (conversion == ConversionResult::LibraryDamaged) Show(result, Tr("11", "系统文件被破坏"));
  if (conversion != ConversionResult::Converted) {
    Show(result, Tr("14", "格式不对,不能打开."));
    result.status = OpenStatus::Failed;
    return result;
  }
  result.converted = true;
  const std::string question = Tr("12", "发现一个较低版本的文件是否仍然打开?");
  result.messages.push_back(question);
  if (!Settings().messages->AskYesNo(Tr("13", "提示"), question)) {
    // The file on disk stays converted; the experiment stays as it was.
    result.status = OpenStatus::Refused;
    return result;
  }
  std::vector<std::uint8_t> data;
  if (!ReadOrSay(path, data, maxBytes, result)) return result;
  document.ResetPage();
  LoadConvertedExperiment(data, document, result);
  result.status = OpenStatus::Opened;
  FinishOpen(path, document, result);
  return result;
}

}  // namespace

std::string DataDirectory() {
  const std::string& custom = DataDirectoryOverride();
  return custom.empty() ? ProgramDataFolder() + "DAT/" : custom;
}

void SetDataDirectory(const std::string& directory) { DataDirectoryOverride() = directory; }

FileHeader MakeHeaderTemplate() {
  FileHeader header;
  header.version = kVersion;
  header.formatTag = kFormatTag;
  header.productTag = kProductTag;
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
  header.dateTime = text;
  return header;
}

void WriteFileHeader(ByteWriter& out, const FileHeader& header) {
  out.WriteFloat(header.version);
  out.WriteInt32(header.fileSize);
  out.WriteFixedText(header.formatTag, 20);
  out.WriteFixedText(header.dateTime, 30);
  out.WriteFixedText(header.productTag, kProductTagSize);
}

FileHeader ReadFileHeader(std::span<const std::uint8_t> data) {
  std::vector<std::uint8_t> padded(kHeaderSize, 0);
  std::memcpy(padded.data(), data.data(), std::min(data.size(), kHeaderSize));
  ByteReader in(padded);
  FileHeader header;
  header.version = in.ReadFloat();
  header.fileSize = in.ReadInt32();
  header.formatTag = in.ReadFixedText(20);
  header.dateTime = in.ReadFixedText(30);
  header.productTag = in.ReadFixedText(kProductTagSize);
  return header;
}

bool HasCurrentProductTag(std::span<const std::uint8_t> data) {
  std::string field;
  for (std::size_t i = kProductTagOffset; i < kProductTagOffset + kProductTagSize; ++i) {
    const std::uint8_t c = i < data.size() ? data[i] : 0;
    if (c == 0) break;
    field += static_cast<char>(c);
  }
  return field == Utf8ToGbk(kProductTag);
}

namespace {

// The page record after the header, declared once for writing and reading.
void PageRecord(RecordIo& io, TNewPage& page, std::uint8_t& showAngles) {
  io.Fields(page.reservedScale, page.highQuality, page.rayWidth, page.ambientColour,
            page.drawNormals, page.drawReverse, page.showAxes, page.reservedColour,
            page.normalColour, page.reverseColour, showAngles, page.partialReflection);
  io.Padding(2 + 76);
}

}  // namespace

void WritePageSettings(ByteWriter& out, const TNewPage& page, std::uint8_t showAngles) {
  TNewPage written = page;
  RecordWriter writer(out);
  PageRecord(writer, written, showAngles);
}

bool LoadPageSettings(ByteReader& in, TNewPage& page, std::uint8_t& showAngles) {
  TNewPage read = page;
  std::uint8_t angles = 0;
  RecordReader reader(in);
  PageRecord(reader, read, angles);
  // Any ray width is kept as stored; painting bounds the pen.
  if (!reader.Ok() || !in.Ok()) return false;
  page = read;
  showAngles = angles;
  return true;
}

std::string TooLargeFileMessage() {
  return Tr("ExperimentFile.TooLarge", "实验文件不能大于 256 MB,这样大的文件不能打开,也不能保存.");
}

void ReportPicturesLeftOut(const PictureAllowance& pictures, OpenResult& result) {
  if (pictures.Refused() == 0) return;
  Show(result, Tr("ExperimentFile.PicturesLeftOut",
                  "有图片太大,没有读入,它们的位置显示\"无图片\"(一张图片最多 4096×4096 像素,"
                  "一个实验的图片合计最多 4 张这样大的图片).没有读入的图片:") +
                   " " + std::to_string(pictures.Refused()));
  result.complete = false;
}

OpenResult OpenExperimentFile(const std::string& path, Document& document, std::size_t maxBytes) {
  // A scene of Ray Optics Simulation opens as a new, unnamed experiment.
  if (RayOpticsScene::IsScenePath(path)) return RayOpticsScene::Import(path, document);
  OpenResult result;
  std::vector<std::uint8_t> data;
  if (!ReadOrSay(path, data, maxBytes, result)) return result;
  if (!HasCurrentProductTag(data))
    return OpenOlderFile(path, document, maxBytes, std::move(result));
  return OpenExperimentBytes(std::move(data), path, document, std::move(result));
}

OpenResult OpenExperimentBytes(std::vector<std::uint8_t> data, const std::string& name,
                               Document& document, OpenResult result) {
  const std::string& path = name;
  if (data.size() > kMaxExperimentFileSize) {
    Show(result, TooLargeFileMessage());
    result.status = OpenStatus::Refused;
    return result;
  }
  // Older layouts need the converter, which works on files only.
  if (!HasCurrentProductTag(data)) {
    Show(result, Tr("14", "格式不对,不能打开."));
    result.status = OpenStatus::Refused;
    return result;
  }
  const FileHeader header = ReadFileHeader(data);
  if (header.fileSize < 0 || static_cast<std::size_t>(header.fileSize) != data.size()) {
    Show(result, Tr(texts::kDamagedFile));
    result.status = OpenStatus::Refused;
    return result;
  }
  // Written so that a NaN version is refused as well.
  if (!(static_cast<double>(header.version) - 6.0 < 0.01)) {
    Show(result, Tr("10", "不能打开此版本，应在一个高版本中打开"));
    result.status = OpenStatus::Refused;
    return result;
  }

  // Read into a new page and list first: a file whose page record is damaged
  // must not cost the user the experiment on the surface.
  auto page = std::make_unique<TNewPage>();
  std::uint8_t showAngles = 0;
  const bool fitsFrame = data.size() >= kHeaderSize + kPageRecordSize + kTrailerSize;
  // The trailer is never object data: the reader stops before it.
  ByteReader in(
      std::span<const std::uint8_t>(data).first(fitsFrame ? data.size() - kTrailerSize : 0));
  if (!fitsFrame || !in.Seek(kHeaderSize) || !LoadPageSettings(in, *page, showAngles)) {
    Show(result, Tr(texts::kDamagedFile));
    result.status = OpenStatus::Refused;
    return result;
  }

  ObjectList objects;
  PictureAllowance pictures;
  try {
    while (in.Position() < in.Size()) {
      if (objects.size() >= kMaxObjects) {
        Show(result, Tr("ExperimentFile.TooManyObjects",
                        "实验文件里的控件太多,只读出了前面的控件.一个实验最多能有的控件数:") +
                         " " + std::to_string(kMaxObjects));
        result.complete = false;
        break;
      }
      const std::int32_t length = in.ReadInt32();
      if (!in.Ok() || length < 0 || static_cast<std::size_t>(length) > kMaxClassNameLength ||
          static_cast<std::size_t>(length) > in.Remaining()) {
        Show(result, DamagedRecordMessage());
        result.complete = false;
        break;
      }
      std::string className(static_cast<std::size_t>(length), '\0');
      in.ReadBytes(className.data(), className.size());
      auto object = CreateObjectByClassName(className, document.canvas);
      if (!object) {
        // Records carry no length, so nothing after an unknown record can be found.
        Show(result, "不能生成未知控件:" + PrintableName(className));
        result.complete = false;
        break;
      }
      bool loaded = false;
      try {
        loaded = object->LoadFromStream(in) && in.Ok();
      } catch (const std::bad_alloc&) {
        throw;
      } catch (const std::exception&) {
        loaded = false;
      }
      if (!loaded) {
        Show(result, DamagedRecordMessage());
        result.complete = false;
        break;
      }
      objects.push_back(std::move(object));
    }
  } catch (const std::bad_alloc&) {
    // Not a damaged file: the experiment on the surface stays as it was.
    ObjectList().swap(objects);
    Show(result, Tr(texts::kOutOfMemory));
    result.status = OpenStatus::Refused;
    return result;
  }
  ReadGridTrailer(data.data() + data.size() - kTrailerSize, kTrailerSize, *page);
  std::vector<std::uint8_t>().swap(data);  // not needed while the experiment is painted
  ReportPicturesLeftOut(pictures, result);

  document.ResetPage();
  document.page = std::move(page);
  document.showAngles = showAngles;
  document.scene = std::move(objects);
  document.header = header;
  result.status = OpenStatus::Opened;
  FinishOpen(path, document, result);
  return result;
}

std::vector<std::uint8_t> SerializeExperiment(const Document& document) {
  // The header always names the current layout: the template may hold the
  // banner of an older file that was opened through the converter.
  FileHeader header = MakeHeaderTemplate();
  if (!document.header.dateTime.empty()) header.dateTime = document.header.dateTime;
  ByteWriter out;
  WriteFileHeader(out, header);
  WritePageSettings(out, *document.page, document.showAngles);
  for (const auto& object : document.scene) object->SaveToStream(out);
  const FileTrailer trailer = GridTrailer(*document.page);
  static_assert(trailer.size() == kTrailerSize);
  out.WriteBytes(trailer.data(), trailer.size());
  out.PatchInt32(4, static_cast<std::int32_t>(out.Size()));
  return std::move(out.Data());
}

namespace {

// What a save would write, measured without writing it, and what of it Open
// would not read back.
struct SaveMeasure {
  std::size_t size = kHeaderSize + kPageRecordSize + kTrailerSize;
  std::size_t pictureBytes = 0, textBytes = 0, otherBytes = 0, otherObjects = 0;
  std::int64_t picturePixels = 0;
  // The first object with a text longer than its reader takes, and that bound.
  const DrawObjectUnit* overLong = nullptr;
  std::size_t textBound = 0;
};

SaveMeasure MeasureExperiment(const Document& document) {
  SaveMeasure m;
  for (const auto& object : document.scene) {
    std::size_t textBound = 0;
    const std::size_t bytes =
        4 + Utf8ToGbk(object->className).size() + object->RecordSize(&textBound);
    m.size += bytes;
    if (textBound != 0 && !m.overLong) {
      m.overLong = object.get();
      m.textBound = textBound;
    }
    if (const auto* image = dynamic_cast<const DrawImage*>(object.get())) {
      m.pictureBytes += bytes;
      if (image->hasPicture && image->picture)
        m.picturePixels +=
            std::int64_t(image->picture->image.width()) * image->picture->image.height();
    } else if (dynamic_cast<const DrawString*>(object.get())) {
      m.textBytes += bytes;
    } else {
      m.otherBytes += bytes;
      ++m.otherObjects;
    }
  }
  return m;
}

std::string Megabytes(std::size_t bytes) {
  return std::to_string((bytes + (1u << 20) - 1) >> 20) + " MB";
}

// Says what makes the file too large: only the kinds of object it holds.
std::string TooLargeToSaveMessage(const SaveMeasure& m) {
  std::string parts;
  auto add = [&](const std::string& part) { parts += (parts.empty() ? "" : ", ") + part; };
  if (m.pictureBytes)
    add(Tr("ExperimentFile.SizeOfPictures", "图片") + " " + Megabytes(m.pictureBytes));
  if (m.textBytes) add(Tr("ExperimentFile.SizeOfTexts", "文字") + " " + Megabytes(m.textBytes));
  if (m.otherBytes)
    add(std::to_string(m.otherObjects) + " " + Tr("ExperimentFile.SizeOfObjects", "个其他控件") +
        " " + Megabytes(m.otherBytes));
  return TooLargeFileMessage() + " " + Tr("ExperimentFile.SaveWouldBe", "这个实验保存后有") + " " +
         Megabytes(m.size) + ": " + parts + ".";
}

}  // namespace

std::size_t SerializedExperimentSize(const Document& document) {
  return MeasureExperiment(document).size;
}

bool ExperimentBytesForSave(const Document& document, std::vector<std::uint8_t>& data,
                            std::string* error, std::size_t maxBytes) {
  auto fail = [&](const std::string& text) {
    if (error) *error = Tr("ExperimentFile.SaveFailed", "保存文件失败.") + " " + text;
    return false;
  };
  // Measured first: what Open would refuse or not read back whole is not
  // written at all.
  const SaveMeasure measure = MeasureExperiment(document);
  if (measure.size > std::min<std::size_t>(maxBytes, INT32_MAX))
    return fail(TooLargeToSaveMessage(measure));
  if (measure.overLong)
    return fail(Tr("ExperimentFile.TextTooLong",
                   "有一段文字太长,打开时读不回来,所以没有保存;请缩短它.最多可以有的字节数:") +
                " " + std::to_string(measure.textBound) + " (" + measure.overLong->displayName +
                ")");
  if (measure.picturePixels > PictureAllowance::kExperimentPixels)
    return fail(Tr("ExperimentFile.PicturesTooMany",
                   "图片合计太大,打开时有的图片读不回来,所以没有保存(一个实验的图片合计最多 4 张 "
                   "4096×4096 像素那样大的图片);请删除或缩小一些图片."));
  data = SerializeExperiment(document);
  return true;
}

bool SaveExperimentFile(const std::string& path, const Document& document, std::string* error,
                        std::size_t maxBytes) {
  auto fail = [&](const std::string& text) {
    if (error) *error = Tr("ExperimentFile.SaveFailed", "保存文件失败.") + " " + text;
    return false;
  };
  if (path.empty()) return fail("(no file name)");
  std::vector<std::uint8_t> data;
  if (!ExperimentBytesForSave(document, data, error, maxBytes)) return false;
  // A save that was killed leaves an empty temporary file or one that starts
  // with our header.
  const TemporaryCheck ours = [](std::span<const std::uint8_t> head) {
    return head.empty() || HasCurrentProductTag(head);
  };
  std::string reason;
  WriteRefusal refusal = WriteRefusal::None;
  if (WriteFileAtomically(path, data, ours, &reason, &refusal)) return true;
  if (refusal == WriteRefusal::ReadOnly)
    return fail(
        Tr("ExperimentFile.ReadOnly",
           "这个文件是只读的,没有保存,文件保持原样.要保存这个实验,请用\"另存为\"另选一个文件名.") +
        " " + path);
  if (refusal == WriteRefusal::NotRegularFile)
    return fail(Tr("ExperimentFile.SaveNotRegular",
                   "这个名字不是普通文件(是文件夹、管道或设备),不能保存到这里;请另选一个文件名.") +
                " " + path);
  return fail(reason);
}
