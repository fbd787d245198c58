#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "UiTest.h"
#include "app/PaperMenu.h"
#include "app/TDrawSurface.h"
#include "app/TLumidorNetworkFrm.h"
#include "app/VectorOutput.h"
#include "objects/Worksheet.h"
#include "scene/Document.h"

namespace {

class PaperOutputTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    TLumidorNetworkFrm::Options options;
    options.splash = false;
    options.surfaceSize = QSize(640, 480);
    options.openFile = std::string(EXO_EXAMPLES_DIR) + "/凸透镜成像(物体在二倍焦距以外).exo";
    window = std::make_unique<TLumidorNetworkFrm>(options);
  }
  std::unique_ptr<TLumidorNetworkFrm> window;
};

// Printing starts on white paper, the screen as it was; the screen's white
// theme paints the surface white and gives back the very pixels when off.
TEST_F(PaperOutputTest, PrintingStartsWhiteAndTheScreensThemeComesAndGoes) {
  PaperMenu& paper = *window->Paper();
  EXPECT_TRUE(paper.ForOutput());
  EXPECT_FALSE(paper.ForScreen());
  window->RunMenuClick();
  const QImage dark = window->Surface()->Image().copy();
  EXPECT_EQ(dark.pixelColor(2, 2), QColor(Qt::black));
  paper.ScreenItem()->setChecked(true);
  EXPECT_EQ(window->Surface()->Image().pixelColor(2, 2), QColor(Qt::white));
  paper.ScreenItem()->setChecked(false);
  EXPECT_EQ(window->Surface()->Image(), dark);
}

// One A4 page with the title, the date and the equation's values.
TEST_F(PaperOutputTest, TheWorksheetPrintsOnOneA4Page) {
  QTemporaryDir dir;
  QPrinter printer;
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(dir.filePath("w.pdf"));
  Document& doc = window->Doc();
  doc.running = true;
  WorksheetOptions options{"", ExperimentTitle(doc.page->fileName), "2026-12-11",
                           WorksheetOptions::Table::Values};
  ASSERT_TRUE(PrintWorksheet(printer, doc, QSize(640, 480), options));
  auto poppler = [&](const QString& tool, QStringList args) {
    QProcess run;
    args << dir.filePath("w.pdf");
    if (tool == "pdftotext") args << "-";
    run.start(tool, args);
    EXPECT_TRUE(run.waitForFinished(30000)) << tool.toStdString();
    return QString::fromUtf8(run.readAllStandardOutput());
  };
  EXPECT_TRUE(poppler("pdfinfo", {}).contains(QRegularExpression("Pages:\\s+1\\n")));
  EXPECT_TRUE(poppler("pdfinfo", {}).contains(QRegularExpression("595(\\.\\d+)? x 84[12]")));
  const QString text = poppler("pdftotext", {"-layout"});
  // (Some CJK fonts map 二 to its Kangxi radical in the text layer.)
  for (const char* wanted : {"凸透镜成像(物体在", "焦距以外)", "2026-12-11", "像的性质", "实像"})
    EXPECT_TRUE(text.contains(QString::fromUtf8(wanted))) << wanted;
}

}  // namespace
