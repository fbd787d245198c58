#include "optics/JsonTraceSink.h"

#include <QJsonObject>
#include <QString>
#include <cmath>

#include "optics/DrawBaseRayDataStruct.h"

namespace {

// Three decimals as the text lines print them; no "-0".
double Rounded(double value) {
  const double r = std::round(value * 1000) / 1000;
  return r == 0 ? 0.0 : r;
}

QJsonObject Item(const char* kind) { return QJsonObject{{"kind", kind}}; }

void AddPoint(QJsonObject& item, TPointF p) {
  item["x_px"] = Rounded(p.x);
  item["y_px"] = Rounded(p.y);
}

void AddSegment(QJsonObject& item, TPointF a, TPointF b) {
  item["x1_px"] = Rounded(a.x);
  item["y1_px"] = Rounded(a.y);
  item["x2_px"] = Rounded(b.x);
  item["y2_px"] = Rounded(b.y);
}

}  // namespace

void JsonTraceSink::RayPiece(TPointF from, TPointF to, const DrawBaseRayDataStruct& ray) {
  QJsonObject item = Item("ray");
  AddSegment(item, from, to);
  item["colour_bgr"] = static_cast<qint64>(ray.rayColour);
  item["blend"] = ray.blend != 0;
  if (ray.brightness != 1) item["brightness"] = ray.brightness;
  items_.append(item);
  ++rayPieces_;
}

void JsonTraceSink::Spot(TPointF at, const DrawBaseRayDataStruct& ray) {
  QJsonObject item = Item("spot");
  item["x_px"] = Rounded(at.x);
  item["y_px"] = Rounded(at.y);
  item["colour_bgr"] = static_cast<qint64>(ray.rayColour);
  if (ray.brightness != 1) item["brightness"] = ray.brightness;
  items_.append(item);
}

void JsonTraceSink::Arrow(TPointF at, float direction, const DrawBaseRayDataStruct&) {
  QJsonObject item = Item("arrow");
  AddPoint(item, at);
  item["direction_deg"] = Rounded(direction);
  items_.append(item);
}

void JsonTraceSink::Normal(TPointF n1, TPointF n2) {
  QJsonObject item = Item("normal");
  AddSegment(item, n1, n2);
  items_.append(item);
}

void JsonTraceSink::Extension(TPointF from, TPointF to) {
  QJsonObject item = Item("extension");
  AddSegment(item, from, to);
  items_.append(item);
}

void JsonTraceSink::AngleLabel(TPointF anchor, const std::string& text, bool incidence) {
  QJsonObject item = Item("angle");
  AddPoint(item, anchor);
  item["text"] = QString::fromStdString(text);
  item["incidence"] = incidence;
  items_.append(item);
}

void JsonTraceSink::ImagePoint(TPointF at, bool real, const std::string& label) {
  QJsonObject item = Item("image");
  AddPoint(item, at);
  item["real"] = real;
  item["label"] = QString::fromStdString(label);
  items_.append(item);
}

void JsonTraceSink::ImageArrow(TPointF first, TPointF second, bool real, int) {
  QJsonObject item = Item("image-arrow");
  AddSegment(item, first, second);
  item["real"] = real;
  items_.append(item);
}
