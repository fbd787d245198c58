#include "gfx/PictureReading.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>
#include <cerrno>
#include <vector>

#include "gfx/PictureAllowance.h"

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
  // Not blocking on open: a pipe without a writer would wait for one.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return PictureStatus::Unreadable;
  struct stat info {};
  std::vector<std::uint8_t> data;
  bool ok = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0 &&
            info.st_size <= kMaxPictureFileBytes;
  if (ok) {
    data.resize(static_cast<std::size_t>(info.st_size));
    std::size_t done = 0;
    while (done < data.size()) {
      const ssize_t n = ::read(fd, data.data() + done, data.size() - done);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;
      done += static_cast<std::size_t>(n);
    }
    data.resize(done);
  }
  ::close(fd);
  if (!ok) return PictureStatus::Unreadable;
  return DecodePicture(data, format, out);
}
