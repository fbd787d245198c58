#include "gfx/ColourKey.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// Source pixel (0 ... size - 1) under the centre of target pixel `i`.
int SourceIndex(int i, double origin, double ratio, double scale, int size) {
  const double at = (origin + (i + 0.5) / ratio) * scale;
  return std::clamp(static_cast<int>(std::floor(at)), 0, size - 1);
}

}  // namespace

QImage ColourKeyedPart(const QImage& picture, const QRect& box, const QRect& shown, QRgb key,
                       qreal ratio) {
  if (picture.isNull() || box.isEmpty() || shown.isEmpty() || !(ratio > 0)) return {};
  const int width = static_cast<int>(std::ceil(shown.width() * ratio));
  const int height = static_cast<int>(std::ceil(shown.height() * ratio));
  QImage part(width, height, QImage::Format_ARGB32);
  if (part.isNull()) return part;
  const double scaleX = double(picture.width()) / box.width();
  const double scaleY = double(picture.height()) / box.height();
  const double originX = shown.left() - box.left(), originY = shown.top() - box.top();
  std::vector<int> columns(static_cast<std::size_t>(width));
  for (int i = 0; i < width; ++i)
    columns[std::size_t(i)] = SourceIndex(i, originX, ratio, scaleX, picture.width());
  const bool direct =
      picture.format() == QImage::Format_RGB32 || picture.format() == QImage::Format_ARGB32;
  const QRgb colour = key & 0xFFFFFF;
  for (int j = 0; j < height; ++j) {
    const int row = SourceIndex(j, originY, ratio, scaleY, picture.height());
    const auto* from = reinterpret_cast<const QRgb*>(picture.constScanLine(row));
    auto* to = reinterpret_cast<QRgb*>(part.scanLine(j));
    for (int i = 0; i < width; ++i) {
      const int column = columns[std::size_t(i)];
      const QRgb p = direct ? from[column] : picture.pixel(column, row);
      to[i] = (p & 0xFFFFFF) == colour ? 0 : p;
    }
  }
  part.setDevicePixelRatio(ratio);
  return part;
}
