#pragma once
// The main window's output helpers: the page rectangle and printer that
// app/VectorOutput prints with, writing a bitmap picture file, the help
// manual and the on-screen keyboard switch. Messages go through the message
// sink.

#include <QRect>
#include <QSize>
#include <QString>
#include <functional>
#include <string>

class QAction;
class QImage;
class QPrinter;
class QUrl;
class QWidget;

// --- Printing

// Printer pixels left free on every side of the printed picture.
inline constexpr int kPrintMargin = 100;
// Where the picture goes on a page of `page` printer pixels: inside the
// margins, as wide as they allow unless that makes it too tall, with the
// picture's own aspect ratio; top left at the margins, centred across when
// the height limits it.
QRect PrintTargetRect(QSize page, QSize picture);
// The printer of the window, kept for the whole session so that the page
// set-up holds for the next print.
QPrinter& SessionPrinter(QWidget* window);
// "打印设置": the page set-up dialog on the session's printer.
void PrinterSetupClick(QWidget* window);
// --- Picture files

enum class PictureSave { Written, UnknownFormat, Failed };
// Writes `picture` by the extension of `path`, compared in lower case:
// ".bmp" a Windows bitmap, ".jpg"/".jpeg" JPEG (default quality), ".png" PNG.
// Another extension writes nothing and says which formats there are; a write
// that fails says why and leaves an earlier file of that name as it was.
PictureSave SavePictureFile(const QImage& picture, const std::string& path);
// --- Help

// Hands a URL to the desktop (its browser); returns whether it was taken.
using UrlOpener = std::function<bool(const QUrl&)>;
// Replaces the opener (tests look at the URL instead of starting a browser);
// an empty one restores the desktop's. Returns the previous opener.
UrlOpener SetUrlOpener(UrlOpener opener);
// "Optics help" beside the program, or the folder set for tests (empty: back
// to beside the program).
QString HelpDirectory();
void SetHelpDirectory(const QString& directory);
// The Chinese manual, or the English one while a language filter is active.
QString HelpManualPath();
// Whether the desktop opens HTML in a web browser (whatever else it hands the
// manual to shows its source, or nothing).
using BrowserQuery = std::function<bool()>;
// Replaces the query (tests answer it themselves); an empty one restores the
// desktop's: HtmlOpensInABrowser. Returns the previous query.
BrowserQuery SetBrowserQuery(BrowserQuery query);
// Asks xdg-mime for the handler of text/html and reads its desktop entry.
bool HtmlOpensInABrowser();
// A desktop entry of a web browser: category WebBrowser, or it takes http.
bool DesktopEntryIsBrowser(const QString& path);
// "帮助" (F1): opens the manual in the desktop's browser, or, without one, in
// the program's own viewer window owned by `window`; a missing manual or a
// desktop that does not take it is reported. True when it was shown.
bool OpenHelpManual(QWidget* window = nullptr);

// --- On-screen keyboard

// "使用软键盘": toggles the flag and the item's check mark. Turning it on again
// lets the sheet tell once more that no keyboard program is installed.
void ToggleSoftKeyboard(QAction* item);
