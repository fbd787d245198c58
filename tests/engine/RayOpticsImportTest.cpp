// Ray Optics Simulation scenes and share links: what maps onto which of our
// objects with which geometry, what is named as not importable, and
// hostile scenes refused with a message.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>

#include "ExperimentFileFixture.h"
#include "RayOpticsSceneBuilder.h"
#include "files/RayOpticsScene.h"
#include "files/ShareLink.h"
#include "objects/elements/Aperture.h"
#include "objects/elements/BeamSplitter.h"
#include "objects/elements/FlatMirror.h"
#include "objects/elements/IdealMagnifier.h"
#include "objects/elements/Magnifier.h"
#include "objects/elements/PolygonGlass.h"
#include "objects/elements/ThreePrism.h"
#include "objects/sources/LampHouse.h"
#include "objects/sources/PointLampHouse.h"

namespace {

class RayOpticsImportTest : public ExperimentFileFixture {
 protected:
  OpenResult Import(const RayOpticsSceneBuilder& b) {
    return RayOpticsScene::ImportText(b.Json(), document);
  }
  // The imported objects, without the page's coordinate system.
  std::vector<std::string> Classes() const {
    std::vector<std::string> names;
    for (const auto& o : document.scene)
      if (o->className != "ReferenceFrame") names.push_back(o->className);
    return names;
  }
  template <typename T>
  T* Nth(int n) {
    for (const auto& o : document.scene)
      if (auto* t = dynamic_cast<T*>(o.get()); t && n-- == 0) return t;
    return nullptr;
  }
};

struct Mapping {
  const char* name;
  QJsonObject object;
  std::vector<std::string> classes;
};

class RayOpticsMapping : public RayOpticsImportTest,
                         public ::testing::WithParamInterface<Mapping> {};

TEST_P(RayOpticsMapping, BecomesOurObjects) {
  RayOpticsSceneBuilder b;
  b.Add(GetParam().object);
  const OpenResult r = Import(b);
  EXPECT_EQ(r.status, OpenStatus::Opened);
  EXPECT_TRUE(r.complete) << (r.messages.empty() ? "" : r.messages[0]);
  EXPECT_EQ(Classes(), GetParam().classes);
  // Opened as a new experiment: unnamed, unsaved.
  EXPECT_EQ(document.page->fileName, "0");
  EXPECT_EQ(document.page->saved, 0);
}

QJsonObject Obj(std::initializer_list<std::pair<QString, QJsonValue>> fields) {
  QJsonObject o;
  for (const auto& [k, v] : fields) o.insert(k, v);
  return o;
}

INSTANTIATE_TEST_SUITE_P(
    Types, RayOpticsMapping,
    ::testing::Values(
        Mapping{"SingleRay",
                Obj({{"type", "SingleRay"}, {"p1", Pt(100, 100)}, {"p2", Pt(200, 100)}}),
                {"LampHouse"}},
        Mapping{"Beam",
                Obj({{"type", "Beam"}, {"p1", Pt(100, 300)}, {"p2", Pt(100, 400)}}),
                {"LampHouse"}},
        Mapping{"PointSource",
                Obj({{"type", "PointSource"}, {"x", 300}, {"y", 300}}),
                {"PointLampHouse"}},
        Mapping{"AngleSource",
                Obj({{"type", "AngleSource"}, {"p1", Pt(100, 100)}, {"p2", Pt(200, 100)}}),
                {"PointLampHouse"}},
        Mapping{"Mirror",
                Obj({{"type", "Mirror"}, {"p1", Pt(400, 300)}, {"p2", Pt(400, 400)}}),
                {"FlatMirror", "FlatMirror"}},
        Mapping{"ArcMirror",
                Obj({{"type", "ArcMirror"},
                     {"p1", Pt(500, 300)},
                     {"p2", Pt(500, 400)},
                     {"p3", Pt(510, 350)}}),
                {"ConcaveMirror", "ConvexityMirror"}},
        Mapping{"IdealMirror",
                Obj({{"type", "IdealMirror"}, {"p1", Pt(500, 300)}, {"p2", Pt(500, 400)}}),
                {"ConcaveMirror", "ConvexityMirror"}},
        Mapping{"IdealLens",
                Obj({{"type", "IdealLens"},
                     {"p1", Pt(500, 300)},
                     {"p2", Pt(500, 400)},
                     {"focalLength", -80}}),
                {"IdealConcave"}},
        Mapping{"Triangle",
                Obj({{"type", "Glass"},
                     {"path", QJsonArray{Pt(500, 500), Pt(600, 500), Pt(550, 400)}}}),
                {"ThreePrism"}},
        Mapping{"Rectangle",
                Obj({{"type", "Glass"},
                     {"path", QJsonArray{Pt(500, 500), Pt(600, 500), Pt(600, 600), Pt(500, 600)}}}),
                {"FourPrism"}},
        Mapping{"HalfDisc",
                Obj({{"type", "Glass"},
                     {"path", QJsonArray{Pt(500, 500), Pt(500, 600),
                                         QJsonObject{{"x", 550}, {"y", 550}, {"arc", true}}}}}),
                {"Magnifier"}},
        Mapping{"PlanoConvex",
                Obj({{"type", "SphericalLens"},
                     {"p1", Pt(500, 300)},
                     {"p2", Pt(500, 400)},
                     {"params", QJsonObject{{"d", 50}, {"r1", 50}, {"r2", "inf"}}}}),
                {"Magnifier"}},
        Mapping{
            "Ruler", Obj({{"type", "Ruler"}, {"p1", Pt(10, 10)}, {"p2", Pt(300, 10)}}), {"Ruler"}},
        Mapping{"Protractor",
                Obj({{"type", "Protractor"}, {"p1", Pt(300, 300)}, {"p2", Pt(400, 300)}}),
                {"Protractor"}},
        Mapping{"TextLabel",
                Obj({{"type", "TextLabel"}, {"x", 100}, {"y", 100}, {"text", "透镜"}}),
                {"DrawString"}},
        Mapping{"Pentagon",
                Obj({{"type", "Glass"},
                     {"path", QJsonArray{Pt(500, 500), Pt(600, 500), Pt(620, 580), Pt(550, 640),
                                         Pt(480, 580)}}}),
                {"PolygonGlass"}},
        Mapping{"TiltedRectangle",
                Obj({{"type", "Glass"},
                     {"path", QJsonArray{Pt(500, 500), Pt(600, 550), Pt(580, 590), Pt(480, 540)}}}),
                {"PolygonGlass"}},
        Mapping{"Blocker",
                Obj({{"type", "Blocker"}, {"p1", Pt(5, 5)}, {"p2", Pt(5, 90)}}),
                {"LightBlocker"}},
        Mapping{"CircleBlocker",
                Obj({{"type", "CircleBlocker"}, {"p1", Pt(50, 50)}, {"p2", Pt(70, 50)}}),
                {"CircularBlocker"}},
        Mapping{"BeamSplitter",
                Obj({{"type", "BeamSplitter"}, {"p1", Pt(5, 5)}, {"p2", Pt(90, 90)}}),
                {"BeamSplitter"}},
        Mapping{"Aperture",
                Obj({{"type", "Aperture"},
                     {"p1", Pt(100, 100)},
                     {"p2", Pt(100, 200)},
                     {"p3", Pt(100, 140)},
                     {"p4", Pt(100, 160)}}),
                {"Aperture"}},
        Mapping{"LineArrow",
                Obj({{"type", "LineArrow"}, {"p1", Pt(10, 10)}, {"p2", Pt(300, 10)}}),
                {"OPticsLine"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RayOpticsImportTest, BeamDensityGivesTheRayCountAndSpacing) {
  RayOpticsSceneBuilder b;
  b.Line("Beam", Pt(100, 300), Pt(100, 400));
  Import(b);
  auto* beam = Nth<LampHouse>(0);
  ASSERT_NE(beam, nullptr);
  // 100 px at the default density 0.1: ten rays 10 px apart, going right
  // (perpendicular to p1 -> p2), the first nearest p2.
  EXPECT_EQ(beam->rayCount, 10);
  EXPECT_FLOAT_EQ(beam->raySpacing, 10);
  EXPECT_FLOAT_EQ(beam->rayTemplate.throughY, 395);
  EXPECT_GT(beam->rayTemplate.throughX, beam->rayTemplate.startX);
  const auto rays = beam->GetBaseRays();
  ASSERT_EQ(rays.size(), 10u);
  EXPECT_FLOAT_EQ(rays.back().throughY, 305);
}

TEST_F(RayOpticsImportTest, MirrorReflectsOnBothSides) {
  RayOpticsSceneBuilder b;
  b.Line("Mirror", Pt(400, 300), Pt(400, 400));
  Import(b);
  auto* a = Nth<FlatMirror>(0);
  auto* c = Nth<FlatMirror>(1);
  ASSERT_TRUE(a && c);
  // Back to back, half a pixel either side, facing away from each other.
  EXPECT_FLOAT_EQ(a->segment.x1 + c->segment.x1, 800);
  EXPECT_FLOAT_EQ(a->segment.y1, c->segment.y2);
  EXPECT_FLOAT_EQ(std::abs(a->segment.x1 - c->segment.x1), 1);
}

TEST_F(RayOpticsImportTest, UnmappedTypesAreNamedInOneMessage) {
  RayOpticsSceneBuilder b;
  b.Line("PlaneGlass", Pt(1, 1), Pt(5, 5)).Line("PlaneGlass", Pt(1, 1), Pt(9, 9));
  b.Line("CustomMirror", Pt(1, 1), Pt(5, 5)).Line("IdealLens", Pt(100, 100), Pt(100, 200));
  const OpenResult r = Import(b);
  EXPECT_EQ(r.status, OpenStatus::Opened);
  EXPECT_FALSE(r.complete);
  ASSERT_EQ(r.messages.size(), 1u);
  EXPECT_EQ(r.messages[0], "以下对象无法导入: CustomMirror, PlaneGlass x2");
  EXPECT_EQ(Classes(), std::vector<std::string>{"IdealMagnifier"});
}

TEST_F(RayOpticsImportTest, ApertureGapAndSplitterRatioKeepTheirValues) {
  RayOpticsSceneBuilder b;
  b.Add({{"type", "Aperture"},
         {"p1", Pt(100, 100)},
         {"p2", Pt(100, 200)},
         {"p3", Pt(100, 110)},
         {"p4", Pt(100, 130)}});
  b.Add({{"type", "BeamSplitter"}, {"p1", Pt(5, 5)}, {"p2", Pt(90, 90)}, {"transRatio", 0.3}});
  b.Add({{"type", "BeamSplitter"}, {"p1", Pt(5, 5)}, {"p2", Pt(90, 90)}, {"transRatio", 7}});
  const OpenResult r = Import(b);
  auto* stop = Nth<Aperture>(0);
  auto* splitter = Nth<BeamSplitter>(0);
  ASSERT_TRUE(stop && splitter);
  EXPECT_FLOAT_EQ(stop->gapWidth, 20);
  EXPECT_FLOAT_EQ(stop->gapPosition, 0.2f);
  EXPECT_FLOAT_EQ(splitter->reflected, 0.7f);
  // A ratio beyond 1 is bad data.
  ASSERT_EQ(r.messages.size(), 1u);
  EXPECT_EQ(r.messages[0], "以下对象的数据无效,没有导入: BeamSplitter");
}

TEST_F(RayOpticsImportTest, PolygonsAreBounded) {
  RayOpticsSceneBuilder b;
  QJsonArray many, flat{Pt(0, 0), Pt(10, 0), Pt(20, 0), Pt(30, 0)};
  for (int i = 0; i <= PolygonGlass::kMaxVertices; ++i)
    many.append(Pt(100 + 50 * std::cos(i * 0.01), 100 + 50 * std::sin(i * 0.01)));
  b.Add({{"type", "Glass"}, {"path", many}}).Add({{"type", "Glass"}, {"path", flat}});
  const OpenResult r = Import(b);
  EXPECT_TRUE(Classes().empty());
  EXPECT_EQ(r.messages, (std::vector<std::string>{"以下对象无法导入: Glass",
                                                  "以下对象的数据无效,没有导入: Glass"}));
}

TEST_F(RayOpticsImportTest, OlderVersionsAreUpgraded) {
  RayOpticsSceneBuilder b;
  b.scene = {{"version", 2}, {"mode", "light"}};
  b.Add({{"type", "lens"}, {"p1", Pt(100, 100)}, {"p2", Pt(100, 200)}, {"p", 150}});
  b.Add({{"type", "mirror"}, {"p1", Pt(300, 100)}, {"p2", Pt(300, 200)}});
  ASSERT_EQ(Import(b).status, OpenStatus::Opened);
  EXPECT_EQ(Classes(), (std::vector<std::string>{"IdealMagnifier", "FlatMirror", "FlatMirror"}));
  EXPECT_FLOAT_EQ(Nth<IdealMagnifier>(0)->focalLength, 150);
  EXPECT_EQ(document.page->drawReverse, 0);
}

TEST_F(RayOpticsImportTest, ShareLinkDecodesToTheSameScene) {
  RayOpticsSceneBuilder b;
  b.Line("IdealLens", Pt(100, 100), Pt(100, 200)).Line("Mirror", Pt(300, 100), Pt(300, 200));
  const std::string link =
      "https://phydemo.app/ray-optics/simulator/#" + ShareLink::Encode(b.Scene());
  ASSERT_EQ(RayOpticsScene::Import(link, document).status, OpenStatus::Opened);
  EXPECT_EQ(Classes(), (std::vector<std::string>{"IdealMagnifier", "FlatMirror", "FlatMirror"}));
}

// Hostile input: refused with a message, and the experiment on the surface stays.
struct Hostile {
  const char* name;
  std::string json;
};

class RayOpticsHostile : public RayOpticsImportTest,
                         public ::testing::WithParamInterface<Hostile> {};

TEST_P(RayOpticsHostile, RefusedWithAMessage) {
  const std::size_t before = document.scene.size();
  const std::string& json = GetParam().json;
  const OpenResult r = RayOpticsScene::ImportText(
      {reinterpret_cast<const std::uint8_t*>(json.data()), json.size()}, document);
  EXPECT_NE(r.status, OpenStatus::Opened);
  ASSERT_EQ(r.messages.size(), 1u);
  EXPECT_FALSE(r.messages[0].empty());
  EXPECT_EQ(document.scene.size(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RayOpticsHostile,
    ::testing::Values(Hostile{"Truncated", R"({"version":5,"objs":[{"type":"Mirror","p1":{"x":)"},
                      Hostile{"DeepNesting", std::string(100000, '[') + std::string(100000, ']')},
                      Hostile{"ManyValues", "[" +
                                                [] {
                                                  std::string s;
                                                  for (int i = 0; i < 1'100'000; ++i) s += "0,";
                                                  return s;
                                                }() +
                                                "0]"},
                      Hostile{"NaN",
                              R"({"version":5,"objs":[{"type":"PointSource","x":NaN,"y":1}]})"},
                      Hostile{"Newer", R"({"version":6,"objs":[]})"},
                      Hostile{"StringVersion", R"({"version":"5.1","objs":[]})"},
                      Hostile{"NoObjects", R"({"version":5,"objs":7})"},
                      Hostile{"NotJson", "\x01\x02 binary"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RayOpticsImportTest, HugeFileIsRefusedBeforeReading) {
  // 200 MB of nothing: sparse, so the test costs no disk; the size alone refuses it.
  const std::string path = dir + "/huge.json";
  ASSERT_EQ(truncate(Write("huge.json", {}).c_str(), 200 << 20), 0);
  const OpenResult r = RayOpticsScene::Import(path, document);
  EXPECT_EQ(r.status, OpenStatus::Refused);
  ASSERT_EQ(r.messages.size(), 1u);
  EXPECT_NE(r.messages[0].find("16 MB"), std::string::npos);
}

TEST_F(RayOpticsImportTest, UnusableObjectsAreNamedApart) {
  RayOpticsSceneBuilder b;
  b.Line("Mirror", Pt(1e308, 0), Pt(0, 0));
  b.Add({{"type", "PointSource"}, {"x", "left"}, {"y", 3}});
  b.Line("IdealLens", Pt(100, 100), Pt(100, 200));
  const OpenResult r = Import(b);
  EXPECT_EQ(r.status, OpenStatus::Opened);
  ASSERT_EQ(r.messages.size(), 1u);
  EXPECT_EQ(r.messages[0], "以下对象的数据无效,没有导入: Mirror, PointSource");
  EXPECT_EQ(Classes(), std::vector<std::string>{"IdealMagnifier"});
}

TEST_F(RayOpticsImportTest, HostileLinksAreRefused) {
  for (const std::string& link : {std::string("#not*base64"),
                                  std::string("#") + ShareLink::Encode(QJsonObject{}).substr(0, 12),
                                  std::string("#AAAAAAAAAAAAAAAAAAAAAAAAAAAA")}) {
    QJsonValue scene;
    std::string error;
    EXPECT_FALSE(ShareLink::Decode(link, scene, error)) << link;
    EXPECT_FALSE(error.empty());
  }
}

}  // namespace
