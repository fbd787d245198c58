#include "scene/DrawObjectUnit.h"

#include <algorithm>
#include <cmath>

#include "gfx/PresentationScale.h"
#include "gfx/TGDIPlusCanvas.h"
#include "i18n/Convert.h"
#include "i18n/SharedTexts.h"
#include "i18n/TtlmController.h"
#include "optics/CanvasDrawing.h"
#include "optics/PlaneMath.h"
#include "optics/RayGeometry.h"
#include "optics/SelectionGeometry.h"
#include "scene/ByteStream.h"
#include "scene/ProcessSettings.h"
#include "scene/PropertyRows.h"
#include "scene/RecordIo.h"
#include "scene/UserCoordinates.h"

DrawObjectUnit::DrawObjectUnit(TCanvas* c) : canvas(c), lineWidth(Settings().toolLineWidth) {
  SetClassName("DrawObjectUnit");
}

void DrawObjectUnit::SetClassName(const std::string& name) {
  className = name;
  displayName = name;
  name3 = name;
  name4 = name;
}

namespace {

// The mark of a lock at the end of the reserved block; nothing else writes
// these bytes, which stay zero in files without locks.
constexpr std::array<std::uint8_t, 4> kLockMark{'L', 'C', 'K', '1'};
constexpr std::size_t kLockAt =
    std::tuple_size_v<decltype(DrawObjectUnit::reserved)> - kLockMark.size();

}  // namespace

bool DrawObjectUnit::Locked() const {
  return std::equal(kLockMark.begin(), kLockMark.end(), reserved.begin() + kLockAt);
}

void DrawObjectUnit::SetLocked(bool locked) {
  if (locked)
    std::copy(kLockMark.begin(), kLockMark.end(), reserved.begin() + kLockAt);
  else if (Locked())
    std::fill(reserved.begin() + kLockAt, reserved.end(), 0);
}

void DrawObjectUnit::Draw(int) {}
void DrawObjectUnit::DrawHandles() { DrawHandleSquares(); }
int DrawObjectUnit::HitTest(int, int) { return kHitNone; }
bool DrawObjectUnit::InRect(float, float, float, float) { return false; }

void DrawObjectUnit::BeginCreate(int x, int y) {
  SetDragOrigin(float(x), float(y));
  auto points = ControlPoints();
  if (!points.empty()) points[0].Set(float(x), float(y));
  SetCreationPen(TPenMode::Xor);
}

void DrawObjectUnit::PlaceDragged(int x, int y) {
  auto points = ControlPoints();
  if (points.size() >= 2) points[1].Set(float(x), float(y));
}

void DrawObjectUnit::DragCreate(int x, int y) {
  Draw(kDrawXor);
  PlaceDragged(x, y);
  Draw(kDrawXor);
}

void DrawObjectUnit::EndCreate(int x, int y) {
  SetCreationPen(TPenMode::Copy);
  PlaceDragged(x, y);
  DrawHandles();
}

std::vector<DrawObjectLineDataStruct> DrawObjectUnit::GetSurfaces() { return {}; }
std::vector<DrawBaseRayDataStruct> DrawObjectUnit::GetBaseRays() { return {}; }

std::unique_ptr<DrawObjectUnit> DrawObjectUnit::Clone() const {
  return std::make_unique<DrawObjectUnit>(*this);
}

std::unique_ptr<DrawObjectUnit> DrawObjectUnit::CloneMoved(int dx, int dy) {
  // The copy moves; moving this object there and back could round its
  // fractional points.
  auto copy = Clone();
  copy->Move(kMoveBy, dx, dy);
  return copy;
}

void DrawObjectUnit::Move(int mode, int x, int y) { MovePoints(mode, x, y); }

PropertyRows DrawObjectUnit::Rows() { return PropertyRows(); }

namespace {
// Tenths of a degree are what a sheet row can be typed to.
std::string TenthsText(double degrees) { return FloatToStr(std::round(degrees * 10) / 10); }
}  // namespace

PropertyRows DrawObjectUnit::SheetRows() {
  PropertyRows rows = Rows();
  const auto heading = Direction();
  if (!heading || !rows.HasCaption()) return rows;
  const std::string shown = TenthsText(heading->angle);
  PropertyRow turn{Tr("TurnRow", "旋转角度"), shown};
  turn.message = Tr("TurnRowBad", "旋转角度不是有用的数值, 请输入度数");
  // An untouched row leaves the object as the other rows put it.
  turn.apply = [this, shown](const std::string& text) {
    if (Trim(text) == shown) return true;
    double degrees = 0;
    if (!TryStrToFloat(text, degrees) || !std::isfinite(degrees) || std::fabs(degrees) > 1e6)
      return false;
    TurnTo(degrees);
    return true;
  };
  rows.AddLast(std::move(turn));
  return rows;
}

void DrawObjectUnit::Turn(TPointF pivot, double degrees) {
  for (const auto& p : ControlPoints()) {
    const TPointF turned = TurnedAbout(p.Get(), pivot, degrees);
    p.Set(turned.x, turned.y);
  }
}

bool DrawObjectUnit::TurnBy(double degrees) {
  const auto heading = Direction();
  if (!heading || Locked()) return false;
  Turn(heading->pivot, degrees);
  return true;
}

bool DrawObjectUnit::TurnTo(double degrees) {
  const auto heading = Direction();
  if (!heading || Locked()) return false;
  Turn(heading->pivot, degrees - heading->angle);
  return true;
}

// A locked object offers no rows to edit elsewhere (the sliders).
PropertyRows DrawObjectUnit::PropertyList() { return Locked() ? PropertyRows() : Rows(); }

PropertyRow DrawObjectUnit::LockRow() {
  PropertyRow row{Tr("Lock.Row", "锁定"), BoolToText(Locked()), TEditStyle::PickList, true};
  if (Settings().lockRow != LockRowRule::Editable) return row;
  row.pickList = {Tr(texts::kYes), Tr(texts::kNo)};
  row.apply = [this](const std::string& text) {
    SetLocked(TextToBool(text));
    return true;
  };
  return row;
}

int DrawObjectUnit::ShowProperties() {
  PropertyRows rows = SheetRows();
  if (Settings().lockRow != LockRowRule::None) {
    if (Locked()) rows.MakeReadOnly();
    rows.AddLast(LockRow());
  }
  return rows.Show();
}

bool DrawObjectUnit::ApplyProperties() {
  if (Settings().lockRow == LockRowRule::None) return SheetRows().Apply();
  // A locked object's rows are only shown: its lock alone is read back.
  PropertyRows rows = Locked() ? PropertyRows() : SheetRows();
  rows.AddLast(LockRow());
  return rows.Apply();
}

void DrawObjectUnit::Zoom(float cx, float cy, float factor) { ZoomPoints(cx, cy, factor); }

void DrawObjectUnit::RecordFields(RecordIo&) {}

void DrawObjectUnit::AssignFrom(const DrawObjectUnit& other) { *this = other; }

bool DrawObjectUnit::SaveToStream(ByteWriter& out) {
  SaveClassName(out);
  RecordWriter writer(out);
  RecordAllFields(writer);
  return true;
}

bool DrawObjectUnit::LoadFromStream(ByteReader& in) {
  auto loaded = Clone();
  RecordReader reader(in);
  loaded->RecordAllFields(reader);
  if (!reader.Ok() || !in.Ok()) return false;
  AssignFrom(*loaded);
  return true;
}

std::size_t DrawObjectUnit::RecordSize(std::size_t* textBound) {
  RecordSizer sizer;
  RecordAllFields(sizer);
  if (textBound) *textBound = sizer.TextBoundExceeded();
  return sizer.Size();
}

void DrawObjectUnit::RecordAllFields(RecordIo& io) {
  BaseRecordFields(io);
  RecordFields(io);
}

void DrawObjectUnit::SaveClassName(ByteWriter& out) const { out.WriteString(className); }

// Names are display texts, never long; a bound keeps a damaged file from
// asking for gigabytes.
constexpr std::size_t kMaxNameLength = 64 * 1024;

void DrawObjectUnit::BaseRecordFields(RecordIo& io) {
  io.Text(displayName, kMaxNameLength);
  io.Text(name3, kMaxNameLength);
  io.Text(name4, kMaxNameLength);
  io.Fields(flagD, xorColor, color, selectionLineColor, lineWidth, fillFlag, fillColor, handleSize,
            handleColor, flagE);
}

void DrawObjectUnit::SaveBaseFields(ByteWriter& out) const {
  RecordWriter writer(out);
  // Writing only reads the fields.
  const_cast<DrawObjectUnit*>(this)->BaseRecordFields(writer);
}

bool DrawObjectUnit::LoadBaseFields(ByteReader& in) {
  // Read everything first: a short record leaves the object as it was.
  DrawObjectUnit loaded(*this);
  RecordReader reader(in);
  loaded.BaseRecordFields(reader);
  if (!reader.Ok()) return false;
  DrawObjectUnit::operator=(loaded);
  return true;
}

bool DrawObjectUnit::BeginPaint(int mode) {
  PreparePen(mode);
  if (!skipNextPaint) return canvas != nullptr;
  skipNextPaint = 0;
  return false;
}

void DrawObjectUnit::DrawHandleSquares() { DrawHandleSquares(ControlPointValues()); }

void DrawObjectUnit::DrawHandleSquares(const std::vector<TPointF>& points) {
  if (canvas) PaintHandleSquares(*canvas, points, handleSize, handleColor);
}

int DrawObjectUnit::HandleUnder(int x, int y) {
  const float half = float(Scaled(handleSize) / 2);
  const auto points = ControlPoints();
  for (std::size_t i = 0; i < points.size(); ++i)
    if (Distance({float(x), float(y)}, points[i].Get()) < half) return static_cast<int>(i);
  return -1;
}

bool DrawObjectUnit::InRectPolyline(float x1, float y1, float x2, float y2, bool closed) {
  auto points = ControlPoints();
  for (const auto& p : points)
    if (PointInRect(p.Get(), x1, y1, x2, y2)) return true;
  const std::size_t n = points.size();
  const std::size_t edges = closed ? n : (n == 0 ? 0 : n - 1);
  for (std::size_t i = 0; i < edges && n >= 2; ++i) {
    const auto seg = MakeSegment(points[i].Get(), points[(i + 1) % n].Get());
    if (SegmentMeetsRect(seg, x1, y1, x2, y2)) return true;
  }
  return false;
}

bool DrawObjectUnit::SetControlPoints(const std::vector<TPointF>& values) {
  const auto points = ControlPoints();
  if (points.size() != values.size()) return false;
  for (std::size_t i = 0; i < points.size(); ++i) points[i].Set(values[i].x, values[i].y);
  return true;
}

void DrawObjectUnit::MovePoints(int mode, int x, int y) {
  auto points = ControlPoints();
  if (mode == kMoveHandle) {
    if (selectedHandle < 0 || selectedHandle >= static_cast<int>(points.size())) return;
    const auto& p = points[static_cast<std::size_t>(selectedHandle)];
    if (*p.x != float(x) || *p.y != float(y)) p.Set(float(x), float(y));
  } else if (mode == kMoveDrag) {
    const int dx = Trunc(double(x) - dragOriginX);
    const int dy = Trunc(double(y) - dragOriginY);
    if (dx == 0 && dy == 0) return;
    SetDragOrigin(float(x), float(y));
    for (const auto& p : points) p.Set(*p.x + dx, *p.y + dy);
  } else if (mode == kMoveBy) {
    for (const auto& p : points) p.Set(*p.x + x, *p.y + y);
  }
}

void DrawObjectUnit::ZoomPoints(float cx, float cy, float factor) {
  for (const auto& p : ControlPoints())
    p.Set(static_cast<float>(cx + (double(*p.x) - cx) * factor),
          static_cast<float>(cy + (double(*p.y) - cy) * factor));
}

void DrawObjectUnit::SetCreationPen(TPenMode mode) {
  if (!canvas) return;
  canvas->Pen.mode = mode;
  canvas->Pen.color = xorColor;
  canvas->Pen.width = lineWidth;
}

void DrawObjectUnit::PreparePen(int mode) {
  if (!canvas) return;
  canvas->Pen.width = lineWidth;
  canvas->Pen.style = TPenStyle::Solid;
  if (mode == kDrawXor) {
    canvas->Pen.mode = TPenMode::Xor;
    canvas->Pen.color = xorColor;
  } else if (mode == kDrawCopy) {
    canvas->Pen.mode = TPenMode::Copy;
    canvas->Pen.color = color;
  }
}

void DrawObjectUnit::PaintStrokes(int mode, const std::vector<Stroke>& strokes) {
  if (!canvas) return;
  StrokePainter painter(*canvas, mode == kDrawCopy && Settings().highQuality, color, lineWidth);
  for (const auto& s : strokes) painter.Line(s.a, s.b);
}
