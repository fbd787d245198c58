#include "objects/sources/SourceShared.h"

#include <cfloat>
#include <cmath>

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
  canvas.Ellipse(Trunc(Trunc(p.x) - 5.0), Trunc(Trunc(p.y) - 5.0), Trunc(Trunc(p.x) + 5.0),
                 Trunc(Trunc(p.y) + 5.0));
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
  canvas.Ellipse(Trunc(Trunc(p.x) - 10.0), Trunc(Trunc(p.y) - 10.0), Trunc(Trunc(p.x) + 10.0),
                 Trunc(Trunc(p.y) + 10.0));
}

void PaintHandleSquare(TCanvas& canvas, TPointF p, int size, TColor color) {
  canvas.Pen.mode = TPenMode::Copy;
  canvas.Pen.width = 1;
  canvas.Pen.style = TPenStyle::Solid;
  canvas.Pen.color = color;
  canvas.Brush.style = TBrushStyle::Solid;
  canvas.Brush.color = 0xFFFFFF;
  // A handle size from a file may be anything: the sums are done in doubles
  // and saturated.
  const double half = size / 2;
  const double x = Trunc(p.x) - half, y = Trunc(p.y) - half;
  canvas.Rectangle(Trunc(x), Trunc(y), Trunc(x + size), Trunc(y + size));
}

void FillRows(const std::string& caption,
              const std::vector<std::pair<std::string, std::string>>& rows) {
  IPropertySheet& sheet = *Settings().sheet;
  sheet.ClearRows();
  sheet.SetCaption(caption);
  for (auto it = rows.rbegin(); it != rows.rend(); ++it) sheet.InsertRow(it->first, it->second);
}

bool ReadFactorRow(float& factor) {
  double value = 0;
  // A value beyond the float range cannot be stored; it is as unusable as text.
  if (!TryStrToFloat(Settings().sheet->Value(Tr("88", "折射率倍")), value) ||
      std::fabs(value) > FLT_MAX) {
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

std::vector<PointRef> EmitterRecord::PointRefs(int count) {
  std::vector<PointRef> refs;
  for (int i = 0; i < count && i < kPoints; ++i) refs.push_back({&points[i].x, &points[i].y});
  return refs;
}
