#pragma once
// Bodies outlined by a polygon (the media with straight faces, the free-hand
// reflector): outline with an optional merge fill, handles on the vertices,
// hit inside the outline (even-odd), rectangle selection, the fill rows.

#include <vector>

#include "scene/DrawObjectUnit.h"
#include "scene/PropertyRows.h"

class PolygonObject : public DrawObjectUnit {
 public:
  PolygonObject(TCanvas* canvas, int vertexCount);

  std::vector<TPointF> vertices;

  void Draw(int mode) override;
  // 2 inside, 1 on a handle (selectedHandle set), 0 miss.
  int HitTest(int x, int y) override;
  bool InRect(float x1, float y1, float x2, float y2) override;
  // About the mean of its vertices, along the edge from vertex 0.
  std::optional<Heading> Direction() override;

 protected:
  std::vector<PointRef> ControlPoints() override;
  // Whether a high-quality page paints the outline anti-aliased.
  virtual bool SmoothOutline() const;
  // The polyline Draw strokes: the closed outline unless a class draws less.
  virtual std::vector<TPoint> OutlinePoints() const;
  // Whether HitTest offers the vertices as handles.
  virtual bool OffersVertexHandles() const { return true; }
  struct FillRows {
    RowHandle fill, fillColour, colour;
    // The colours first, then whether to fill.
    RowOrder Order() const { return {colour, fillColour, fill}; }
  };
  // "是否填充", "填充颜色", "颜色".
  FillRows AddFillRows(PropertyRows& rows);
};
