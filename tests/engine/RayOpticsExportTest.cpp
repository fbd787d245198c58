// Export as a Ray Optics scene: every example experiment exported and
// imported again keeps the objects the peer has, in order, with their
// geometry and values; what it lacks is named.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <filesystem>

#include "ExperimentFileFixture.h"
#include "files/RayOpticsScene.h"
#include "files/RayOpticsWriter.h"
#include "objects/elements/Aperture.h"
#include "objects/elements/BeamSplitter.h"
#include "objects/elements/ConcaveMirror.h"
#include "objects/elements/ConvexityMirror.h"
#include "objects/elements/CurvedMirror.h"
#include "objects/elements/FlatMirror.h"
#include "objects/elements/PolygonGlass.h"
#include "objects/elements/RealLens.h"
#include "objects/elements/ThreePrism.h"
#include "objects/sources/LampHouse.h"
#include "objects/sources/PointLampHouse.h"
#include "objects/tools/DrawString.h"
#include "objects/tools/Protractor.h"
#include "objects/tools/Ruler.h"
#include "optics/SelectionGeometry.h"

namespace {

// What the mapping keeps of one object: its kind at the peer's grain and
// its numbers. The importer's two-sided pairs count as one.
struct Kept {
  std::string kind;
  std::vector<double> values;
};

std::vector<double> Xy(const std::vector<TPointF>& points) {
  std::vector<double> v;
  for (TPointF p : points) v.insert(v.end(), {p.x, p.y});
  return v;
}

// Angles within one turn: arcs may hold -60 for 300.
double Turn(double degrees) { return std::fmod(std::fmod(degrees, 360) + 360, 360); }

// Most classes keep their control points; these keep less, or more.
Kept KeptOf(DrawObjectUnit* o, DrawObjectUnit* next, std::size_t& i) {
  if (auto* m = dynamic_cast<FlatMirror*>(o)) {
    TPointF a{m->segment.x1, m->segment.y1}, b{m->segment.x2, m->segment.y2};
    if (auto* n = dynamic_cast<FlatMirror*>(next);
        n && std::abs(Distance(a, {n->segment.x2, n->segment.y2}) - 1) < 1e-3) {
      a = Midpoint(a, {n->segment.x2, n->segment.y2});
      b = Midpoint(b, {n->segment.x1, n->segment.y1});
      ++i;
    }
    return {"Mirror", Xy({a, b})};
  }
  if (dynamic_cast<CurvedMirror*>(o)) {
    auto* arc = static_cast<ArcObject*>(o);
    double r = arc->radius;
    if (dynamic_cast<ConcaveMirror*>(o) && dynamic_cast<ConvexityMirror*>(next) &&
        std::abs(static_cast<ArcObject*>(next)->radius - r - 1) < 1e-3)
      r += 0.5, ++i;
    return {"ArcMirror", {arc->centre.x, arc->centre.y, r, Turn(arc->angle1), Turn(arc->angle2)}};
  }
  if (auto* s = dynamic_cast<LampHouse*>(o)) {
    const auto& t = s->rayTemplate;
    // A single ray keeps its start, a bundle its first ray's tip.
    const bool one = s->rayCount == 1;
    return {"Ray",
            {one ? t.startX : t.throughX, one ? t.startY : t.throughY,
             std::atan2(t.throughY - t.startY, t.throughX - t.startX), double(s->rayCount)}};
  }
  auto points = o->ControlPointValues();
  std::vector<double> more;
  if (dynamic_cast<PointLampHouse*>(o) || dynamic_cast<DrawString*>(o)) {
    points.resize(1);  // the source; the box's first corner
    if (auto* text = dynamic_cast<DrawString*>(o))
      more.push_back(double(std::hash<std::string>{}(text->Text())));
  }
  if (auto* protractor = dynamic_cast<::Protractor*>(o))
    points = {protractor->vertex, protractor->arm1};
  if (auto* g = dynamic_cast<PolygonMedium*>(o)) more.push_back(g->refractiveIndex);
  if (auto* l = dynamic_cast<RealLens*>(o)) more.push_back(l->refractiveIndex);
  if (auto* a = dynamic_cast<Aperture*>(o)) more = {a->gapWidth, a->gapPosition};
  if (auto* b = dynamic_cast<BeamSplitter*>(o)) more.push_back(b->reflected);
  if (auto* r = dynamic_cast<::Ruler*>(o)) more.push_back(r->tickSpacing);
  std::vector<double> v = Xy(points);
  v.insert(v.end(), more.begin(), more.end());
  return {o->className, v};
}

std::vector<Kept> KeptOf(const ObjectList& scene, const std::map<std::string, int>& leftOut) {
  std::vector<Kept> kept;
  for (std::size_t i = 0; i < scene.size(); ++i) {
    DrawObjectUnit* o = scene[i].get();
    if (!leftOut.count(o->className) && o->className != "ReferenceFrame")
      kept.push_back(KeptOf(o, i + 1 < scene.size() ? scene[i + 1].get() : nullptr, i));
  }
  return kept;
}

class RayOpticsExportTest : public ExperimentFileFixture {
 protected:
  // The document exported, then imported into a fresh one.
  std::vector<Kept> RoundTrip(std::map<std::string, int>& leftOut) {
    RayOpticsWriter writer(document);
    const QJsonObject scene = writer.Scene();
    leftOut = writer.leftOut;
    const QByteArray json = QJsonDocument(scene).toJson();
    Document back(document.canvas);
    StartLikeTheProgram(back);
    const OpenResult r = RayOpticsScene::ImportText(
        {reinterpret_cast<const std::uint8_t*>(json.data()), std::size_t(json.size())}, back);
    EXPECT_EQ(r.status, OpenStatus::Opened);
    EXPECT_TRUE(r.complete) << (r.messages.empty() ? "" : r.messages[0]);
    return KeptOf(back.scene, {});
  }
};

TEST_F(RayOpticsExportTest, EveryExampleComesBackAsItWas) {
  int examples = 0;
  std::size_t compared = 0;
  for (const auto& entry : std::filesystem::directory_iterator(EXO_EXAMPLES_DIR)) {
    if (entry.path().extension() != ".exo") continue;
    SCOPED_TRACE(entry.path().filename().string());
    ASSERT_EQ(OpenExperimentFile(entry.path().string(), document).status, OpenStatus::Opened);
    std::map<std::string, int> leftOut;
    const std::vector<Kept> back = RoundTrip(leftOut);
    const std::vector<Kept> before = KeptOf(document.scene, leftOut);
    ASSERT_EQ(back.size(), before.size());
    for (std::size_t i = 0; i < before.size(); ++i) {
      EXPECT_EQ(back[i].kind, before[i].kind) << i;
      ASSERT_EQ(back[i].values.size(), before[i].values.size()) << before[i].kind;
      for (std::size_t k = 0; k < before[i].values.size(); ++k)
        EXPECT_NEAR(back[i].values[k], before[i].values[k],
                    1e-3 * std::max(1.0, std::abs(before[i].values[k]) / 1000))
            << before[i].kind << " value " << k;
    }
    ++examples;
    compared += before.size();
  }
  EXPECT_GE(examples, 30);
  // Most objects of the examples have a peer type.
  EXPECT_GE(compared, 60u);
}

TEST_F(RayOpticsExportTest, WhatThePeerLacksIsNamed) {
  for (const char* name : {"RealObject", "RealObject", "FitfulObject", "FlatMirror"}) {
    auto object = CreateObjectByClassName(name, document.canvas);
    object->BeginCreate(100, 100);
    object->EndCreate(200, 150);
    document.scene.push_back(std::move(object));
  }
  std::vector<std::string> messages;
  const QJsonObject scene =
      QJsonDocument::fromJson(RayOpticsWriter::Bytes(document, messages)).object();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0],
            "以下对象 Ray Optics Simulation 没有,没有导出: FitfulObject, RealObject x2");
  EXPECT_EQ(scene.value("version").toInt(), RayOpticsScene::kDataVersion);
  ASSERT_EQ(scene.value("objs").toArray().size(), 1);
  EXPECT_EQ(scene.value("objs").toArray()[0].toObject().value("type").toString(), "Mirror");
}

// Whether the glass lies toward (-dy, dx) of the face, as a probe sees it.
bool GlassTowardMinusDy(const DrawObjectLineDataStruct& face, const std::vector<TPointF>& body) {
  const double dx = face.x2 - face.x1, dy = face.y2 - face.y1;
  return PointInPolygon(float((face.x1 + face.x2) / 2 - dy * 0.01),
                        float((face.y1 + face.y2) / 2 + dx * 0.01), body);
}

TEST_F(RayOpticsExportTest, ConcavePolygonKeepsTheGlassOnOneSideOfEveryFace) {
  // The triangle's faces show the side the tracer wants.
  ThreePrism prism(document.canvas);
  prism.vertices = {{0, 0}, {40, 0}, {0, 40}};
  const bool wanted = GlassTowardMinusDy(prism.GetSurfaces()[0], prism.vertices);
  PolygonGlass glass(document.canvas);
  // An L-shape, walked both ways.
  std::vector<TPointF> l{{0, 0}, {40, 0}, {40, 10}, {10, 10}, {10, 40}, {0, 40}};
  for (int turn = 0; turn < 2; ++turn) {
    glass.vertices = l;
    const auto faces = glass.GetSurfaces();
    ASSERT_EQ(faces.size(), l.size());
    for (const auto& face : faces)
      EXPECT_EQ(GlassTowardMinusDy(face, l), wanted) << face.x1 << "," << face.y1;
    std::reverse(l.begin(), l.end());
  }
}

}  // namespace
