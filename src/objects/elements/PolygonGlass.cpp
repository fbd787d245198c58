#include "objects/elements/PolygonGlass.h"

#include <cmath>
#include <numbers>

#include "i18n/Convert.h"
#include "i18n/TtlmController.h"
#include "optics/PlaneMath.h"
#include "scene/RecordIo.h"

namespace {

// Twice the signed area (the shoelace sum): when positive, the inside lies
// toward (-dy, dx) of every edge walked in vertex order.
double Winding(const std::vector<TPointF>& v) {
  double sum = 0;
  for (std::size_t i = 0; i < v.size(); ++i) {
    const TPointF a = v[i], b = v[(i + 1) % v.size()];
    sum += double(a.x) * b.y - double(b.x) * a.y;
  }
  return sum;
}

}  // namespace

PolygonGlass::PolygonGlass(TCanvas* canvas) : ObjectOf(canvas, kDefaultVertices) {
  SetClassName("PolygonGlass");
}

void PolygonGlass::BeginCreate(int x, int y) {
  anchor_ = {float(x), float(y)};
  PolygonMedium::BeginCreate(x, y);
  for (auto& v : vertices) v = anchor_;
}

TPointF PolygonGlass::Interior() const {
  double x = 0, y = 0;
  for (const TPointF& v : vertices) x += v.x, y += v.y;
  const double n = double(std::max<std::size_t>(1, vertices.size()));
  return {float(x / n), float(y / n)};
}

TPointF PolygonGlass::InteriorOf(TPointF a, TPointF b) const {
  const double dx = double(b.x) - a.x, dy = double(b.y) - a.y;
  const double length = std::hypot(dx, dy);
  if (length <= 0) return Interior();
  // Faces run a -> b in vertex order or its reverse (the closing face);
  // the inside is to the left of a counter-clockwise walk.
  const bool closing = a == vertices.front() && b == vertices.back() && vertices.size() > 2;
  const double sign = (Winding(vertices) > 0) != closing ? 1 : -1;
  const TPointF middle = Midpoint(a, b);
  return {float(middle.x - sign * dy / length), float(middle.y + sign * dx / length)};
}

void PolygonGlass::PlaceDragged(int x, int y) {
  const double r = std::hypot(x - anchor_.x, y - anchor_.y);
  const double start = std::atan2(y - anchor_.y, x - anchor_.x);
  const std::size_t n = vertices.size();
  for (std::size_t i = 0; i < n; ++i) {
    const double t = start + 2 * std::numbers::pi * double(i) / double(n);
    vertices[i] = {float(anchor_.x + r * std::cos(t)), float(anchor_.y + r * std::sin(t))};
  }
}

void PolygonGlass::RecordFields(RecordIo& io) {
  std::int32_t count = std::int32_t(vertices.size());
  io.Int32(count);
  if (io.Reading()) {
    if (count < kMinVertices || count > kMaxVertices) return io.Refuse();
    vertices.resize(std::size_t(count));
  }
  PolygonMedium::RecordFields(io);
}

PropertyRows PolygonGlass::Rows() {
  PropertyRows rows(Tr("PolygonGlass.Caption", "多边形介质属性"));
  rows.Add(Tr("PolygonGlass.Corners", "顶点数"), IntToStr(static_cast<long long>(vertices.size())));
  const MediumRows medium = AddMediumRows(rows, 0);
  rows.ApplyOrder(Join({medium.fill.Order(), {medium.index}}));
  return rows;
}
