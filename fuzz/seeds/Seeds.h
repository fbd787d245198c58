#pragma once
// The seed inputs of the fuzz targets, made by our own builders: the example
// experiments and every object class with hostile numbers, converted files of
// every section, pictures of every bitmap kind and JPEG, language files.

#include <QImage>
#include <cstdint>
#include <string>
#include <vector>

using SeedBytes = std::vector<std::uint8_t>;

struct Seed {
  std::string name;  // file name inside the target's corpus folder
  SeedBytes bytes;
};
using Seeds = std::vector<Seed>;

Seeds ExperimentSeeds();
Seeds ConvertedSeeds();
Seeds PictureSeeds();
// `languageFile` is the shipped English file, the first seed.
Seeds LanguageSeeds(const std::string& languageFile);

// A picture as a file of `format` ("BMP", "JPEG"), with the writer's quality.
SeedBytes EncodePicture(const QImage& image, const char* format, int quality = -1);
// Small test pictures: colour stripes in the given format.
QImage StripePicture(int width, int height, QImage::Format format);

// 32-bit words that break careless arithmetic, as floats and as integers:
// NaN, infinities, huge and tiny values, the integer extremes, -1.
const std::vector<std::uint32_t>& HostileWords();
