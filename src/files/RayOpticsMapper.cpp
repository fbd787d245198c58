#include "files/RayOpticsMapper.h"

#include <QJsonArray>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "files/RayOpticsFields.h"
#include "files/RayOpticsGeometry.h"
#include "objects/elements/Aperture.h"
#include "objects/elements/BeamSplitter.h"
#include "objects/elements/CircularBlocker.h"
#include "objects/elements/Concave.h"
#include "objects/elements/ConcaveMirror.h"
#include "objects/elements/ConvexityMirror.h"
#include "objects/elements/FlatMirror.h"
#include "objects/elements/FourPrism.h"
#include "objects/elements/IdealConcave.h"
#include "objects/elements/IdealMagnifier.h"
#include "objects/elements/LightBlocker.h"
#include "objects/elements/Magnifier.h"
#include "objects/elements/PolygonGlass.h"
#include "objects/elements/ThreePrism.h"
#include "objects/sources/LampHouse.h"
#include "objects/sources/PointLampHouse.h"
#include "objects/tools/DrawString.h"
#include "objects/tools/OPticsLine.h"
#include "objects/tools/Protractor.h"
#include "objects/tools/Ruler.h"
#include "optics/PlaneMath.h"

using namespace rayoptics;

RayOpticsMapper::RayOpticsMapper(TCanvas* canvas, const Settings& settings)
    : canvas_(canvas), settings_(settings) {}

bool RayOpticsMapper::Map(const QJsonObject& object) {
  const QJsonValue typeValue = object.value("type");
  const std::string type = typeValue.isString() ? typeValue.toString().toStdString() : "?";
  Fields f(object, *this);
  const std::size_t before = objects.size();
  bool known = true, mapped = false;
  if (type == "SingleRay")
    mapped = SingleRay(f);
  else if (type == "Beam")
    mapped = Beam(f);
  else if (type == "PointSource")
    mapped = PointSource(f);
  else if (type == "AngleSource")
    mapped = AngleSource(f);
  else if (type == "Mirror")
    mapped = Mirror(f);
  else if (type == "ArcMirror")
    mapped = ArcMirror(f);
  else if (type == "IdealMirror" || type == "IdealCurvedMirror")
    mapped = IdealMirror(f);
  else if (type == "IdealLens")
    mapped = IdealLens(f);
  else if (type == "Glass")
    mapped = Glass(f, "path");
  else if (type == "SphericalLens")
    mapped = SphericalLens(f);
  else if (type == "Blocker" || type == "CircleBlocker" || type == "BeamSplitter")
    mapped = Stop(f, type);
  else if (type == "Aperture")
    mapped = Aperture(f);
  else if (type == "Ruler")
    mapped = Ruler(f);
  else if (type == "Protractor")
    mapped = Protractor(f);
  else if (type == "TextLabel")
    mapped = TextLabel(f);
  else if (type == "LineArrow")
    mapped = LineArrow(f);
  else
    known = false;
  if (known && mapped && f.ok) return true;
  objects.resize(before);
  // A known type whose shape we lack (a curved glass, a thick lens) is as
  // unmapped as an unknown type; bad data is said apart.
  if (known && !f.ok)
    ++unusable[type.substr(0, 64)];
  else
    ++unmapped[type.substr(0, 64)];
  return false;
}

TColor RayOpticsMapper::RayColour(double nm) const {
  if (!settings_.simulateColors) return 0x0000FF;
  if (nm >= 620) return 0x0000FF;  // red
  if (nm >= 590) return 0x0080FF;  // orange
  if (nm >= 565) return 0x00FFFF;  // yellow
  if (nm >= 495) return 0x00FF00;  // green
  if (nm >= 475) return 0xFFFF00;  // cyan
  if (nm >= 445) return 0xFF0000;  // blue
  return 0xFF0080;                 // violet
}

bool RayOpticsMapper::SingleRay(Fields& f) {
  const TPointF p1 = f.Point("p1"), p2 = f.Point("p2");
  const double wavelength = f.Number("wavelength", 540);
  const Vec d = Sub(p2, p1);
  if (!f.ok || Len(d) <= 0) return false;
  auto source = std::make_unique<LampHouse>(canvas_);
  source->rayTemplate.startX = p1.x;
  source->rayTemplate.startY = p1.y;
  const TPointF tip = Add(p1, d, std::min(1.0, kAimDistance / Len(d)));
  source->rayTemplate.throughX = tip.x;
  source->rayTemplate.throughY = tip.y;
  source->rayTemplate.rayColour = RayColour(wavelength);
  objects.push_back(std::move(source));
  return true;
}

bool RayOpticsMapper::Beam(Fields& f) {
  const TPointF p1 = f.Point("p1"), p2 = f.Point("p2");
  const double wavelength = f.Number("wavelength", 540);
  f.Number("emisAngle", 0);
  const Vec along = Sub(p2, p1);
  const double length = Len(along);
  if (!f.ok || length <= 0) return false;
  // As the peer emits: n = length x density rays at the middles of n equal
  // steps, perpendicular to p1 -> p2, toward (dy, -dx).
  const double n = length * settings_.rayDensity / settings_.lengthScale;
  const int count = std::clamp(int(std::floor(n + 0.5)), 1, LampHouse::kMaxFileRays);
  const Vec step{along.x / n, along.y / n};
  const Vec dir{along.y / length, -along.x / length};
  // Our bundle grows to the left of its direction, which is toward p1: the
  // first ray is the one nearest p2.
  const TPointF first = Add(p1, step, count - 0.5);
  auto source = std::make_unique<LampHouse>(canvas_);
  const TPointF tail = Add(first, dir, -2 * kAimDistance);
  source->rayTemplate.startX = tail.x;
  source->rayTemplate.startY = tail.y;
  source->rayTemplate.throughX = first.x;
  source->rayTemplate.throughY = first.y;
  source->rayTemplate.rayColour = RayColour(wavelength);
  source->rayCount = count;
  source->raySpacing = float(Len(step));
  objects.push_back(std::move(source));
  return true;
}

void RayOpticsMapper::PointFan(TPointF at, const std::vector<double>& radians, double nm) {
  auto source = std::make_unique<PointLampHouse>(canvas_);
  auto& r = source->record;
  r.points.fill(at);
  const int count = std::min<int>(int(radians.size()), PointLampHouse::Record::kMaxRays);
  for (int i = 0; i < count; ++i) {
    // Resampled evenly over the fan when the peer emits more than we can.
    const double t = radians.size() > std::size_t(count) && count > 1
                         ? radians.front() + (radians.back() - radians.front()) * i / (count - 1)
                         : radians[std::size_t(i)];
    r.points[std::size_t(i + 1)] = Add(at, Vec{std::cos(t), std::sin(t)}, kAimDistance);
  }
  r.rayCount = count;
  r.ray.rayColour = RayColour(nm);
  source->pointCount = std::max(4, count + 1);
  objects.push_back(std::move(source));
}

bool RayOpticsMapper::PointSource(Fields& f) {
  const TPointF at = f.Position();
  const double nm = f.Number("wavelength", 540);
  if (!f.ok) return false;
  const int n = std::max(1, int(settings_.rayDensity * 500));
  std::vector<double> radians;
  // The peer's ray i leaves along (sin(i s), cos(i s)), y down.
  const int count = std::min(n, PointLampHouse::Record::kMaxRays);
  for (int i = 0; i < count; ++i) {
    const double a = 2 * kPi * i / count;
    radians.push_back(std::atan2(std::cos(a), std::sin(a)));
  }
  PointFan(at, radians, nm);
  return true;
}

bool RayOpticsMapper::AngleSource(Fields& f) {
  const TPointF p1 = f.Point("p1"), p2 = f.Point("p2");
  const double nm = f.Number("wavelength", 540);
  const double emission = std::clamp(f.Number("emisAngle", 36.001), 0.0, 360.0) * kPi / 180;
  const bool symmetric = f.Bool("symmetric", true);
  const Vec d = Sub(p2, p1);
  if (!f.ok || Len(d) <= 0) return false;
  const double s = 2 * kPi / std::max(1, int(settings_.rayDensity * 500));
  const double axis = std::atan2(d.y, d.x);
  const double from = symmetric ? -emission / 2 : 0;
  const double to = from + emission - 1e-5;
  std::vector<double> radians;
  for (double i = from; i < to && radians.size() < 100000; i += s) radians.push_back(axis + i);
  if (radians.empty()) radians.push_back(axis);
  PointFan(p1, radians, nm);
  return true;
}

bool RayOpticsMapper::Mirror(Fields& f) {
  const TPointF p1 = f.Point("p1"), p2 = f.Point("p2");
  const Vec d = Sub(p2, p1);
  if (!f.ok || Len(d) <= 0) return false;
  // Ours reflect on the right of P1 -> P2 only: one each way, half a pixel
  // toward its own front, so that each side meets a front first.
  const Vec right{-d.y / Len(d), d.x / Len(d)};
  for (int side : {1, -1}) {
    auto mirror = std::make_unique<FlatMirror>(canvas_);
    const TPointF a = Add(side > 0 ? p1 : p2, right, side * kHalfGap);
    const TPointF b = Add(side > 0 ? p2 : p1, right, side * kHalfGap);
    mirror->segment.x1 = a.x;
    mirror->segment.y1 = a.y;
    mirror->segment.x2 = b.x;
    mirror->segment.y2 = b.y;
    objects.push_back(std::move(mirror));
  }
  return true;
}

void RayOpticsMapper::ArcPair(TPointF centre, double radius, double angle1, double angle2) {
  // The concave one inside, the convex one outside: a ray meets the face
  // of its own side first.
  auto concave = std::make_unique<ConcaveMirror>(canvas_);
  auto convex = std::make_unique<ConvexityMirror>(canvas_);
  for (ArcObject* arc :
       {static_cast<ArcObject*>(concave.get()), static_cast<ArcObject*>(convex.get())}) {
    arc->centre = centre;
    arc->angle1 = float(angle1);
    arc->angle2 = float(angle2);
    arc->sweep = ArcObject::SweepOf(arc->angle1, arc->angle2);
  }
  concave->radius = float(radius - kHalfGap);
  convex->radius = float(radius + kHalfGap);
  concave->PlaceEnds();
  convex->PlaceEnds();
  objects.push_back(std::move(concave));
  objects.push_back(std::move(convex));
}

bool RayOpticsMapper::ArcMirror(Fields& f) {
  const TPointF p1 = f.Point("p1"), p2 = f.Point("p2"), p3 = f.Point("p3");
  if (!f.ok) return false;
  TPointF centre;
  if (!Circumcentre(p1, p2, p3, centre)) return Mirror(f);
  const double radius = Distance(centre, p3);
  if (!(radius < kMaxCoordinate)) return false;
  double angle1 = 0, angle2 = 0;
  ArcAngles(centre, p1, p2, p3, angle1, angle2);
  ArcPair(centre, radius, angle1, angle2);
  return true;
}

bool RayOpticsMapper::IdealMirror(Fields& f) {
  // Our nearest: the spherical pair of radius 2f whose chord is the
  // segment, bulging away from the side its focus lies on.
  const TPointF p1 = f.Point("p1"), p2 = f.Point("p2");
  const double focal = f.Number("focalLength", 100);
  const Vec d = Sub(p2, p1);
  const double chord = Len(d);
  if (!f.ok || chord <= 0 || focal == 0) return false;
  const double radius = 2 * std::abs(focal);
  if (radius <= chord / 2) return false;
  const TPointF middle{float((p1.x + p2.x) / 2), float((p1.y + p2.y) / 2)};
  const Vec normal{d.y / chord, -d.x / chord};
  const double toCentre = std::sqrt(radius * radius - chord * chord / 4);
  const TPointF centre = Add(middle, normal, toCentre);
  const double t1 = ScreenAngle(Sub(p1, centre)), t2 = ScreenAngle(Sub(p2, centre));
  // The minor arc between the ends.
  const double sweep = std::fmod(t2 - t1 + 720, 360);
  ArcPair(centre, radius, sweep <= 180 ? t1 : t2, sweep <= 180 ? t2 : t1);
  return true;
}

bool RayOpticsMapper::IdealLens(Fields& f) {
  const TPointF p1 = f.Point("p1"), p2 = f.Point("p2");
  const double focal = f.Number("focalLength", 100);
  if (!f.ok || focal == 0 || Len(Sub(p2, p1)) <= 0 || std::abs(focal) > kMaxCoordinate)
    return false;
  std::unique_ptr<::IdealLens> lens;
  if (focal > 0)
    lens = std::make_unique<IdealMagnifier>(canvas_);
  else
    lens = std::make_unique<IdealConcave>(canvas_);
  lens->end0 = p1;
  lens->end1 = p2;
  lens->focalLength = float(std::abs(focal));
  lens->UpdateFocalPoints();
  objects.push_back(std::move(lens));
  return true;
}

bool RayOpticsMapper::Stop(Fields& f, const std::string& type) {
  const TPointF p1 = f.Point("p1"), p2 = f.Point("p2");
  const double transmitted = f.Number("transRatio", 0.5);
  if (!f.ok || Len(Sub(p2, p1)) <= 0) return false;
  if (type == "Blocker") {
    auto blocker = std::make_unique<LightBlocker>(canvas_);
    blocker->p1 = p1;
    blocker->p2 = p2;
    objects.push_back(std::move(blocker));
  } else if (type == "CircleBlocker") {
    auto disc = std::make_unique<CircularBlocker>(canvas_);
    disc->centre = p1;
    disc->rim = p2;
    objects.push_back(std::move(disc));
  } else {
    if (!(transmitted >= 0 && transmitted <= 1)) {
      f.ok = false;
      return false;
    }
    auto splitter = std::make_unique<BeamSplitter>(canvas_);
    splitter->p1 = p1;
    splitter->p2 = p2;
    splitter->reflected = float(1 - transmitted);
    objects.push_back(std::move(splitter));
  }
  return true;
}

bool RayOpticsMapper::Aperture(Fields& f) {
  const TPointF p1 = f.Point("p1"), p2 = f.Point("p2"), p3 = f.Point("p3"), p4 = f.Point("p4");
  const Vec along = Sub(p2, p1);
  const double length = Len(along);
  if (!f.ok || length <= 0) return false;
  // Our gap lies on the segment: the hole's ends are taken along it.
  auto at = [&](TPointF p) {
    const Vec d = Sub(p, p1);
    return std::clamp((d.x * along.x + d.y * along.y) / length, 0.0, length);
  };
  const double a = at(p3), b = at(p4);
  auto stop = std::make_unique<::Aperture>(canvas_);
  stop->p1 = p1;
  stop->p2 = p2;
  stop->gapWidth = float(std::abs(b - a));
  stop->gapPosition = float((a + b) / 2 / length);
  objects.push_back(std::move(stop));
  return true;
}

bool RayOpticsMapper::Ruler(Fields& f) {
  auto ruler = std::make_unique<::Ruler>(canvas_);
  ruler->segment.p1 = f.Point("p1");
  ruler->segment.p2 = f.Point("p2");
  const double interval = f.Number("scaleInterval", 10);
  if (!f.ok || !(interval > 0)) return false;
  ruler->tickSpacing = float(std::min(interval, kMaxCoordinate));
  objects.push_back(std::move(ruler));
  return true;
}

bool RayOpticsMapper::Protractor(Fields& f) {
  const TPointF centre = f.Point("p1"), zero = f.Point("p2");
  if (!f.ok) return false;
  auto protractor = std::make_unique<::Protractor>(canvas_);
  protractor->vertex = centre;
  protractor->arm1 = zero;
  // Our protractor measures between two arms: the second starts a quarter
  // turn on, counter-clockwise as seen.
  const Vec r = Sub(zero, centre);
  protractor->arm2 = Add(centre, Vec{r.y, -r.x});
  objects.push_back(std::move(protractor));
  return true;
}

bool RayOpticsMapper::TextLabel(Fields& f) {
  const TPointF at = f.Position();
  const QString text = f.Text("text", "");
  const double size = std::clamp(f.Number("fontSize", 24), 1.0, 500.0);
  if (!f.ok || std::size_t(text.size()) > DrawString::kMaxTextLength / 4) return false;
  auto label = std::make_unique<DrawString>(canvas_);
  label->SetText(text.toStdString());
  label->border = 0;
  // The peer's size is in pixels, ours in points.
  label->font.size = std::max(1, int(std::lround(size * 0.75)));
  qsizetype longest = 1, lines = 1;
  for (const QString& line : text.split('\n')) longest = std::max(longest, line.size());
  lines = std::max<qsizetype>(1, text.count('\n') + 1);
  const float width = float(std::min(longest * size * 0.6 + 8, 4000.0));
  const float height = float(std::min(lines * size * 1.3 + 4, 4000.0));
  // The peer places the baseline's left end at (x, y).
  const TPointF topLeft{at.x, float(at.y - size)};
  label->corners[0] = topLeft;
  label->corners[1] = {topLeft.x + width, topLeft.y};
  label->corners[2] = {topLeft.x + width, topLeft.y + height};
  label->corners[3] = {topLeft.x, topLeft.y + height};
  objects.push_back(std::move(label));
  return true;
}

bool RayOpticsMapper::LineArrow(Fields& f) {
  auto line = std::make_unique<OPticsLine>(canvas_);
  line->segment.p1 = f.Point("p1");
  line->segment.p2 = f.Point("p2");
  if (!f.ok) return false;
  objects.push_back(std::move(line));
  return true;
}
