// The window on screens scaled to 200 % (its own process: the scale is set
// before the application starts). The bitmap has twice the pixels each way;
// the canvas, the traces and the files keep their logical pixels.
#include <QDir>
#include <QScreen>
#include <QTemporaryFile>
#include <QWindow>
#include <sstream>

#include "MainWindowFixture.h"
#include "app/Glyphs.h"
#include "files/ExperimentFile.h"
#include "optics/TextTraceSink.h"

namespace {

class HiDpiTest : public MainWindowTest {};

TLumidorNetworkFrm::Options NoSplash(const std::string& file = "", QSize size = {}) {
  TLumidorNetworkFrm::Options options;
  options.splash = false;
  options.openFile = file;
  options.surfaceSize = size;
  return options;
}

TEST_F(HiDpiTest, BitmapAtTheRatioCanvasInLogicalPixels) {
  const QImage& image = w->Surface()->Image();
  ASSERT_EQ(image.devicePixelRatio(), 2.0);
  EXPECT_EQ(image.size(), QSize(800, 600));
  EXPECT_EQ(w->Surface()->PictureSize(), QSize(400, 300));
  TCanvas* canvas = w->Surface()->Canvas();
  canvas->Brush = {TBrushStyle::Solid, 0x0000FF};
  canvas->FillRect(10, 10, 20, 20);  // two by two of the bitmap's pixels each
  EXPECT_EQ(image.pixel(20, 20), qRgb(255, 0, 0));
  EXPECT_EQ(image.pixel(39, 39), qRgb(255, 0, 0));
  EXPECT_NE(image.pixel(40, 40), qRgb(255, 0, 0));
  // The rubber band's XOR pen, drawn by the drag and once more here, erases itself.
  w->RefreshView();
  const QImage before = image.copy();
  Down(20, 20);
  MoveTo(120, 90);
  EXPECT_NE(image, before);
  canvas->Pen = {TPenMode::Xor, 0xFF7F7F, 1, TPenStyle::Dot};
  canvas->Brush.style = TBrushStyle::Clear;
  canvas->Rectangle(20, 20, 120, 90);
  EXPECT_EQ(image, before);
}

TEST_F(HiDpiTest, GlyphsAreDrawnAtTwiceThePixelsNotBlownUp) {
  const QIcon icon = MakePaletteGlyph("FlatMirror");
  const QImage sharp = icon.pixmap(QSize(24, 24), 2.0).toImage();
  const QImage small = icon.pixmap(QSize(24, 24), 1.0).toImage();
  EXPECT_EQ(sharp.size(), QSize(48, 48));
  EXPECT_NE(sharp.convertToFormat(small.format()), small.scaled(48, 48));
}

TEST_F(HiDpiTest, SurfaceFollowsTheWindowToAnotherScreen) {
  const QList<QScreen*> screens = QGuiApplication::screens();
  ASSERT_EQ(screens.size(), 2);
  TLumidorNetworkFrm window(NoSplash());
  window.Doc().page->ambientColour = 0x0000FF;
  window.show();
  window.windowHandle()->setScreen(screens[0]);
  ASSERT_EQ(window.Surface()->PictureSize(), screens[0]->size());
  window.windowHandle()->setScreen(screens[1]);
  EXPECT_EQ(window.Surface()->PictureSize(), screens[1]->size());
  EXPECT_EQ(window.Surface()->Image().size(), screens[1]->size() * 2);
  EXPECT_EQ(window.Surface()->Image().pixel(5, 5), qRgb(255, 0, 0));  // painted again
}

class HiDpiTraceTest : public UiTest, public ::testing::WithParamInterface<const char*> {};

// Dispersion in a prism, a real lens image, angle labels: the same lines
// as from a surface without a ratio.
TEST_P(HiDpiTraceTest, TraceIsTheOneOfALogicalPixelSurface) {
  const std::string path = std::string(EXO_EXAMPLES_DIR) + "/" + GetParam();
  TLumidorNetworkFrm window(NoSplash(path, {1920, 1080}));
  ASSERT_EQ(window.Surface()->Image().devicePixelRatio(), 2.0);
  OwnedImageCanvas plain(1920, 1080);
  Document flat(&plain);
  AddCoordinateSystem(flat);
  ASSERT_EQ(OpenExperimentFile(path, flat).status, OpenStatus::Opened);
  std::ostringstream lines[2];
  for (int i = 0; i < 2; ++i) {
    Document& doc = i == 0 ? window.Doc() : flat;
    doc.running = true;
    TextTraceSink sink(lines[i]);
    doc.RefreshView(&sink);
  }
  EXPECT_FALSE(lines[1].str().empty());
  EXPECT_EQ(lines[0].str(), lines[1].str());
}

INSTANTIATE_TEST_SUITE_P(Examples, HiDpiTraceTest,
                         ::testing::Values("白光经过三棱镜.exo",
                                           "凸透镜成像(物体在二倍焦距以外).exo",
                                           "量角器测量反射角.exo"),
                         [](const auto& info) { return "Example" + std::to_string(info.index); });

}  // namespace

int main(int argc, char** argv) {
  // Two offscreen screens of different sizes, both at 200 %.
  if (qEnvironmentVariableIsEmpty("QT_SCALE_FACTOR")) qputenv("QT_SCALE_FACTOR", "2");
  QTemporaryFile screens(QDir::tempPath() + "/exo-screens-XXXXXX.json");
  if (qEnvironmentVariable("QT_QPA_PLATFORM", "offscreen") == "offscreen" && screens.open()) {
    screens.write(R"({"screens": [{"name": "a", "x": 0, "y": 0, "width": 1200, "height": 800},
      {"name": "b", "x": 1200, "y": 0, "width": 1600, "height": 1000}]})");
    screens.flush();
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + screens.fileName()).toLocal8Bit());
  }
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
