#include "objects/tools/DrawImage.h"

#include <QBuffer>
#include <QFileInfo>

#include "gfx/PixelMath.h"
#include "i18n/SharedTexts.h"
#include "i18n/TtlmController.h"
#include "optics/BoxGeometry.h"
#include "scene/IMessageSink.h"
#include "scene/PropertyRows.h"
#include "scene/RecordIo.h"

DrawImage::DrawImage(TCanvas* c) : ObjectOf(c) {
  SetClassName("DrawImage");
  placeholder = Tr(texts::kNoPicture);
}

void DrawImage::EndCreate(int x, int y) {
  DrawObjectUnit::EndCreate(x, y);
  // The picture's box lies on whole pixels.
  const TPointF a{float(Trunc(corners[0].x)), float(Trunc(corners[0].y))};
  const TPointF b{float(Trunc(corners[2].x)), float(Trunc(corners[2].y))};
  SpanBox(corners, a, b);
}

std::shared_ptr<const DrawImage::Picture> DrawImage::FromBmp(std::vector<std::uint8_t> bmp,
                                                             PictureStatus* status) {
  auto p = std::make_shared<Picture>();
  const PictureStatus read = DecodePicture(bmp, "BMP", p->image);
  if (status) *status = read;
  if (read != PictureStatus::Decoded) return nullptr;
  p->bmp = std::move(bmp);
  return p;
}

bool DrawImage::LoadPictureFile(const std::string& path) {
  const QFileInfo info(QString::fromStdString(path));
  if (!info.isFile()) return false;
  const QString ext = info.suffix().toLower();
  const char* format = ext == "bmp" ? "BMP" : (ext == "jpg" || ext == "jpeg") ? "JPEG" : nullptr;
  if (!format) return false;
  QImage image;
  const PictureStatus status = ReadPictureFile(info.filePath().toStdString(), format, image);
  if (status == PictureStatus::TooLarge) {
    ShowMessage(Tr("Picture.TooLarge", "图片太大,不能使用:一张图片最多 4096×4096 像素."));
    return false;
  }
  if (status != PictureStatus::Decoded) {
    ShowMessage(Tr("Picture.Unreadable", "无法读取这个图片文件."));
    return false;
  }
  // Held as a bitmap whatever it came as.
  image = image.convertToFormat(QImage::Format_RGB32);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "BMP")) return false;
  auto p = std::make_shared<Picture>();
  p->image = std::move(image);
  p->bmp.assign(bytes.begin(), bytes.end());
  picture = std::move(p);
  hasPicture = 1;
  return true;
}

void DrawImage::Draw(int mode) {
  if (!BeginPaint(mode)) return;
  if (mode == kDrawXor) {
    PaintOutline();
    return;
  }
  const TRectF r = Box();
  canvas->Brush.style = TBrushStyle::Clear;
  if (hasPicture && picture) {
    // Pixels of the transparent colour let the drawing show through.
    if (fillFlag)
      canvas->StretchDrawTransparent(Trunc(r.x1), Trunc(r.y1), Trunc(r.x2), Trunc(r.y2),
                                     picture->image, fillColor);
    else
      canvas->StretchDraw(Trunc(r.x1), Trunc(r.y1), Trunc(r.x2), Trunc(r.y2), picture->image);
    return;
  }
  const TFont saved = canvas->Font;
  canvas->Font.name = "Arial";
  canvas->Font.size = 10;
  canvas->Font.color = color;
  const int w = canvas->TextWidth(placeholder), h = canvas->TextHeight(placeholder);
  const long long cx = (static_cast<long long>(Trunc(corners[0].x)) + Trunc(corners[2].x)) / 2;
  const long long cy = (static_cast<long long>(Trunc(corners[0].y)) + Trunc(corners[2].y)) / 2;
  const TClipRect clip = canvas->ClipRect;
  canvas->ClipRect = {true, Trunc(r.x1), Trunc(r.y1), Trunc(r.x2), Trunc(r.y2)};
  canvas->TextOut(Trunc(double(cx - w / 2)), Trunc(double(cy - h / 2)), placeholder);
  canvas->ClipRect = clip;
  canvas->Font = saved;
  PaintOutline();
}

PropertyRows DrawImage::Rows() {
  PropertyRows rows(Tr("164", "图片设置属性"));
  PropertyRow path{Tr("163", "图片路径"),
                   hasPicture ? Tr("168", "图片数据") : Tr(texts::kNoPicture), TEditStyle::Ellipsis,
                   true};
  path.apply = [this](const std::string& text) {
    LoadPictureFile(text);  // anything else keeps the picture
    return true;
  };
  const RowHandle pathRow = rows.Add(path);
  const RowHandle transparent = rows.Add(YesNoRow(Tr("162", "是否透明"), fillFlag, true));
  const RowHandle key = rows.Add(ColourRow(Tr("161", "透明颜色"), fillColor));
  rows.ApplyOrder({key, transparent, pathRow});
  AddCentreRows(rows, *this, Midpoint(corners[0], corners[2]));
  return rows;
}

std::uint32_t DrawImage::BmpFileSize(const std::array<std::uint8_t, 14>& header) {
  const std::uint32_t size = std::uint32_t(header[2]) | std::uint32_t(header[3]) << 8 |
                             std::uint32_t(header[4]) << 16 | std::uint32_t(header[5]) << 24;
  // At least the file header and the smallest info header.
  if (header[0] != 'B' || header[1] != 'M' || size < 14 + 12 || size > kMaxPictureBytes) return 0;
  return size;
}

void DrawImage::RecordFields(RecordIo& io) {
  BoxRecordHead(io);
  if (!io.Reading() && !picture) hasPicture = 0;  // never a flag without its picture
  io.Fields(hasPicture, spareFlag, skipNextPaint);
  if (hasPicture) {
    if (io.Reading()) {
      // The file header says how long the whole BMP file is.
      std::array<std::uint8_t, 14> header{};
      io.Block(header);
      const std::uint32_t size = BmpFileSize(header);
      // The bytes must be there before room is made for them.
      if (!io.Ok() || size == 0 || size - 14 > io.Remaining()) {
        io.Refuse();
        return;
      }
      std::vector<std::uint8_t> bmp(header.begin(), header.end());
      bmp.resize(size);
      io.Bytes(bmp.data() + 14, size - 14);
      if (!io.Ok()) return;
      PictureStatus status = PictureStatus::Unreadable;
      picture = FromBmp(std::move(bmp), &status);
      // Too large: the box stays without its picture and the file's reader,
      // whose allowance counted it, says so.
      if (status == PictureStatus::TooLarge) hasPicture = 0;
      if (status == PictureStatus::Unreadable) io.Refuse();
    } else {
      static const std::vector<std::uint8_t> none;
      const auto& bmp = picture ? picture->bmp : none;
      io.Bytes(const_cast<std::uint8_t*>(bmp.data()), bmp.size());
    }
  }
  io.Block(reserved);
}
