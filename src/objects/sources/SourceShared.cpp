#include "objects/sources/SourceShared.h"

#include <algorithm>

#include "i18n/TtlmController.h"
#include "optics/Geometry.h"
#include "scene/ByteStream.h"
#include "scene/Convert.h"
#include "scene/IMessageSink.h"
#include "scene/IPropertySheet.h"
#include "scene/ProcessSettings.h"

StrokePainter::StrokePainter(TCanvas& canvas, bool highQuality, TColor color, int width)
    : canvas_(canvas) {
  if (!highQuality) return;
  hq_ = std::make_unique<TGDIPlusCanvas>(canvas);
  hq_->Pen.SetWidth(float(width));
  hq_->Pen.SetFixedColour(0);
  hq_->Pen.SetColor(color);
  hq_->Brush.noFill = 1;
}

void StrokePainter::SetWidth(int width) {
  if (hq_)
    hq_->Pen.SetWidth(float(width));
  else
    canvas_.Pen.width = width;
}

void StrokePainter::Line(TPointF a, TPointF b) {
  if (hq_) {
    hq_->MoveTo(a.x, a.y);
    hq_->LineTo(b.x, b.y);
  } else {
    canvas_.MoveTo(Trunc(a.x), Trunc(a.y));
    canvas_.LineTo(Trunc(b.x), Trunc(b.y));
  }
}

void StrokePainter::Head(TPointF tip, double theta) {
  Line(tip, PointAt(tip, theta + 150, 10));
  Line(tip, PointAt(tip, theta - 150, 10));
}

void PaintDisc(TCanvas& canvas, TPointF p, TColor color) {
  canvas.Pen.color = color;
  canvas.Brush.style = TBrushStyle::Solid;
  canvas.Brush.color = color;
  const int x = Trunc(p.x), y = Trunc(p.y);
  canvas.Ellipse(x - 5, y - 5, x + 5, y + 5);
}

void PaintLabel(TCanvas& canvas, TPointF p, TColor color, const std::string& text) {
  canvas.Font.name = "Arial";
  canvas.Font.size = 8;
  canvas.Font.color = color;
  canvas.Brush.style = TBrushStyle::Clear;
  canvas.TextOut(Trunc(p.x + 7.0), Trunc(p.y + 7.0), text);
}

void PaintSourceCircle(TCanvas& canvas, TPointF p) {
  canvas.Pen.mode = TPenMode::Copy;
  canvas.Pen.style = TPenStyle::Solid;
  canvas.Pen.width = 2;
  canvas.Pen.color = 0xFF0000;
  canvas.Brush.style = TBrushStyle::Clear;
  const int x = Trunc(p.x), y = Trunc(p.y);
  canvas.Ellipse(x - 10, y - 10, x + 10, y + 10);
}

void PaintHandleSquare(TCanvas& canvas, TPointF p, int size, TColor color) {
  canvas.Pen.mode = TPenMode::Copy;
  canvas.Pen.width = 1;
  canvas.Pen.style = TPenStyle::Solid;
  canvas.Pen.color = color;
  canvas.Brush.style = TBrushStyle::Solid;
  canvas.Brush.color = 0xFFFFFF;
  const int half = size / 2;
  const int x = Trunc(p.x), y = Trunc(p.y);
  canvas.Rectangle(x - half, y - half, x - half + size, y - half + size);
}

void FillRows(const std::string& caption,
              const std::vector<std::pair<std::string, std::string>>& rows) {
  IPropertySheet& sheet = *Settings().sheet;
  sheet.ClearRows();
  sheet.SetCaption(caption);
  for (auto it = rows.rbegin(); it != rows.rend(); ++it) sheet.InsertRow(it->first, it->second);
}

std::string UserCoordinateText(float screen, int axis) {
  return IntToStr(Trunc(ScreenToUser(float(Trunc(screen)), axis)));
}

bool ReadColourRow(const std::string& key, TColor& colour) {
  const std::string text = Settings().sheet->Value(key);
  int value = 0;
  if (!TryStrToInt(text, value)) {
    ShowMessage("'" + text + "' is not a valid integer value");
    return false;
  }
  colour = static_cast<TColor>(value);
  return true;
}

bool ReadFactorRow(float& factor) {
  double value = 0;
  if (!TryStrToFloat(Settings().sheet->Value(Tr("88", "折射率倍")), value)) {
    ShowMessage(Tr("90", "折射率倍,不是有用的数值型,请输入一个数值型"));
    return false;
  }
  factor = static_cast<float>(value);
  return true;
}

std::string FactorText(float factor) { return LeftStr(FloatToStr(factor), 6); }

namespace {
// Object names are labels of a few characters.
constexpr std::size_t kMaxObjectName = 64 * 1024;
}  // namespace

void EmitterRecord::Save(ByteWriter& out) const {
  WriteRayRecord(out, ray);
  out.WriteInt32(rayCount);
  out.WriteFloat(spare);
  out.WriteByte(skipNextPaint);
  for (const auto& p : points) {
    out.WriteFloat(p.x);
    out.WriteFloat(p.y);
  }
  out.WriteString(objectName);
}

bool EmitterRecord::Load(ByteReader& in) {
  ReadRayRecord(in, ray);
  rayCount = in.ReadInt32();
  spare = in.ReadFloat();
  skipNextPaint = in.ReadByte();
  for (auto& p : points) {
    p.x = in.ReadFloat();
    p.y = in.ReadFloat();
  }
  objectName = in.ReadString(kMaxObjectName);
  return in.Ok();
}
