#include "objects/PolygonMedium.h"

#include <cfloat>
#include <cmath>
#include <utility>

#include "gfx/TGDIPlusCanvas.h"
#include "i18n/Convert.h"
#include "i18n/TtlmController.h"
#include "optics/Geometry.h"
#include "scene/IMessageSink.h"
#include "scene/ProcessSettings.h"
#include "scene/RecordIo.h"
#include "scene/UserCoordinates.h"

PolygonMedium::PolygonMedium(TCanvas* canvas, int vertexCount)
    : DrawObjectUnit(canvas), vertices(static_cast<std::size_t>(vertexCount)) {
  pointCount = vertexCount;
  color = 0xFFFF80;
  fillColor = 0xFFDAC4;
  fillFlag = 1;
}

std::vector<PointRef> PolygonMedium::ControlPoints() {
  std::vector<PointRef> points;
  for (auto& v : vertices) points.push_back({&v.x, &v.y});
  return points;
}

bool PolygonMedium::SmoothOutline() const { return Settings().highQuality; }

void PolygonMedium::Draw(int mode) {
  if (!BeginPaint(mode) || !canvas) return;
  const std::vector<TPoint> outline = ToPointArray(vertices, true);
  if (SmoothOutline() && mode == 2) {
    TGDIPlusCanvas hq(*canvas);
    hq.Pen.SetWidth(float(lineWidth));
    hq.Pen.SetFixedColour(0);
    hq.Pen.SetColor(color);
    hq.Brush.noFill = 1;
    hq.Polyline(outline);
  } else {
    canvas->Polyline(outline);
  }
  if (fillFlag && mode != 1) {
    // Merge: the fill is OR-ed over what lies underneath, rays stay visible.
    canvas->Pen.mode = TPenMode::Merge;
    canvas->Brush.style = TBrushStyle::Solid;
    canvas->Brush.color = fillColor;
    canvas->Pen.style = TPenStyle::Clear;
    canvas->Polygon(outline);
  }
}

int PolygonMedium::HitTest(int x, int y) {
  selectedHandle = -1;
  const int result = PointInPolygon(float(x), float(y), vertices) ? 2 : 0;
  const int handle = HandleUnder(x, y);
  if (handle < 0) return result;
  selectedHandle = handle;
  return 1;
}

bool PolygonMedium::InRect(float x1, float y1, float x2, float y2) {
  return PolygonMeetsRect({float(Trunc(x1)), float(Trunc(y1)), float(Trunc(x2)), float(Trunc(y2))},
                          vertices);
}

std::vector<DrawObjectLineDataStruct> PolygonMedium::GetSurfaces() {
  std::vector<DrawObjectLineDataStruct> faces;
  const std::size_t n = vertices.size();
  if (n < 2) return faces;
  const TPointF interior = Interior();
  faces.reserve(n);
  auto add = [&](TPointF a, TPointF b) {
    DrawObjectLineDataStruct face = MakeSegment(a, b);
    face.kind = kSurfaceRefract;
    face.shape = kShapeSegment;
    face.refractiveIndex = refractiveIndex;
    // The tracer takes the medium to lie on the left of the face.
    if (SideOf(face, interior) == 1) {
      std::swap(face.x1, face.x2);
      std::swap(face.y1, face.y2);
      DeriveLine(face);
    }
    faces.push_back(face);
  };
  for (std::size_t i = 0; i + 1 < n; ++i) add(vertices[i], vertices[i + 1]);
  add(vertices[0], vertices[n - 1]);
  return faces;
}

void PolygonMedium::RecordFields(RecordIo& io) {
  for (auto& v : vertices) io.Coordinate(v, kMaxCoordinate);
  io.Float(refractiveIndex);
  if (io.Reading() && !std::isfinite(refractiveIndex)) io.Refuse();
  io.Byte(skipNextPaint);
  io.Block(reserved);
}

void PolygonMedium::AddMediumRows(PropertyRows& rows, int indexGroup) {
  rows.Add(YesNoRow(Tr("113", "是否填充"), fillFlag));
  rows.Add(ColourRow(Tr("112", "填充颜色"), fillColor));
  rows.Add(ColourRow(Tr("58", "颜色"), color));
  rows.Add(IndexRow(refractiveIndex, Tr("117", "折射率,不是有用的浮点型,请输入一个浮点数.")))
      .group = indexGroup;
}

std::string PolygonMedium::CoordinateText(float value, int axis) {
  return IntToStr(Trunc(ScreenToUser(float(Trunc(value)), axis)));
}
