#include <errno.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextBrowser>
#include <QThread>
#include <QToolButton>
#include <QUrl>

#include "MainWindowFixture.h"
#include "app/HelpViewer.h"
#include "app/OutputCommands.h"
#include "app/VectorOutput.h"
#include "i18n/TtlmController.h"
#include "i18n/TtlmSystem.h"
#include "ui/TShowPropertiesFrm.h"

namespace {

class OutputTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    ASSERT_TRUE(dir.isValid());
    // A known picture: dark ground, a red block in the top left quarter.
    picture = QImage(400, 200, QImage::Format_RGB32);
    picture.fill(QColor(0, 0, 40));
    SetBrowserQuery([] { return true; });  // as on a desktop with a browser
    for (int y = 0; y < 100; ++y)
      for (int x = 0; x < 200; ++x) picture.setPixel(x, y, qRgb(255, 0, 0));
  }
  void TearDown() override {
    SetUrlOpener({});
    SetBrowserQuery({});
    SetHelpDirectory({});
    TtlmSystem::Instance().DeactivateFilter();
    MainWindowTest::TearDown();
  }
  QString Path(const QString& name) const { return QDir(dir.path()).filePath(name); }
  std::vector<std::string>& Messages() { return ui->messages.messages; }

  // Runs a poppler tool; its standard output.
  static QString Run(const QString& program, const QStringList& args) {
    QProcess process;
    process.start(program, args);
    EXPECT_TRUE(process.waitForFinished(30000)) << program.toStdString() << " (poppler-utils)";
    return QString::fromUtf8(process.readAllStandardOutput());
  }

  QTemporaryDir dir;
  QImage picture;
};

TEST_F(OutputTest, PrintTargetKeepsThePicturesAspectInsideTheMargins) {
  // A wide picture on a portrait page: full width, height by its own aspect.
  EXPECT_EQ(PrintTargetRect({2000, 3000}, {400, 200}), QRect(100, 100, 1800, 900));
  // A tall picture: full height, centred across.
  EXPECT_EQ(PrintTargetRect({2000, 1200}, {200, 400}),
            QRect(100 + (1800 - 500) / 2, 100, 500, 1000));
  EXPECT_TRUE(PrintTargetRect({150, 3000}, {400, 200}).isEmpty());
  EXPECT_TRUE(PrintTargetRect({2000, 3000}, {0, 0}).isEmpty());
}

TEST_F(OutputTest, APrinterThatCannotStartIsReported) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(Path("no/such/dir/page.pdf"));
  EXPECT_FALSE(PrintDocument(printer, w->Doc(), picture.size()));
  ASSERT_EQ(Messages().size(), 1u);
}

TEST_F(OutputTest, ThePrintButtonPrintsThroughTheDialog) {
  QPrinter& printer = SessionPrinter(w.get());
  EXPECT_EQ(&printer, &SessionPrinter(w.get()));  // kept for the session
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(Path("button.pdf"));
  WhenModal([] {
    auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    dialog->accept();
  });
  w->Button("SpeedButton3")->click();
  EXPECT_TRUE(Run("pdfinfo", {Path("button.pdf")}).contains(QRegularExpression("Pages:\\s+1\\n")));
  // Drawn as vectors, not the screen's bitmap: the page holds no picture.
  EXPECT_EQ(Run("pdfimages", {"-list", Path("button.pdf")}).trimmed().count('\n'), 1);
  // The preview paints the same page and prints nothing by itself.
  WhenModal([] {
    auto* preview = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(preview, nullptr);
    preview->reject();
  });
  w->Action("PrintPreviewMenu")->trigger();
  EXPECT_TRUE(Messages().empty());
}

struct PictureCase {
  const char* name;
  const char* format;  // as QImageReader names it
};

class PictureSaveTest : public OutputTest, public ::testing::WithParamInterface<PictureCase> {};

TEST_P(PictureSaveTest, WritesTheWholeSurfaceInTheFormatOfTheExtension) {
  const QString path = Path(GetParam().name);
  EXPECT_EQ(SavePictureFile(picture, path.toStdString()), PictureSave::Written);
  QImageReader reader(path);
  EXPECT_EQ(reader.format(), QByteArray(GetParam().format));
  const QImage read = reader.read();
  EXPECT_EQ(read.size(), picture.size());
  const QColor red = read.pixelColor(10, 10);
  EXPECT_GT(red.red(), 230);
  EXPECT_LT(red.green(), 30);
  EXPECT_LT(read.pixelColor(300, 150).red(), 30);
  EXPECT_TRUE(Messages().empty());
}

INSTANTIATE_TEST_SUITE_P(Formats, PictureSaveTest,
                         ::testing::Values(PictureCase{"a.bmp", "bmp"},
                                           PictureCase{"b.JPG", "jpeg"},
                                           PictureCase{"c.jpeg", "jpeg"},
                                           PictureCase{"d.png", "png"}),
                         [](const auto& info) { return std::string(info.param.name).substr(2); });

TEST_F(OutputTest, OtherExtensionsWriteNothingAndSaySo) {
  for (const char* name : {"e.gif", "noextension", "f.bmp.txt"}) {
    EXPECT_EQ(SavePictureFile(picture, Path(name).toStdString()), PictureSave::UnknownFormat);
    EXPECT_FALSE(QFile::exists(Path(name)));
  }
  ASSERT_EQ(Messages().size(), 3u);
  EXPECT_EQ(Messages()[0], Tr("900", "只能保存为 BMP、JPEG 或 PNG 图片。"));
}

TEST_F(OutputTest, TheWindowSavesVectorPicturesAndNamesThemAmongTheFormats) {
  EXPECT_EQ(SaveDocumentPicture(Doc(), picture, Path("a.svg").toStdString()), PictureSave::Written);
  EXPECT_EQ(SaveDocumentPicture(Doc(), picture, Path("a.PDF").toStdString()), PictureSave::Written);
  EXPECT_EQ(SaveDocumentPicture(Doc(), picture, Path("a.png").toStdString()), PictureSave::Written);
  QFile svg(Path("a.svg")), pdf(Path("a.PDF"));
  ASSERT_TRUE(svg.open(QIODevice::ReadOnly) && pdf.open(QIODevice::ReadOnly));
  EXPECT_TRUE(svg.readAll().contains("<svg"));
  EXPECT_TRUE(pdf.readAll().startsWith("%PDF"));
  EXPECT_EQ(SaveDocumentPicture(Doc(), picture, Path("a.gif").toStdString()),
            PictureSave::UnknownFormat);
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_NE(Messages()[0].find("SVG"), std::string::npos);
  EXPECT_EQ(SaveDocumentPicture(Doc(), picture, Path("no/dir/a.svg").toStdString()),
            PictureSave::Failed);
}

TEST_F(OutputTest, AFailedWriteIsReported) {
  // A regular file where a folder should be stops even root.
  QFile blocker(Path("blocker"));
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  EXPECT_EQ(SavePictureFile(picture, Path("blocker/x.png").toStdString()), PictureSave::Failed);
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0].rfind(Tr("901", "保存图片失败."), 0), 0u);
}

struct EnglishFilter : ILanguageFilter {
  explicit EnglishFilter(int language) : language(language) {}
  std::optional<std::string> Translate(const std::string&, const std::string&) const override {
    return std::nullopt;
  }
  int ActiveLanguage() const override { return language; }
  int language;
};

TEST_F(OutputTest, HelpHandsTheManualOfTheLanguageInUseToTheDesktop) {
  std::vector<QUrl> opened;
  SetUrlOpener([&](const QUrl& url) {
    opened.push_back(url);
    return true;
  });
  SetHelpDirectory(EXO_HELP_DIR);
  EXPECT_EQ(w->Action("HelpMenu")->shortcut(), QKeySequence(Qt::Key_F1));
  w->Action("HelpMenu")->trigger();
  TtlmSystem::Instance().ActivateFilter(std::make_shared<EnglishFilter>(-1));
  w->Button("SpeedButton30")->click();
  TtlmSystem::Instance().DeactivateFilter();
  TtlmSystem::Instance().ActivateFilter(std::make_shared<EnglishFilter>(0));
  w->HelpClick();
  const QUrl chinese = QUrl::fromLocalFile(QDir(EXO_HELP_DIR).absoluteFilePath("index.html"));
  const QUrl english = QUrl::fromLocalFile(QDir(EXO_HELP_DIR).absoluteFilePath("en/index.html"));
  EXPECT_EQ(opened, (std::vector<QUrl>{chinese, chinese, english}));
  EXPECT_TRUE(QFile::exists(english.toLocalFile()));
  EXPECT_TRUE(Messages().empty());
}

TEST_F(OutputTest, AMissingManualOrARefusingDesktopIsReported) {
  int calls = 0;
  SetUrlOpener([&](const QUrl&) { return ++calls, false; });
  SetHelpDirectory(dir.path());  // no manual here
  EXPECT_FALSE(OpenHelpManual());
  EXPECT_EQ(calls, 0);
  SetHelpDirectory(EXO_HELP_DIR);
  EXPECT_FALSE(OpenHelpManual());
  EXPECT_EQ(calls, 1);
  ASSERT_EQ(Messages().size(), 2u);
  EXPECT_NE(Messages()[0].find(dir.path().toStdString()), std::string::npos);
}

TEST_F(OutputTest, WithoutABrowserForHtmlTheManualOpensInItsOwnViewer) {
  int handed = 0;
  SetUrlOpener([&](const QUrl&) { return ++handed, true; });
  SetBrowserQuery([] { return false; });
  SetHelpDirectory(EXO_HELP_DIR);
  w->HelpClick();
  w->HelpClick();  // the same window again
  EXPECT_EQ(handed, 0);
  const auto viewers = w->findChildren<HelpViewer*>();
  ASSERT_EQ(viewers.size(), 1);
  EXPECT_TRUE(viewers.front()->isVisible());
  QTextBrowser* page = viewers.front()->Browser();
  EXPECT_EQ(page->source(), QUrl::fromLocalFile(QDir(EXO_HELP_DIR).absoluteFilePath("index.html")));
  int pictures = 0;  // ... and they load, as the page's links lead to pages
  for (QTextBlock b = page->document()->begin(); b.isValid(); b = b.next())
    for (auto f = b.begin(); !f.atEnd(); ++f) {
      const QTextCharFormat format = f.fragment().charFormat();
      if (format.isImageFormat())
        pictures +=
            !page->loadResource(QTextDocument::ImageResource, QUrl(format.toImageFormat().name()))
                 .isNull();
    }
  EXPECT_GT(pictures, 0);
  page->setSource(page->source().resolved(QUrl("en/index.html")));
  EXPECT_FALSE(page->toPlainText().isEmpty());
  EXPECT_TRUE(Messages().empty());
}

TEST_F(OutputTest, ADesktopEntryIsABrowserByItsCategoryOrItsWebAddresses) {
  for (const auto& [lines, browser] : std::vector<std::pair<QByteArray, bool>>{
           {"Categories=Network;WebBrowser;", true},
           {"MimeType=text/html;x-scheme-handler/http;", true},
           {"Categories=TextEditor;\nMimeType=text/html;", false}}) {
    QFile file(Path("a.desktop"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("[Desktop Entry]\n" + lines + "\n");
    file.close();
    EXPECT_EQ(DesktopEntryIsBrowser(file.fileName()), browser) << lines.constData();
  }
}

class KeyboardTest : public OutputTest {
 protected:
  void SetUp() override {
    OutputTest::SetUp();
    path = qgetenv("PATH");
    qputenv("PATH", dir.path().toLocal8Bit());
    sheet = std::make_unique<TShowPropertiesFrm>();
    // The stand-ins write their name into a pipe that is open for reading
    // before any of them starts, so that the test waits for that write.
    const QByteArray pipe = QFile::encodeName(Path("started"));
    ASSERT_EQ(::mkfifo(pipe.constData(), 0600), 0);
    started = ::open(pipe.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(started, 0);
  }
  void TearDown() override {
    if (started >= 0) ::close(started);
    sheet.reset();
    qputenv("PATH", path);
    OutputTest::TearDown();
  }
  // A stand-in keyboard program (shell built-ins only: PATH holds nothing else).
  void FakeKeyboard(const QString& name) {
    QFile script(Path(name));
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write(("#!/bin/sh\necho " + name + " > '" + Path("started") + "'\n").toUtf8());
    script.close();
    script.setPermissions(script.permissions() | QFile::ExeOwner | QFile::ExeUser);
  }
  // The name the started program wrote: one write of a few bytes into the
  // pipe, read whole. The wait ends with that write; the bound only keeps a
  // program that never starts from hanging the run.
  QString StartedProgram() {
    pollfd ready{started, POLLIN, 0};
    int n = 0;
    while ((n = ::poll(&ready, 1, kNeverStartedMilliseconds)) < 0 && errno == EINTR) {
    }
    if (n != 1 || !(ready.revents & POLLIN)) return {};
    char text[64] = {};
    const ssize_t got = ::read(started, text, sizeof text - 1);
    return got > 0 ? QString::fromUtf8(text, got).trimmed() : QString();
  }
  static constexpr int kNeverStartedMilliseconds = 120000;
  QByteArray path;
  std::unique_ptr<TShowPropertiesFrm> sheet;
  int started = -1;
};

TEST_F(KeyboardTest, TheSheetStartsTheFirstKeyboardFoundWhileTheFlagIsSet) {
  FakeKeyboard("xvkbd");
  FakeKeyboard("onboard");
  w->Action("N24")->trigger();
  EXPECT_TRUE(Settings().softKeyboard);
  EXPECT_TRUE(w->Action("N24")->isChecked());
  sheet->FormShow();
  EXPECT_EQ(StartedProgram(), "onboard");
  EXPECT_TRUE(w->statusBar()->currentMessage().isEmpty());
}

TEST_F(KeyboardTest, NoKeyboardInstalledIsToldOnceInTheStatusBar) {
  const QString note =
      QString::fromStdString(Tr("902", "没有找到屏幕键盘程序, 请安装 onboard 等屏幕键盘."));
  w->N24Click();
  sheet->FormShow();
  EXPECT_EQ(w->statusBar()->currentMessage(), note);
  w->statusBar()->clearMessage();
  sheet->FormShow();
  EXPECT_TRUE(w->statusBar()->currentMessage().isEmpty());
  w->N24Click();  // off
  EXPECT_FALSE(Settings().softKeyboard);
  w->N24Click();  // on again: told again
  sheet->FormShow();
  EXPECT_EQ(w->statusBar()->currentMessage(), note);
}

}  // namespace
