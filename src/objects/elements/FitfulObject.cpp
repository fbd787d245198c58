#include "objects/elements/FitfulObject.h"

#include <algorithm>

#include "i18n/Convert.h"
#include "i18n/TtlmController.h"
#include "objects/Freehand.h"
#include "optics/CanvasDrawing.h"
#include "optics/RayGeometry.h"
#include "scene/IMessageSink.h"
#include "scene/RecordIo.h"

FitfulObject::FitfulObject(TCanvas* canvas) : ObjectOf(canvas, 0) {
  SetClassName("FitfulObject");
  selectedHandle = 0;
  fillFlag = 1;
  color = 0x80FFFF;
}

void FitfulObject::CloseOutline(bool closeIt) {
  closed = closeIt ? 1 : 0;
  const int count = static_cast<int>(vertices.size());
  outlineExtent = closeIt ? count : count - 1;
}

void FitfulObject::BeginCreate(int x, int y) {
  DrawObjectUnit::BeginCreate(x, y);
  if (static_cast<int>(vertices.size()) >= kFreehandPoints) return;
  vertices.push_back({float(x), float(y)});
  pointCount = static_cast<int>(vertices.size());
  selectedHandle = pointCount;
}

void FitfulObject::DragCreate(int x, int y) {
  CloseOutline(false);
  Draw(kDrawXor);
  if (static_cast<int>(vertices.size()) >= kFreehandPoints) {
    ShowMessage(Tr("173", "不规则物体已达最大!"));
    return;
  }
  vertices.push_back({float(x), float(y)});
  pointCount = static_cast<int>(vertices.size());
  selectedHandle = pointCount;
  CloseOutline(false);
  Draw(kDrawXor);
}

void FitfulObject::EndCreate(int, int) {
  SetCreationPen(TPenMode::Copy);
  CloseOutline(false);
  Draw(kDrawXor);
  CloseOutline(true);
  Draw(kDrawCopy);
  DrawHandles();
}

void FitfulObject::DrawHandles() {
  if (vertices.empty()) return;
  DrawHandleSquares({vertices.front(), vertices.back()});
}

void FitfulObject::Move(int mode, int x, int y) {
  MovePoints(mode, x, y);
  if (mode == kMoveDrag) CloseOutline(true);
}

std::vector<TPoint> FitfulObject::OutlinePoints() const {
  std::vector<TPoint> points = ToPointArray(vertices, closed != 0);
  // The extent comes from files too: never past the points there are.
  const long long keep = std::clamp<long long>(outlineExtent + 1LL, 0, (long long)points.size());
  points.resize(static_cast<std::size_t>(keep));
  return points;
}

std::vector<DrawObjectLineDataStruct> FitfulObject::GetSurfaces() {
  std::vector<DrawObjectLineDataStruct> faces;
  const std::size_t n = vertices.size();
  if (n < 2) return faces;
  faces.reserve(n);
  auto add = [&faces](TPointF a, TPointF b) {
    DrawObjectLineDataStruct face = MakeSegment(a, b);
    face.kind = kSurfaceReflect;
    face.shape = kShapeSegment;
    face.orientation = 3;
    faces.push_back(face);
  };
  for (std::size_t i = 0; i + 1 < n; ++i) add(vertices[i], vertices[i + 1]);
  add(vertices[0], vertices[n - 1]);
  return faces;
}

void FitfulObject::RecordFields(RecordIo& io) {
  io.PointBlock(vertices, kFreehandPoints);
  io.Fields(outlineExtent, closed, vertexHandles, skipNextPaint);
  std::int32_t count = static_cast<std::int32_t>(vertices.size());
  io.Int32(count);
  io.KeepPoints(vertices, count, kMaxCoordinate);
  if (io.Reading()) pointCount = static_cast<std::int32_t>(vertices.size());
  io.Block(reserved);
}

PropertyRows FitfulObject::Rows() {
  PropertyRows rows(Tr("175", "不规则物体属性"));
  AddFillRows(rows);
  rows.Add(Tr("176", "顶点数"), IntToStr(static_cast<int>(vertices.size())));
  return rows;
}
