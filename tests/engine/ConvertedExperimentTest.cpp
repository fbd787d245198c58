// The converted layout of older files, read after the converter ran.

#include <QBuffer>
#include <QImage>

#include "ExperimentFileFixture.h"
#include "HostileFiles.h"
#include "ObjectRecord.h"
#include "i18n/Convert.h"
#include "objects/ObjectFactory.h"
#include "objects/elements/FlatMirror.h"
#include "objects/elements/IdealConcave.h"
#include "objects/tools/DrawImage.h"
#include "objects/tools/OPticsLine.h"
#include "scene/ByteStream.h"

namespace {

const std::string kOpenError = "打开文件时出错.";

std::vector<std::string> LampLines(const std::string& name, float x1, float y1, float x2,
                                   float y2) {
  return {name,
          std::to_string(x1),
          std::to_string(y1),
          std::to_string(x2),
          std::to_string(y2),
          "15",
          "255",
          "0",
          "0"};
}

}  // namespace

class ConvertedExperiment : public ExperimentFileFixture {
 protected:
  OpenResult Load(const ConvertedFileBuilder& file) {
    document.ResetPage();
    OpenResult result;
    const FileBytes data = file.Build();
    LoadConvertedExperiment(data, document, result);
    return result;
  }
  std::vector<std::string> ClassNames() const {
    std::vector<std::string> names;
    for (const auto& o : document.scene) names.push_back(o->className);
    return names;
  }
};

TEST_F(ConvertedExperiment, WithoutTheMarkerThePageStaysEmptySilently) {
  ConvertedFileBuilder file;
  file.head[41] = "1";
  file.withMarker = false;
  const OpenResult r = Load(file);
  EXPECT_TRUE(r.messages.empty());
  EXPECT_TRUE(document.scene.empty());
  EXPECT_TRUE(Messages().empty());
}

TEST_F(ConvertedExperiment, TooShortForATrailerIsEmptyToo) {
  document.ResetPage();
  OpenResult r;
  const FileBytes data{'q', 'm'};
  LoadConvertedExperiment(data, document, r);
  EXPECT_TRUE(r.messages.empty());
  EXPECT_TRUE(document.scene.empty());
}

TEST_F(ConvertedExperiment, VersionLineMustBeFive) {
  for (const std::string version : {"4", "6", "five", ""}) {
    ConvertedFileBuilder file;
    file.head[1] = version;
    file.head[41] = "1";
    const OpenResult r = Load(file);
    EXPECT_EQ(r.messages, std::vector<std::string>{kOpenError}) << version;
    EXPECT_FALSE(r.complete);
    EXPECT_TRUE(document.scene.empty());
  }
}

TEST_F(ConvertedExperiment, TextLengthOutsideTheFileIsAnError) {
  for (std::int32_t length : {-1, 0x7FFFFFFF, 100000}) {
    ConvertedFileBuilder file;
    file.lengthOverridden = true;
    file.lengthField = length;
    EXPECT_EQ(Load(file).messages, std::vector<std::string>{kOpenError}) << length;
  }
}

TEST_F(ConvertedExperiment, PageSettingsFromTheirLines) {
  ConvertedFileBuilder file;
  file.head[29] = "0";
  file.head[31] = "7";
  file.head[36] = std::to_string(0x203040);
  const OpenResult r = Load(file);
  EXPECT_TRUE(r.messages.empty());
  EXPECT_EQ(document.page->drawNormals, 0);
  EXPECT_EQ(document.page->drawReverse, 1);
  EXPECT_EQ(document.page->ambientColour, 0x203040u);
  // The rest keeps the defaults.
  EXPECT_EQ(document.page->rayWidth, 2);
  EXPECT_EQ(document.page->normalColour, 0xCACACAu);
  EXPECT_EQ(document.page->reverseColour, 0xFFu);
}

TEST_F(ConvertedExperiment, NearWhiteBackgroundBecomesLightGrey) {
  ConvertedFileBuilder file;
  file.head[36] = std::to_string(201 + 201 * 256 + 201 * 65536);
  Load(file);
  EXPECT_EQ(document.page->ambientColour, 0xC8C8C8u);
  file.head[36] = std::to_string(200 + 255 * 256 + 255 * 65536);
  Load(file);
  EXPECT_EQ(document.page->ambientColour, static_cast<TColor>(200 + 255 * 256 + 255 * 65536));
}

TEST_F(ConvertedExperiment, CoordinateSystemAtTheGivenOriginAndDrawn) {
  ConvertedFileBuilder file;
  file.head[41] = "1";
  file.head[25] = "120";
  file.head[26] = "240";
  Load(file);
  ASSERT_EQ(ClassNames(), std::vector<std::string>{"ReferenceFrame"});
  EXPECT_EQ(document.scene[0]->isDrawn, 1);
  const FileBytes record = RecordBytes(*document.scene[0]);
  ASSERT_GE(record.size(), 48u);
  EXPECT_FLOAT_EQ(ReadFloatAt(record, record.size() - 48), 120.0f);
  EXPECT_FLOAT_EQ(ReadFloatAt(record, record.size() - 44), 240.0f);
  // No coordinate system when line 41 is 0.
  file.head[41] = "0";
  Load(file);
  EXPECT_TRUE(document.scene.empty());
}

TEST_F(ConvertedExperiment, SourcesAndMirrorsFromTheirSections) {
  ConvertedFileBuilder file;
  file.SetCount(1, 1);
  file.SetCount(10, 1);
  file.Lines(LampLines("光源", 100, 300, 150, 300));
  file.Lines({"镜", "450", "250", "350", "350", "255", "255", "0"});
  const OpenResult r = Load(file);
  EXPECT_TRUE(r.messages.empty());
  ASSERT_EQ(ClassNames(), (std::vector<std::string>{"LampHouse", "FlatMirror"}));
  DrawObjectUnit& lamp = *document.scene[0];
  EXPECT_EQ(lamp.displayName, "光源");
  const auto lampPoints = lamp.ControlPointValues();
  ASSERT_GE(lampPoints.size(), 2u);
  EXPECT_EQ(lampPoints[0], (TPointF{100, 300}));
  EXPECT_EQ(lampPoints[1], (TPointF{150, 300}));
  EXPECT_EQ(lamp.color, 255u);
  DrawObjectUnit& mirror = *document.scene[1];
  EXPECT_EQ(mirror.displayName, "镜");
  EXPECT_EQ(mirror.color, 0xFFFFu);  // red 255 + green 255 * 256
  const auto mirrorPoints = mirror.ControlPointValues();
  ASSERT_GE(mirrorPoints.size(), 2u);
  EXPECT_EQ(mirrorPoints[0], (TPointF{450, 250}));
  EXPECT_EQ(mirrorPoints[1], (TPointF{350, 350}));
}

TEST_F(ConvertedExperiment, ObsoletePointSourcesAreSkippedWithTheirRayRecords) {
  ConvertedFileBuilder file;
  file.SetCount(14, 2);
  file.SetCount(16, 1);
  for (int object = 0; object < 2; ++object) {
    for (int line = 0; line < 12; ++line) file.Line("junk");
    file.Line("1");  // k
    for (int line = 0; line < 9; ++line) file.Line("ray");
  }
  // A light source of the second kind: 6 reals, colour, m = 2 and 18 lines.
  file.Lines({"second", "10", "20", "30", "20", "8", "1.5", "0", "0", "255", "2"});
  for (int line = 0; line < 18; ++line) file.Line("ray record");
  const OpenResult r = Load(file);
  EXPECT_EQ(r.messages, std::vector<std::string>{"点光源,等工具已过时,在此版本中不能用."});
  ASSERT_EQ(ClassNames(), std::vector<std::string>{"LampHouse"});
  EXPECT_EQ(document.scene[0]->displayName, "second");
  const FileBytes record = RecordBytes(*document.scene[0]);
  const std::size_t own = record.size() - 129;
  EXPECT_FLOAT_EQ(ReadFloatAt(record, own + 0), 10.0f);
  EXPECT_FLOAT_EQ(ReadFloatAt(record, own + 36), 1.5f);  // index factor
  EXPECT_EQ(ReadInt32At(record, own + 40), 0xFF0000);    // blue
  EXPECT_EQ(ReadInt32At(record, own + 80), 2);           // m rays
  EXPECT_FLOAT_EQ(ReadFloatAt(record, own + 84), 8.0f);
}

TEST_F(ConvertedExperiment, ObsoleteNamesRunTogether) {
  ConvertedFileBuilder file;
  file.SetCount(15, 1);
  file.SetCount(17, 2);
  for (int line = 0; line < 11 + 2 * 9; ++line) file.Line("x");
  const OpenResult r = Load(file);
  EXPECT_EQ(r.messages, std::vector<std::string>{"物体白屏,等工具已过时,在此版本中不能用."});
  file.SetCount(14, 1);
  for (int line = 0; line < 12; ++line) file.objectLines.insert(file.objectLines.begin(), "p");
  file.objectLines.insert(file.objectLines.begin() + 12, "0");
  EXPECT_EQ(Load(file).messages,
            std::vector<std::string>{"点光源,物体白屏,等工具已过时,在此版本中不能用."});
}

TEST_F(ConvertedExperiment, LineThatIsNoNumberStopsWithTheConversionMessage) {
  ConvertedFileBuilder file;
  file.SetCount(1, 2);
  file.Lines(LampLines("first", 1, 2, 3, 4));
  auto second = LampLines("second", 1, 2, 3, 4);
  second[2] = "abc";
  file.Lines(second);
  const OpenResult r = Load(file);
  EXPECT_EQ(r.messages, std::vector<std::string>{"'abc' is not a valid floating point value"});
  EXPECT_FALSE(r.complete);
  EXPECT_EQ(ClassNames(), std::vector<std::string>{"LampHouse"});

  ConvertedFileBuilder counts;
  counts.head[5] = "x1";
  EXPECT_EQ(Load(counts).messages, std::vector<std::string>{"'x1' is not a valid integer value"});
}

TEST_F(ConvertedExperiment, MissingLinesStopWithoutReadingPastTheEnd) {
  ConvertedFileBuilder file;
  file.SetCount(1, 1000000000);  // far more objects than lines
  file.Lines(LampLines("only", 1, 2, 3, 4));
  const OpenResult r = Load(file);
  ASSERT_EQ(r.messages.size(), 1u);
  EXPECT_EQ(r.messages[0].rfind("List index out of bounds", 0), 0u) << r.messages[0];
  EXPECT_LE(document.scene.size(), 1u);

  // Huge skips of obsolete sections are arithmetic, not loops.
  ConvertedFileBuilder skips;
  skips.SetCount(15, 2000000000);
  skips.SetCount(17, 2000000000);
  EXPECT_EQ(Load(skips).messages,
            std::vector<std::string>{"物体白屏,等工具已过时,在此版本中不能用."});
}

TEST_F(ConvertedExperiment, HugeRayRecordCountOfASecondKindSource) {
  ConvertedFileBuilder file;
  file.SetCount(16, 1);
  file.Lines({"s", "1", "2", "3", "4", "5", "1", "0", "0", "255", "2000000000"});
  const OpenResult r = Load(file);
  EXPECT_TRUE(r.complete);
  if (!document.scene.empty()) {
    const FileBytes record = RecordBytes(*document.scene[0]);
    EXPECT_LE(ReadInt32At(record, record.size() - 129 + 80), 10);
  }
}

TEST_F(ConvertedExperiment, AnnotationTextWithALineBreakMark) {
  ConvertedFileBuilder file;
  file.SetCount(12, 1);
  file.Lines({"注释", "10", "20", "110", "60", "第一<HC>第二", "12.6", "宋体", "0", "0", "255"});
  EXPECT_TRUE(Load(file).messages.empty());
  ASSERT_EQ(ClassNames(), std::vector<std::string>{"DrawString"});
  const FileBytes record = RecordBytes(*document.scene[0]);
  const std::string gbk = Gbk("第一\r\n第二");
  const std::string all(record.begin(), record.end());
  EXPECT_NE(all.find(gbk), std::string::npos);
}

TEST_F(ConvertedExperiment, PictureAfterTheTextBlock) {
  QImage image(4, 3, QImage::Format_RGB32);
  image.fill(Qt::red);
  QByteArray jpeg;
  QBuffer buffer(&jpeg);
  buffer.open(QIODevice::WriteOnly);
  ASSERT_TRUE(image.save(&buffer, "JPEG"));
  ConvertedFileBuilder file;
  file.SetCount(18, 1);
  file.Lines({"图", "0", "0", "40", "30", "0", "0", "1"});
  AppendInt32(file.pictures, static_cast<std::int32_t>(jpeg.size()));
  file.pictures.insert(file.pictures.end(), jpeg.begin(), jpeg.end());
  EXPECT_TRUE(Load(file).messages.empty());
  ASSERT_EQ(ClassNames(), std::vector<std::string>{"DrawImage"});
  // A picture length beyond the file is refused.
  PatchInt32(file.pictures, 0, 0x7FFFFFFF);
  EXPECT_EQ(Load(file).messages, std::vector<std::string>{kOpenError});
}

// A picture too large to decode is left out, said; its box and the rest stay.
TEST_F(ConvertedExperiment, APictureTooLargeIsLeftOutAndSaidSo) {
  ConvertedFileBuilder file;
  file.SetCount(18, 2);
  for (const std::int32_t width : {5000, 50}) {
    file.Lines({"图", "0", "0", "40", "30", "1", "16777215", "0"});
    AppendInt32(file.pictures, 64);
    const FileBytes bmp = RunLengthBmp(width, 5000);
    file.pictures.insert(file.pictures.end(), bmp.begin(), bmp.end());
  }
  const OpenResult r = Load(file);
  ASSERT_EQ(r.messages.size(), 1u);
  EXPECT_NE(r.messages[0].find("没有读入的图片: 1"), std::string::npos) << r.messages[0];
  ASSERT_EQ(document.scene.size(), 2u);
  EXPECT_FALSE(r.complete || static_cast<DrawImage&>(*document.scene[0]).hasPicture);
  EXPECT_TRUE(static_cast<DrawImage&>(*document.scene[1]).hasPicture);
}

TEST_F(ConvertedExperiment, OpenedThroughTheConverterWhenTheUserAgrees) {
  InstallConverter();
  ConvertedFileBuilder converted;
  converted.head[41] = "1";
  converted.SetCount(10, 1);
  converted.Lines({"镜", "450", "250", "350", "350", "255", "255", "0"});
  const FileBytes text = converted.Build();
  const FileBytes older = ForTheConverter(text);
  ui->messages.answer = true;
  const std::string path = Write("older.exo", older);
  const OpenResult r = OpenExperimentFile(path, document);
  EXPECT_EQ(r.status, OpenStatus::Opened);
  EXPECT_TRUE(r.converted);
  EXPECT_EQ(Messages(), std::vector<std::string>{"提示: 发现一个较低版本的文件是否仍然打开?"});
  EXPECT_EQ(document.page->fileName, path);
  EXPECT_EQ(document.page->saved, 1);
  EXPECT_EQ(document.history.Size(), 1u);
  EXPECT_EQ(ClassNames(), (std::vector<std::string>{"ReferenceFrame", "FlatMirror"}));
  // Line 41 decides: the axes show, and the page says so.
  EXPECT_EQ(document.scene[0]->isDrawn, 1);
  EXPECT_EQ(document.page->showAxes, 1);
  // Undo back to the opened state: the mirror is painted on the first
  // refresh (no skip-next-paint flag was kept in the snapshot).
  document.PushUndoSnapshot();
  ASSERT_TRUE(document.Undo());
  EXPECT_EQ(static_cast<FlatMirror&>(*document.scene[1]).skipNextPaint, 0);
  EXPECT_EQ(document.scene[0]->isDrawn, 1);
  // Saving writes the current layout, which opens without the converter.
  std::string error;
  ASSERT_TRUE(SaveExperimentFile(dir + "/new.exo", document, &error)) << error;
  Document again(&canvas);
  StartLikeTheProgram(again);
  const OpenResult second = OpenExperimentFile(dir + "/new.exo", again);
  EXPECT_EQ(second.status, OpenStatus::Opened);
  EXPECT_FALSE(second.converted);
  EXPECT_EQ(again.scene.size(), document.scene.size());
}

// Every section whose class this build has takes its lines: the object is
// made, no message is shown, and its first control point is the first
// point of its lines.
TEST_F(ConvertedExperiment, EverySectionClassInThisBuildTakesItsLines) {
  // An arc about (300, 300) with radius 100 from -30 to 30 degrees.
  const std::vector<std::string> arc{"386.6", "350", "386.6",      "250",      "300",
                                     "300",   "100", "-0.5235988", "0.5235988"};
  const std::vector<std::string> colour{"10", "20", "30"};
  struct Case {
    int section;
    const char* className;
    std::vector<std::string> lines;  // after the name line
  };
  auto join = [](std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
  };
  const std::vector<Case> cases = {
      {1, "LampHouse", join({{"100", "300", "150", "300", "10"}, colour})},
      {2, "FourPrism", join({{"100", "300", "200", "400", "1.5"}, colour, {"255", "1"}})},
      {3, "ThreePrism",
       join({{"100", "300", "200", "300", "150", "200", "1.5"}, colour, {"255", "1"}})},
      {4, "Magnifier", join({arc, {"1.5"}, colour, {"255", "0"}})},
      {5, "Concave",
       join({{"386.6", "350", "420", "350", "420", "250", "386.6", "250", "300", "300", "100",
              "-0.5235988", "0.5235988", "10", "1.5"},
             colour,
             {"255", "0"}})},
      {6, "IdealMagnifier",
       join({{"100", "300", "100", "400", "80"}, colour, {"a", "b", "c", "d"}})},
      {7, "IdealConcave", join({{"100", "300", "100", "400", "80"}, colour, {"a", "b", "c", "d"}})},
      {8, "ConvexityMirror", join({arc, colour})},
      {9, "ConcaveMirror", join({arc, colour})},
      {10, "FlatMirror", join({{"100", "300", "200", "350"}, colour})},
      {11, "OPticsLine", join({{"100", "300", "200", "350"}, colour, {"1", "0", "0"}})},
      {12, "DrawString", join({{"100", "300", "200", "350", "文字", "12", "宋体"}, colour})},
      {13, "Protractor", join({{"100", "300", "200", "300", "100", "200"}, colour, {"x"}})},
      {16, "LampHouse", join({{"100", "300", "150", "300", "10", "1"}, colour, {"0"}})},
  };
  for (const Case& c : cases) {
    ConvertedFileBuilder file;
    file.SetCount(c.section, 1);
    file.Line("名称");
    file.Lines(c.lines);
    const OpenResult r = Load(file);
    EXPECT_TRUE(r.messages.empty()) << c.className << ": " << r.messages.front();
    ASSERT_EQ(ClassNames(), std::vector<std::string>{c.className});
    DrawObjectUnit& object = *document.scene[0];
    EXPECT_EQ(object.displayName, "名称");
    const auto points = object.ControlPointValues();
    ASSERT_FALSE(points.empty()) << c.className;
    double x = 0, y = 0;
    ASSERT_TRUE(TryStrToFloat(c.lines[0], x) && TryStrToFloat(c.lines[1], y));
    EXPECT_NEAR(points[0].x, x, 0.5) << c.className;
    EXPECT_NEAR(points[0].y, y, 0.5) << c.className;
  }
}

// Sections 6 and 7: the ends, the focal length (the focal points follow from
// them) and the colour; the four lines after the colour are passed over.
TEST_F(ConvertedExperiment, IdealLensSectionsGiveEndsFocalLengthAndColour) {
  ConvertedFileBuilder file;
  file.SetCount(7, 1);
  file.Lines({"凹", "100", "300", "100", "400", "80", "1", "2", "3", "x", "x", "x", "x"});
  EXPECT_TRUE(Load(file).messages.empty());
  ASSERT_EQ(ClassNames(), std::vector<std::string>{"IdealConcave"});
  auto& lens = static_cast<IdealConcave&>(*document.scene[0]);
  EXPECT_FLOAT_EQ(lens.focalLength, 80);
  EXPECT_EQ(lens.color, 1u + 2 * 256 + 3 * 65536);
  EXPECT_NEAR(lens.focal2.x, 180, 1e-4);
}

// Section 11's spare value is a real on its line and an integer in the record.
TEST_F(ConvertedExperiment, LineSpareValueIsTruncatedToABoundedInteger) {
  for (const auto& [text, expected] : std::vector<std::pair<const char*, std::int32_t>>{
           {"7.9", 7}, {"-3.7", -3}, {"1e30", 2147483647}}) {
    ConvertedFileBuilder file;
    file.SetCount(11, 1);
    file.Lines({"线", "100", "300", "200", "350", "1", "2", "3", "1", text, "0"});
    EXPECT_TRUE(Load(file).messages.empty()) << text;
    ASSERT_EQ(ClassNames(), std::vector<std::string>{"OPticsLine"});
    EXPECT_EQ(static_cast<OPticsLine&>(*document.scene[0]).spareValue, expected) << text;
  }
}
