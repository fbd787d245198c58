#include "files/RayOpticsScene.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>
#include <algorithm>
#include <cmath>
#include <exception>
#include <memory>
#include <new>

#include "files/RayOpticsMapper.h"
#include "files/ShareLink.h"
#include "i18n/SharedTexts.h"
#include "i18n/TtlmController.h"
#include "objects/ObjectFactory.h"
#include "platform/Platform.h"
#include "scene/Document.h"
#include "scene/IMessageSink.h"

namespace {

void Show(OpenResult& result, const std::string& text) {
  result.messages.push_back(text);
  ShowMessage(text);
}

OpenResult Refused(const std::string& text) {
  OpenResult result;
  result.status = OpenStatus::Refused;
  Show(result, text);
  return result;
}

std::string NotAScene(const std::string& why) {
  return Tr("RayOptics.NotAScene", "这不是 Ray Optics 场景,不能导入.") + " (" + why + ")";
}

// "Name x2" for repeated names, joined by ", ".
std::string List(const std::map<std::string, int>& names) {
  std::string text;
  for (const auto& [name, count] : names) {
    if (!text.empty()) text += ", ";
    text += name;
    if (count > 1) text += " x" + std::to_string(count);
  }
  return text;
}

// Renames of properties from data version 2 (and 1), as the peer lists them.
struct Rename {
  const char* oldType;
  const char* newType;
  std::initializer_list<std::pair<const char*, const char*>> keys;
};
const Rename kRenames[] = {
    {"laser", "SingleRay", {{"p", "brightness"}}},
    {"parallel", "Beam", {{"p", "brightness"}, {"divergence", "emisAngle"}}},
    {"radiant", "PointSource", {{"p", "brightness"}}},
    {"led", "AngleSource", {{"p", "emisAngle"}}},
    {"mirror", "Mirror", {{"isDichroic", "filter"}, {"isDichroicFilter", "invert"}}},
    {"arcmirror", "ArcMirror", {{"isDichroic", "filter"}, {"isDichroicFilter", "invert"}}},
    {"parabolicmirror", "ParabolicMirror", {}},
    {"curvedmirror", "CustomMirror", {{"p", "eqn"}}},
    {"idealmirror", "IdealMirror", {{"p", "focalLength"}}},
    {"beamsplitter", "BeamSplitter", {{"p", "transRatio"}}},
    {"halfplane", "PlaneGlass", {{"p", "refIndex"}, {"cauchyCoeff", "cauchyB"}}},
    {"circlelens", "CircleGlass", {{"p", "refIndex"}, {"cauchyCoeff", "cauchyB"}}},
    {"refractor", "Glass", {{"p", "refIndex"}, {"cauchyCoeff", "cauchyB"}}},
    {"curvedglass", "CustomGlass", {{"p", "refIndex"}, {"cauchyCoeff", "cauchyB"}}},
    {"lens", "IdealLens", {{"p", "focalLength"}}},
    {"sphericallens",
     "SphericalLens",
     {{"p", "refIndex"}, {"cauchyCoeff", "cauchyB"}, {"definedBy", "defBy"}}},
    {"grin_circlelens", "CircleGrinGlass", {}},
    {"grin_refractor", "GrinGlass", {}},
    {"blackline", "Blocker", {}},
    {"blackcircle", "CircleBlocker", {}},
    {"aperture", "Aperture", {}},
    {"diffractiongrating", "DiffractionGrating", {}},
    {"ruler", "Ruler", {{"p", "scaleInterval"}}},
    {"protractor", "Protractor", {}},
    {"power", "Detector", {}},
    {"text", "TextLabel", {{"p", "text"}}},
    {"line", "LineArrow", {{"arrow1", "arrow"}, {"arrow2", "backArrow"}}},
    {"drawing", "Drawing", {}},
    {"handle", "Handle", {}},
    {"cropbox", "CropBox", {}},
};

void RenameKey(QJsonObject& o, const char* from, const char* to) {
  if (!o.contains(from)) return;
  o.insert(to, o.value(from));
  o.remove(from);
}

// Data version 0 (2011-2014) used short keys and type names.
QJsonValue UpgradeFromZero(const QJsonValue& v, int depth) {
  if (depth > RayOpticsScene::kMaxDepth) return v;
  if (v.isArray()) {
    QJsonArray out;
    for (const QJsonValue& e : v.toArray()) out.append(UpgradeFromZero(e, depth + 1));
    return out;
  }
  if (!v.isObject()) {
    if (v.isString()) {
      const QString s = v.toString();
      if (s == "aa") return QStringLiteral("parallel");
      if (s == "ba") return QStringLiteral("mirror");
      if (s == "bv") return QStringLiteral("lens");
    }
    return v;
  }
  static const std::pair<const char*, const char*> keys[] = {
      {"k", "objs"}, {"L", "p1"}, {"G", "p2"}, {"F", "p3"}};
  QJsonObject o = v.toObject();
  for (const auto& [from, to] : keys) RenameKey(o, from, to);
  for (auto it = o.begin(); it != o.end(); ++it)
    it.value() = UpgradeFromZero(it.value(), depth + 1);
  return o;
}

}  // namespace

bool RayOpticsScene::IsScenePath(const std::string& path) {
  if (ShareLink::IsLink(path)) return true;
  if (path.size() < 5) return false;
  std::string ext = path.substr(path.size() - 5);
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return std::tolower(c); });
  return ext == ".json";
}

bool RayOpticsScene::WithinBounds(std::span<const std::uint8_t> json, std::string& error) {
  std::size_t values = 0;
  int depth = 0;
  bool inString = false, escaped = false;
  for (const std::uint8_t c : json) {
    if (inString) {
      if (escaped)
        escaped = false;
      else if (c == '\\')
        escaped = true;
      else if (c == '"')
        inString = false;
      continue;
    }
    if (c == '"') {
      inString = true;
    } else if (c == '[' || c == '{') {
      if (++depth > kMaxDepth) {
        error = NotAScene("nested deeper than " + std::to_string(kMaxDepth));
        return false;
      }
      ++values;
    } else if (c == ']' || c == '}') {
      --depth;
    } else if (c == ',' || c == ':') {
      ++values;
    }
    if (values > kMaxValues) {
      error = NotAScene("more than " + std::to_string(kMaxValues) + " values");
      return false;
    }
  }
  return true;
}

bool RayOpticsScene::Upgrade(QJsonObject& scene, std::string& error) {
  const QJsonValue version = scene.value("version");
  if (version.isString() || (version.isDouble() && version.toDouble() > kDataVersion)) {
    error = Tr("RayOptics.NewerVersion",
               "这个场景来自较新版本的 Ray Optics Simulation,本程序不能导入.") +
            " (version " +
            (version.isString() ? version.toString().left(20).toStdString()
                                : std::to_string(version.toDouble())) +
            ")";
    return false;
  }
  if (!version.isUndefined() && !version.isNull() && !version.isDouble()) {
    error = NotAScene("version");
    return false;
  }
  double v = version.toDouble(0);
  if (v == 0) {
    scene = UpgradeFromZero(scene, 0).toObject();
    v = 1;
  }
  if (v == 1) v = 2;  // only the view's origin was added
  if (v == 2) {
    RenameKey(scene, "rayDensity_light", "rayModeDensity");
    RenameKey(scene, "rayDensity_images", "imageModeDensity");
    RenameKey(scene, "colorMode", "simulateColors");
    const QString mode = scene.value("mode").toString();
    if (mode == "light") scene.insert("mode", "rays");
    if (mode == "extended_light") scene.insert("mode", "extended");
    QJsonArray objs = scene.value("objs").toArray();
    for (auto it = objs.begin(); it != objs.end(); ++it) {
      QJsonObject o = it->toObject();
      const QString type = o.value("type").toString();
      for (const Rename& r : kRenames) {
        if (type != r.oldType) continue;
        for (const auto& [from, to] : r.keys) RenameKey(o, from, to);
        o.insert("type", r.newType);
      }
      *it = o;
    }
    scene.insert("objs", objs);
  }
  scene.insert("version", kDataVersion);
  return true;
}

OpenResult RayOpticsScene::ImportScene(QJsonObject scene, Document& document) {
  std::string error;
  if (!Upgrade(scene, error)) return Refused(error);
  if (!scene.value("objs").isArray()) return Refused(NotAScene("no objs array"));
  const QJsonArray objs = scene.value("objs").toArray();
  if (std::size_t(objs.size()) > kMaxObjects)
    return Refused(NotAScene("more than " + std::to_string(kMaxObjects) + " objects"));

  RayOpticsMapper::Settings settings;
  settings.simulateColors = scene.value("simulateColors").toBool(false);
  const QString mode = scene.value("mode").toString("rays");
  const bool imageMode = mode == "images" || mode == "observer";
  const double density =
      scene.value(imageMode ? "imageModeDensity" : "rayModeDensity").toDouble(imageMode ? 1 : 0.1);
  settings.rayDensity = std::isfinite(density) ? std::clamp(density, 1e-3, 10.0) : 0.1;
  const double scale = scene.value("lengthScale").toDouble(1);
  settings.lengthScale = std::isfinite(scale) && scale > 1e-3 && scale < 1e3 ? scale : 1;

  auto mapAll = [&](RayOpticsMapper& mapper) {
    for (const QJsonValue& v : objs) {
      if (v.isObject())
        mapper.Map(v.toObject());
      else
        ++mapper.unusable["?"];
    }
  };
  // A first pass finds where the objects lie; a scene off the page's
  // visible part is moved onto it, by whole pixels.
  RayOpticsMapper probe(document.canvas, settings);
  mapAll(probe);
  if (probe.minX <= probe.maxX &&
      (probe.minX < 0 || probe.minY < 0 || probe.minX > 1500 || probe.minY > 900)) {
    settings.shift = {float(std::round(40 - probe.minX)), float(std::round(40 - probe.minY))};
  }
  RayOpticsMapper mapper(document.canvas, settings);
  mapAll(mapper);

  OpenResult result;
  result.status = OpenStatus::Opened;
  result.complete = mapper.unmapped.empty() && mapper.unusable.empty();
  document.ResetPage();
  AddCoordinateSystem(document);
  for (auto& object : mapper.objects) document.scene.push_back(std::move(object));
  // Extended rays and images show the backward extensions.
  document.page->drawReverse = mode == "rays" ? 0 : 1;
  document.SyncOrigin();
  document.Repaint(true);
  document.PushUndoSnapshot();
  document.page->fileName = TNewPage{}.fileName;
  document.page->saved = 0;
  if (!mapper.unmapped.empty())
    Show(result, Tr("RayOptics.Unmapped", "以下对象无法导入:") + " " + List(mapper.unmapped));
  if (!mapper.unusable.empty())
    Show(result,
         Tr("RayOptics.Unusable", "以下对象的数据无效,没有导入:") + " " + List(mapper.unusable));
  document.RefreshView();
  return result;
}

OpenResult RayOpticsScene::ImportText(std::span<const std::uint8_t> json, Document& document) {
  std::string error;
  if (json.size() > kMaxFileSize) return Refused(NotAScene("larger than 16 MB"));
  if (!WithinBounds(json, error)) return Refused(error);
  QJsonParseError parse{};
  const QJsonDocument doc = QJsonDocument::fromJson(
      QByteArray::fromRawData(reinterpret_cast<const char*>(json.data()), qsizetype(json.size())),
      &parse);
  if (parse.error != QJsonParseError::NoError)
    return Refused(
        NotAScene(parse.errorString().toStdString() + " at " + std::to_string(parse.offset)));
  // The oldest scenes were a bare array of objects.
  if (doc.isArray()) return ImportScene(QJsonObject{{"objs", doc.array()}}, document);
  if (!doc.isObject()) return Refused(NotAScene("not an object"));
  return ImportScene(doc.object(), document);
}

OpenResult RayOpticsScene::Import(const std::string& pathOrLink, Document& document) {
  try {
    if (ShareLink::IsLink(pathOrLink)) {
      QJsonValue scene;
      std::string error;
      if (!ShareLink::Decode(pathOrLink, scene, error)) return Refused(error);
      if (scene.isArray()) return ImportScene(QJsonObject{{"objs", scene.toArray()}}, document);
      if (!scene.isObject()) return Refused(NotAScene("not an object"));
      return ImportScene(scene.toObject(), document);
    }
    std::vector<std::uint8_t> data;
    const FileRead read = ReadWholeFile(pathOrLink, data, kMaxFileSize);
    if (read == FileRead::TooLarge) return Refused(NotAScene("larger than 16 MB"));
    if (read != FileRead::Read) {
      OpenResult result =
          Refused(Tr("RayOptics.CannotRead", "不能读取这个场景文件:") + " " + pathOrLink);
      result.status = OpenStatus::Failed;
      return result;
    }
    return ImportText(data, document);
  } catch (const std::bad_alloc&) {
    return Refused(Tr(texts::kOutOfMemory));
  }
}
