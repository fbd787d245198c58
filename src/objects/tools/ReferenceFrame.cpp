#include "objects/tools/ReferenceFrame.h"

#include "i18n/TtlmController.h"
#include "optics/Geometry.h"
#include "scene/ByteStream.h"
#include "scene/Convert.h"
#include "scene/IMessageSink.h"
#include "scene/IPropertySheet.h"
#include "scene/ProcessSettings.h"

namespace {

constexpr int kTickLength = 3;
// Ticks further than this outside the surface paint nothing visible (labels
// are a few characters wide); skipping them keeps an origin read from a file
// far away from turning the paint into an endless loop.
constexpr long long kOffSurfaceMargin = 4LL * ReferenceFrame::kTickSpacing;

// Index of the first tick first + step * k (k >= 0) that is not beyond the
// margin on the side the ticks come from.
long long FirstVisibleTick(long long first, long long step, long long lowLimit,
                           long long highLimit) {
  if (step > 0 && first < lowLimit) return (lowLimit - first + step - 1) / step;
  if (step < 0 && first > highLimit) return (first - highLimit - step - 1) / -step;
  return 0;
}

}  // namespace

ReferenceFrame::ReferenceFrame(TCanvas* c) : DrawObjectUnit(c) {
  SetClassName("ReferenceFrame");
  pointCount = 1;
  // Painted by the page machinery only; never copied or deleted by the user.
  canCopy = 0;
  canDelete = 0;
  isDrawn = 0;
}

std::vector<PointRef> ReferenceFrame::ControlPoints() { return {{&originX, &originY}}; }

void ReferenceFrame::DrawAxes(int ox, int oy) {
  canvas->MoveTo(0, oy);
  canvas->LineTo(canvas->Width(), oy);
  canvas->MoveTo(ox, 0);
  canvas->LineTo(ox, canvas->Height());
}

void ReferenceFrame::DrawTicks(int ox, int oy) {
  const long long w = canvas->Width(), h = canvas->Height();
  const long long step = kTickSpacing;
  const long long lowX = -kOffSurfaceMargin, highX = w + kOffSurfaceMargin;
  const long long lowY = -kOffSurfaceMargin, highY = h + kOffSurfaceMargin;

  auto xTick = [&](long long x) {
    canvas->MoveTo(Pixel(double(x)), oy);
    canvas->LineTo(Pixel(double(x)), oy - kTickLength);
    canvas->TextOut(Pixel(double(x - 2)), oy + 2, IntToStr(x - ox));
  };
  auto yTick = [&](long long y) {
    canvas->MoveTo(ox, Pixel(double(y)));
    canvas->LineTo(ox - kTickLength, Pixel(double(y)));
    canvas->TextOut(ox + 2, Pixel(double(y - 2)), IntToStr(-(y - oy)));
  };

  const long long rightFirst = Pixel(double(originX) + step);
  for (long long x = rightFirst + step * FirstVisibleTick(rightFirst, step, lowX, highX); x <= w;
       x += step)
    xTick(x);
  const long long leftFirst = Pixel(double(originX) - step);
  for (long long x = leftFirst - step * FirstVisibleTick(leftFirst, -step, lowX, highX); x >= 0;
       x -= step)
    xTick(x);
  const long long downFirst = Pixel(double(originY) + step);
  for (long long y = downFirst + step * FirstVisibleTick(downFirst, step, lowY, highY); y <= h;
       y += step)
    yTick(y);
  const long long upFirst = Pixel(double(originY) - step);
  for (long long y = upFirst - step * FirstVisibleTick(upFirst, -step, lowY, highY); y >= 0;
       y -= step)
    yTick(y);
}

// Always through the canvas: the axes have no high-quality form.
void ReferenceFrame::Draw(int mode) {
  if (!canvas || (mode != 1 && mode != 2)) return;
  const int ox = Pixel(originX), oy = Pixel(originY);
  canvas->Pen.width = lineWidth;
  canvas->Pen.style = TPenStyle::Solid;
  if (mode == 1) {
    canvas->Pen.mode = TPenMode::Xor;
    canvas->Pen.color = xorColor;
    DrawAxes(ox, oy);
    return;
  }
  canvas->Pen.mode = TPenMode::Copy;
  canvas->Pen.color = 0xFF;
  canvas->Brush.style = TBrushStyle::Clear;
  canvas->Font.name = "Arial";
  canvas->Font.size = 8;
  canvas->Font.color = color;
  canvas->Ellipse(ox - 2, oy - 2, ox + 2, oy + 2);
  canvas->TextOut(ox + 2, oy + 2, "0");
  canvas->Pen.color = color;
  DrawAxes(ox, oy);
  DrawTicks(ox, oy);
}

void ReferenceFrame::DrawHandles() { DrawHandleSquares(); }

int ReferenceFrame::HitTest(int x, int y) {
  const float d = Distance({float(x), float(y)}, {originX, originY});
  return d < float(handleSize / 2) ? 1 : 0;
}

void ReferenceFrame::BeginCreate(int, int) {}
void ReferenceFrame::DragCreate(int, int) {}
void ReferenceFrame::EndCreate(int, int) {}
void ReferenceFrame::Zoom(float, float, float) {}

std::unique_ptr<DrawObjectUnit> ReferenceFrame::Clone() const {
  return std::make_unique<ReferenceFrame>(*this);
}

std::unique_ptr<DrawObjectUnit> ReferenceFrame::CloneMoved(int, int) {
  auto copy = Clone();
  copy->Draw(2);
  return copy;
}

// Panning the scene (modes 2 and 3) leaves the axes where they are.
void ReferenceFrame::Move(int mode, int x, int y) {
  if (mode != 1) return;
  originX = float(x);
  originY = float(y);
  SetOrigin(x, y);
}

int ReferenceFrame::ShowProperties() {
  IPropertySheet& sheet = *Settings().sheet;
  sheet.ClearRows();
  sheet.SetCaption(Tr("95", "坐标系属性"));
  // Screen pixels, not user coordinates: this is where user (0, 0) lies.
  sheet.InsertRow(Tr("96", "显示颜色"), IntToStr(color));
  sheet.InsertRow(Tr("97", "坐标轴原点Y"), IntToStr(Pixel(originY)));
  sheet.InsertRow(Tr("98", "坐标轴原点X"), IntToStr(Pixel(originX)));
  sheet.SetEditStyle(2, TEditStyle::Ellipsis);
  sheet.SetReadOnly(2, true);
  return sheet.ShowModal();
}

bool ReferenceFrame::ApplyProperties() {
  ReadColorRow(Tr("96", "显示颜色"), color);
  bool ok = true;
  std::int32_t v = 0;
  if (ReadIntRow(Tr("97", "坐标轴原点Y"), v)) {
    originY = float(v);
  } else {
    ShowMessage(Tr("99", "坐标轴原点Y,不是有用的整数,请输入一个整数."));
    ok = false;
  }
  if (ReadIntRow(Tr("98", "坐标轴原点X"), v)) {
    originX = float(v);
  } else {
    ShowMessage(Tr("100", "坐标轴原点X,不是有用的整数,请输入一个整数."));
    ok = false;
  }
  SetOrigin(Pixel(originX), Pixel(originY));
  return ok;
}

bool ReferenceFrame::SaveToStream(ByteWriter& out) {
  SaveClassName(out);
  SaveBaseFields(out);
  out.WriteFloat(originX);
  out.WriteFloat(originY);
  out.WriteBytes(reserved.data(), reserved.size());
  return true;
}

// Restores the origin field only; the process-wide origin stays where it is.
bool ReferenceFrame::LoadFromStream(ByteReader& in) {
  ReferenceFrame loaded(*this);
  if (!loaded.LoadBaseFields(in)) return false;
  loaded.originX = in.ReadFloat();
  loaded.originY = in.ReadFloat();
  in.ReadBytes(loaded.reserved.data(), loaded.reserved.size());
  if (!in.Ok()) return false;
  *this = loaded;
  return true;
}
