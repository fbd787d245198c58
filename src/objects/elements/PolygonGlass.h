#pragma once
// Polygon medium: a glass body with any number of straight faces (three to
// kMaxVertices), convex or not, such as the glass polygons of Ray Optics
// scenes. Each face has the glass on the polygon's inner side.

#include "objects/PolygonMedium.h"
#include "scene/ObjectOf.h"

class PolygonGlass : public ObjectOf<PolygonGlass, PolygonMedium> {
 public:
  explicit PolygonGlass(TCanvas* canvas);

  static constexpr int kMinVertices = 3;
  static constexpr int kMaxVertices = 1000;
  // Placed by a drag as a regular polygon of this many corners.
  static constexpr int kDefaultVertices = 5;

  void BeginCreate(int x, int y) override;

 protected:
  TPointF Interior() const override;
  // Just inside the face from a to b: the polygon's winding says which side.
  TPointF InteriorOf(TPointF a, TPointF b) const override;
  // Centred where the drag began, a corner under the pointer.
  void PlaceDragged(int x, int y) override;
  // The vertex count, then the vertices, index and the skip flag; a count
  // outside kMinVertices ... kMaxVertices refuses the record.
  void RecordFields(RecordIo& io) override;
  PropertyRows Rows() override;

 private:
  TPointF anchor_{};
};
