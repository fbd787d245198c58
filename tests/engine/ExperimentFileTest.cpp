// Experiment files of the current layout: writing, reading, refusals.

#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>

#include "ExperimentFileFixture.h"
#include "ObjectRecord.h"
#include "i18n/TextCodec.h"
#include "objects/ObjectFactory.h"
#include "objects/tools/DrawString.h"
#include "scene/ByteStream.h"

namespace {

const std::string kCannotOpen = "打开文件失败.";
const std::string kDamaged = "文件格已经损,不能打开.";
const std::string kTooNew = "不能打开此版本，应在一个高版本中打开";
const std::string kNoConverter =
    "此文件不是本版本的实验文件。较早版本的实验文件需要文件转换程序才能打开，"
    "但没有安装文件转换程序。";
const std::string kSystemDamaged = "系统文件被破坏";
const std::string kBadFormat = "格式不对,不能打开.";
const std::string kUnknown = "不能生成未知控件:";
const std::string kDamagedRecord = "文件已经损坏,只读出了损坏处之前的控件.";
const std::string kPartial =
    "文件只读取了一部分,实验没有使用此文件名;保存时请另选文件名,以免覆盖原文件.";

// A source whose ray runs along y = 300 and a mirror it meets.
ExperimentFileBuilder SampleFile() {
  ExperimentFileBuilder b;
  b.page.axes = 1;
  b.ReferenceFrame(20, 300);
  LampHouseFields lamp;
  lamp.rayCount = 3;
  lamp.spacing = 12;
  lamp.rayColour = 0x00FFFF;
  lamp.indexFactor = 1.25f;
  BaseFields base = ExperimentFileBuilder::Lamp();
  base.name = "光源一";
  base.reservedByte = 0x5A;
  b.LampHouse(lamp, base);
  b.FlatMirror(450, 250, 350, 350);
  return b;
}

std::vector<std::string> ClassNames(const Document& d) {
  std::vector<std::string> names;
  for (const auto& o : d.scene) names.push_back(o->className);
  return names;
}

}  // namespace

// ------------------------------------------------------------------ writing

class ExperimentFileWriting : public ExperimentFileFixture {};

TEST_F(ExperimentFileWriting, HeaderHasVersionTrueSizeTagsAndDate) {
  document.header.dateTime = "2024-05-06 07:08:09";
  const FileBytes data = SerializeExperiment(document);
  ASSERT_GE(data.size(), 120u + 108u + 14u);
  EXPECT_FLOAT_EQ(ReadFloatAt(data, 0), 6.0f);
  EXPECT_EQ(ReadInt32At(data, 4), static_cast<std::int32_t>(data.size()));
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&data[8])), "ptx");
  for (std::size_t i = 8 + 3; i < 28; ++i) EXPECT_EQ(data[i], 0) << "format tag padding " << i;
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&data[28])), "2024-05-06 07:08:09");
  const std::string product = Utf8ToGbk("物理光学软件");
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&data[58]), product.size()), product);
  for (std::size_t i = 58 + product.size(); i < 120; ++i) EXPECT_EQ(data[i], 0) << i;
}

TEST_F(ExperimentFileWriting, HeaderOfAFreshTemplateCarriesTheDateAndTime) {
  const FileHeader h = MakeHeaderTemplate();
  EXPECT_FLOAT_EQ(h.version, 6.0f);
  EXPECT_EQ(h.formatTag, "ptx");
  EXPECT_EQ(h.productTag, "物理光学软件");
  ASSERT_EQ(h.dateTime.size(), 19u);  // yyyy-mm-dd hh:mm:ss fits the 30-byte field
  EXPECT_EQ(h.dateTime[4], '-');
  EXPECT_EQ(h.dateTime[13], ':');
}

TEST_F(ExperimentFileWriting, PageRecordFieldsAtTheirOffsets) {
  TNewPage& p = *document.page;
  p.reservedScale = 1.5f;
  p.highQuality = 1;
  p.rayWidth = 3;
  p.ambientColour = 0x112233;
  p.drawNormals = 0;
  p.drawReverse = 1;
  p.showAxes = 1;
  p.reservedColour = 254;
  p.normalColour = 0x445566;
  p.reverseColour = 0x778899;
  document.showAngles = 1;
  const FileBytes data = SerializeExperiment(document);
  const std::size_t o = 120;
  EXPECT_FLOAT_EQ(ReadFloatAt(data, o + 0), 1.5f);
  EXPECT_EQ(data[o + 4], 1);
  EXPECT_EQ(ReadInt32At(data, o + 5), 3);
  EXPECT_EQ(ReadInt32At(data, o + 9), 0x112233);
  EXPECT_EQ(data[o + 13], 0);
  EXPECT_EQ(data[o + 14], 1);
  EXPECT_EQ(data[o + 15], 1);
  EXPECT_EQ(ReadInt32At(data, o + 16), 254);
  EXPECT_EQ(ReadInt32At(data, o + 20), 0x445566);
  EXPECT_EQ(ReadInt32At(data, o + 24), 0x778899);
  EXPECT_EQ(ReadInt32At(data, o + 28), 1);  // flag byte, then three zero bytes
  for (std::size_t i = o + 32; i < o + 108; ++i) EXPECT_EQ(data[i], 0) << "reserved " << i;
  p.partialReflection = 1;  // the byte after the angles flag
  EXPECT_EQ(ReadInt32At(SerializeExperiment(document), o + 28), 0x101);
}

TEST_F(ExperimentFileWriting, ObjectRecordsInSceneOrderThenTrailer) {
  auto lamp = CreateObjectByClassName("LampHouse", &canvas);
  auto mirror = CreateObjectByClassName("FlatMirror", &canvas);
  ASSERT_TRUE(lamp && mirror);
  lamp->BeginCreate(100, 300);
  lamp->EndCreate(150, 300);
  mirror->BeginCreate(450, 250);
  mirror->EndCreate(350, 350);
  document.scene.push_back(std::move(lamp));
  document.scene.push_back(std::move(mirror));
  const FileBytes data = SerializeExperiment(document);

  FileBytes expected;
  for (const auto& object : document.scene) {
    const FileBytes record = RecordBytes(*object);
    expected.insert(expected.end(), record.begin(), record.end());
  }
  ASSERT_EQ(data.size(), 120u + 108u + expected.size() + 14u);
  EXPECT_TRUE(std::equal(expected.begin(), expected.end(), data.begin() + 228));
  EXPECT_EQ(ReadInt32At(data, 4), static_cast<std::int32_t>(data.size()));
}

TEST_F(ExperimentFileWriting, EmptyExperimentIsHeaderPageAndTrailer) {
  document.scene.clear();
  EXPECT_EQ(SerializeExperiment(document).size(), 120u + 108u + 14u);
}

TEST_F(ExperimentFileWriting, HeaderNamesTheCurrentLayoutEvenAfterAnOddTemplate) {
  // After an older file was opened the template buffer holds its banner.
  document.header.version = 2.5f;
  document.header.formatTag = "old";
  document.header.productTag = "banner";
  const FileBytes data = SerializeExperiment(document);
  EXPECT_FLOAT_EQ(ReadFloatAt(data, 0), 6.0f);
  EXPECT_TRUE(HasCurrentProductTag(data));
}

// ------------------------------------------------------------------ reading

class ExperimentFileReading : public ExperimentFileFixture {};

TEST_F(ExperimentFileReading, BuiltFileReadFieldByField) {
  ExperimentFileBuilder b = SampleFile();
  b.page.rayWidth = 3;
  b.page.ambient = 0x102030;
  b.page.normals = 0;
  b.page.reverse = 1;
  b.page.reservedColour = 77;
  b.page.normalColour = 0x00FF00;
  b.page.reverseColour = 0xFF00FF;
  b.page.showAngles = 1;
  b.page.highQuality = 1;
  b.page.scale = 2.0f;
  const std::string path = Write("sample.exo", b.Build());
  const OpenResult r = OpenExperimentFile(path, document);
  ASSERT_EQ(r.status, OpenStatus::Opened);
  EXPECT_TRUE(r.complete);
  EXPECT_TRUE(r.messages.empty());

  const TNewPage& p = *document.page;
  EXPECT_FLOAT_EQ(p.reservedScale, 2.0f);
  EXPECT_EQ(p.highQuality, 1);
  EXPECT_EQ(p.rayWidth, 3);
  EXPECT_EQ(p.ambientColour, 0x102030u);
  EXPECT_EQ(p.drawNormals, 0);
  EXPECT_EQ(p.drawReverse, 1);
  EXPECT_EQ(p.showAxes, 1);
  EXPECT_EQ(p.reservedColour, 77);
  EXPECT_EQ(p.normalColour, 0x00FF00u);
  EXPECT_EQ(p.reverseColour, 0xFF00FFu);
  EXPECT_EQ(document.showAngles, 1);
  EXPECT_EQ(document.header.dateTime, "2024-01-02 03:04:05");

  ASSERT_EQ(ClassNames(document),
            (std::vector<std::string>{"ReferenceFrame", "LampHouse", "FlatMirror"}));
  DrawObjectUnit& lamp = *document.scene[1];
  EXPECT_EQ(lamp.displayName, "光源一");
  EXPECT_EQ(lamp.name3, "n3");
  EXPECT_EQ(lamp.name4, "n4");
  EXPECT_EQ(lamp.color, 0xFFu);
  EXPECT_EQ(lamp.handleSize, 16);
  const auto points = lamp.ControlPointValues();
  ASSERT_GE(points.size(), 2u);
  EXPECT_EQ(points[0], (TPointF{100, 300}));
  EXPECT_EQ(points[1], (TPointF{150, 300}));
  // The source's own fields, as it writes them back.
  const FileBytes record = RecordBytes(lamp);
  const std::size_t own = record.size() - (80 + 4 + 4 + 1 + 40);
  EXPECT_FLOAT_EQ(ReadFloatAt(record, own + 36), 1.25f);
  EXPECT_EQ(ReadInt32At(record, own + 40), 0x00FFFF);
  EXPECT_EQ(ReadInt32At(record, own + 80), 3);
  EXPECT_FLOAT_EQ(ReadFloatAt(record, own + 84), 12.0f);
  for (std::size_t i = record.size() - 40; i < record.size(); ++i) EXPECT_EQ(record[i], 0x5A);

  const auto mirror = document.scene[2]->ControlPointValues();
  ASSERT_GE(mirror.size(), 2u);
  EXPECT_EQ(mirror[0], (TPointF{450, 250}));
  EXPECT_EQ(mirror[1], (TPointF{350, 350}));
}

TEST_F(ExperimentFileReading, WriterOutputReadsBackToTheSameBytes) {
  const std::string first = Write("first.exo", SampleFile().Build());
  ASSERT_EQ(OpenExperimentFile(first, document).status, OpenStatus::Opened);
  const FileBytes written = SerializeExperiment(document);

  Document second(&canvas);
  StartLikeTheProgram(second);
  const std::string path = Write("second.exo", written);
  ASSERT_EQ(OpenExperimentFile(path, second).status, OpenStatus::Opened);
  EXPECT_EQ(SerializeExperiment(second), written);
  EXPECT_EQ(ClassNames(second), ClassNames(document));
}

// Fixed-width fields (the header's date, an annotation's font name) are cut
// before a two-byte character that does not fit whole, whichever byte the
// width falls on, so that the text reads back as written.
class FixedWidthText : public ExperimentFileFixture,
                       public testing::WithParamInterface<const char*> {};

TEST_P(FixedWidthText, IsCutOnACharacterBoundary) {
  std::string text = GetParam();
  for (int i = 0; i < 60; ++i) text += "光";
  document.header.dateTime = text;
  auto annotation = CreateObjectByClassName("DrawString", document.canvas);
  static_cast<DrawString&>(*annotation).font.name = text;
  document.scene.push_back(std::move(annotation));
  const FileBytes first = SerializeExperiment(document);
  ASSERT_EQ(OpenExperimentFile(Write("cut.exo", first), document).status, OpenStatus::Opened);
  const std::string& font = static_cast<DrawString&>(*document.scene.back()).font.name;
  for (const auto& [read, width] : {std::pair{document.header.dateTime, 30u},
                                    std::pair{font, unsigned(DrawString::kFontNameBytes)}}) {
    EXPECT_EQ(text.rfind(read, 0), 0u) << read;
    EXPECT_GE(Utf8ToGbk(read).size() + 2, width) << read;
  }
}

INSTANTIATE_TEST_SUITE_P(EitherByte, FixedWidthText, testing::Values("", "a"));

TEST_F(ExperimentFileReading, AfterOpenNameSavedFlagOneSnapshotNotRunning) {
  document.running = true;
  document.page->fileName = "before.exo";
  const std::string path = Write("sample.exo", SampleFile().Build());
  ASSERT_EQ(OpenExperimentFile(path, document).status, OpenStatus::Opened);
  EXPECT_EQ(document.page->fileName, path);
  EXPECT_EQ(document.page->saved, 1);
  EXPECT_EQ(document.history.Size(), 1u);
  EXPECT_FALSE(document.running);
  EXPECT_TRUE(document.selection.empty());
}

TEST_F(ExperimentFileReading, CoordinateSystemDrawnAsThePageSays) {
  for (std::uint8_t axes : {0, 1}) {
    ExperimentFileBuilder b = SampleFile();
    b.page.axes = axes;
    const std::string path = Write("axes.exo", b.Build());
    ASSERT_EQ(OpenExperimentFile(path, document).status, OpenStatus::Opened);
    ASSERT_EQ(document.scene.size(), 3u);
    ASSERT_EQ(document.scene[0]->className, "ReferenceFrame");
    EXPECT_EQ(document.scene[0]->isDrawn, axes);
    // The opened state in the history is the page fully applied.
    document.PushUndoSnapshot();
    ASSERT_TRUE(document.Undo());
    EXPECT_EQ(document.scene[0]->isDrawn, axes);
  }
}

TEST_F(ExperimentFileReading, OriginComesFromTheFilesCoordinateSystem) {
  ExperimentFileBuilder b;
  b.ReferenceFrame(140, 210);
  Settings().originX = 500;  // left over from a drag before the open
  ASSERT_EQ(OpenExperimentFile(Write("o.exo", b.Build()), document).status, OpenStatus::Opened);
  EXPECT_EQ(Settings().originX, 140);
  EXPECT_EQ(Settings().originY, 210);
  ExperimentFileBuilder none;
  ASSERT_EQ(OpenExperimentFile(Write("n.exo", none.Build()), document).status, OpenStatus::Opened);
  EXPECT_EQ(Settings().originX, 20);
  EXPECT_EQ(Settings().originY, 300);
}

TEST_F(ExperimentFileReading, OnlyTheFirstCoordinateSystemFollowsThePage) {
  ExperimentFileBuilder b;
  b.page.axes = 1;
  b.ReferenceFrame(20, 300).ReferenceFrame(40, 200);
  const std::string path = Write("two.exo", b.Build());
  ASSERT_EQ(OpenExperimentFile(path, document).status, OpenStatus::Opened);
  ASSERT_EQ(document.scene.size(), 2u);
  EXPECT_EQ(document.scene[0]->isDrawn, 1);
  EXPECT_EQ(document.scene[1]->isDrawn, 0);  // as its constructor left it
}

TEST_F(ExperimentFileReading, FileOfOnlyHeaderPageAndTrailerHasNoObjects) {
  const std::string path = Write("empty.exo", ExperimentFileBuilder().Build());
  ASSERT_EQ(std::filesystem::file_size(path), 242u);
  const OpenResult r = OpenExperimentFile(path, document);
  EXPECT_EQ(r.status, OpenStatus::Opened);
  EXPECT_TRUE(r.complete);
  EXPECT_TRUE(document.scene.empty());  // not even a coordinate system
}

TEST_F(ExperimentFileReading, OlderVersionNumbersReadAsCurrent) {
  for (float version : {6.0f, 5.5f, 1.0f, 6.009f, -3.0f}) {
    ExperimentFileBuilder b = SampleFile();
    b.version = version;
    const std::string path = Write("v.exo", b.Build());
    EXPECT_EQ(OpenExperimentFile(path, document).status, OpenStatus::Opened) << version;
  }
}

TEST_F(ExperimentFileReading, RayWidthOutOfRangeOpensAndIsSavedBackAsStored) {
  for (std::int32_t width : {2000000000, -1, std::numeric_limits<std::int32_t>::min()}) {
    ExperimentFileBuilder b = SampleFile();
    b.page.rayWidth = width;
    const FileBytes data = b.Build();
    const OpenResult r = OpenExperimentFile(Write("width.exo", data), document);
    EXPECT_EQ(r.status, OpenStatus::Opened) << width;
    EXPECT_TRUE(r.messages.empty()) << width;
    EXPECT_EQ(document.page->rayWidth, width);
    EXPECT_EQ(SerializeExperiment(document), data) << width;
  }
}

TEST_F(ExperimentFileReading, TrailerBytesAreNeverObjectData) {
  // A trailer that looks like the start of a record must not be read.
  ExperimentFileBuilder b = SampleFile();
  FileBytes trailer;
  AppendStringRecord(trailer, "FlatMirror");
  trailer.resize(14, 0);
  b.trailer = trailer;
  const std::string path = Write("trailer.exo", b.Build());
  const OpenResult r = OpenExperimentFile(path, document);
  EXPECT_EQ(r.status, OpenStatus::Opened);
  EXPECT_TRUE(r.complete);
  EXPECT_EQ(document.scene.size(), 3u);
}

// ------------------------------------------------------------------ refusals

class ExperimentFileRefusals : public ExperimentFileFixture {
 protected:
  // The experiment on the surface before the refused open.
  void SetUp() override {
    ExperimentFileFixture::SetUp();
    document.page->fileName = "/current/experiment.exo";
    document.page->saved = 0;
    document.PushUndoSnapshot();
    before_ = document.scene.front().get();
  }
  void ExpectUntouched() {
    EXPECT_EQ(document.page->fileName, "/current/experiment.exo");
    EXPECT_EQ(document.page->saved, 0);
    EXPECT_EQ(document.history.Size(), 1u);
    ASSERT_EQ(document.scene.size(), 1u);
    EXPECT_EQ(document.scene.front().get(), before_);
  }
  OpenResult OpenBytes(const FileBytes& bytes) {
    return OpenExperimentFile(Write("refused.exo", bytes), document);
  }
  DrawObjectUnit* before_ = nullptr;
};

TEST_F(ExperimentFileRefusals, MissingFileCannotBeOpened) {
  const OpenResult r = OpenExperimentFile(dir + "/missing.exo", document);
  EXPECT_EQ(r.status, OpenStatus::Failed);
  EXPECT_EQ(r.messages, std::vector<std::string>{kCannotOpen});
  EXPECT_EQ(Messages(), std::vector<std::string>{kCannotOpen});
  ExpectUntouched();
}

// Only regular files are read: a folder, a pipe, a device (even through a
// link) are said to be no file, and a pipe never holds the reader up.
TEST_F(ExperimentFileRefusals, WhatIsNoRegularFileIsNotOpened) {
  ASSERT_EQ(mkfifo((dir + "/pipe.exo").c_str(), 0600), 0);
  ASSERT_EQ(symlink("/dev/zero", (dir + "/device.exo").c_str()), 0);
  ASSERT_EQ(symlink("pipe.exo", (dir + "/pipe-link.exo").c_str()), 0);
  for (const std::string name : {"", "/pipe.exo", "/device.exo", "/pipe-link.exo"}) {
    const OpenResult r = OpenExperimentFile(dir + name, document);
    EXPECT_EQ(r.status, OpenStatus::Failed) << name;
    ASSERT_EQ(r.messages.size(), 1u) << name;
    EXPECT_EQ(r.messages[0].rfind("这个名字不是普通文件", 0), 0u) << r.messages[0];
    ExpectUntouched();
  }
}

TEST_F(ExperimentFileRefusals, SizeFieldOffByOneIsDamaged) {
  const FileBytes good = SampleFile().Build();
  for (int delta : {-1, 1}) {
    FileBytes data = good;
    PatchInt32(data, 4, static_cast<std::int32_t>(data.size()) + delta);
    const OpenResult r = OpenBytes(data);
    EXPECT_EQ(r.status, OpenStatus::Refused);
    EXPECT_EQ(r.messages, std::vector<std::string>{kDamaged});
  }
  ExpectUntouched();
}

TEST_F(ExperimentFileRefusals, VersionFromSixPointZeroOneIsTooNew) {
  for (float version : {6.01f, 6.5f, 100.0f, std::numeric_limits<float>::infinity(),
                        std::numeric_limits<float>::quiet_NaN()}) {
    ExperimentFileBuilder b = SampleFile();
    b.version = version;
    const OpenResult r = OpenBytes(b.Build());
    EXPECT_EQ(r.status, OpenStatus::Refused) << version;
    EXPECT_EQ(r.messages, std::vector<std::string>{kTooNew}) << version;
  }
  ExpectUntouched();
}

TEST_F(ExperimentFileRefusals, SizeCheckComesBeforeVersionCheck) {
  ExperimentFileBuilder b = SampleFile();
  b.version = 7.0f;
  b.SizeField(5);
  EXPECT_EQ(OpenBytes(b.Build()).messages, std::vector<std::string>{kDamaged});
}

TEST_F(ExperimentFileRefusals, PageRecordWithoutRoomIsDamaged) {
  ExperimentFileBuilder b;
  FileBytes data = b.Build();
  data.erase(data.begin() + 120, data.begin() + 200);  // page record cut short
  PatchInt32(data, 4, static_cast<std::int32_t>(data.size()));
  const OpenResult r = OpenBytes(data);
  EXPECT_EQ(r.status, OpenStatus::Refused);
  EXPECT_EQ(r.messages, std::vector<std::string>{kDamaged});
  ExpectUntouched();
}

TEST_F(ExperimentFileRefusals, OlderFileWithoutConverter) {
  ExperimentFileBuilder b = SampleFile();
  b.productTag = "物理光学";
  const OpenResult r = OpenBytes(b.Build());
  EXPECT_EQ(r.status, OpenStatus::Failed);
  EXPECT_EQ(r.messages, std::vector<std::string>{kNoConverter});
  EXPECT_EQ(Messages(), std::vector<std::string>{kNoConverter});
  ExpectUntouched();
}

TEST_F(ExperimentFileRefusals, ShortFileIsAnOlderFile) {
  EXPECT_EQ(OpenBytes(FileBytes{'h', 'i'}).messages, std::vector<std::string>{kNoConverter});
  EXPECT_EQ(OpenBytes(FileBytes{}).messages, std::vector<std::string>{kNoConverter});
  ExpectUntouched();
}

TEST_F(ExperimentFileRefusals, ConverterThatFailsOrThrows) {
  InstallConverter();
  for (const std::string content : {"not convertible", "STUB-THROW"}) {
    const FileBytes bytes(content.begin(), content.end());
    const OpenResult r = OpenBytes(bytes);
    EXPECT_EQ(r.status, OpenStatus::Failed) << content;
    EXPECT_EQ(r.messages, std::vector<std::string>{kBadFormat}) << content;
  }
  ExpectUntouched();
}

TEST_F(ExperimentFileRefusals, ConverterThatIsNoLibrary) {
  std::filesystem::create_directories(dir + "/DAT");
  WriteBytesToFile(dir + "/DAT/changfiletov5.dat", FileBytes{'M', 'Z', 0, 0});
  // Installed but unusable: here the installation is damaged.
  EXPECT_EQ(OpenBytes(FileBytes{'o', 'l', 'd'}).messages,
            (std::vector<std::string>{kSystemDamaged, kBadFormat}));
  ExpectUntouched();
}

TEST_F(ExperimentFileRefusals, DeclinedOlderFileStaysConvertedOnDisk) {
  InstallConverter();
  ConvertedFileBuilder converted;
  const FileBytes text = converted.Build();
  const FileBytes older = ForTheConverter(text);
  ui->messages.answer = false;
  const std::string path = Write("older.exo", older);
  const OpenResult r = OpenExperimentFile(path, document);
  EXPECT_EQ(r.status, OpenStatus::Refused);
  EXPECT_TRUE(r.converted);
  EXPECT_EQ(Messages(), std::vector<std::string>{"提示: 发现一个较低版本的文件是否仍然打开?"});
  EXPECT_EQ(ReadBytesFromFile(path), text);
  ExpectUntouched();
}

// ------------------------------------------------------------------ damage

class ExperimentFileDamage : public ExperimentFileFixture {};

TEST_F(ExperimentFileDamage, UnknownClassKeepsTheObjectsBeforeIt) {
  ExperimentFileBuilder b;
  b.ReferenceFrame(20, 300).LampHouse({}).ClassNameOnly("Foo").FlatMirror(1, 2, 3, 4);
  const OpenResult r = OpenExperimentFile(Write("unknown.exo", b.Build()), document);
  EXPECT_EQ(r.status, OpenStatus::Opened);
  EXPECT_FALSE(r.complete);
  EXPECT_EQ(r.messages, (std::vector<std::string>{kUnknown + "Foo", kPartial}));
  EXPECT_EQ(ClassNames(document), (std::vector<std::string>{"ReferenceFrame", "LampHouse"}));
  // The part must not be saved over the whole file without a new name.
  EXPECT_EQ(document.page->fileName, "0");
  EXPECT_EQ(document.page->saved, 0);
}

TEST_F(ExperimentFileDamage, ClassNamesCompareExactly) {
  for (const std::string name : {"flatmirror", "FlatMirror ", "DrawObjectUnit", ""}) {
    ExperimentFileBuilder b;
    b.ClassNameOnly(name);
    const OpenResult r = OpenExperimentFile(Write("case.exo", b.Build()), document);
    EXPECT_EQ(r.messages, (std::vector<std::string>{kUnknown + name, kPartial})) << name;
    EXPECT_TRUE(document.scene.empty());
  }
}

TEST_F(ExperimentFileDamage, UnknownClassNameIsShownReadably) {
  ExperimentFileBuilder b;
  b.ClassNameOnly(Gbk("未知") + "\x01\x1b");
  const OpenResult r = OpenExperimentFile(Write("gbk.exo", b.Build()), document);
  EXPECT_EQ(r.messages.front(), kUnknown + "未知??");
}

TEST_F(ExperimentFileDamage, ClassNameLengthsOutOfBounds) {
  for (std::int32_t length :
       {-1, std::numeric_limits<std::int32_t>::min(), 65, 0x7FFFFFFF, 100000}) {
    ExperimentFileBuilder b;
    b.LampHouse({});
    FileBytes tail;
    AppendInt32(tail, length);
    tail.resize(tail.size() + 100, 'A');
    b.RawBytes(tail);
    const OpenResult r = OpenExperimentFile(Write("len.exo", b.Build()), document);
    EXPECT_EQ(r.status, OpenStatus::Opened) << length;
    EXPECT_FALSE(r.complete);
    EXPECT_EQ(r.messages, (std::vector<std::string>{kDamagedRecord, kPartial})) << length;
    EXPECT_EQ(ClassNames(document), std::vector<std::string>{"LampHouse"});
  }
}

TEST_F(ExperimentFileDamage, StringLengthsInsideARecordOutOfBounds) {
  const FileBytes good = SampleFile().Build();
  const std::size_t lamp = SampleFile().RecordOffsets()[1];
  const std::size_t nameLength = lamp + 4 + 9;
  for (std::int32_t length : {-1, std::numeric_limits<std::int32_t>::min(), 0x7FFFFFFF,
                              static_cast<std::int32_t>(good.size())}) {
    FileBytes data = good;
    PatchInt32(data, nameLength, length);
    const OpenResult r = OpenExperimentFile(Write("name.exo", data), document);
    EXPECT_FALSE(r.complete) << length;
    EXPECT_EQ(r.messages, (std::vector<std::string>{kDamagedRecord, kPartial}));
    EXPECT_EQ(ClassNames(document), std::vector<std::string>{"ReferenceFrame"});
  }
}

TEST_F(ExperimentFileDamage, EveryPrefixWithTheWholeSizeIsRefused) {
  const FileBytes good = SampleFile().Build();
  document.page->fileName = "kept";
  for (std::size_t n = 0; n < good.size(); ++n) {
    ui->messages.messages.clear();
    const FileBytes prefix(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(n));
    const OpenResult r = OpenExperimentFile(Write("prefix.exo", prefix), document);
    ASSERT_NE(r.status, OpenStatus::Opened) << n;
    ASSERT_FALSE(r.messages.empty()) << n;
    ASSERT_EQ(document.page->fileName, "kept") << n;
    ASSERT_EQ(ClassNames(document), std::vector<std::string>{"ReferenceFrame"}) << n;
  }
}

TEST_F(ExperimentFileDamage, EveryPrefixWithAMendedSizeReadsAsFarAsItGoes) {
  const ExperimentFileBuilder builder = SampleFile();
  const FileBytes good = builder.Build();
  for (std::size_t n = 0; n <= good.size(); ++n) {
    FileBytes prefix(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(n));
    if (n >= 8) PatchInt32(prefix, 4, static_cast<std::int32_t>(n));
    const OpenResult r = OpenExperimentFile(Write("prefix.exo", prefix), document);
    if (r.status != OpenStatus::Opened) {
      ASSERT_FALSE(r.messages.empty()) << n;
      continue;
    }
    // Whole records only, in the file's order.
    ASSERT_LE(document.scene.size(), 3u) << n;
    const std::vector<std::string> all{"ReferenceFrame", "LampHouse", "FlatMirror"};
    const auto names = ClassNames(document);
    ASSERT_TRUE(std::equal(names.begin(), names.end(), all.begin())) << n;
    if (!r.complete) {
      ASSERT_FALSE(r.messages.empty()) << n;
    }
    if (n == good.size()) {
      ASSERT_TRUE(r.complete && names.size() == 3);
    }
  }
}

TEST_F(ExperimentFileDamage, EveryByteFlippedNeverBreaksTheReader) {
  const FileBytes good = SampleFile().Build();
  for (std::size_t i = 0; i < good.size(); ++i) {
    for (std::uint8_t mask : {0xFF, 0x80}) {
      FileBytes data = good;
      data[i] ^= mask;
      const OpenResult r = OpenExperimentFile(Write("flip.exo", data), document);
      if (r.status != OpenStatus::Opened || !r.complete) {
        ASSERT_FALSE(r.messages.empty()) << i;
      }
      ASSERT_LE(document.scene.size(), 3u);
    }
  }
}
