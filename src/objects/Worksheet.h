#pragma once
// A worksheet: one A4 page with the lesson's and the experiment's titles,
// the date, a line for the pupil's name, the picture on white paper and,
// when asked, a table of u, v, f and the image's nature, blank for the
// pupils to fill in or with the equation's values.

#include <QByteArray>
#include <QSize>
#include <string>

class Document;
class QPainter;

struct WorksheetOptions {
  enum class Table { None, Blank, Values };
  std::string lessonTitle;  // empty: the experiment's title heads the page
  std::string title;        // the experiment's (or the scene's) title
  std::string date;
  Table table = Table::None;
};

// A4 portrait in points.
inline constexpr double kWorksheetWidth = 595.0, kWorksheetHeight = 842.0;
// Rows of a blank table.
inline constexpr int kBlankRows = 4;
// Value rows at most: the table keeps to the page.
inline constexpr int kMaxValueRows = 10;

// Paints the page onto `painter`, whose transform maps the A4 page in
// points (kWorksheetWidth x kWorksheetHeight) onto the device; `picture` is
// the surface's size in pixels.
void PaintWorksheet(QPainter& painter, Document& document, QSize picture,
                    const WorksheetOptions& options);

// The page as a file: "pdf" and "svg" as vectors, "png", "bmp", "jpg" at
// 150 dots an inch. Empty when the device cannot be started.
QByteArray WorksheetBytes(Document& document, QSize picture, const WorksheetOptions& options,
                          const std::string& format);

// The experiment's title: its file's name without folder and extension.
std::string ExperimentTitle(const std::string& fileName);
