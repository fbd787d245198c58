#pragma once
// Pictures and printouts drawn from the experiment itself through a vector
// paint device rather than copied from the surface's bitmap.

#include <QSize>
#include <string>

#include "app/OutputCommands.h"

class Document;
class QPrinter;
class QWidget;

// Writes the experiment as on a surface of `picture` pixels, by the
// extension of `path`: ".svg" or ".pdf" as vectors, the bitmap formats from
// `bitmap` as SavePictureFile does. Another extension writes nothing and
// says which formats there are; a failed write says why and leaves an
// earlier file of that name as it was. On `paper` every format is drawn on
// white paper (scene/VectorPicture.h), the bitmaps at `bitmap`'s size.
PictureSave SaveDocumentPicture(Document& document, const QImage& bitmap, const std::string& path,
                                bool paper = false);

// One page: the experiment drawn at the printer's resolution into
// PrintTargetRect, the document titled with the program's name. False, after
// a message, when the printer (or the PDF file it writes) cannot be started.
bool PrintDocument(QPrinter& printer, Document& document, QSize picture, bool paper = false);

// "保存为图片" with SVG and PDF among the formats.
void SaveDocumentPictureClick(QWidget* window, Document& document, const QImage& bitmap,
                              bool paper = false);
// "打印" and "打印预览" through PrintDocument.
void PrintDocumentClick(QWidget* window, Document& document, QSize picture, bool paper = false);
void PrintPreviewDocumentClick(QWidget* window, Document& document, QSize picture,
                               bool paper = false);

struct WorksheetOptions;

// The worksheet on one A4 page of `printer`. False, after a message, as
// PrintDocument.
bool PrintWorksheet(QPrinter& printer, Document& document, QSize picture,
                    const WorksheetOptions& options);
// "打印作业单…": which table (none, blank, the equation's values), then the
// print dialog. `titles` heads the page (WorksheetOptions' lessonTitle and
// title; an empty title is the experiment's file name); today's date under it.
void PrintWorksheetClick(QWidget* window, Document& document, QSize picture,
                         const WorksheetOptions& titles);
