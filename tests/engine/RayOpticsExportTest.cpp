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
#include "objects/elements/CircularBlocker.h"
#include "objects/elements/Concave.h"
#include "objects/elements/ConcaveMirror.h"
#include "objects/elements/ConvexityMirror.h"
#include "objects/elements/FlatMirror.h"
#include "objects/elements/FourPrism.h"
#include "objects/elements/IdealLens.h"
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
#include "optics/SelectionGeometry.h"

namespace {

// What the mapping keeps of one object: its kind at the peer's grain and
// its numbers. The importer's two-sided pairs count as one.
struct Kept {
  std::string kind;
  std::vector<double> values;
};

std::vector<double> Xy(std::initializer_list<TPointF> points) {
  std::vector<double> v;
  for (TPointF p : points) v.insert(v.end(), {p.x, p.y});
  return v;
}

// Angles within one turn: arcs may hold -60 for 300.
double Turn(double degrees) { return std::fmod(std::fmod(degrees, 360) + 360, 360); }

std::vector<Kept> KeptOf(const ObjectList& scene, const std::map<std::string, int>& leftOut) {
  std::vector<Kept> kept;
  for (std::size_t i = 0; i < scene.size(); ++i) {
    DrawObjectUnit* o = scene[i].get();
    DrawObjectUnit* next = i + 1 < scene.size() ? scene[i + 1].get() : nullptr;
    if (leftOut.count(o->className) || o->className == "ReferenceFrame") continue;
    auto* m = dynamic_cast<FlatMirror*>(o);
    auto* n = dynamic_cast<FlatMirror*>(next);
    if (m) {
      TPointF a{m->segment.x1, m->segment.y1}, b{m->segment.x2, m->segment.y2};
      if (n && std::abs(Distance(a, {n->segment.x2, n->segment.y2}) - 1) < 1e-3) {
        a = Midpoint(a, {n->segment.x2, n->segment.y2});
        b = Midpoint(b, {n->segment.x1, n->segment.y1});
        ++i;
      }
      kept.push_back({"Mirror", Xy({a, b})});
    } else if (dynamic_cast<ConcaveMirror*>(o) || dynamic_cast<ConvexityMirror*>(o)) {
      auto* arc = static_cast<ArcObject*>(o);
      double r = arc->radius;
      if (dynamic_cast<ConcaveMirror*>(o) && dynamic_cast<ConvexityMirror*>(next) &&
          std::abs(static_cast<ArcObject*>(next)->radius - r - 1) < 1e-3)
        r += 0.5, ++i;
      kept.push_back(
          {"ArcMirror", {arc->centre.x, arc->centre.y, r, Turn(arc->angle1), Turn(arc->angle2)}});
    } else if (auto* s = dynamic_cast<LampHouse*>(o)) {
      const auto& t = s->rayTemplate;
      const double angle = std::atan2(t.throughY - t.startY, t.throughX - t.startX);
      // A single ray keeps its start, a bundle its first ray's tip.
      kept.push_back({s->rayCount > 1 ? "Beam" : "Ray",
                      {s->rayCount > 1 ? t.throughX : t.startX,
                       s->rayCount > 1 ? t.throughY : t.startY, angle, double(s->rayCount)}});
    } else if (auto* p = dynamic_cast<PointLampHouse*>(o)) {
      kept.push_back({"Point", Xy({p->record.points[0]})});
    } else if (auto* l = dynamic_cast<Magnifier*>(o)) {
      kept.push_back({"Magnifier",
                      {l->centre.x, l->centre.y, l->radius, Turn(l->angle1), Turn(l->angle2),
                       l->refractiveIndex}});
    } else if (auto* c = dynamic_cast<Concave*>(o)) {
      kept.push_back({"Concave",
                      {c->centre.x, c->centre.y, c->radius, Turn(c->angle1), Turn(c->angle2),
                       c->thickness, c->refractiveIndex}});
    } else if (auto* g = dynamic_cast<PolygonMedium*>(o)) {
      std::vector<double> v{g->refractiveIndex};
      if (dynamic_cast<FourPrism*>(o)) {
        const TRectF box =
            NormalizeRect({g->vertices[0].x, g->vertices[0].y, g->vertices[2].x, g->vertices[2].y});
        v.insert(v.end(), {box.x1, box.y1, box.x2, box.y2});
      } else {
        for (TPointF q : g->vertices) v.insert(v.end(), {q.x, q.y});
      }
      kept.push_back({o->className, v});
    } else if (auto* f = dynamic_cast<::IdealLens*>(o)) {
      auto v = Xy({f->end0, f->end1});
      v.push_back(f->focalLength);
      kept.push_back({o->className, v});
    } else if (auto* b = dynamic_cast<LightBlocker*>(o)) {
      kept.push_back({"Blocker", Xy({b->p1, b->p2})});
    } else if (auto* d = dynamic_cast<CircularBlocker*>(o)) {
      kept.push_back({"CircleBlocker", Xy({d->centre, d->rim})});
    } else if (auto* a = dynamic_cast<Aperture*>(o)) {
      auto v = Xy({a->p1, a->p2});
      v.insert(v.end(), {a->gapWidth, a->gapPosition});
      kept.push_back({"Aperture", v});
    } else if (auto* bs = dynamic_cast<BeamSplitter*>(o)) {
      auto v = Xy({bs->p1, bs->p2});
      v.push_back(bs->reflected);
      kept.push_back({"BeamSplitter", v});
    } else if (auto* r = dynamic_cast<::Ruler*>(o)) {
      auto v = Xy({r->segment.p1, r->segment.p2});
      v.push_back(r->tickSpacing);
      kept.push_back({"Ruler", v});
    } else if (auto* line = dynamic_cast<OPticsLine*>(o)) {
      kept.push_back({"LineArrow", Xy({line->segment.p1, line->segment.p2})});
    } else if (auto* pr = dynamic_cast<::Protractor*>(o)) {
      kept.push_back({"Protractor", Xy({pr->vertex, pr->arm1})});
    } else if (auto* text = dynamic_cast<DrawString*>(o)) {
      auto v = Xy({text->corners[0]});
      v.push_back(double(std::hash<std::string>{}(text->Text())));
      kept.push_back({"TextLabel", v});
    } else {
      kept.push_back({"unexpected " + o->className, {}});
    }
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
