#include "objects/tools/ReferenceFrame.h"

#include "gfx/PresentationScale.h"
#include "i18n/Convert.h"
#include "i18n/TtlmController.h"
#include "optics/PlaneMath.h"
#include "scene/RecordIo.h"
#include "scene/UserCoordinates.h"

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

ReferenceFrame::ReferenceFrame(TCanvas* c) : ObjectOf(c) {
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
    canvas->MoveTo(Trunc(double(x)), oy);
    canvas->LineTo(Trunc(double(x)), oy - kTickLength);
    HaloTextOut(*canvas, Trunc(double(x - 2)), oy + 2, IntToStr(x - ox));
  };
  auto yTick = [&](long long y) {
    canvas->MoveTo(ox, Trunc(double(y)));
    canvas->LineTo(ox - kTickLength, Trunc(double(y)));
    HaloTextOut(*canvas, ox + 2, Trunc(double(y - 2)), IntToStr(-(y - oy)));
  };

  // Every step from the origin outwards, both ways, from the first tick near
  // the surface to its edge.
  auto ticks = [&](double origin, long long low, long long high, long long end, auto tick) {
    const long long after = Trunc(origin + step);
    for (long long v = after + step * FirstVisibleTick(after, step, low, high); v <= end; v += step)
      tick(v);
    const long long before = Trunc(origin - step);
    for (long long v = before - step * FirstVisibleTick(before, -step, low, high); v >= 0;
         v -= step)
      tick(v);
  };
  ticks(originX, lowX, highX, w, xTick);
  ticks(originY, lowY, highY, h, yTick);
}

// Always through the canvas: the axes have no high-quality form.
void ReferenceFrame::Draw(int mode) {
  if (!canvas || (mode != kDrawXor && mode != kDrawCopy)) return;
  const int ox = Trunc(originX), oy = Trunc(originY);
  // The axes are never placed: no first paint to skip.
  PreparePen(mode);
  if (mode == kDrawXor) {
    DrawAxes(ox, oy);
    return;
  }
  canvas->Pen.color = 0xFF;
  canvas->Brush.style = TBrushStyle::Clear;
  canvas->Font.name = "Arial";
  canvas->Font.size = 8;
  canvas->Font.color = color;
  canvas->Ellipse(ox - 2, oy - 2, ox + 2, oy + 2);
  HaloTextOut(*canvas, ox + 2, oy + 2, "0");
  canvas->Pen.color = color;
  DrawAxes(ox, oy);
  DrawTicks(ox, oy);
}

int ReferenceFrame::HitTest(int x, int y) {
  const float d = Distance({float(x), float(y)}, {originX, originY});
  return d < float(Scaled(handleSize) / 2) ? kHitHandle : kHitNone;
}

void ReferenceFrame::BeginCreate(int, int) {}
void ReferenceFrame::DragCreate(int, int) {}
void ReferenceFrame::EndCreate(int, int) {}
void ReferenceFrame::Zoom(float, float, float) {}

std::unique_ptr<DrawObjectUnit> ReferenceFrame::CloneMoved(int, int) {
  auto copy = Clone();
  copy->Draw(kDrawCopy);
  return copy;
}

// Panning the scene (modes 2 and 3) leaves the axes where they are.
void ReferenceFrame::Move(int mode, int x, int y) {
  if (mode != kMoveHandle) return;
  originX = float(x);
  originY = float(y);
  SetOrigin(x, y);
}

PropertyRows ReferenceFrame::Rows() {
  PropertyRows rows(Tr("95", "坐标系属性"));
  // Screen pixels, not user coordinates: this is where user (0, 0) lies.
  auto pixelRow = [](const std::string& key, float& value, const std::string& message) {
    PropertyRow row{key, IntToStr(Trunc(value))};
    row.message = message;
    row.apply = [&value](const std::string& text) {
      int v = 0;
      if (!TryStrToInt(text, v)) return false;
      value = float(v);
      return true;
    };
    return row;
  };
  const RowHandle x = rows.Add(pixelRow(Tr("98", "坐标轴原点X"), originX,
                                        Tr("100", "坐标轴原点X,不是有用的整数,请输入一个整数.")));
  const RowHandle y = rows.Add(pixelRow(Tr("97", "坐标轴原点Y"), originY,
                                        Tr("99", "坐标轴原点Y,不是有用的整数,请输入一个整数.")));
  const RowHandle colour = rows.Add(ColourRow(Tr("96", "显示颜色"), color));
  rows.ApplyOrder({colour, y, x});
  rows.Finally([this] { SetOrigin(Trunc(originX), Trunc(originY)); });
  return rows;
}

// The origin field only; the process-wide origin stays where it is.
void ReferenceFrame::RecordFields(RecordIo& io) {
  io.Fields(originX, originY);
  io.Block(reserved);
}
