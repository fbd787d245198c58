#pragma once
// The experiment as a vector picture (SVG, PDF) or on a printer: the scene
// and the trace painted again through a PainterCanvas, not copied from the
// screen's bitmap, so that rays, arcs and text stay sharp at any size.

#include <QByteArray>
#include <QImage>
#include <functional>
#include <string>

class Document;
class QPainter;

enum class VectorFormat { None, Svg, Pdf };

// By the lower-case extension of `path`: ".svg" or ".pdf"; None otherwise.
VectorFormat VectorFormatOf(const std::string& path);

// Paints what a refresh of `document` paints, as on a surface of width x
// height pixels, through `painter`, whose transform the caller has set. The
// document's own canvas is left as it was. Returns whether the painting was
// cut short by its budget. On `paper`, drawn in the inks of white paper
// (gfx/PaperInk.h) rather than in the screen's colours.
bool PaintDocumentOn(Document& document, QPainter& painter, int width, int height,
                     bool paper = false);
// The same with `paint` (a refresh or a repaint of `document`) in place of
// the refresh.
void PaintThrough(Document& document, QPainter& painter, int width, int height, bool paper,
                  const std::function<void()>& paint);

// The file's bytes; empty when the paint device could not be started.
// `title` names the SVG and the PDF document.
QByteArray VectorPictureBytes(Document& document, VectorFormat format, int width, int height,
                              const std::string& title, bool paper = false);

// The picture on white paper as a bitmap of width x height pixels (at
// `ratio` device pixels each), as PaintDocumentOn paints it.
QImage PaperBitmap(Document& document, int width, int height, double ratio = 1.0);
