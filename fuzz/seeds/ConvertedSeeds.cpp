// Seeds of the converted layout: one file with an object of every section,
// a file per section, each number line of a section in turn hostile, hostile
// counts, the obsolete sections, and pictures after the text.

#include <string>
#include <vector>

#include "ExperimentFileBuilder.h"
#include "Seeds.h"

namespace {

using Lines = std::vector<std::string>;

struct SectionSeed {
  int number;
  Lines lines;  // one object's lines
};

Lines Colour() { return {"255", "128", "0"}; }

Lines Join(std::initializer_list<Lines> parts) {
  Lines all;
  for (const Lines& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

// One plausible object of every section that is read (the obsolete 14, 15
// and 17 as well, which are passed over).
std::vector<SectionSeed> Sections() {
  return {
      {1, Join({{"平行光源1", "100", "300", "150", "300", "15"}, Colour()})},
      {2, Join({{"方形介质1", "300", "200", "400", "350", "1.5"}, Colour(), {"16711680", "1"}})},
      {3, Join({{"三角介质1", "300", "200", "400", "350", "250", "350", "1.5"},
                Colour(),
                {"65280", "0"}})},
      {4, Join({{"凸透镜1", "400", "200", "400", "400", "573.2", "300", "200", "2.618", "3.665",
                 "1.5"},
                Colour(),
                {"0", "0"}})},
      {5, Join({{"凹透镜1", "600", "200", "640", "200", "640", "400", "600", "400", "800", "300",
                 "200", "2.8", "3.5", "40", "1.5"},
                Colour(),
                {"0", "0"}})},
      {6,
       Join({{"理想凸透镜1", "500", "200", "500", "400", "100"}, Colour(), {"0", "0", "0", "0"}})},
      {7,
       Join({{"理想凹透镜1", "700", "200", "700", "400", "80"}, Colour(), {"0", "0", "0", "0"}})},
      {8, Join({{"凸面镜1", "800", "200", "800", "400", "973", "300", "200", "2.618", "3.665"},
                Colour()})},
      {9, Join({{"凹面镜1", "900", "200", "900", "400", "727", "300", "200", "-0.524", "0.524"},
                Colour()})},
      {10, Join({{"平面镜1", "300", "500", "500", "500"}, Colour()})},
      {11, Join({{"普通线1", "100", "100", "300", "120"}, Colour(), {"1", "0", "1"}})},
      {12, Join({{"注释1", "100", "600", "300", "650", "第一行<HC>second line", "12", "宋体"},
                 Colour()})},
      {13, Join({{"量角器1", "400", "400", "520", "280", "400", "280"}, Colour(), {"0"}})},
      {14, Join({Lines(12, "1"), {"1"}, Lines(9, "2")})},
      {15, Lines(11, "3")},
      {16,
       Join({{"复合光1", "100", "350", "150", "350", "15", "2"}, Colour(), {"2"}, Lines(18, "4")})},
      {17, Lines(9, "5")},
  };
}

// Number of leading number lines after the name that are worth varying.
constexpr std::size_t kMaxVariedLines = 16;

const std::vector<std::string>& HostileTexts() {
  static const std::vector<std::string> texts = {"1e30",  "-1e30",      "NAN",   "INF",
                                                 "1e-45", "2147483648", "",      "-2147483648",
                                                 "0x10",  " 5",         "3.4e38"};
  return texts;
}

ConvertedFileBuilder WithSections(const std::vector<SectionSeed>& sections) {
  ConvertedFileBuilder file;
  file.head[41] = "1";  // with the coordinate system
  for (const SectionSeed& s : sections) {
    file.SetCount(s.number, 1);
    file.Lines(s.lines);
  }
  return file;
}

SeedBytes JpegPicture() {
  return EncodePicture(StripePicture(16, 12, QImage::Format_RGB32), "JPEG", 50);
}

void AppendPicture(ConvertedFileBuilder& file, int kind, const SeedBytes& picture,
                   const std::string& name) {
  file.SetCount(18, file.head[20] == "0" ? 1 : std::stoi(file.head[20]) + 1);
  file.Lines({name, "50", "50", "250", "200", "1", "16777215", std::to_string(kind)});
  AppendInt32(file.pictures, static_cast<std::int32_t>(picture.size()));
  file.pictures.insert(file.pictures.end(), picture.begin(), picture.end());
}

}  // namespace

Seeds ConvertedSeeds() {
  Seeds seeds;
  const auto sections = Sections();
  ConvertedFileBuilder all = WithSections(sections);
  AppendPicture(all, 1, JpegPicture(), "照片1");
  AppendPicture(all, 0, EncodePicture(StripePicture(10, 6, QImage::Format_RGB32), "BMP"), "图片2");
  seeds.push_back({"all-sections.txt", all.Build()});
  seeds.push_back({"empty.txt", ConvertedFileBuilder().Build()});
  const auto& hostile = HostileTexts();
  std::size_t salt = 0;
  for (const SectionSeed& section : sections) {
    const std::string stem = "section-" + std::to_string(section.number);
    seeds.push_back({stem + ".txt", WithSections({section}).Build()});
    const std::size_t varied = std::min(section.lines.size() - 1, kMaxVariedLines);
    for (std::size_t line = 1; line <= varied; ++line) {
      SectionSeed changed = section;
      changed.lines[line] = hostile[(line + salt) % hostile.size()];
      seeds.push_back(
          {stem + "-line" + std::to_string(line) + ".txt", WithSections({changed}).Build()});
    }
    ++salt;
    // More objects than the lines hold.
    ConvertedFileBuilder many = WithSections({section});
    many.SetCount(section.number, 2147483647);
    seeds.push_back({stem + "-count-max.txt", many.Build()});
  }
  ConvertedFileBuilder negative = WithSections(sections);
  negative.SetCount(4, -1);
  seeds.push_back({"count-negative.txt", negative.Build()});
  // Pictures: a JPEG whose length runs past the file, a bitmap that says it
  // is longer than what follows, a picture of an unknown kind.
  ConvertedFileBuilder jpeg;
  AppendPicture(jpeg, 1, JpegPicture(), "照片");
  PatchInt32(jpeg.pictures, 0, 0x7FFFFFFF);
  seeds.push_back({"picture-length-past-end.txt", jpeg.Build()});
  ConvertedFileBuilder bmp;
  SeedBytes claims = EncodePicture(StripePicture(8, 8, QImage::Format_RGB32), "BMP");
  PatchInt32(claims, 2, 0x0FFFFFFF);
  AppendPicture(bmp, 0, claims, "图片");
  seeds.push_back({"picture-bitmap-claims-more.txt", bmp.Build()});
  ConvertedFileBuilder unknown;
  AppendPicture(unknown, 7, JpegPicture(), "图片");
  seeds.push_back({"picture-unknown-kind.txt", unknown.Build()});
  ConvertedFileBuilder length = WithSections(sections);
  length.lengthOverridden = true;
  length.lengthField = 0x7FFFFFFF;
  seeds.push_back({"text-length-past-end.txt", length.Build()});
  return seeds;
}
