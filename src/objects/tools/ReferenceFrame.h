#pragma once
// The page's coordinate system: axes through an origin the user can drag.
// Its origin is also the process-wide origin of user coordinates.

#include "scene/ObjectOf.h"
#include "scene/PropertyRows.h"

class ReferenceFrame : public ObjectOf<ReferenceFrame, DrawObjectUnit> {
 public:
  explicit ReferenceFrame(TCanvas* canvas);

  static constexpr int kTickSpacing = 50;

  // Own field: the origin in screen pixels.
  float originX = 20.0f;
  float originY = 300.0f;

  void Draw(int mode) override;
  int HitTest(int x, int y) override;
  // Placed by the main window and never zoomed: these do nothing.
  void BeginCreate(int x, int y) override;
  void DragCreate(int x, int y) override;
  void EndCreate(int x, int y) override;
  void Zoom(float cx, float cy, float factor) override;
  std::unique_ptr<DrawObjectUnit> CloneMoved(int dx, int dy) override;
  void Move(int mode, int x, int y) override;

 protected:
  std::vector<PointRef> ControlPoints() override;
  void RecordFields(RecordIo& io) override;
  PropertyRows Rows() override;

 private:
  void DrawAxes(int ox, int oy);
  void DrawTicks(int ox, int oy);
};
