#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <set>

#include "ExperimentFileFixture.h"
#include "GuiApplication.h"
#include "RecordingTraceSink.h"
#include "gfx/Colour.h"
#include "gfx/paint/PainterCanvas.h"
#include "scene/VectorPicture.h"

namespace {

class VectorPictureTest : public ExperimentFileFixture {
 protected:
  void SetUp() override {
    ExperimentFileFixture::SetUp();
    EnsureGuiApplication();
    ASSERT_EQ(
        OpenExperimentFile(std::string(EXO_EXAMPLES_DIR) + "/凹面镜成像(点光源).exo", document)
            .status,
        OpenStatus::Opened);
    document.running = true;
  }
  QByteArray Picture(VectorFormat format) {
    return VectorPictureBytes(document, format, 1200, 800, "title");
  }
  // What a poppler tool prints about the PDF.
  QString Poppler(const QString& tool, const QByteArray& pdf, QStringList args) {
    QTemporaryDir dir;
    QFile file(dir.filePath("p.pdf"));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(pdf) == pdf.size());
    file.close();
    QProcess run;
    args << file.fileName();
    if (tool == "pdftotext") args << "-";
    run.start(tool, args);
    EXPECT_TRUE(run.waitForFinished()) << tool.toStdString();
    return QString::fromUtf8(run.readAllStandardOutput());
  }
};

// Every ray piece is a vector stroke in its own colour, labels are text.
TEST_F(VectorPictureTest, SvgHoldsTheRaysAsStrokesAndTheLabelsAsText) {
  RecordingTraceSink trace;
  document.Trace(trace);
  std::set<QString> rayColours;
  std::size_t pieces = 0;
  for (const auto& item : trace.items)
    if (item.kind == TraceItem::Ray) {
      rayColours.insert(ToQColor(item.ray.rayColour).name());
      ++pieces;
    }
  ASSERT_GT(pieces, 0u);
  QXmlStreamReader svg(Picture(VectorFormat::Svg));
  std::set<QString> strokes;
  std::size_t lines = 0;
  QString texts;
  while (!svg.atEnd()) {
    if (svg.readNext() != QXmlStreamReader::StartElement) continue;
    if (svg.name() == u"g") strokes.insert(svg.attributes().value("stroke").toString());
    if (svg.name() == u"polyline" || svg.name() == u"path") ++lines;
    if (svg.name() == u"text") texts += svg.readElementText();
  }
  EXPECT_FALSE(svg.hasError()) << svg.errorString().toStdString();
  EXPECT_GE(lines, pieces);
  for (const auto& colour : rayColours) EXPECT_TRUE(strokes.count(colour)) << colour.toStdString();
  EXPECT_TRUE(texts.contains("S'")) << texts.toStdString();
}

TEST_F(VectorPictureTest, PdfIsOnePageWithTextNotAPicture) {
  const QByteArray pdf = Picture(VectorFormat::Pdf);
  ASSERT_TRUE(pdf.startsWith("%PDF"));
  EXPECT_TRUE(Poppler("pdfinfo", pdf, {}).contains(QRegularExpression("Pages:\\s+1\\n")));
  EXPECT_TRUE(Poppler("pdftotext", pdf, {}).contains("S'"));
  // The header lines of the list only: no embedded pictures.
  EXPECT_EQ(Poppler("pdfimages", pdf, {"-list"}).trimmed().count('\n'), 1);
}

// A merge pen's colour is ORed with what lies beneath, as on the screen.
TEST_F(VectorPictureTest, MergedStrokesTakeTheColourBeneathIntoAccount) {
  QImage image(40, 20, QImage::Format_RGB32);
  QPainter painter(&image);
  PainterCanvas canvas(painter, 40, 20);
  canvas.Brush.color = 0x00FF00;  // green
  canvas.FillRect(0, 0, 20, 20);
  canvas.Brush.color = 0;
  canvas.FillRect(20, 0, 40, 20);
  canvas.Pen = {TPenMode::Merge, 0x0000FF, 3};  // red
  canvas.Line(2, 10, 18, 10);
  canvas.Line(22, 10, 38, 10);
  painter.end();
  EXPECT_EQ(image.pixelColor(10, 10), QColor(255, 255, 0));
  EXPECT_EQ(image.pixelColor(30, 10), QColor(255, 0, 0));
}

TEST_F(VectorPictureTest, FormatByLowerCaseExtension) {
  EXPECT_EQ(VectorFormatOf("a/b.SVG"), VectorFormat::Svg);
  EXPECT_EQ(VectorFormatOf("b.pdf"), VectorFormat::Pdf);
  EXPECT_EQ(VectorFormatOf("b.png"), VectorFormat::None);
  EXPECT_TRUE(Picture(VectorFormat::None).isEmpty());
}

}  // namespace
