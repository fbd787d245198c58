// exo-make-fuzz-corpus OUTDIR: writes the seed corpus of every fuzz target
// into OUTDIR/<target>/ (experiment, converted, picture, language).

#include <QBuffer>
#include <QGuiApplication>
#include <clocale>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "OutputDirectory.h"
#include "Seeds.h"
#include "examples/Examples.h"

#ifndef EXO_LANGUAGE_FILE
#error "EXO_LANGUAGE_FILE names the shipped language file"
#endif

std::vector<Example>& ExampleRegistry() {
  static std::vector<Example> examples;
  return examples;
}

SeedBytes EncodePicture(const QImage& image, const char* format, int quality) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, format, quality);
  return SeedBytes(bytes.begin(), bytes.end());
}

QImage StripePicture(int width, int height, QImage::Format format) {
  QImage image(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      image.setPixel(x, y, (x / 4) % 2 ? qRgb(255, 255, 255) : qRgb(40 * (y % 6), 200, 30));
  return image.convertToFormat(format);
}

const std::vector<std::uint32_t>& HostileWords() {
  static const std::vector<std::uint32_t> words = {
      0x7FC00000u,  // NaN
      0x7F800000u,  // +infinity
      0x7149F2CAu,  // 1e30
      0xCCBEBC20u,  // -1e8
      0x00000001u,  // the smallest denormal, or 1
      0x7FFFFFFFu,  // INT32_MAX
      0x80000000u,  // INT32_MIN, or -0
      0xFFFFFFFFu,  // -1, or a NaN
  };
  return words;
}

namespace {

bool WriteSeeds(const std::filesystem::path& directory, const Seeds& seeds) {
  std::filesystem::create_directories(directory);
  for (const Seed& seed : seeds) {
    std::ofstream out(directory / seed.name, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(seed.bytes.data()),
              static_cast<std::streamsize>(seed.bytes.size()));
    if (!out) {
      std::fprintf(stderr, "cannot write %s\n", (directory / seed.name).c_str());
      return false;
    }
  }
  std::printf("%s: %zu seeds\n", directory.c_str(), seeds.size());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  int usageStatus = 0;
  const auto found = OutputDirectory(argc, argv, "exo-make-fuzz-corpus OUTDIR", usageStatus);
  if (!found) return usageStatus;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  int qtArgc = 1;
  char* qtArgv[] = {argv[0], nullptr};
  QGuiApplication app(qtArgc, qtArgv);
  std::setlocale(LC_NUMERIC, "C");
  const std::filesystem::path& out = *found;
  const bool ok = WriteSeeds(out / "experiment", ExperimentSeeds()) &&
                  WriteSeeds(out / "converted", ConvertedSeeds()) &&
                  WriteSeeds(out / "picture", PictureSeeds()) &&
                  WriteSeeds(out / "language", LanguageSeeds(EXO_LANGUAGE_FILE));
  return ok ? 0 : 1;
}
