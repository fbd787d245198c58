#include "objects/elements/RayFibre.h"

#include <cfloat>
#include <cmath>
#include <utility>

#include "gfx/PresentationScale.h"
#include "i18n/Convert.h"
#include "i18n/SharedTexts.h"
#include "i18n/TtlmController.h"
#include "objects/Freehand.h"
#include "optics/CanvasDrawing.h"
#include "optics/PlaneMath.h"
#include "optics/RayGeometry.h"
#include "optics/SelectionGeometry.h"
#include "scene/IMessageSink.h"
#include "scene/ProcessSettings.h"
#include "scene/PropertyRows.h"
#include "scene/RecordIo.h"

RayFibre::RayFibre(TCanvas* canvas) : ObjectOf(canvas) {
  SetClassName("RayFibre");
  selectedHandle = 0;
  fillFlag = 1;
}

void RayFibre::ApplyWallRule() {
  rightWall = OffsetPolyline(centre, -90, diameter / 2.0);
  leftWall = OffsetPolyline(centre, 90, diameter / 2.0);
}

std::vector<PointRef> RayFibre::ControlPoints() {
  std::vector<PointRef> points;
  points.reserve(3 * centre.size());
  for (auto* line : {&centre, &rightWall, &leftWall})
    for (auto& p : *line) points.push_back({&p.x, &p.y});
  return points;
}

void RayFibre::AddPoint(int x, int y) {
  centre.push_back({float(x), float(y)});
  pointCount = static_cast<int>(centre.size());
  ApplyWallRule();
}

void RayFibre::BeginCreate(int x, int y) {
  SetDragOrigin(float(x), float(y));
  SetCreationPen(TPenMode::Xor);
  if (static_cast<int>(centre.size()) < kFreehandPoints) AddPoint(x, y);
}

void RayFibre::DragCreate(int x, int y) {
  Draw(kDrawXor);
  if (static_cast<int>(centre.size()) >= kFreehandPoints) {
    ShowMessage(Tr("177", "光导纤维已达最大长度!"));
    return;
  }
  AddPoint(x, y);
  Draw(kDrawXor);
}

void RayFibre::EndCreate(int, int) {
  SetCreationPen(TPenMode::Copy);
  ApplyWallRule();
  DrawHandles();
}

void RayFibre::Draw(int mode) {
  if (!canvas || centre.size() < 2) return;
  PreparePen(mode);
  canvas->Pen.width = 1;
  canvas->Pen.style = TPenStyle::Dot;
  canvas->Polyline(ToPointArray(centre, false));
  canvas->Pen.width = lineWidth;
  canvas->Pen.style = TPenStyle::Solid;
  if (mode == kDrawCopy && Settings().highQuality) {
    std::vector<Stroke> strokes;
    for (const auto* wall : {&rightWall, &leftWall})
      for (std::size_t i = 0; i + 1 < wall->size(); ++i)
        strokes.push_back({(*wall)[i], (*wall)[i + 1]});
    PaintStrokes(mode, strokes);
    return;
  }
  canvas->Polyline(ToPointArray(rightWall, false));
  canvas->Polyline(ToPointArray(leftWall, false));
}

void RayFibre::DrawHandles() {
  if (centre.empty()) return;
  DrawHandleSquares({centre.front(), centre.back()});
}

int RayFibre::HitTest(int x, int y) {
  selectedHandle = -1;
  const TPointF p{float(x), float(y)};
  int result = kHitNone;
  for (std::size_t i = 0; i + 1 < centre.size() && result == kHitNone; ++i)
    for (const auto* line : {&rightWall, &leftWall, &centre})
      if (NearSegment(p, (*line)[i], (*line)[i + 1], 0.5f)) result = kHitBody;
  if (!pointHandles) return result;
  const float half = float(Scaled(handleSize) / 2);
  for (std::size_t i = 0; i < centre.size(); ++i) {
    if (Distance(p, centre[i]) < half) {
      selectedHandle = static_cast<int>(i);
      return kHitHandle;
    }
  }
  return result;
}

bool RayFibre::InRect(float x1, float y1, float x2, float y2) {
  for (std::size_t i = 0; i + 1 < centre.size(); ++i) {
    for (const auto* wall : {&rightWall, &leftWall}) {
      if (SegmentMeetsRect(MakeSegment((*wall)[i], (*wall)[i + 1]), x1, y1, x2, y2)) return true;
      if (PointInRect((*wall)[i], x1, y1, x2, y2)) return true;
    }
  }
  return false;
}

std::vector<DrawObjectLineDataStruct> RayFibre::GetSurfaces() {
  std::vector<DrawObjectLineDataStruct> faces;
  const std::size_t n = centre.size();
  if (n < 2) return faces;
  faces.reserve(2 * (n - 1));
  // The glass lies toward the centre line: a negative diameter swaps the
  // walls, and at a sharp bend a wall piece may run against the centre line.
  auto add = [&](TPointF a, TPointF b, std::size_t piece) {
    DrawObjectLineDataStruct face = MakeSegment(a, b);
    face.kind = kSurfaceRefract;
    face.shape = kShapeSegment;
    face.refractiveIndex = refractiveIndex;
    if (SideOf(face, Midpoint(centre[piece], centre[piece + 1])) == 1) {
      std::swap(face.x1, face.x2);
      std::swap(face.y1, face.y2);
      DeriveLine(face);
    }
    faces.push_back(face);
  };
  for (std::size_t i = 0; i + 1 < n; ++i) add(rightWall[i], rightWall[i + 1], i);
  for (std::size_t i = 0; i + 1 < n; ++i) add(leftWall[i + 1], leftWall[i], i);
  // The ends stay open: light enters and leaves there unrefracted.
  return faces;
}

void RayFibre::RecordFields(RecordIo& io) {
  io.PointBlock(centre, kFreehandPoints);
  io.Float(diameter);
  io.PointBlock(rightWall, kFreehandPoints);
  io.PointBlock(leftWall, kFreehandPoints);
  io.Fields(refractiveIndex, pointHandles, spare);
  std::int32_t count = static_cast<std::int32_t>(centre.size());
  io.Int32(count);
  for (auto* line : {&centre, &rightWall, &leftWall}) io.KeepPoints(*line, count, kMaxCoordinate);
  if (io.Reading()) {
    if (!(std::fabs(diameter) <= kMaxCoordinate) || !std::isfinite(refractiveIndex)) io.Refuse();
    pointCount = static_cast<std::int32_t>(centre.size());
  }
  io.Block(reserved);
}

PropertyRows RayFibre::Rows() {
  PropertyRows rows(Tr("181", "光导纤维属性"));
  const RowHandle width = rows.Add(
      Tr("180", "光导纤维直径"), FloatToStr(double(diameter)), 1,
      Tr("182", "光导纤维直径,不是有用的数值型,请输入一个数值型"), [this](const std::string& text) {
        double value = 0;
        if (!TryStrToFloat(text, value) || !(std::fabs(value) <= kMaxDiameter)) return false;
        diameter = static_cast<float>(value);
        return true;
      });
  const RowHandle index =
      rows.Add(IndexRow(refractiveIndex, Tr("179", "折射率,不是有用的数值型,请输入一个数值型"),
                        Tr("178", "折射率不能小于1"), false));
  index->group = 1;
  rows.Add(Tr("185", "长度数"), IntToStr(static_cast<int>(centre.size())));
  const RowHandle colour = rows.Add(ColourRow(Tr(texts::kColour), color));
  rows.ApplyOrder({colour, index, width});
  rows.OnSuccess([this] {
    ApplyWallRule();
    return true;
  });
  return rows;
}
