#include "scene/VectorPicture.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "gfx/paint/PainterCanvas.h"
#include "scene/Document.h"

namespace {

// The pictures are drawn in screen pixels; at 96 an inch their sizes in
// points and millimetres match what the screen shows.
constexpr int kScreenDpi = 96;

// Points objects and the document at another canvas while it lives.
class CanvasSwap {
 public:
  CanvasSwap(Document& document, TCanvas* canvas) : document_(document), old_(document.canvas) {
    document.canvas = canvas;
    for (auto& object : document.scene) {
      objects_.push_back(object->canvas);
      object->SetCanvas(canvas);
    }
  }
  ~CanvasSwap() {
    document_.canvas = old_;
    const std::size_t n = std::min(objects_.size(), document_.scene.size());
    for (std::size_t i = 0; i < n; ++i) document_.scene[i]->SetCanvas(objects_[i]);
  }
  CanvasSwap(const CanvasSwap&) = delete;
  CanvasSwap& operator=(const CanvasSwap&) = delete;

 private:
  Document& document_;
  TCanvas* old_;
  std::vector<TCanvas*> objects_;
};

}  // namespace

VectorFormat VectorFormatOf(const std::string& path) {
  const QString suffix = QFileInfo(QString::fromStdString(path)).suffix().toLower();
  if (suffix == "svg") return VectorFormat::Svg;
  if (suffix == "pdf") return VectorFormat::Pdf;
  return VectorFormat::None;
}

void PaintThrough(Document& document, QPainter& painter, int width, int height, bool paper,
                  const std::function<void()>& paint) {
  // On the heap: the refresh paints on a pool thread, which reads nothing
  // on this thread's stack (gfx/paint/PaintThread.cpp).
  auto canvas = std::make_unique<PainterCanvas>(painter, width, height);
  if (paper) canvas->DrawOnPaper(document.page->ambientColour);
  CanvasSwap swap(document, canvas.get());
  painter.save();
  paint();
  painter.restore();
}

bool PaintDocumentOn(Document& document, QPainter& painter, int width, int height, bool paper) {
  bool cut = false;
  PaintThrough(document, painter, width, height, paper, [&] { cut = document.RefreshView(); });
  return cut;
}

QByteArray VectorPictureBytes(Document& document, VectorFormat format, int width, int height,
                              const std::string& title, bool paper) {
  width = std::max(1, width);
  height = std::max(1, height);
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  const QString name = QString::fromStdString(title);
  QPainter painter;
  if (format == VectorFormat::Svg) {
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(QSize(width, height));
    svg.setViewBox(QRect(0, 0, width, height));
    svg.setResolution(kScreenDpi);
    svg.setTitle(name);
    if (!painter.begin(&svg)) return {};
    PaintDocumentOn(document, painter, width, height, paper);
    if (!painter.end()) return {};
  } else if (format == VectorFormat::Pdf) {
    QPdfWriter pdf(&buffer);
    pdf.setResolution(kScreenDpi);
    pdf.setTitle(name);
    pdf.setCreator(name);
    pdf.setPageMargins(QMarginsF());
    pdf.setPageSize(QPageSize(QSizeF(width * 72.0 / kScreenDpi, height * 72.0 / kScreenDpi),
                              QPageSize::Point, QString(), QPageSize::ExactMatch));
    if (!painter.begin(&pdf)) return {};
    // The page may round to whole points: the picture fills it.
    painter.scale(pdf.width() / double(width), pdf.height() / double(height));
    PaintDocumentOn(document, painter, width, height, paper);
    if (!painter.end()) return {};
  } else {
    return {};
  }
  return buffer.data();
}

QImage PaperBitmap(Document& document, int width, int height, double ratio) {
  ratio = std::clamp(ratio, 1.0, 4.0);
  QImage image(int(std::lround(std::max(1, width) * ratio)),
               int(std::lround(std::max(1, height) * ratio)), QImage::Format_RGB32);
  if (image.isNull()) return image;
  image.setDevicePixelRatio(ratio);
  image.fill(Qt::white);
  QPainter painter(&image);
  PaintDocumentOn(document, painter, width, height, true);
  painter.end();
  return image;
}
