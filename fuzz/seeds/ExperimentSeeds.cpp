// Seeds of the current layout: every example experiment, every object class
// (from the first example that has it, otherwise as its tool makes it) with
// each own 32-bit field in turn set to a hostile value, hostile page and base
// fields, pictures and text in annotations, and broken frames built byte by
// byte with the tests' builder.

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>

#include "ExperimentFileBuilder.h"
#include "Seeds.h"
#include "examples/Examples.h"
#include "files/ExperimentFile.h"
#include "gfx/RecordingCanvas.h"
#include "objects/ObjectFactory.h"
#include "objects/sources/LampHouse.h"
#include "objects/tools/DrawImage.h"
#include "objects/tools/DrawString.h"
#include "scene/ByteStream.h"
#include "scene/Document.h"
#include "scene/ProcessSettings.h"

namespace {

// Own fields varied per class; more would only repeat the record's shape.
constexpr std::size_t kMaxWordsPerClass = 24;
constexpr std::size_t kBaseFieldBytes = 31;  // flags, colours, widths after the names
constexpr std::size_t kReservedBytes = 40;

struct Experiment {
  RecordingCanvas canvas;
  Document document{&canvas};
  Experiment() {
    ResetSettings();
    document.header = MakeHeaderTemplate();
    document.header.dateTime = "2025-01-01 08:00:00";
    document.ResetPage();
    AddCoordinateSystem(document);
  }
  SeedBytes Bytes() const { return SerializeExperiment(document); }
};

std::size_t RecordSize(DrawObjectUnit& object) {
  ByteWriter out;
  object.SaveToStream(out);
  return out.Size();
}

// Where object `index`'s record and its own fields lie in the saved file.
struct RecordPlace {
  std::size_t start = 0, ownStart = 0, ownEnd = 0;
};
RecordPlace PlaceOf(Document& document, std::size_t index) {
  RecordPlace place;
  place.start = kHeaderSize + kPageRecordSize;
  for (std::size_t i = 0; i < index; ++i) place.start += RecordSize(*document.scene[i]);
  ByteWriter out;
  document.scene[index]->SaveToStream(out);
  ByteReader in(out.Data());
  in.ReadString(kMaxClassNameLength);
  for (int i = 0; i < 3; ++i) in.ReadString();
  in.Skip(kBaseFieldBytes);
  place.ownStart = place.start + in.Position();
  place.ownEnd = place.start + out.Size() - std::min(out.Size() - in.Position(), kReservedBytes);
  return place;
}

void PutWord(SeedBytes& bytes, std::size_t offset, std::uint32_t word) {
  for (int i = 0; i < 4; ++i) bytes.at(offset + i) = static_cast<std::uint8_t>(word >> (8 * i));
}

void AddLamp(Document& document, float x, float y) {
  auto lamp = std::make_unique<LampHouse>(document.canvas);
  lamp->rayTemplate.startX = x;
  lamp->rayTemplate.startY = y;
  lamp->rayTemplate.throughX = x + 50;
  lamp->rayTemplate.throughY = y;
  lamp->skipNextPaint = 0;
  lamp->SetSerialName("1");
  document.scene.push_back(std::move(lamp));
}

// One file per own word of the object at `index`, the word hostile; a base
// variant with a huge line width and a negative handle size.
void HostileVariants(Experiment& experiment, std::size_t index, const std::string& stem,
                     std::size_t salt, Seeds& seeds) {
  const SeedBytes clean = experiment.Bytes();
  const RecordPlace place = PlaceOf(experiment.document, index);
  const auto& words = HostileWords();
  const std::size_t count = std::min((place.ownEnd - place.ownStart) / 4, kMaxWordsPerClass);
  for (std::size_t k = 0; k < count; ++k) {
    SeedBytes bytes = clean;
    PutWord(bytes, place.ownStart + 4 * k, words[(k + salt) % words.size()]);
    seeds.push_back({stem + "-w" + std::to_string(k) + ".exo", std::move(bytes)});
  }
  // Line width and handle size lie 13 and 22 bytes into the base fields.
  SeedBytes base = clean;
  const std::size_t fields = place.ownStart - kBaseFieldBytes;
  PutWord(base, fields + 13, 0x7FFFFFFFu);
  PutWord(base, fields + 22, 0xFFFFFFFFu);
  seeds.push_back({stem + "-base.exo", std::move(base)});
}

void ExampleAndClassSeeds(Seeds& seeds) {
  std::map<std::string, bool> covered;
  std::size_t salt = 0;
  for (std::size_t e = 0; e < ExampleRegistry().size(); ++e) {
    Experiment experiment;
    ExampleRegistry()[e].build(experiment.document);
    const std::string number = std::to_string(100 + e).substr(1);
    seeds.push_back({"example-" + number + ".exo", experiment.Bytes()});
    for (std::size_t i = 0; i < experiment.document.scene.size(); ++i) {
      const std::string name = experiment.document.scene[i]->className;
      if (covered[name]) continue;
      covered[name] = true;
      HostileVariants(experiment, i, "hostile-" + name, salt++, seeds);
    }
  }
  // Classes no example shows, as their tool makes them, beside a lamp.
  for (const std::string& name : KnownClassNames()) {
    if (covered[name]) continue;
    Experiment experiment;
    AddLamp(experiment.document, 50, 200);
    auto object = CreateObjectByClassName(name, experiment.document.canvas);
    object->skipNextPaint = 0;
    object->SetSerialName("1");
    experiment.document.scene.push_back(std::move(object));
    seeds.push_back({"class-" + name + ".exo", experiment.Bytes()});
    HostileVariants(experiment, experiment.document.scene.size() - 1, "hostile-" + name, salt++,
                    seeds);
  }
}

void AnnotationSeeds(Seeds& seeds) {
  const SeedBytes bmp = EncodePicture(StripePicture(24, 16, QImage::Format_RGB32), "BMP");
  Experiment experiment;
  auto image = std::make_unique<DrawImage>(experiment.document.canvas);
  image->corners[0] = {100, 100};
  image->corners[1] = {300, 100};
  image->corners[2] = {300, 250};
  image->corners[3] = {100, 250};
  image->picture = DrawImage::FromBmp(bmp);
  image->hasPicture = 1;
  image->fillFlag = 1;
  image->fillColor = 0xFFFFFF;
  image->skipNextPaint = 0;
  auto text = std::make_unique<DrawString>(experiment.document.canvas);
  text->corners[0] = {320, 100};
  text->corners[1] = {600, 100};
  text->corners[2] = {600, 300};
  text->corners[3] = {320, 300};
  std::string long_text;
  for (int i = 0; i < 200; ++i) long_text += "光线 ray " + std::to_string(i) + "\r\n";
  text->SetText(long_text);
  text->font.size = 300;
  text->skipNextPaint = 0;
  experiment.document.scene.push_back(std::move(image));
  experiment.document.scene.push_back(std::move(text));
  const SeedBytes clean = experiment.Bytes();
  seeds.push_back({"annotations.exo", clean});
  // The embedded bitmap claims far more bytes than the file holds.
  const auto at = std::search(clean.begin(), clean.end(), bmp.begin(), bmp.begin() + 6);
  SeedBytes claims = clean;
  PutWord(claims, static_cast<std::size_t>(at - clean.begin()) + 2, 0x00FFFFFFu);
  seeds.push_back({"annotations-bitmap-claims-more.exo", std::move(claims)});
}

void PageSeeds(Seeds& seeds) {
  Experiment experiment;
  ExampleRegistry().front().build(experiment.document);
  const SeedBytes clean = experiment.Bytes();
  const std::size_t page = kHeaderSize;
  // Scale, ray width, ambient colour; the version in the header.
  for (auto [offset, word, name] : {std::tuple{page + 0, 0x7FC00000u, "scale-nan"},
                                    {page + 5, 0x7FFFFFFFu, "ray-width-max"},
                                    {page + 5, 0xFFFFFFFFu, "ray-width-negative"},
                                    {page + 9, 0xFFFFFFFFu, "ambient-all"},
                                    {std::size_t{0}, 0x7FC00000u, "version-nan"},
                                    {std::size_t{0}, 0x40D00000u, "version-6.5"}}) {
    SeedBytes bytes = clean;
    PutWord(bytes, offset, word);
    seeds.push_back({std::string("page-") + name + ".exo", std::move(bytes)});
  }
}

// Frames written byte by byte, independently of the engine's writer.
void LayoutSeeds(Seeds& seeds) {
  auto built = [] {
    ExperimentFileBuilder file;
    file.ReferenceFrame(20, 300).LampHouse({}).FlatMirror(300, 200, 300, 400);
    return file;
  };
  seeds.push_back({"layout-builder.exo", built().Build()});
  seeds.push_back({"layout-empty.exo", ExperimentFileBuilder().Build()});
  seeds.push_back({"layout-size-field-off.exo", built().SizeField(100).Build()});
  ExperimentFileBuilder unknown = built();
  unknown.ClassNameOnly("NoSuchClass");
  seeds.push_back({"layout-unknown-class.exo", unknown.Build()});
  ExperimentFileBuilder longName = built();
  longName.ClassNameOnly(std::string(kMaxClassNameLength + 1, 'L'));
  seeds.push_back({"layout-long-class-name.exo", longName.Build()});
  ExperimentFileBuilder negative = built();
  negative.RawBytes({0xFF, 0xFF, 0xFF, 0xFF});
  seeds.push_back({"layout-negative-length.exo", negative.Build()});
  LampHouseFields lamp;
  lamp.rayCount = 0x7FFFFFFF;
  lamp.spacing = 1e-30f;
  lamp.sourceKind = 7;
  ExperimentFileBuilder many;
  many.LampHouse(lamp).FlatMirror(300, 0, 300, 600);
  seeds.push_back({"layout-lamp-many-rays.exo", many.Build()});
  // Cut inside the mirror's record, the size field telling the truth.
  ExperimentFileBuilder cut = built();
  SeedBytes bytes = cut.Build();
  bytes.resize(cut.RecordOffsets().back() + 30);
  bytes.insert(bytes.end(), 14, 0);
  PatchInt32(bytes, 4, static_cast<std::int32_t>(bytes.size()));
  seeds.push_back({"layout-cut-record.exo", std::move(bytes)});
  SeedBytes header = built().Build();
  header.resize(kHeaderSize);
  seeds.push_back({"layout-header-only.exo", std::move(header)});
}

}  // namespace

Seeds ExperimentSeeds() {
  Seeds seeds;
  ExampleAndClassSeeds(seeds);
  AnnotationSeeds(seeds);
  PageSeeds(seeds);
  LayoutSeeds(seeds);
  ResetSettings();
  return seeds;
}
