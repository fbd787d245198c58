// exo-make-pictures OUTDIR: writes the imaging system's pictures,
// all drawn here: "0.dat", an upright candle on white (46 x 212, white is
// the transparent colour), and "00.dat" ... "66.dat", the candle as the
// screen shows it -- turned upside down, as a convex lens's real image is --
// blurred with a Gaussian of growing width: level 0 sharp, level 6 a blur
// that is barely a candle. Windows bitmaps, whatever the extension says.

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "OutputDirectory.h"

namespace {

constexpr int kWidth = 46, kHeight = 212;
// Gaussian widths (sigma, px) of blur levels 0 to 6.
constexpr double kSigma[7] = {0, 1.5, 3.0, 5.0, 8.0, 12.0, 20.0};

QImage Candle() {
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  // Flame: an outer orange drop, a yellow core and a blue root.
  QPainterPath flame;
  flame.moveTo(23, 4);
  flame.cubicTo(31, 22, 33, 40, 23, 50);
  flame.cubicTo(13, 40, 15, 22, 23, 4);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(250, 140, 20));
  p.drawPath(flame);
  p.setBrush(QColor(255, 230, 90));
  p.drawEllipse(QRectF(19, 26, 8, 20));
  p.setBrush(QColor(70, 110, 220));
  p.drawEllipse(QRectF(20.5, 44, 5, 6));
  // Wick.
  p.setPen(QPen(QColor(30, 30, 30), 2));
  p.drawLine(QPointF(23, 46), QPointF(23, 58));
  // Body with a drip of wax and a shaded side.
  p.setPen(QPen(QColor(140, 20, 30), 1.5));
  p.setBrush(QColor(205, 35, 45));
  p.drawRect(QRectF(11, 58, 24, 140));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(150, 20, 30));
  p.drawRect(QRectF(28, 59, 6, 138));
  p.setBrush(QColor(235, 90, 95));
  p.drawRoundedRect(QRectF(14, 58, 5, 30), 2.5, 2.5);
  // Holder.
  p.setPen(QPen(QColor(90, 70, 30), 1.5));
  p.setBrush(QColor(200, 165, 60));
  p.drawRoundedRect(QRectF(3, 197, 40, 11), 4, 4);
  return image;
}

// One pass of a normalised Gaussian along x or y; edges repeat the border
// pixels (white all round).
QImage BlurPass(const QImage& in, double sigma, bool horizontal) {
  const int radius = int(std::ceil(3 * sigma));
  std::vector<double> kernel(2 * radius + 1);
  double sum = 0;
  for (int i = -radius; i <= radius; ++i)
    sum += kernel[i + radius] = std::exp(-i * i / (2 * sigma * sigma));
  for (double& k : kernel) k /= sum;
  QImage out(in.size(), QImage::Format_RGB32);
  for (int y = 0; y < in.height(); ++y) {
    for (int x = 0; x < in.width(); ++x) {
      double r = 0, g = 0, b = 0;
      for (int i = -radius; i <= radius; ++i) {
        const int sx = horizontal ? std::clamp(x + i, 0, in.width() - 1) : x;
        const int sy = horizontal ? y : std::clamp(y + i, 0, in.height() - 1);
        const QRgb c = in.pixel(sx, sy);
        const double k = kernel[i + radius];
        r += k * qRed(c);
        g += k * qGreen(c);
        b += k * qBlue(c);
      }
      out.setPixel(x, y, qRgb(int(std::lround(r)), int(std::lround(g)), int(std::lround(b))));
    }
  }
  return out;
}

QImage Blurred(const QImage& image, double sigma) {
  if (sigma <= 0) return image;
  return BlurPass(BlurPass(image, sigma, true), sigma, false);
}

bool Write(const QImage& image, const std::filesystem::path& path) {
  if (image.save(QString::fromStdString(path.string()), "BMP")) return true;
  std::fprintf(stderr, "cannot write %s\n", path.string().c_str());
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  int usageStatus = 0;
  const auto found = OutputDirectory(argc, argv, "exo-make-pictures OUTDIR", usageStatus);
  if (!found) return usageStatus;
  const std::filesystem::path& directory = *found;
  const QImage candle = Candle();
  bool ok = Write(candle, directory / "0.dat");
  // A real image is turned about the axis: upside down and left to right.
  const QImage onScreen = candle.mirrored(true, true);
  for (int level = 0; level <= 6; ++level) {
    const std::string name = std::to_string(level) + std::to_string(level) + ".dat";
    ok = Write(Blurred(onScreen, kSigma[level]), directory / name) && ok;
  }
  return ok ? 0 : 1;
}
