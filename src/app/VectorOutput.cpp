#include "app/VectorOutput.h"

#include <QDate>
#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QInputDialog>
#include <QPageLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

#include "i18n/TtlmController.h"
#include "objects/Worksheet.h"
#include "platform/Platform.h"
#include "scene/Document.h"
#include "scene/IMessageSink.h"
#include "scene/VectorPicture.h"
#include "ui/FileDialogLayout.h"

namespace {

std::string ProgramTitle() { return Tr("15", "Veltrano Suite"); }

QSize PictureSize(const QImage& bitmap) {
  const double ratio = std::max(1.0, bitmap.devicePixelRatio());
  return {qRound(bitmap.width() / ratio), qRound(bitmap.height() / ratio)};
}

}  // namespace

PictureSave SaveDocumentPicture(Document& document, const QImage& bitmap, const std::string& path,
                                bool paper) {
  const VectorFormat format = VectorFormatOf(path);
  if (format == VectorFormat::None) {
    const QString suffix = QFileInfo(QString::fromStdString(path)).suffix().toLower();
    if (suffix == "bmp" || suffix == "jpg" || suffix == "jpeg" || suffix == "png") {
      if (!paper) return SavePictureFile(bitmap, path);
      const QSize size = PictureSize(bitmap);
      return SavePictureFile(
          PaperBitmap(document, size.width(), size.height(), bitmap.devicePixelRatio()), path);
    }
    ShowMessage(Tr("906", "只能保存为 BMP、JPEG、PNG、SVG 或 PDF 图片。"));
    return PictureSave::UnknownFormat;
  }
  const QSize size = PictureSize(bitmap);
  const QByteArray bytes =
      VectorPictureBytes(document, format, size.width(), size.height(), ProgramTitle(), paper);
  const std::string failed = Tr("901", "保存图片失败.");
  if (bytes.isEmpty()) {
    ShowMessage(failed);
    return PictureSave::Failed;
  }
  const std::vector<std::uint8_t> data(bytes.begin(), bytes.end());
  const std::string magic = format == VectorFormat::Pdf ? "%PDF" : "<?xml";
  const TemporaryCheck ours = [magic](std::span<const std::uint8_t> head) {
    return head.empty() ||
           (head.size() >= magic.size() && std::equal(magic.begin(), magic.end(), head.begin()));
  };
  std::string reason;
  if (!WriteFileAtomically(path, data, ours, &reason)) {
    ShowMessage(failed + " " + reason);
    return PictureSave::Failed;
  }
  return PictureSave::Written;
}

bool PrintDocument(QPrinter& printer, Document& document, QSize picture, bool paper) {
  printer.setDocName(QString::fromStdString(ProgramTitle()));
  QPainter painter;
  bool printed = painter.begin(&printer);
  if (printed) {
    const QRect target = PrintTargetRect(QSize(printer.width(), printer.height()), picture);
    if (!target.isEmpty()) {
      painter.translate(target.topLeft());
      painter.scale(target.width() / double(picture.width()),
                    target.height() / double(picture.height()));
      painter.setClipRect(QRect(QPoint(0, 0), picture));
      PaintDocumentOn(document, painter, picture.width(), picture.height(), paper);
    }
    printed = painter.end();
  }
  if (!printed) ShowMessage(Tr("903", "打印失败: 打印机或输出文件无法使用。"));
  return printed;
}

void SaveDocumentPictureClick(QWidget* window, Document& document, const QImage& bitmap,
                              bool paper) {
  QFileDialog dialog(window);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDirectory(PicturesFolder());
  dialog.selectFile(QString());
  dialog.setNameFilters({"*.bmp", "*.jpg", "*.png", "*.svg", "*.pdf"});
  dialog.setDefaultSuffix("bmp");
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                   [&dialog](const QString& filter) { dialog.setDefaultSuffix(filter.mid(2)); });
  LayOutFileDialog(dialog);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  RememberPictureFolder(dialog.selectedFiles().first());
  SaveDocumentPicture(document, bitmap, dialog.selectedFiles().first().toStdString(), paper);
}

void PrintDocumentClick(QWidget* window, Document& document, QSize picture, bool paper) {
  QPrinter& printer = SessionPrinter(window);
  QPrintDialog dialog(&printer, window);
  if (dialog.exec() != QDialog::Accepted) return;
  PrintDocument(printer, document, picture, paper);
}

void PrintPreviewDocumentClick(QWidget* window, Document& document, QSize picture, bool paper) {
  QPrintPreviewDialog preview(&SessionPrinter(window), window);
  QObject::connect(&preview, &QPrintPreviewDialog::paintRequested,
                   [&document, picture, paper](QPrinter* printer) {
                     PrintDocument(*printer, document, picture, paper);
                   });
  preview.exec();
}

bool PrintWorksheet(QPrinter& printer, Document& document, QSize picture,
                    const WorksheetOptions& options) {
  printer.setDocName(QString::fromStdString(options.title));
  printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
  QPainter painter;
  bool printed = painter.begin(&printer);
  if (printed) {
    const QRect page = printer.pageLayout().fullRectPixels(printer.resolution());
    painter.scale(page.width() / kWorksheetWidth, page.height() / kWorksheetHeight);
    PaintWorksheet(painter, document, picture, options);
    printed = painter.end();
  }
  if (!printed) ShowMessage(Tr("903", "打印失败: 打印机或输出文件无法使用。"));
  return printed;
}

void PrintWorksheetClick(QWidget* window, Document& document, QSize picture,
                         const WorksheetOptions& titles) {
  const QStringList tables{QString::fromStdString(Tr("Worksheet.NoTable", "不加表格")),
                           QString::fromStdString(Tr("Worksheet.BlankTable", "空白表格")),
                           QString::fromStdString(Tr("Worksheet.ValueTable", "成像公式的数值"))};
  bool chosen = false;
  const QString table = QInputDialog::getItem(
      window, QString::fromStdString(Tr("WorksheetMenu.Caption", "打印作业单…")),
      QString::fromStdString(Tr("Worksheet.TableQuestion", "表格 (u, v, f, 像的性质):")), tables, 0,
      false, &chosen);
  if (!chosen) return;
  WorksheetOptions options = titles;
  if (options.title.empty()) options.title = ExperimentTitle(document.page->fileName);
  options.date = QDate::currentDate().toString(Qt::ISODate).toStdString();
  options.table = WorksheetOptions::Table(std::max<qsizetype>(0, tables.indexOf(table)));
  QPrinter& printer = SessionPrinter(window);
  QPrintDialog dialog(&printer, window);
  if (dialog.exec() != QDialog::Accepted) return;
  PrintWorksheet(printer, document, picture, options);
}
