// The window on a screen scaled to 200 %: its own process, as the scale is
// chosen before the application starts. The bitmap has twice the pixels,
// while the canvas, the files and the traces keep their logical pixels.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QScreen>
#include <QTemporaryFile>
#include <QWindow>
#include <QToolButton>
#include <sstream>

#include "MainWindowFixture.h"
#include "app/Glyphs.h"
#include "files/ExperimentFile.h"
#include "optics/TextTraceSink.h"

namespace {

const QSize kScreenSize(1920, 1080);  // exo-tool's surface

class HiDpiTest : public MainWindowTest {};

TEST_F(HiDpiTest, SurfaceIsMadeAtTheScreensRatio) {
  ASSERT_EQ(qApp->devicePixelRatio(), 2.0);
  const QImage& image = w->Surface()->Image();
  EXPECT_EQ(image.devicePixelRatio(), 2.0);
  EXPECT_EQ(image.size(), QSize(800, 600));
  EXPECT_EQ(w->Surface()->PictureSize(), QSize(400, 300));
  EXPECT_EQ(w->Surface()->Canvas()->Width(), 400);
  // A logical pixel is two by two of the bitmap's.
  TCanvas* canvas = w->Surface()->Canvas();
  canvas->Brush = {TBrushStyle::Solid, 0x0000FF};
  canvas->FillRect(10, 10, 20, 20);
  EXPECT_EQ(image.pixel(20, 20), qRgb(255, 0, 0));
  EXPECT_EQ(image.pixel(39, 39), qRgb(255, 0, 0));
  EXPECT_NE(image.pixel(40, 40), qRgb(255, 0, 0));
}

TEST_F(HiDpiTest, XorBandTwiceLeavesThePicture) {
  w->RefreshView();
  const QImage before = w->Surface()->Image().copy();
  // A rubber band drawn and erased with the XOR pen, as a drag on empty surface does.
  Down(20, 20);
  MoveTo(120, 90);
  EXPECT_NE(w->Surface()->Image(), before);
  TCanvas* canvas = w->Surface()->Canvas();
  canvas->Pen = {TPenMode::Xor, 0xFF7F7F, 1, TPenStyle::Dot};
  canvas->Brush.style = TBrushStyle::Clear;
  canvas->Rectangle(20, 20, 120, 90);
  EXPECT_EQ(w->Surface()->Image(), before);
  Up(20, 20);
}

TEST_F(HiDpiTest, GlyphsAreDrawnAtTwiceThePixels) {
  const QIcon icon = MakePaletteGlyph("FlatMirror");
  const QPixmap sharp = icon.pixmap(QSize(24, 24), 2.0);
  EXPECT_EQ(sharp.size(), QSize(48, 48));
  EXPECT_EQ(sharp.devicePixelRatio(), 2.0);
  // Not the small picture blown up: that one has only pairs of equal pixels.
  const QImage small = icon.pixmap(QSize(24, 24), 1.0).toImage();
  EXPECT_NE(sharp.toImage().convertToFormat(small.format()),
            small.scaled(48, 48, Qt::IgnoreAspectRatio, Qt::FastTransformation));
}

TEST_F(HiDpiTest, SurfaceFollowsTheWindowToAnotherScreen) {
  const QList<QScreen*> screens = QGuiApplication::screens();
  ASSERT_EQ(screens.size(), 2);
  TLumidorNetworkFrm::Options options;
  options.splash = false;
  TLumidorNetworkFrm window(options);  // a bitmap as large as the screen
  window.Doc().page->ambientColour = 0x0000FF;
  window.show();
  window.windowHandle()->setScreen(screens[0]);
  ASSERT_EQ(window.Surface()->PictureSize(), screens[0]->size());
  int remade = 0;
  QObject::connect(window.Surface(), &TDrawSurface::Remade, [&] { ++remade; });
  window.windowHandle()->setScreen(screens[1]);
  EXPECT_EQ(remade, 1);
  EXPECT_EQ(window.Surface()->PictureSize(), screens[1]->size());
  EXPECT_EQ(window.Surface()->Image().size(), screens[1]->size() * 2);
  // Painted again at once, not left blank.
  EXPECT_EQ(window.Surface()->Image().pixel(5, 5), qRgb(255, 0, 0));
}

class HiDpiTraceTest : public UiTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(HiDpiTraceTest, TraceIsTheOneOfALogicalPixelSurface) {
  const std::string path = std::string(EXO_EXAMPLES_DIR) + "/" + GetParam();
  ASSERT_TRUE(QFileInfo::exists(QString::fromStdString(path)));
  TLumidorNetworkFrm::Options options;
  options.splash = false;
  options.openFile = path;
  options.surfaceSize = kScreenSize;
  TLumidorNetworkFrm window(options);
  ASSERT_EQ(window.Surface()->Image().devicePixelRatio(), 2.0);
  window.Doc().running = true;
  std::ostringstream scaled;
  TextTraceSink scaledSink(scaled);
  window.Doc().RefreshView(&scaledSink);

  OwnedImageCanvas plain(kScreenSize.width(), kScreenSize.height());
  Document doc(&plain);
  AddCoordinateSystem(doc);
  ASSERT_EQ(OpenExperimentFile(path, doc).status, OpenStatus::Opened);
  doc.running = true;
  std::ostringstream flat;
  TextTraceSink flatSink(flat);
  doc.RefreshView(&flatSink);
  EXPECT_FALSE(flat.str().empty());
  EXPECT_EQ(scaled.str(), flat.str());
}

// Dispersion in a prism, a real lens image, angle labels.
INSTANTIATE_TEST_SUITE_P(Examples, HiDpiTraceTest,
                         ::testing::Values("白光经过三棱镜.exo", "凸透镜成像(物体在二倍焦距以外).exo",
                                           "量角器测量反射角.exo"),
                         [](const auto& info) { return "Example" + std::to_string(info.index); });

}  // namespace

int main(int argc, char** argv) {
  // Before the application exists: two screens of different sizes, every
  // screen at 200 %.
  if (qEnvironmentVariableIsEmpty("QT_SCALE_FACTOR")) qputenv("QT_SCALE_FACTOR", "2");
  const QString platform = qEnvironmentVariable("QT_QPA_PLATFORM", "offscreen");
  QTemporaryFile screens(QDir::tempPath() + "/exo-screens-XXXXXX.json");
  if (platform == "offscreen" && screens.open()) {
    screens.write(R"({"screens": [
      {"name": "left", "x": 0, "y": 0, "width": 1200, "height": 800, "logicalDpi": 96},
      {"name": "right", "x": 1200, "y": 0, "width": 1600, "height": 1000, "logicalDpi": 96}]})");
    screens.flush();
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + screens.fileName()).toLocal8Bit());
  }
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
