// Pictures from untrusted files: the bitmap embedded in a picture annotation,
// the JPEG or bitmap after the converted layout's text, and the imaging
// system's picture files. The input is the picture's bytes; each reader
// takes it or refuses it, and what one takes the others must take as well.

#include <unistd.h>

#include <QImage>
#include <memory>

#include "FuzzHarness.h"
#include "files/ConvertedRecord.h"
#include "gfx/paint/QImageCanvas.h"
#include "objects/ObjectFactory.h"
#include "objects/elements/ImagingSystem.h"
#include "objects/tools/DrawImage.h"
#include "scene/ByteStream.h"
#include "scene/Document.h"
#include "scene/ProcessSettings.h"

namespace {

constexpr int kSurfaceWidth = 320;
constexpr int kSurfaceHeight = 240;
constexpr int kScreenLevels = 6;
constexpr std::size_t kReservedBytes = 40;

// Paints the objects once, running, on a small surface.
void Paint(Document& document) {
  document.running = true;
  document.RefreshView();
}

DrawImage& PictureAnnotation(Document& document) {
  auto object = std::make_unique<DrawImage>(document.canvas);
  object->corners[0] = {10, 10};
  object->corners[1] = {200, 10};
  object->corners[2] = {200, 150};
  object->corners[3] = {10, 150};
  object->skipNextPaint = 0;
  auto& image = *object;
  document.scene.push_back(std::move(object));
  return image;
}

// The picture as a file embeds it in a picture annotation's record (its
// transparent colour from the input's last bytes); what the record reader
// takes must save and read back to the same bitmap.
void EmbeddedBitmap(Document& document, std::span<const std::uint8_t> input) {
  DrawImage& empty = PictureAnnotation(document);
  TColor key = 0;
  for (std::size_t i = 1; i <= 3 && i <= input.size(); ++i)
    key = key << 8 | input[input.size() - i];
  empty.fillFlag = 1;
  empty.fillColor = key;
  ByteWriter out;
  Require(empty.SaveToStream(out), "a picture annotation does not save");
  // Flags (has picture, spare, skip) and the reserved block end the record.
  Bytes record = out.Data();
  const std::size_t flags = record.size() - kReservedBytes - 3;
  record[flags] = 1;
  record.insert(record.end() - kReservedBytes, input.begin(), input.end());
  auto image = CreateObjectByClassName("DrawImage", document.canvas);
  ByteReader in(record);
  in.ReadString();
  if (!image->LoadFromStream(in) || !in.Ok()) return;
  const auto* read = static_cast<DrawImage*>(image.get())->picture.get();
  if (!read) return;
  ByteWriter again;
  Require(image->SaveToStream(again), "a picture annotation read does not save");
  auto copy = CreateObjectByClassName("DrawImage", document.canvas);
  ByteReader back(again.Data());
  back.ReadString();
  Require(copy->LoadFromStream(back) && back.Ok() && back.Remaining() == 0,
          "a picture annotation does not read back its own record");
  const auto* reread = static_cast<DrawImage*>(copy.get())->picture.get();
  Require(reread && reread->bmp == read->bmp, "a picture annotation reads back another picture");
  image->skipNextPaint = copy->skipNextPaint = 0;
  document.scene.push_back(std::move(image));
  document.scene.push_back(std::move(copy));
}

// The picture after the converted text, as a JPEG (kind 1) or a bitmap.
void ConvertedPicture(Document& document, std::span<const std::uint8_t> input, int kind) {
  ByteWriter stream;
  stream.WriteInt32(static_cast<std::int32_t>(input.size()));
  stream.WriteBytes(input.data(), input.size());
  ByteReader in(stream.Data());
  ConvertedValues values;
  values.section = 18;
  values.reals = {20, 20, 220, 160};
  std::shared_ptr<const DrawImage::Picture> picture;
  if (!ReadConvertedPicture(in, kind, picture)) return;
  Require(!picture || DrawImage::FromBmp(picture->bmp) != nullptr,
          "a converted picture is not a bitmap the annotation takes");
  auto object = CreateObjectByClassName("DrawImage", document.canvas);
  Require(ApplyConvertedValues(*object, values), "a converted picture does not fit its record");
  auto& image = static_cast<DrawImage&>(*object);
  image.picture = std::move(picture);
  image.hasPicture = image.picture ? 1 : 0;
  object->skipNextPaint = 0;
  document.scene.push_back(std::move(object));
}

// Every picture file of the imaging system is the input: "0.dat" is written,
// the screen pictures are links to it.
void LinkScreenPictures() {
  for (int level = 1; level <= kScreenLevels; ++level) {
    const std::string link = FuzzPictureDirectory() + ImagingSystem::ScreenPictureName(level);
    ::unlink(link.c_str());
    Require(::symlink("0.dat", link.c_str()) == 0, "cannot link " + link);
  }
}

void ImagingPictures(Document& document, std::span<const std::uint8_t> input) {
  WriteScratchFile("DAT/" + ImagingSystem::ScreenPictureName(-1), input);
  auto system = std::make_unique<ImagingSystem>(document.canvas);
  system->Picture(1);
  document.scene.push_back(std::move(system));
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  FuzzSetUp();
  LinkScreenPictures();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzResetSettings();
  const std::span<const std::uint8_t> input(data, size);
  QImage surface(kSurfaceWidth, kSurfaceHeight, QImage::Format_RGB32);
  surface.fill(Qt::black);
  QImageCanvas canvas(&surface);
  Document document(&canvas);
  LowerWorkBounds(document);
  document.ResetPage();
  EmbeddedBitmap(document, input);
  ConvertedPicture(document, input, 1);
  ConvertedPicture(document, input, 0);
  ImagingPictures(document, input);
  Paint(document);
  return 0;
}
