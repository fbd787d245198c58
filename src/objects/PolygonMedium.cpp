#include "objects/PolygonMedium.h"

#include <cfloat>
#include <cmath>
#include <utility>

#include "i18n/Convert.h"
#include "i18n/TtlmController.h"
#include "optics/RayGeometry.h"
#include "scene/RecordIo.h"
#include "scene/UserCoordinates.h"

PolygonMedium::PolygonMedium(TCanvas* canvas, int vertexCount)
    : PolygonObject(canvas, vertexCount) {
  color = 0xFFFF80;
  fillColor = 0xFFDAC4;
  fillFlag = 1;
}

std::vector<DrawObjectLineDataStruct> PolygonMedium::GetSurfaces() {
  std::vector<DrawObjectLineDataStruct> faces;
  const std::size_t n = vertices.size();
  if (n < 2) return faces;
  faces.reserve(n);
  auto add = [&](TPointF a, TPointF b) {
    const TPointF interior = InteriorOf(a, b);
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

PolygonMedium::MediumRows PolygonMedium::AddMediumRows(PropertyRows& rows, int indexGroup) {
  const FillRows fill = AddFillRows(rows);
  const RowHandle index =
      rows.Add(IndexRow(refractiveIndex, Tr("117", "折射率,不是有用的浮点型,请输入一个浮点数.")));
  index->group = indexGroup;
  return {fill, index};
}

std::string PolygonMedium::CoordinateText(float value, int axis) {
  return IntToStr(Trunc(ScreenToUser(float(Trunc(value)), axis)));
}
