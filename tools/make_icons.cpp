// exo-make-icons SVG OUTDIR: renders the application icon at the sizes of
// the desktop's icon theme, OUTDIR/NxN/apps/veltrano-optics.png, so that the
// pictures never drift from the drawing in the SVG.

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: exo-make-icons SVG OUTDIR\n");
    return 2;
  }
  QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
  if (!renderer.isValid()) {
    std::fprintf(stderr, "exo-make-icons: cannot read %s\n", argv[1]);
    return 1;
  }
  const QDir out(QString::fromLocal8Bit(argv[2]));
  for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(0, 0, size, size));
    painter.end();
    const QString dir = QString("%1x%1/apps").arg(size);
    const QString file = out.filePath(dir + "/veltrano-optics.png");
    if (!out.mkpath(dir) || !image.save(file, "PNG")) {
      std::fprintf(stderr, "exo-make-icons: cannot write %s\n", qPrintable(file));
      return 1;
    }
  }
  return 0;
}
