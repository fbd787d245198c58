#include "objects/EmitterObject.h"

#include <algorithm>

#include "gfx/PresentationScale.h"
#include "i18n/SharedTexts.h"
#include "i18n/TtlmController.h"
#include "objects/sources/SourceShared.h"
#include "optics/CanvasDrawing.h"
#include "optics/PlaneMath.h"
#include "optics/RayGeometry.h"
#include "optics/SelectionGeometry.h"
#include "scene/ProcessSettings.h"
#include "scene/RecordIo.h"

namespace {
// Object names are labels of a few characters.
constexpr std::size_t kMaxObjectName = 64 * 1024;
// The special rays' mark, just before the lock's at the block's end.
constexpr std::array<std::uint8_t, 4> kSpecialMark{'S', 'R', 'Y', '3'};
constexpr std::size_t kSpecialAt = 32;
static_assert(kSpecialAt + kSpecialMark.size() <= 36);
}  // namespace

EmitterObject::EmitterObject(TCanvas* canvas) : DrawObjectUnit(canvas) {
  color = 0xFF;
  record.ray.rayColour = 0xFF;
  record.ray.indexFactor = 1.0f;
  record.ray.blend = 0;
}

std::vector<PointRef> EmitterObject::ControlPoints() {
  std::vector<PointRef> refs;
  const auto n =
      static_cast<std::size_t>(std::clamp<int>(pointCount, 0, int(record.points.size())));
  for (std::size_t i = 0; i < n; ++i) refs.push_back({&record.points[i].x, &record.points[i].y});
  return refs;
}

void EmitterObject::DrawHandles() {
  if (!canvas) return;
  PaintSourceCircle(*canvas, record.points[0]);
  const auto first = record.points.begin() + 1;
  const auto count = std::clamp<std::ptrdiff_t>(HandleCount(), 0, record.points.end() - first);
  PaintHandleSquares(*canvas, std::vector<TPointF>(first, first + count), handleSize, handleColor);
}

int EmitterObject::HitTest(int x, int y) {
  const TPointF p{float(x), float(y)};
  const auto& pt = record.points;
  const int half = Scaled(handleSize) / 2;
  const int handles = HandleCount();
  for (int i = 1; i <= handles; ++i) {
    if (Distance(p, pt[static_cast<std::size_t>(i)]) < half) {
      selectedHandle = i;
      return kHitHandle;
    }
  }
  const float d0 = Distance(p, pt[0]);
  if (d0 < 4) {
    selectedHandle = 0;
    return kHitHandle;
  }
  if (d0 < 10) {
    selectedHandle = 0;
    return kHitBody;
  }
  for (int i = 1; i <= handles; ++i) {
    if (NearSegment(p, pt[0], pt[static_cast<std::size_t>(i)], 0.5f)) {
      selectedHandle = 0;
      return kHitBody;
    }
  }
  selectedHandle = -1;
  return kHitNone;
}

std::optional<DrawObjectUnit::Heading> EmitterObject::Direction() {
  const auto points = ControlPoints();
  if (points.size() < 2) return std::nullopt;
  double x = 0, y = 0;
  for (std::size_t i = 1; i < points.size(); ++i) {
    x += *points[i].x;
    y += *points[i].y;
  }
  const double n = double(points.size() - 1);
  const TPointF source = points[0].Get();
  return Heading{source, DirectionAngle(source, {float(x / n), float(y / n)})};
}

bool EmitterObject::InRect(float x1, float y1, float x2, float y2) {
  const auto points = ControlPointValues();
  for (const TPointF& p : points)
    if (PointInRect(p, x1, y1, x2, y2)) return true;
  for (std::size_t j = 1; j < points.size(); ++j)
    if (SegmentMeetsRect(MakeSegment(points[0], points[j]), x1, y1, x2, y2)) return true;
  return false;
}

void EmitterObject::RecordFields(RecordIo& io) {
  RayRecord(io, record.ray);
  io.Fields(record.rayCount, record.spare, skipNextPaint);
  for (auto& p : record.points) io.Point(p);
  // The source point and the aim points in use; the rest of the table is
  // carried as it is.
  const int used = std::clamp(HandleCount(), 0, int(record.points.size()) - 1);
  for (int i = 0; i <= used; ++i) {
    io.Within(record.points[std::size_t(i)].x, kMaxCoordinate);
    io.Within(record.points[std::size_t(i)].y, kMaxCoordinate);
  }
  io.Text(record.objectName, kMaxObjectName);
  io.Block(reserved);
}

EmitterObject::EmitterRows EmitterObject::AddEmitterRows(PropertyRows& rows) {
  const RowHandle colour = rows.Add(ColourRow(Tr(texts::kColour), color));
  const RowHandle rayColour = rows.Add(ColourRow(Tr(texts::kRayColour), record.ray.rayColour));
  return {colour, rayColour, rows.Add(FactorRow(record.ray.indexFactor))};
}

bool EmitterObject::SpecialRays() const {
  return std::equal(kSpecialMark.begin(), kSpecialMark.end(), reserved.begin() + kSpecialAt);
}

void EmitterObject::SetSpecialRays(bool on) {
  if (on)
    std::copy(kSpecialMark.begin(), kSpecialMark.end(), reserved.begin() + kSpecialAt);
  else if (SpecialRays())
    std::fill_n(reserved.begin() + kSpecialAt, kSpecialMark.size(), 0);
}

RowHandle EmitterObject::AddRaysRow(PropertyRows& rows) {
  const std::string fan = Tr("Emitter.Fan", "扇形"), special = Tr("Emitter.Special", "特殊光线");
  PropertyRow row{Tr("Emitter.Rays", "光线"), SpecialRays() ? special : fan, TEditStyle::PickList,
                  true};
  row.pickList = {fan, special};
  row.message = Tr("Emitter.BadRays", "光线,请选择扇形或特殊光线.");
  row.apply = [this, fan, special](const std::string& text) {
    if (text != fan && text != special) return false;
    SetSpecialRays(text == special);
    return true;
  };
  return rows.Add(std::move(row));
}

DrawBaseRayDataStruct EmitterObject::RayTemplate() const {
  DrawBaseRayDataStruct ray = record.ray;
  if (SpecialRays()) ray.special = DrawBaseRayDataStruct::kAskSpecial;
  return ray;
}

StrokePainter EmitterObject::Strokes(int mode) {
  return StrokePainter(*canvas, Settings().highQuality && mode == kDrawCopy, color, lineWidth);
}
