#pragma once
// Glass bodies bounded by straight faces (the triangular and rectangular
// media): one refracting face per edge with the glass on its left, the index
// row and the record tail, on the polygon outline of PolygonObject.

#include "objects/PolygonObject.h"

class PolygonMedium : public PolygonObject {
 public:
  PolygonMedium(TCanvas* canvas, int vertexCount);

  // Default index of a new medium.
  static constexpr float kDefaultIndex = 1.3f;
  float refractiveIndex = kDefaultIndex;

  // Faces i -> i+1, then the closing face from the first to the last vertex.
  std::vector<DrawObjectLineDataStruct> GetSurfaces() override;

 protected:
  // A point inside, which decides the glass side of every face.
  virtual TPointF Interior() const = 0;
  // A point on the glass side of the face from a to b; Interior() unless
  // the outline may be concave.
  virtual TPointF InteriorOf(TPointF, TPointF) const { return Interior(); }
  // Vertices, index and the skip flag; a far vertex or a non-finite index
  // refuses the record.
  void RecordFields(RecordIo& io) override;
  struct MediumRows {
    FillRows fill;
    RowHandle index;
  };
  // "是否填充", "填充颜色", "颜色", "折射率" below the coordinate rows.
  MediumRows AddMediumRows(PropertyRows& rows, int indexGroup);
  // A vertex coordinate as its row shows it (axis 1 = x, 2 = y).
  static std::string CoordinateText(float value, int axis);
};
