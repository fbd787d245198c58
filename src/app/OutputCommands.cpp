#include "app/OutputCommands.h"

#include <QAction>
#include <QBuffer>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>
#include <algorithm>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "app/HelpViewer.h"
#include "i18n/TtlmController.h"
#include "i18n/TtlmSystem.h"
#include "platform/Platform.h"
#include "platform/ProgramFolders.h"
#include "scene/IMessageSink.h"
#include "scene/ProcessSettings.h"
#include "ui/FileDialogLayout.h"
#include "ui/OnScreenKeyboard.h"

namespace {

// A desktop entry is a few kilobytes; anything far larger is not one.
constexpr qint64 kMaxDesktopEntry = 1 << 20;
// xdg-mime answers at once; a desktop that hangs is one without a browser.
constexpr int kDesktopQueryMs = 3000;

// The session's printer lives as long as the window that asked for it.
class SessionPrinterHolder : public QObject {
 public:
  explicit SessionPrinterHolder(QObject* parent) : QObject(parent) {}
  QPrinter printer{QPrinter::HighResolution};
};

// What tests put in place of the desktop: how a page opens, whether a
// browser answers, where the manual lies.
struct DesktopStandIns {
  UrlOpener opener;
  BrowserQuery query;
  QString helpDirectory;
};

DesktopStandIns& StandIns() {
  static DesktopStandIns standIns;
  return standIns;
}

struct PictureFormat {
  const char* qtFormat;
  std::vector<std::uint8_t> magic;  // how a file of this format starts
};

// By lower-case extension; null for a format that is not written.
const PictureFormat* FormatOfExtension(const QString& extension) {
  static const PictureFormat bmp{"BMP", {'B', 'M'}};
  static const PictureFormat jpeg{"JPEG", {0xFF, 0xD8}};
  static const PictureFormat png{"PNG", {0x89, 'P', 'N', 'G'}};
  if (extension == "bmp") return &bmp;
  if (extension == "jpg" || extension == "jpeg") return &jpeg;
  if (extension == "png") return &png;
  return nullptr;
}

}  // namespace

// ---------------------------------------------------------------- printing

QRect PrintTargetRect(QSize page, QSize picture) {
  const std::int64_t width = page.width() - 2 * kPrintMargin;
  const std::int64_t height = page.height() - 2 * kPrintMargin;
  if (width <= 0 || height <= 0 || picture.isEmpty()) return {};
  const std::int64_t fullWidthHeight = picture.height() * width / picture.width();
  if (fullWidthHeight <= height)
    return {kPrintMargin, kPrintMargin, int(width),
            int(std::max<std::int64_t>(1, fullWidthHeight))};
  const std::int64_t fullHeightWidth =
      std::max<std::int64_t>(1, picture.width() * height / picture.height());
  return {kPrintMargin + int((width - fullHeightWidth) / 2), kPrintMargin, int(fullHeightWidth),
          int(height)};
}

QPrinter& SessionPrinter(QWidget* window) {
  for (QObject* child : window->children())
    if (auto* holder = dynamic_cast<SessionPrinterHolder*>(child)) return holder->printer;
  return (new SessionPrinterHolder(window))->printer;  // owned by the window
}

void PrinterSetupClick(QWidget* window) {
  QPageSetupDialog dialog(&SessionPrinter(window), window);
  dialog.exec();
}

// ---------------------------------------------------------------- picture files

PictureSave SavePictureFile(const QImage& picture, const std::string& path) {
  const QString name = QString::fromStdString(path);
  const PictureFormat* format = FormatOfExtension(QFileInfo(name).suffix().toLower());
  if (!format) {
    ShowMessage(Tr("900", "只能保存为 BMP、JPEG 或 PNG 图片。"));
    return PictureSave::UnknownFormat;
  }
  const std::string failed = Tr("901", "保存图片失败.");
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, format->qtFormat);
  if (!writer.write(picture)) {
    ShowMessage(failed + " " + writer.errorString().toStdString());
    return PictureSave::Failed;
  }
  const QByteArray& bytes = buffer.data();
  const std::vector<std::uint8_t> data(bytes.begin(), bytes.end());
  // A write that was killed leaves an empty temporary file or the start of
  // a picture of the same format.
  const TemporaryCheck ours = [format](std::span<const std::uint8_t> head) {
    return head.empty() || (head.size() >= format->magic.size() &&
                            std::equal(format->magic.begin(), format->magic.end(), head.begin()));
  };
  std::string reason;
  if (!WriteFileAtomically(path, data, ours, &reason)) {
    ShowMessage(failed + " " + reason);
    return PictureSave::Failed;
  }
  return PictureSave::Written;
}

// ---------------------------------------------------------------- help

UrlOpener SetUrlOpener(UrlOpener opener) {
  UrlOpener previous = std::move(StandIns().opener);
  StandIns().opener = std::move(opener);
  return previous;
}

QString HelpDirectory() {
  if (!StandIns().helpDirectory.isEmpty()) return StandIns().helpDirectory;
  return QString::fromStdString(ProgramDataFolder()) + "Optics help";
}

void SetHelpDirectory(const QString& directory) { StandIns().helpDirectory = directory; }

QString HelpManualPath() {
  const ILanguageFilter* filter = TtlmSystem::Instance().Filter();
  const bool translated = filter && filter->ActiveLanguage() >= 0;
  return QDir(HelpDirectory()).filePath(translated ? "en/index.html" : "index.html");
}

BrowserQuery SetBrowserQuery(BrowserQuery query) {
  BrowserQuery previous = std::move(StandIns().query);
  StandIns().query = std::move(query);
  return previous;
}

bool DesktopEntryIsBrowser(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text) || file.size() > kMaxDesktopEntry)
    return false;
  bool inEntry = false;
  while (!file.atEnd()) {
    const QString line = QString::fromUtf8(file.readLine()).trimmed();
    if (line.startsWith('[')) inEntry = line == "[Desktop Entry]";
    if (!inEntry) continue;
    const QStringList values = line.section('=', 1).split(';', Qt::SkipEmptyParts);
    if (line.startsWith("Categories=") && values.contains("WebBrowser")) return true;
    if (line.startsWith("MimeType=") && values.contains("x-scheme-handler/http")) return true;
  }
  return false;
}

bool HtmlOpensInABrowser() {
  QProcess query;
  query.start("xdg-mime", {"query", "default", "text/html"});
  if (!query.waitForFinished(kDesktopQueryMs) || query.exitCode() != 0) return false;
  const QString entry = QString::fromUtf8(query.readAllStandardOutput()).trimmed();
  if (entry.isEmpty() || entry.contains('/')) return false;
  const QString path = QStandardPaths::locate(QStandardPaths::ApplicationsLocation, entry);
  return !path.isEmpty() && DesktopEntryIsBrowser(path);
}

bool OpenHelpManual(QWidget* window) {
  const QString path = HelpManualPath();
  if (!QFileInfo(path).isFile()) {
    ShowMessage(Tr("904", "找不到帮助文件:") + " " + path.toStdString());
    return false;
  }
  const QUrl url = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
  if (window && !(StandIns().query ? StandIns().query() : HtmlOpensInABrowser())) {
    HelpViewer::Of(window)->ShowPage(url);
    return true;
  }
  const bool opened = StandIns().opener ? StandIns().opener(url) : QDesktopServices::openUrl(url);
  if (!opened)
    ShowMessage(Tr("905", "无法打开帮助文件, 请用浏览器打开:") + " " + path.toStdString());
  return opened;
}

// ---------------------------------------------------------------- on-screen keyboard

void ToggleSoftKeyboard(QAction* item) {
  Settings().softKeyboard = !Settings().softKeyboard;
  if (item) item->setChecked(Settings().softKeyboard);
  if (Settings().softKeyboard) ResetMissingKeyboardNotice();
}
