// Seeds of the picture readers: bitmaps as Qt writes them and built header by
// header (every depth, run-length, bit fields, top-down, the old core header,
// hostile sizes and palettes), and JPEGs (baseline, grey, progressive, with
// hostile dimensions, cut short).

#include <QBuffer>
#include <QImageWriter>
#include <algorithm>

#include "ExperimentFileBuilder.h"
#include "Seeds.h"

namespace {

constexpr std::uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3;

void AppendUInt16(SeedBytes& out, std::uint16_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}

struct BitmapFields {
  std::int32_t width = 8, height = 4;
  std::uint16_t bits = 24;
  std::uint32_t compression = kRgb;
  std::uint32_t colours = 0;  // palette entries said
  std::uint32_t paletteWritten = 0;
  std::vector<std::uint32_t> masks;  // bit fields after the header
  SeedBytes pixels;
};

// A bitmap file with the 40-byte information header.
SeedBytes Bitmap(const BitmapFields& f) {
  SeedBytes info;
  AppendUInt32(info, 40);
  AppendInt32(info, f.width);
  AppendInt32(info, f.height);
  AppendUInt16(info, 1);
  AppendUInt16(info, f.bits);
  AppendUInt32(info, f.compression);
  AppendUInt32(info, static_cast<std::uint32_t>(f.pixels.size()));
  AppendUInt32(info, 2835);
  AppendUInt32(info, 2835);
  AppendUInt32(info, f.colours);
  AppendUInt32(info, 0);
  for (std::uint32_t m : f.masks) AppendUInt32(info, m);
  for (std::uint32_t i = 0; i < f.paletteWritten; ++i)
    AppendUInt32(info, (i * 0x3F1D27u) & 0xFFFFFFu);
  const std::uint32_t offset = 14 + static_cast<std::uint32_t>(info.size());
  SeedBytes out = {'B', 'M'};
  AppendUInt32(out, offset + static_cast<std::uint32_t>(f.pixels.size()));
  AppendUInt32(out, 0);
  AppendUInt32(out, offset);
  out.insert(out.end(), info.begin(), info.end());
  out.insert(out.end(), f.pixels.begin(), f.pixels.end());
  return out;
}

// The 12-byte header of the oldest bitmaps, 24 bits.
SeedBytes CoreBitmap() {
  SeedBytes out = {'B', 'M'};
  const SeedBytes pixels(4 * 2 * 3, 0x80);
  AppendUInt32(out, 14 + 12 + static_cast<std::uint32_t>(pixels.size()));
  AppendUInt32(out, 0);
  AppendUInt32(out, 14 + 12);
  AppendUInt32(out, 12);
  AppendUInt16(out, 4);
  AppendUInt16(out, 2);
  AppendUInt16(out, 1);
  AppendUInt16(out, 24);
  out.insert(out.end(), pixels.begin(), pixels.end());
  return out;
}

SeedBytes Progressive() {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "JPEG");
  writer.setProgressiveScanWrite(true);
  writer.setOptimizedWrite(true);
  writer.write(StripePicture(20, 10, QImage::Format_RGB32));
  return SeedBytes(bytes.begin(), bytes.end());
}

// A JPEG whose frame header says 65535 x 65535.
SeedBytes HugeJpeg() {
  SeedBytes jpeg = EncodePicture(StripePicture(8, 8, QImage::Format_RGB32), "JPEG");
  for (std::size_t i = 0; i + 8 < jpeg.size(); ++i) {
    if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0) {
      std::fill(jpeg.begin() + static_cast<std::ptrdiff_t>(i + 5),
                jpeg.begin() + static_cast<std::ptrdiff_t>(i + 9), 0xFF);
      break;
    }
  }
  return jpeg;
}

}  // namespace

Seeds PictureSeeds() {
  Seeds seeds;
  seeds.push_back({"qt-24.bmp", EncodePicture(StripePicture(24, 16, QImage::Format_RGB32), "BMP")});
  seeds.push_back({"qt-32.bmp", EncodePicture(StripePicture(9, 7, QImage::Format_ARGB32), "BMP")});
  seeds.push_back(
      {"qt-8.bmp", EncodePicture(StripePicture(13, 5, QImage::Format_Indexed8), "BMP")});
  seeds.push_back({"qt-1.bmp", EncodePicture(StripePicture(17, 3, QImage::Format_Mono), "BMP")});
  BitmapFields four;
  four.bits = 4;
  four.colours = four.paletteWritten = 16;
  four.pixels = SeedBytes(4 * 4, 0x1E);
  seeds.push_back({"four-bit.bmp", Bitmap(four)});
  BitmapFields rle8;
  rle8.bits = 8;
  rle8.compression = kRle8;
  rle8.colours = rle8.paletteWritten = 4;
  // A run, end of line, a literal run of three, a delta, end of bitmap.
  rle8.pixels = {4, 1, 0, 0, 0, 3, 1, 2, 3, 0, 0, 2, 1, 1, 2, 2, 0, 1};
  seeds.push_back({"rle8.bmp", Bitmap(rle8)});
  BitmapFields rle4 = rle8;
  rle4.bits = 4;
  rle4.compression = kRle4;
  rle4.pixels = {6, 0x12, 0, 0, 0, 4, 0x31, 0x23, 0, 1};
  seeds.push_back({"rle4.bmp", Bitmap(rle4)});
  BitmapFields wide = rle8;
  wide.width = wide.height = 1000;  // a few bytes that decode to a million pixels
  wide.pixels = {0, 2, 255, 255, 0, 2, 255, 255, 255, 7, 0, 1};
  seeds.push_back({"rle8-large.bmp", Bitmap(wide)});
  BitmapFields fields;
  fields.bits = 16;
  fields.compression = kBitFields;
  fields.masks = {0xF800, 0x07E0, 0x001F};
  fields.pixels = SeedBytes(8 * 4 * 2, 0xA5);
  seeds.push_back({"bitfields-565.bmp", Bitmap(fields)});
  fields.bits = 32;
  fields.masks = {0xFF000000u, 0x00FF0000u, 0x0000FF00u};
  fields.pixels = SeedBytes(8 * 4 * 4, 0x5A);
  seeds.push_back({"bitfields-32.bmp", Bitmap(fields)});
  BitmapFields topDown;
  topDown.height = -4;
  topDown.pixels = SeedBytes(8 * 4 * 3, 0xC3);
  seeds.push_back({"top-down.bmp", Bitmap(topDown)});
  seeds.push_back({"core-header.bmp", CoreBitmap()});
  BitmapFields huge = topDown;
  huge.width = 0x7FFFFFFF;
  huge.height = 2;
  seeds.push_back({"width-max.bmp", Bitmap(huge)});
  BitmapFields palette = four;
  palette.bits = 8;
  palette.colours = 0xFFFFFFFFu;
  seeds.push_back({"palette-count-max.bmp", Bitmap(palette)});
  BitmapFields depth = topDown;
  depth.bits = 64;
  seeds.push_back({"depth-64.bmp", Bitmap(depth)});
  seeds.push_back(
      {"baseline.jpg", EncodePicture(StripePicture(32, 24, QImage::Format_RGB32), "JPEG", 60)});
  seeds.push_back(
      {"grey.jpg", EncodePicture(StripePicture(16, 16, QImage::Format_Grayscale8), "JPEG", 5)});
  seeds.push_back({"progressive.jpg", Progressive()});
  seeds.push_back({"huge-frame.jpg", HugeJpeg()});
  SeedBytes cut = EncodePicture(StripePicture(32, 32, QImage::Format_RGB32), "JPEG", 90);
  cut.resize(cut.size() / 2);
  seeds.push_back({"cut-short.jpg", std::move(cut)});
  return seeds;
}
