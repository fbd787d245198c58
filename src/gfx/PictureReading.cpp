#include "gfx/PictureReading.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>
#include <vector>

#include "gfx/PictureAllowance.h"
#include "platform/Platform.h"

PictureStatus DecodePicture(std::span<const std::uint8_t> bytes, const char* format, QImage& out) {
  if (bytes.empty() || bytes.size() > static_cast<std::size_t>(kMaxPictureFileBytes))
    return PictureStatus::Unreadable;
  QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                            static_cast<qsizetype>(bytes.size()));
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, format);
  reader.setDecideFormatFromContent(false);
  // The header's size, before anything is allocated for the pixels.
  const QSize size = reader.size();
  if (!size.isValid() || size.isEmpty()) return PictureStatus::Unreadable;
  const std::int64_t pixels = std::int64_t(size.width()) * size.height();
  if (pixels > kMaxPicturePixels) {
    PictureAllowance::NoteRefused();
    return PictureStatus::TooLarge;
  }
  if (!PictureAllowance::Take(pixels)) return PictureStatus::TooLarge;
  QImage image = reader.read();
  if (image.isNull()) return PictureStatus::Unreadable;
  const QImage::Format wanted =
      image.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32;
  out = image.format() == wanted ? std::move(image) : image.convertToFormat(wanted);
  return out.isNull() ? PictureStatus::Unreadable : PictureStatus::Decoded;
}

PictureStatus ReadPictureFile(const std::string& path, const char* format, QImage& out) {
  std::vector<std::uint8_t> data;
  if (ReadWholeFile(path, data, kMaxPictureFileBytes) != FileRead::Read || data.empty())
    return PictureStatus::Unreadable;
  return DecodePicture(data, format, out);
}
