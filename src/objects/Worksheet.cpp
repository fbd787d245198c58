#include "objects/Worksheet.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <algorithm>

#include "i18n/TtlmController.h"
#include "objects/EquationPanel.h"
#include "objects/EquationReadout.h"
#include "scene/Document.h"
#include "scene/VectorPicture.h"

namespace {

constexpr double kMargin = 40;
constexpr double kRowHeight = 22;
constexpr int kBitmapDpi = 150;

QString Q(const std::string& text) { return QString::fromStdString(text); }

// Sized in the page's units (points) whatever the device's resolution.
QFont PointFont(int points, bool bold = false) {
  QFont font("Sans");
  font.setPixelSize(points);
  font.setBold(bold);
  return font;
}

// The table's header and rows, `top` its upper edge.
void PaintTable(QPainter& painter, double top, const std::vector<std::vector<QString>>& rows) {
  const double width = kWorksheetWidth - 2 * kMargin;
  const double columns[] = {0, 0.18, 0.36, 0.54, 1.0};
  const QString header[] = {"u", "v", "f", Q(Tr("Worksheet.Nature", "像的性质"))};
  painter.setPen(QPen(Qt::black, 0.8));
  painter.setBrush(Qt::NoBrush);
  const double bottom = top + kRowHeight * double(rows.size() + 1);
  for (std::size_t r = 0; r <= rows.size() + 1; ++r)
    painter.drawLine(QPointF(kMargin, top + kRowHeight * double(r)),
                     QPointF(kMargin + width, top + kRowHeight * double(r)));
  for (double c : columns)
    painter.drawLine(QPointF(kMargin + c * width, top), QPointF(kMargin + c * width, bottom));
  painter.setFont(PointFont(10, true));
  for (int c = 0; c < 4; ++c) {
    const QRectF cell(kMargin + columns[c] * width + 4, top, (columns[c + 1] - columns[c]) * width,
                      kRowHeight);
    painter.drawText(cell, Qt::AlignVCenter | Qt::AlignLeft, header[c]);
  }
  painter.setFont(PointFont(10));
  for (std::size_t r = 0; r < rows.size(); ++r)
    for (std::size_t c = 0; c < rows[r].size() && c < 4; ++c) {
      const QRectF cell(kMargin + columns[c] * width + 4, top + kRowHeight * double(r + 1),
                        (columns[c + 1] - columns[c]) * width - 8, kRowHeight);
      painter.drawText(cell, Qt::AlignVCenter | Qt::AlignLeft, rows[r][c]);
    }
}

std::vector<std::vector<QString>> TableRows(Document& document, WorksheetOptions::Table table) {
  std::vector<std::vector<QString>> rows;
  if (table == WorksheetOptions::Table::Blank) rows.assign(kBlankRows, {});
  if (table != WorksheetOptions::Table::Values) return rows;
  for (const auto& r : ReadEquations(document.scene)) {
    if (int(rows.size()) == kMaxValueRows) break;
    rows.push_back({Q(PanelNumber(r.u)), r.finite ? Q(PanelNumber(r.v)) : QString("∞"),
                    Q(PanelNumber(r.f)), r.finite ? Q(ImageNature(r)) : QString()});
  }
  return rows;
}

}  // namespace

std::string ExperimentTitle(const std::string& fileName) {
  const QString base = QFileInfo(Q(fileName)).completeBaseName();
  if (fileName.empty() || fileName == "0" || base.isEmpty())
    return Tr("Worksheet.Untitled", "未命名实验");
  return base.toStdString();
}

void PaintWorksheet(QPainter& painter, Document& document, QSize picture,
                    const WorksheetOptions& options) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.fillRect(QRectF(0, 0, kWorksheetWidth, kWorksheetHeight), Qt::white);
  painter.setPen(Qt::black);
  const double width = kWorksheetWidth - 2 * kMargin;
  double y = kMargin;
  const bool lesson = !options.lessonTitle.empty();
  painter.setFont(PointFont(18, true));
  painter.drawText(QRectF(kMargin, y, width, 28), Qt::AlignLeft | Qt::AlignVCenter,
                   Q(lesson ? options.lessonTitle : options.title));
  y += 30;
  painter.setFont(PointFont(11));
  if (lesson)
    painter.drawText(QRectF(kMargin, y, width, 18), Qt::AlignLeft | Qt::AlignVCenter,
                     Q(options.title));
  painter.drawText(QRectF(kMargin, y, width, 18), Qt::AlignRight | Qt::AlignVCenter,
                   Q(Tr("Worksheet.Date", "日期:") + " " + options.date));
  y += 24;
  painter.drawText(QRectF(kMargin, y, width, 18), Qt::AlignLeft | Qt::AlignVCenter,
                   Q(Tr("Worksheet.Name", "姓名:") + " ____________    " +
                     Tr("Worksheet.Class", "班级:") + " ________"));
  y += 28;

  const auto rows = TableRows(document, options.table);
  const double tableHeight = options.table == WorksheetOptions::Table::None
                                 ? 0
                                 : kRowHeight * double(rows.size() + 1) + 16;
  const int w = std::max(1, picture.width()), h = std::max(1, picture.height());
  const double room = kWorksheetHeight - kMargin - y - tableHeight;
  const double scale = std::max(0.01, std::min(width / w, room / h));
  const QRectF frame(kMargin + (width - w * scale) / 2, y, w * scale, h * scale);
  painter.save();
  painter.translate(frame.topLeft());
  painter.scale(scale, scale);
  painter.setClipRect(QRect(0, 0, w, h));
  PaintDocumentOn(document, painter, w, h, true);
  painter.restore();
  painter.setPen(QPen(Qt::black, 0.8));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(frame);
  if (options.table != WorksheetOptions::Table::None)
    PaintTable(painter, frame.bottom() + 16, rows);
  painter.restore();
}

QByteArray WorksheetBytes(Document& document, QSize picture, const WorksheetOptions& options,
                          const std::string& format) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  QPainter painter;
  const QString title = Q(options.title);
  if (format == "pdf") {
    QPdfWriter pdf(&buffer);
    pdf.setResolution(72);
    pdf.setTitle(title);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(QMarginsF());
    if (!painter.begin(&pdf)) return {};
    painter.scale(pdf.width() / kWorksheetWidth, pdf.height() / kWorksheetHeight);
    PaintWorksheet(painter, document, picture, options);
    if (!painter.end()) return {};
  } else if (format == "svg") {
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(QSize(int(kWorksheetWidth), int(kWorksheetHeight)));
    svg.setViewBox(QRectF(0, 0, kWorksheetWidth, kWorksheetHeight));
    svg.setResolution(72);
    svg.setTitle(title);
    if (!painter.begin(&svg)) return {};
    PaintWorksheet(painter, document, picture, options);
    if (!painter.end()) return {};
  } else {
    const double dots = kBitmapDpi / 72.0;
    QImage page(int(kWorksheetWidth * dots), int(kWorksheetHeight * dots), QImage::Format_RGB32);
    if (page.isNull()) return {};
    page.fill(Qt::white);
    if (!painter.begin(&page)) return {};
    painter.scale(dots, dots);
    PaintWorksheet(painter, document, picture, options);
    painter.end();
    page.setDotsPerMeterX(int(kBitmapDpi / 0.0254));
    page.setDotsPerMeterY(int(kBitmapDpi / 0.0254));
    QImageWriter writer(&buffer, format == "jpg" ? "JPEG" : QByteArray(format.c_str()).toUpper());
    if (!writer.write(page)) return {};
  }
  return buffer.data();
}
