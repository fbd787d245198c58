#pragma once
// The experiment as a vector picture (SVG, PDF) or on a printer: the scene
// and the trace painted again through a PainterCanvas, not copied from the
// screen's bitmap, so that rays, arcs and text stay sharp at any size.

#include <QByteArray>
#include <string>

class Document;
class QPainter;

enum class VectorFormat { None, Svg, Pdf };

// By the lower-case extension of `path`: ".svg" or ".pdf"; None otherwise.
VectorFormat VectorFormatOf(const std::string& path);

// Paints what a refresh of `document` paints, as on a surface of width x
// height pixels, through `painter`, whose transform the caller has set. The
// document's own canvas is left as it was. Returns whether the painting was
// cut short by its budget.
bool PaintDocumentOn(Document& document, QPainter& painter, int width, int height);

// The file's bytes; empty when the paint device could not be started.
// `title` names the SVG and the PDF document.
QByteArray VectorPictureBytes(Document& document, VectorFormat format, int width, int height,
                              const std::string& title);
