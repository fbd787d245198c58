#pragma once
// Objects built on one circular arc (the curved mirrors and the real
// lenses): centre, radius and the two angles of the arc, which runs
// counter-clockwise from angle 1 to angle 2 (through 0 degrees when angle 1
// is the larger). Placing by a press at the centre and a drag to the start
// of the arc; the end handles rotate the arc about the centre without
// changing its sweep; moving and zooming carry the centre along; the rows
// of the centre, radius and angles.

#include <string>

#include "scene/DrawObjectUnit.h"
#include "scene/PropertyRows.h"

class ArcObject : public DrawObjectUnit {
 public:
  ArcObject(TCanvas* canvas, int controlPoints);

  static constexpr float kDefaultAngle1 = -60, kDefaultAngle2 = 60, kDefaultSweep = 120;

  TPointF centre{};
  float radius = 0;
  float angle1 = kDefaultAngle1, angle2 = kDefaultAngle2, sweep = kDefaultSweep;

  void BeginCreate(int x, int y) override;
  void EndCreate(int x, int y) override;
  void Move(int mode, int x, int y) override;
  void Zoom(float cx, float cy, float factor) override;
  // About the centre, toward the middle of the arc; turning keeps the sweep.
  std::optional<Heading> Direction() override;
  void Turn(TPointF pivot, double degrees) override;
  // A control point inside, the arc or a straight face across a side.
  bool InRect(float x1, float y1, float x2, float y2) override;

  // The point at `angle` and `distance` from the centre.
  TPointF ArcPoint(double angle, double distance) const;
  // Whether the direction `angle` from the centre lies on the arc; a sweep of
  // 360 is the whole circle even when both angles are equal.
  bool OnArc(double angle) const;
  // sweep = angle 2 - angle 1, plus 360 when negative.
  static float SweepOf(float angle1, float angle2);
  // The same brought into 0 ... 360 for angles read from a file, which may
  // each lie anywhere within one turn either way.
  static float SweepWithinOneTurn(float angle1, float angle2);
  // Both arc ends recomputed on the circle from centre, radius and angles.
  void PlaceEnds();

 protected:
  // Index in ControlPoints() of the arc's end at angle 2 (the start is 0).
  virtual int EndIndex() const { return 1; }
  // After the arc ends were placed: what hangs on the arc follows (the back
  // of the concave lens).
  virtual void ArcChanged() {}
  // Straight faces that take part in rectangle selection besides the arc.
  virtual std::vector<Stroke> StraightFaces() { return {}; }

  void PlaceDragged(int x, int y) override;
  void SetEnds();  // the same without ArcChanged
  // The arc as one surface piece from its start to its end point.
  DrawObjectLineDataStruct ArcSurface(int kind, int orientation, float index);
  // The arc counter-clockwise from angle 1 to angle 2; anti-aliased on a
  // high-quality page in mode 2.
  void PaintArc(int mode);
  // The small circle round the centre.
  void PaintCentre();

  struct ArcRows {
    RowHandle centreX, centreY, radius, angle1, angle2;
    // How every arc reads them: radius, angle 1, angle 2, centre.
    RowOrder Order() const { return {radius, angle1, angle2, centreX, centreY}; }
  };
  // Rows "圆心X", "圆心Y", "半径", "角度1", "角度2" in display order, all of
  // `group`; the messages for angles that are not numbers differ by class.
  ArcRows AddArcRows(PropertyRows& rows, int group, const std::string& angle1NotANumber,
                     const std::string& angle2NotANumber);
  // Control points, centre, radius and the two angles, as every arc record
  // begins; far coordinates and non-finite values refuse the record, angles
  // beyond one turn are reduced to one.
  void ArcRecordHead(RecordIo& io);
  // The stored sweep; one outside 0 ... 360 (or not a number) is replaced
  // by the sweep of the angles.
  void SweepRecord(RecordIo& io);
};
