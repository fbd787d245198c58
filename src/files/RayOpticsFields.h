#pragma once
// The field reader of RayOpticsMapper, shared by its source files.

#include <QJsonArray>
#include <QJsonObject>
#include <QString>
#include <algorithm>
#include <cmath>

#include "files/RayOpticsMapper.h"

// Reads one peer object's fields; a field of the wrong type or out of
// bounds marks the object unusable.
class RayOpticsMapper::Fields {
 public:
  Fields(const QJsonObject& o, RayOpticsMapper& m) : o_(o), m_(m) {}
  bool ok = true;

  double Number(const char* key, double fallback) {
    const QJsonValue v = o_.value(key);
    if (v.isUndefined() || v.isNull()) return fallback;
    if (!v.isDouble() || !std::isfinite(v.toDouble()) || std::abs(v.toDouble()) > 1e12) {
      ok = false;
      return fallback;
    }
    return v.toDouble();
  }
  bool Bool(const char* key, bool fallback) {
    const QJsonValue v = o_.value(key);
    if (v.isUndefined() || v.isNull()) return fallback;
    if (!v.isBool()) ok = false;
    return v.isBool() ? v.toBool() : fallback;
  }
  QString Text(const char* key, const QString& fallback) {
    const QJsonValue v = o_.value(key);
    if (v.isUndefined() || v.isNull()) return fallback;
    if (!v.isString()) ok = false;
    return v.isString() ? v.toString() : fallback;
  }
  TPointF PointOf(const QJsonValue& v) {
    if (!v.isObject()) {
      ok = false;
      return {};
    }
    const QJsonObject p = v.toObject();
    const QJsonValue x = p.value("x"), y = p.value("y");
    return Coordinates(x, y);
  }
  TPointF Point(const char* key) { return PointOf(o_.value(key)); }
  // The object's own x and y (point source, text label).
  TPointF Position() { return Coordinates(o_.value("x"), o_.value("y")); }
  QJsonArray Array(const char* key) {
    const QJsonValue v = o_.value(key);
    if (!v.isArray()) ok = false;
    return v.toArray();
  }
  QJsonValue Raw(const char* key) const { return o_.value(key); }

 private:
  TPointF Coordinates(const QJsonValue& x, const QJsonValue& y) {
    if (!x.isDouble() || !y.isDouble() || !std::isfinite(x.toDouble()) ||
        !std::isfinite(y.toDouble()) || std::abs(x.toDouble()) > kMaxCoordinate ||
        std::abs(y.toDouble()) > kMaxCoordinate) {
      ok = false;
      return {};
    }
    const double px = x.toDouble(), py = y.toDouble();
    m_.minX = std::min(m_.minX, px);
    m_.minY = std::min(m_.minY, py);
    m_.maxX = std::max(m_.maxX, px);
    m_.maxY = std::max(m_.maxY, py);
    return {float(px + m_.settings_.shift.x), float(py + m_.settings_.shift.y)};
  }
  const QJsonObject& o_;
  RayOpticsMapper& m_;
};
