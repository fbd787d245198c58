#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QImage>
#include <memory>

#include "GuiApplication.h"
#include "TestEnvironment.h"
#include "files/ExperimentFile.h"
#include "gfx/PresentationScale.h"
#include "gfx/paint/QImageCanvas.h"
#include "objects/ObjectFactory.h"
#include "scene/Document.h"

// Every example experiment, run at 1280x800 in normal and high quality at 1x
// and 2x, must paint the pixels whose hashes tests/golden/NAME.pictures holds.
// EXO_UPDATE_GOLDEN=1 writes the hashes instead, as for the golden traces.
namespace {

std::vector<std::string> ExampleNames() {
  std::vector<std::string> names;
  for (const QString& f : QDir(EXO_EXAMPLES_DIR).entryList({"*.exo"}, QDir::Files, QDir::Name))
    names.push_back(f.chopped(4).toStdString());
  return names;
}

std::string GoldenPath(const std::string& name) {
  return std::string(EXO_GOLDEN_DIR) + "/" + name + ".pictures";
}

// The raw pixels, row by row, without any padding at the end of a row.
QByteArray PixelHash(const QImage& image) {
  QCryptographicHash hash(QCryptographicHash::Sha256);
  const auto row = qsizetype(image.width()) * 4;
  for (int y = 0; y < image.height(); ++y)
    hash.addData(QByteArrayView(reinterpret_cast<const char*>(image.constScanLine(y)), row));
  return hash.result().toHex();
}

// On the heap: the refresh reads the canvas from a thread of the pool, and
// ThreadSanitizer takes what freetype once wrote on the main thread's stack
// (outside its sight) for a write it cannot order.
struct Surface {
  QImage image{1280, 800, QImage::Format_RGB32};
  QImageCanvas canvas{&image};
  Document document{&canvas};
};

QByteArray Render(const std::string& name, bool highQuality, double scale) {
  auto surface = std::make_unique<Surface>();
  surface->image.fill(Qt::black);
  Document& document = surface->document;
  document.header = MakeHeaderTemplate();
  document.ResetPage();
  AddCoordinateSystem(document);
  const OpenResult opened =
      OpenExperimentFile(std::string(EXO_EXAMPLES_DIR) + "/" + name + ".exo", document);
  EXPECT_EQ(opened.status, OpenStatus::Opened) << name;
  Settings().highQuality = highQuality ? 1 : 0;
  SetPresentationScale(scale);
  document.running = true;
  document.RefreshView();
  SetPresentationScale(1);
  return PixelHash(surface->image);
}

class PictureGoldenTest : public EngineTest, public ::testing::WithParamInterface<std::string> {};

TEST_P(PictureGoldenTest, PixelsAreTheCommittedOnes) {
  EnsureGuiApplication();
  Settings().pictureDirectory = EXO_PICTURE_DIR;
  const std::string name = GetParam();
  QByteArray lines;
  for (bool hq : {false, true})
    for (double scale : {1.0, 2.0})
      lines +=
          Render(name, hq, scale) + (hq ? " high" : " normal") + (scale > 1 ? " 2x\n" : " 1x\n");
  QFile golden(QString::fromStdString(GoldenPath(name)));
  if (qgetenv("EXO_UPDATE_GOLDEN") == "1") {
    ASSERT_TRUE(golden.open(QIODevice::WriteOnly)) << GoldenPath(name);
    golden.write(lines);
    return;
  }
  ASSERT_TRUE(golden.open(QIODevice::ReadOnly))
      << GoldenPath(name) << " is missing (EXO_UPDATE_GOLDEN=1 writes it)";
  EXPECT_EQ(golden.readAll().toStdString(), lines.toStdString())
      << name << ": the picture changed; review it, then EXO_UPDATE_GOLDEN=1 rewrites the hashes";
}

std::string Printable(const ::testing::TestParamInfo<std::string>& info) {
  return "example" + std::to_string(info.index);
}

INSTANTIATE_TEST_SUITE_P(Examples, PictureGoldenTest, ::testing::ValuesIn(ExampleNames()),
                         Printable);

TEST(PictureGoldenSet, EveryExampleIsRendered) { EXPECT_GE(ExampleNames().size(), 30u); }

}  // namespace
