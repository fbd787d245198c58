#include "files/RayOpticsWriter.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <span>

#include "files/RayOpticsMapper.h"
#include "files/RayOpticsScene.h"
#include "i18n/TtlmController.h"
#include "objects/elements/Aperture.h"
#include "objects/elements/BeamSplitter.h"
#include "objects/elements/CircularBlocker.h"
#include "objects/elements/Concave.h"
#include "objects/elements/ConcaveMirror.h"
#include "objects/elements/ConvexityMirror.h"
#include "objects/elements/FlatMirror.h"
#include "objects/elements/FourPrism.h"
#include "objects/elements/IdealConcave.h"
#include "objects/elements/IdealLens.h"
#include "objects/elements/LightBlocker.h"
#include "objects/elements/Magnifier.h"
#include "objects/elements/PolygonGlass.h"
#include "objects/elements/ThreePrism.h"
#include "objects/sources/ComplexlH.h"
#include "objects/sources/LampHouse.h"
#include "objects/sources/PointLampHouse.h"
#include "objects/tools/DrawString.h"
#include "objects/tools/OPticsLine.h"
#include "objects/tools/Protractor.h"
#include "objects/tools/ReferenceFrame.h"
#include "objects/tools/Ruler.h"
#include "optics/PlaneMath.h"
#include "platform/Platform.h"
#include "scene/Document.h"

namespace {

constexpr double kPi = std::numbers::pi;
// How near two points must be to count as the same in a pair the importer
// made; its pieces are computed in float.
constexpr double kPairTolerance = 1e-2;

// A float as the shortest decimal that reads back as it (1.55, not
// 1.5499999523162842): the peer's users see these numbers.
double Decimal(float v) {
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text, v).ptr;
  *end = 0;
  return std::strtod(text, nullptr);
}

QJsonObject Point(double x, double y) { return {{"x", x}, {"y", y}}; }
QJsonObject Point(TPointF p) { return Point(Decimal(p.x), Decimal(p.y)); }
double Gap(TPointF a, TPointF b) { return std::hypot(double(a.x) - b.x, double(a.y) - b.y); }

// The peer's wavelength for our named ray colours (the importer's table
// backward); other colours take its green.
double Wavelength(TColor colour) {
  switch (colour & 0xFFFFFF) {
    case 0x0000FF:
      return 650;
    case 0x0080FF:
      return 600;
    case 0x00FFFF:
      return 580;
    case 0xFFFF00:
      return 485;
    case 0xFF0000:
      return 460;
    case 0xFF0080:
      return 420;
    default:
      return 540;
  }
}

QJsonObject Segment(const char* type, TPointF p1, TPointF p2) {
  return {{"type", type}, {"p1", Point(p1)}, {"p2", Point(p2)}};
}

QJsonObject ArcMirror(const ArcObject& arc, double radius) {
  const double middle = arc.angle1 + ArcObject::SweepOf(arc.angle1, arc.angle2) / 2;
  return {{"type", "ArcMirror"},
          {"p1", Point(arc.ArcPoint(arc.angle1, radius))},
          {"p2", Point(arc.ArcPoint(arc.angle2, radius))},
          {"p3", Point(arc.ArcPoint(middle, radius))}};
}

QJsonObject PathPoint(TPointF p, bool arc) {
  return {{"x", Decimal(p.x)}, {"y", Decimal(p.y)}, {"arc", arc}};
}

QJsonObject Glass(const QJsonArray& path, float index) {
  // Without colours the peer takes refIndex as the index itself.
  return {{"type", "Glass"}, {"path", path}, {"refIndex", Decimal(index)}};
}

QJsonObject PolygonGlassOf(const std::vector<TPointF>& vertices, float index) {
  QJsonArray path;
  for (TPointF p : vertices) path.append(PathPoint(p, false));
  return Glass(path, index);
}

}  // namespace

RayOpticsWriter::RayOpticsWriter(const Document& document) : document_(document) {}

QJsonObject RayOpticsWriter::Scene() {
  objs_.clear();
  leftOut.clear();
  const ObjectList& scene = document_.scene;
  // The peer's beams share one density: the first bundle's spacing keeps
  // its rays where they are; the others keep their count.
  for (const auto& object : scene) {
    const auto* source = dynamic_cast<const LampHouse*>(object.get());
    if (source && !dynamic_cast<const ComplexlH*>(source) && source->EffectiveRayCount() > 1 &&
        source->raySpacing != 0) {
      density_ = std::clamp(1.0 / std::abs(source->raySpacing), 1e-3, 10.0);
      break;
    }
  }
  for (std::size_t i = 0; i < scene.size(); ++i) {
    DrawObjectUnit* object = scene[i].get();
    DrawObjectUnit* next = i + 1 < scene.size() ? scene[i + 1].get() : nullptr;
    if (next && (MirrorPair(object, next) || ArcPair(object, next))) {
      ++i;
      continue;
    }
    if (!Write(object)) ++leftOut[object->className];
  }
  QJsonArray objs;
  for (QJsonObject& o : objs_) objs.append(o);
  return {{"version", RayOpticsScene::kDataVersion},
          {"objs", objs},
          {"mode", document_.page->drawReverse ? "extended" : "rays"},
          {"rayModeDensity", density_},
          {"simulateColors", false}};
}

bool RayOpticsWriter::MirrorPair(DrawObjectUnit* a, DrawObjectUnit* b) {
  auto* m1 = dynamic_cast<FlatMirror*>(a);
  auto* m2 = dynamic_cast<FlatMirror*>(b);
  if (!m1 || !m2) return false;
  const TPointF a1{m1->segment.x1, m1->segment.y1}, a2{m1->segment.x2, m1->segment.y2};
  const TPointF b1{m2->segment.x1, m2->segment.y1}, b2{m2->segment.x2, m2->segment.y2};
  // Reversed, one pixel apart across the line, and neither longer.
  const double length = Gap(a1, a2);
  if (length <= 0 || std::abs(Gap(a1, b2) - 1) > kPairTolerance ||
      std::abs(Gap(a2, b1) - 1) > kPairTolerance || std::abs(Gap(b1, b2) - length) > kPairTolerance)
    return false;
  const double across = ((double(a2.x) - a1.x) * (double(b2.x) - a1.x) +
                         (double(a2.y) - a1.y) * (double(b2.y) - a1.y)) /
                        length;
  if (std::abs(across) > kPairTolerance) return false;
  objs_.push_back(Segment("Mirror", Midpoint(a1, b2), Midpoint(a2, b1)));
  return true;
}

bool RayOpticsWriter::ArcPair(DrawObjectUnit* a, DrawObjectUnit* b) {
  auto* concave = dynamic_cast<ConcaveMirror*>(a);
  auto* convex = dynamic_cast<ConvexityMirror*>(b);
  if (!concave || !convex || Gap(concave->centre, convex->centre) > kPairTolerance ||
      std::abs(convex->radius - concave->radius - 1) > kPairTolerance ||
      std::abs(concave->angle1 - convex->angle1) > 1e-3 ||
      std::abs(concave->angle2 - convex->angle2) > 1e-3)
    return false;
  objs_.push_back(ArcMirror(*concave, (double(concave->radius) + convex->radius) / 2));
  return true;
}

bool RayOpticsWriter::Write(DrawObjectUnit* object) {
  // The coordinate system is the page's; the importer adds its own.
  if (dynamic_cast<ReferenceFrame*>(object)) return true;
  if (dynamic_cast<ComplexlH*>(object)) return false;
  if (auto* s = dynamic_cast<LampHouse*>(object)) {
    const DrawBaseRayDataStruct& t = s->rayTemplate;
    const TPointF start{t.startX, t.startY}, through{t.throughX, t.throughY};
    const double length = Gap(start, through);
    if (length <= 0) return false;
    const double wavelength = Wavelength(t.rayColour);
    const int count = s->EffectiveRayCount();
    if (count == 1) {
      QJsonObject ray = Segment("SingleRay", start, through);
      ray.insert("wavelength", wavelength);
      objs_.push_back(ray);
      return true;
    }
    // The peer's beam emits perpendicular to p1 -> p2, a step apart, from
    // the line through our first ray's tip, where ours begin too.
    const double dx = (t.throughX - t.startX) / length, dy = (t.throughY - t.startY) / length;
    // A negative spacing lays the bundle the other way: the peer's first
    // ray is then our last.
    const double back = std::min(0.0, double(s->raySpacing)) * (count - 1);
    const double ex = t.throughX + back * dy, ey = t.throughY - back * dx;
    const double step = 1 / density_;
    // Our bundle grows toward p1, along (dy, -dx).
    const double p1x = ex + dy * step * (count - 0.5), p1y = ey - dx * step * (count - 0.5);
    const double p2x = p1x - dy * step * count, p2y = p1y + dx * step * count;
    objs_.push_back({{"type", "Beam"},
                     {"p1", Point(p1x, p1y)},
                     {"p2", Point(p2x, p2y)},
                     {"wavelength", wavelength}});
    return true;
  }
  if (auto* s = dynamic_cast<PointLampHouse*>(object)) {
    const auto& r = s->record;
    const TPointF at = r.points[0];
    const int count = std::clamp<int>(r.rayCount, 0, PointLampHouse::Record::kMaxRays);
    std::vector<double> angles;
    for (int i = 1; i <= count; ++i) {
      const TPointF aim = r.points[std::size_t(i)];
      if (Gap(aim, at) > 0) angles.push_back(std::atan2(aim.y - at.y, aim.x - at.x));
    }
    const double wavelength = Wavelength(r.ray.rayColour);
    if (angles.empty()) return false;
    std::sort(angles.begin(), angles.end());
    // The widest gap between neighbouring rays is where the fan is open.
    std::size_t open = 0;
    double widest = angles.front() + 2 * kPi - angles.back();
    for (std::size_t i = 1; i < angles.size(); ++i)
      if (angles[i] - angles[i - 1] > widest) widest = angles[i] - angles[i - 1], open = i;
    const double first = angles[open];
    const double span = 2 * kPi - widest;
    const double step = angles.size() > 1 ? span / double(angles.size() - 1) : 0;
    if (angles.size() > 2 && widest < step * 1.5) {
      objs_.push_back(
          {{"type", "PointSource"}, {"x", at.x}, {"y", at.y}, {"wavelength", wavelength}});
      return true;
    }
    // A fan: the peer's angle source over the same directions.
    const double axis = first + span / 2;
    const double emission = std::min(360.0, (span + step) * 180 / kPi);
    objs_.push_back({{"type", "AngleSource"},
                     {"p1", Point(at)},
                     {"p2", Point(at.x + 100 * std::cos(axis), at.y + 100 * std::sin(axis))},
                     {"emisAngle", std::max(emission, 1e-3)},
                     {"wavelength", wavelength}});
    return true;
  }
  if (auto* m = dynamic_cast<FlatMirror*>(object)) {
    objs_.push_back(
        Segment("Mirror", {m->segment.x1, m->segment.y1}, {m->segment.x2, m->segment.y2}));
    return true;
  }
  if (dynamic_cast<ConcaveMirror*>(object) || dynamic_cast<ConvexityMirror*>(object)) {
    auto* arc = static_cast<ArcObject*>(object);
    objs_.push_back(ArcMirror(*arc, arc->radius));
    return true;
  }
  if (auto* lens = dynamic_cast<::IdealLens*>(object)) {
    QJsonObject o = Segment("IdealLens", lens->end0, lens->end1);
    const double f = Decimal(lens->focalLength);
    o.insert("focalLength", dynamic_cast<IdealConcave*>(lens) ? -f : f);
    objs_.push_back(o);
    return true;
  }
  if (auto* lens = dynamic_cast<Magnifier*>(object)) {
    const double middle = lens->angle1 + lens->sweep / 2;
    objs_.push_back(Glass({PathPoint(lens->ArcPoint(lens->angle1, lens->radius), false),
                           PathPoint(lens->ArcPoint(lens->angle2, lens->radius), false),
                           PathPoint(lens->ArcPoint(middle, lens->radius), true)},
                          lens->refractiveIndex));
    return true;
  }
  if (auto* lens = dynamic_cast<Concave*>(object)) {
    const double middle = lens->angle1 + lens->sweep / 2;
    objs_.push_back(Glass({PathPoint(lens->corners[0], false), PathPoint(lens->corners[1], false),
                           PathPoint(lens->corners[2], false), PathPoint(lens->corners[3], false),
                           PathPoint(lens->ArcPoint(middle, lens->radius), true)},
                          lens->refractiveIndex));
    return true;
  }
  if (auto* m = dynamic_cast<PolygonMedium*>(object)) {
    objs_.push_back(PolygonGlassOf(m->vertices, m->refractiveIndex));
    return true;
  }
  if (auto* b = dynamic_cast<LightBlocker*>(object)) {
    objs_.push_back(Segment("Blocker", b->p1, b->p2));
    return true;
  }
  if (auto* b = dynamic_cast<CircularBlocker*>(object)) {
    objs_.push_back(Segment("CircleBlocker", b->centre, b->rim));
    return true;
  }
  if (auto* a = dynamic_cast<Aperture*>(object)) {
    const double length = Gap(a->p1, a->p2);
    if (length <= 0) return false;
    const double ux = (a->p2.x - a->p1.x) / length, uy = (a->p2.y - a->p1.y) / length;
    const double from = std::clamp(a->gapPosition * length - a->gapWidth / 2, 0.0, length);
    const double to = std::clamp(a->gapPosition * length + a->gapWidth / 2, 0.0, length);
    QJsonObject o = Segment("Aperture", a->p1, a->p2);
    o.insert("p3", Point(a->p1.x + ux * from, a->p1.y + uy * from));
    o.insert("p4", Point(a->p1.x + ux * to, a->p1.y + uy * to));
    objs_.push_back(o);
    return true;
  }
  if (auto* s = dynamic_cast<BeamSplitter*>(object)) {
    QJsonObject o = Segment("BeamSplitter", s->p1, s->p2);
    o.insert("transRatio", Decimal(1 - s->reflected));
    objs_.push_back(o);
    return true;
  }
  if (auto* r = dynamic_cast<::Ruler*>(object)) {
    QJsonObject o = Segment("Ruler", r->segment.p1, r->segment.p2);
    o.insert("scaleInterval", Decimal(r->tickSpacing));
    objs_.push_back(o);
    return true;
  }
  if (auto* l = dynamic_cast<OPticsLine*>(object)) {
    objs_.push_back(Segment("LineArrow", l->segment.p1, l->segment.p2));
    return true;
  }
  if (auto* p = dynamic_cast<::Protractor*>(object)) {
    objs_.push_back(Segment("Protractor", p->vertex, p->arm1));
    return true;
  }
  if (auto* t = dynamic_cast<DrawString*>(object)) {
    // The peer's size is in pixels and (x, y) the baseline's left end.
    const double size = t->font.size / 0.75;
    QString text = QString::fromStdString(t->Text());
    text.replace("\r\n", "\n");
    objs_.push_back({{"type", "TextLabel"},
                     {"x", Decimal(t->corners[0].x)},
                     {"y", t->corners[0].y + size},
                     {"text", text},
                     {"fontSize", size}});
    return true;
  }
  return false;
}

std::string RayOpticsWriter::LeftOutMessage(const std::map<std::string, int>& leftOut) {
  std::string text;
  for (const auto& [name, count] : leftOut) {
    if (!text.empty()) text += ", ";
    text += name;
    if (count > 1) text += " x" + std::to_string(count);
  }
  return Tr("RayOptics.LeftOut", "以下对象 Ray Optics Simulation 没有,没有导出:") + " " + text;
}

QByteArray RayOpticsWriter::Bytes(const Document& document, std::vector<std::string>& messages) {
  RayOpticsWriter writer(document);
  const QJsonObject scene = writer.Scene();
  if (!writer.leftOut.empty()) messages.push_back(LeftOutMessage(writer.leftOut));
  return QJsonDocument(scene).toJson(QJsonDocument::Indented);
}

bool RayOpticsWriter::Save(const Document& document, const std::string& path, std::string& error,
                           std::vector<std::string>& messages) {
  const QByteArray bytes = Bytes(document, messages);
  const std::vector<std::uint8_t> data(bytes.begin(), bytes.end());
  // A leftover temporary of ours begins as every scene we write.
  auto ours = [](std::span<const std::uint8_t> head) { return head.size() >= 1 && head[0] == '{'; };
  return WriteFileAtomically(path, data, ours, &error);
}
