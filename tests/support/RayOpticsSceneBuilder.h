#pragma once
// Small Ray Optics Simulation scenes written from the format's description
// (objects with "type" and their points), for the import tests.

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <string>
#include <vector>

inline QJsonObject Pt(double x, double y) { return {{"x", x}, {"y", y}}; }

struct RayOpticsSceneBuilder {
  QJsonObject scene{{"version", 5}};
  QJsonArray objs;
  RayOpticsSceneBuilder& Add(QJsonObject o) {
    objs.append(o);
    return *this;
  }
  RayOpticsSceneBuilder& Line(const char* type, QJsonObject p1, QJsonObject p2) {
    return Add({{"type", type}, {"p1", p1}, {"p2", p2}});
  }
  QJsonObject Scene() const {
    QJsonObject s = scene;
    s.insert("objs", objs);
    return s;
  }
  std::vector<std::uint8_t> Json() const {
    const QByteArray text = QJsonDocument(Scene()).toJson(QJsonDocument::Compact);
    return {text.begin(), text.end()};
  }
};
