#pragma once
// Turns the objects of a Ray Optics Simulation scene (data version 5, y
// down, one scene unit = one surface pixel) into our objects. Types without
// a counterpart, and objects whose data is unusable, are named, never
// dropped silently.

#include <QJsonObject>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "gfx/TCanvas.h"

class DrawObjectUnit;
class TCanvas;

class RayOpticsMapper {
 public:
  // Coordinates beyond this (or not finite) make an object unusable; shifted
  // onto the page they stay far within the bound of our files.
  static constexpr double kMaxCoordinate = 1e7;
  // Where a light's first piece starts, from its source point: our sources
  // trace from their arrow tip or aim point.
  static constexpr double kAimDistance = 15;

  struct Settings {
    bool simulateColors = false;
    double rayDensity = 0.1;  // of the scene's mode
    double lengthScale = 1;
    TPointF shift{};  // added to every point
  };

  RayOpticsMapper(TCanvas* canvas, const Settings& settings);

  // Maps one object; false when it was named as unmapped or unusable.
  bool Map(const QJsonObject& object);

  std::vector<std::unique_ptr<DrawObjectUnit>> objects;
  // Type name -> count, for the one message each.
  std::map<std::string, int> unmapped, unusable;
  // Bounds of every point read (before the shift is known).
  double minX = 1e300, minY = 1e300, maxX = -1e300, maxY = -1e300;

 private:
  class Fields;
  bool SingleRay(Fields& f);
  bool Beam(Fields& f);
  bool PointSource(Fields& f);
  bool AngleSource(Fields& f);
  bool Mirror(Fields& f);
  bool ArcMirror(Fields& f);
  bool IdealMirror(Fields& f);
  bool IdealLens(Fields& f);
  bool Glass(Fields& f, const char* pathKey);
  bool SphericalLens(Fields& f);
  bool PolygonBody(Fields& f, const std::vector<TPointF>& points, double index);
  bool ConcaveLens(const std::vector<TPointF>& around, double index);
  bool Stop(Fields& f, const std::string& type);
  bool Aperture(Fields& f);
  bool Ruler(Fields& f);
  bool Protractor(Fields& f);
  bool TextLabel(Fields& f);
  bool LineArrow(Fields& f);
  void PointFan(TPointF source, const std::vector<double>& directions, double wavelength);
  void ArcPair(TPointF centre, double radius, double angle1, double angle2);
  bool CircularSegment(TPointF a, TPointF b, TPointF onArc, double index);
  double GlassIndex(Fields& f);
  TColor RayColour(double wavelength) const;

  TCanvas* canvas_;
  Settings settings_;
};
