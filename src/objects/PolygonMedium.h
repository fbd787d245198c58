#pragma once
// Glass bodies bounded by straight faces (the triangular and rectangular
// media, later the free-hand polygon): outline and merge fill, handles on the
// vertices, hit inside the outline (even-odd), one refracting face per edge
// with the glass on its left, the index and fill rows, and the record tail.

#include <vector>

#include "scene/DrawObjectUnit.h"
#include "scene/PropertyRows.h"

class PolygonMedium : public DrawObjectUnit {
 public:
  PolygonMedium(TCanvas* canvas, int vertexCount);

  // Default index of a new medium.
  static constexpr float kDefaultIndex = 1.3f;
  // Coordinates read from a file beyond this are refused: whole-pixel
  // conversion of larger values would overflow.
  static constexpr float kMaxCoordinate = 1.0e8f;

  std::vector<TPointF> vertices;
  float refractiveIndex = kDefaultIndex;

  void Draw(int mode) override;
  // 2 inside, 1 on a handle (selectedHandle set), 0 miss.
  int HitTest(int x, int y) override;
  bool InRect(float x1, float y1, float x2, float y2) override;
  // Faces i -> i+1, then the closing face from the first to the last vertex.
  std::vector<DrawObjectLineDataStruct> GetSurfaces() override;

 protected:
  std::vector<PointRef> ControlPoints() override;
  // A point inside, which decides the glass side of every face.
  virtual TPointF Interior() const = 0;
  // Whether a high-quality page paints the outline anti-aliased.
  virtual bool SmoothOutline() const;
  // Vertices, index and the skip flag; a far vertex or a non-finite index
  // refuses the record.
  void RecordFields(RecordIo& io) override;
  // "是否填充", "填充颜色", "颜色", "折射率" below the coordinate rows.
  void AddMediumRows(PropertyRows& rows, int indexGroup);
  // A vertex coordinate as its row shows it (axis 1 = x, 2 = y).
  static std::string CoordinateText(float value, int axis);
};
