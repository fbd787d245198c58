#include "objects/tools/DrawString.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "gfx/PixelMath.h"
#include "i18n/Convert.h"
#include "i18n/SharedTexts.h"
#include "i18n/TextCodec.h"
#include "i18n/TtlmController.h"
#include "scene/ProcessSettings.h"
#include "scene/PropertyRows.h"
#include "scene/RecordIo.h"

namespace {

// Lines longer than this (in bytes) are painted only as far as they can show.
constexpr std::size_t kLongLine = 256;

// At most `n` bytes of `text`, ending on a whole UTF-8 character.
std::size_t CharacterBoundary(const std::string& text, std::size_t n) {
  if (n >= text.size()) return text.size();
  while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) --n;
  return n;
}

}  // namespace

DrawString::DrawString(TCanvas* c) : ObjectOf(c) {
  SetClassName("DrawString");
  defaultText = Tr("165", "在此输入文字");
  lines = {defaultText};
}

std::string DrawString::Text() const {
  std::string text;
  for (std::size_t i = 0; i < lines.size(); ++i) text += (i ? "\r\n" : "") + lines[i];
  return text;
}

void DrawString::SetText(const std::string& text) {
  lines.clear();
  std::string line;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      lines.push_back(line);
      line.clear();
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      line += text[i];
    }
  }
  lines.push_back(line);
}

bool DrawString::ShowsDefault() const {
  const std::string trimmed = Trim(Text());
  return trimmed.empty() || trimmed == defaultText;
}

void DrawString::Draw(int mode) {
  if (!BeginPaint(mode)) return;
  if (mode == kDrawXor) {
    PaintOutline();
    return;
  }
  if (border) PaintOutline();
  TRectF r = Box();
  canvas->Brush.style = fillFlag ? TBrushStyle::Solid : TBrushStyle::Clear;
  canvas->Brush.color = fillColor;
  const TFont saved = canvas->Font;
  canvas->Font.name = font.name;
  canvas->Font.size = font.size;
  canvas->Font.color = font.color;
  canvas->Font.bold = font.bold;
  canvas->Font.italic = font.italic;
  canvas->Font.underline = font.underline;
  canvas->Font.strikeOut = font.strikeOut;
  const int h = canvas->TextHeight("Wg");
  r.x1 += 2;
  r.y1 += 2;
  const TClipRect clip = canvas->ClipRect;
  canvas->ClipRect = {true, Trunc(r.x1), Trunc(r.y1), Trunc(r.x2), Trunc(r.y2)};
  if (ShowsDefault()) {
    lines = {defaultText};
    const int w = canvas->TextWidth(defaultText);
    const long long cx = (static_cast<long long>(Trunc(corners[0].x)) + Trunc(corners[2].x)) / 2;
    const long long cy = (static_cast<long long>(Trunc(corners[0].y)) + Trunc(corners[2].y)) / 2;
    canvas->TextOut(Trunc(double(cx - w / 2)), Trunc(double(cy - h / 2)), defaultText);
  } else {
    // Only the lines that land on the surface (a line's margin either way),
    // and of a long line only what reaches the right edge: painting costs
    // what shows, not the text's length times its font size.
    const double line = std::max(h, 1);
    const double top = std::max(double(r.y1), 0.0) - line;
    const double bottom = std::min(double(r.y2), double(canvas->Height())) + line;
    const double x = double(r.x1) + 2;
    const double right = std::min(double(r.x2), double(canvas->Width()));
    const double above = std::floor((top - r.y1) / line) - 1;
    const std::size_t first =
        above > 0 ? static_cast<std::size_t>(std::min(above, double(lines.size()))) : 0;
    for (std::size_t i = first; i < lines.size() && x < right; ++i) {
      const double y = double(r.y1) + double(i) * h;
      if (y > r.y2 || y > bottom) break;  // clipped away anyway
      if (y + h < top) continue;
      canvas->TextOut(Trunc(x), Trunc(y), ShownPart(lines[i], right - x));
    }
  }
  canvas->ClipRect = clip;
  canvas->Font = saved;
}

std::string DrawString::ShownPart(const std::string& line, double width) {
  // Measured on growing beginnings, so that a long line costs what shows.
  for (std::size_t n = kLongLine; n < line.size(); n *= 2) {
    std::string part = line.substr(0, CharacterBoundary(line, n));
    if (canvas->TextWidth(part) > width) return part;
  }
  return line;
}

PropertyRows DrawString::Rows() {
  PropertyRows rows(Tr("171", "注释属性"));
  // Only when showing: applying reads back the font the user chose there.
  rows.BeforeShow([this] { Settings().sheet->SetDialogFont(font); });
  const RowHandle text = rows.Add(Tr("166", "编辑字符串"), Trim(Text()));
  text->style = TEditStyle::Ellipsis;
  // A text that a file could not hold is not taken: the file stores line
  // breaks as CR LF, so they count twice.
  text->apply = [this](const std::string& value) {
    std::vector<std::string> before = lines;
    SetText(value);
    if (Utf8ToGbk(Text()).size() <= kMaxTextLength) return true;
    lines = std::move(before);
    return false;
  };
  text->message = Tr("DrawString.TooLong",
                     "文字太长,没有改变:一段文字最多 1048576 字节(一个汉字两个字节,"
                     "一个换行也是两个字节);请缩短它.");
  // The colon is not part of text 58, the colour rows' "颜色": one id, one text.
  PropertyRow fontRow{Tr("172", "设置字体"),
                      Tr("143", "大小:") + IntToStr(font.size) + ";" + Tr(texts::kColour) + ":" +
                          IntToStr(font.color) + ";..........",
                      TEditStyle::Ellipsis, true};
  fontRow.apply = [this](const std::string&) {
    font = Settings().sheet->DialogFont();
    return true;
  };
  rows.Add(fontRow);
  rows.Add(YesNoRow(Tr("170", "是否有边框"), border));
  rows.Add(YesNoRow(Tr("169", "是否有背景"), fillFlag));
  rows.Add(ColourRow(Tr("167", "背景颜色"), fillColor));
  AddCentreRows(rows, *this, Midpoint(corners[0], corners[2]));
  return rows;
}

void DrawString::RecordFields(RecordIo& io) {
  BoxRecordHead(io);
  io.Byte(border);
  std::int32_t size = font.size;
  io.Fields(size, font.color);
  std::array<std::uint8_t, kFontNameBytes> name{};
  std::string gbk = Utf8ToGbk(font.name);
  gbk.resize(GbkPrefixLength(gbk, kFontNameBytes - 1));
  std::memcpy(name.data(), gbk.data(), gbk.size());
  io.Block(name);
  io.Fields(spareFlag, skipNextPaint);
  std::string text = Text();
  io.Text(text, kMaxTextLength);
  io.Block(reserved);
  if (!io.Reading()) return;
  // A font size no dialog offers is bounded to one the canvas can draw.
  font.size = size < 1 ? 1 : (size > 500 ? 500 : size);
  name.back() = 0;
  font.name = GbkToUtf8(reinterpret_cast<const char*>(name.data()));
  SetText(text);
}
