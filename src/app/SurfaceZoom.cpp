#include "app/SurfaceZoom.h"

#include <QLineF>
#include <QTouchEvent>
#include <cmath>

#include "app/IExperimentWindow.h"
#include "app/TDrawSurface.h"
#include "scene/Document.h"

namespace {

// Spreads below this many pixels give no steady factor.
constexpr double kMinSpread = 4;
// One event's factor is bounded, so a jumpy finger cannot fling the scene.
constexpr double kMaxStep = 1.5;

}  // namespace

SurfaceZoom::SurfaceZoom(IExperimentWindow& window, QObject* parent)
    : QObject(parent), window_(window) {
  setObjectName("SurfaceZoom");
  TDrawSurface* surface = window.Surface();
  surface->setAttribute(Qt::WA_AcceptTouchEvents);
  surface->installEventFilter(this);
}

void SurfaceZoom::ZoomAbout(IExperimentWindow& window, float cx, float cy, float factor) {
  if (!std::isfinite(factor) || factor <= 0) return;
  for (const auto& object : window.Doc().scene) object->Zoom(cx, cy, factor);
  window.RefreshView();
}

bool SurfaceZoom::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::TouchBegin || event->type() == QEvent::TouchUpdate ||
      event->type() == QEvent::TouchEnd || event->type() == QEvent::TouchCancel)
    return Touch(event);
  return QObject::eventFilter(watched, event);
}

bool SurfaceZoom::Touch(QEvent* event) {
  auto* touch = static_cast<QTouchEvent*>(event);
  const auto& points = touch->points();
  if (event->type() == QEvent::TouchEnd || event->type() == QEvent::TouchCancel) {
    const bool was = pinching_;
    pinching_ = false;
    return was;
  }
  if (points.size() < 2) {
    if (!pinching_) return false;  // left to the mouse synthesis
    pinching_ = false;             // a finger lifted: the pinch ends
    return true;
  }
  // From the global positions: a touch sent straight to the surface has no
  // local ones.
  const TDrawSurface* surface = window_.Surface();
  const QPointF a = surface->mapFromGlobal(points[0].globalPosition());
  const QPointF b = surface->mapFromGlobal(points[1].globalPosition());
  const QPointF centre = (a + b) / 2;
  const double spread = QLineF(a, b).length();
  if (!pinching_) {
    if (event->type() != QEvent::TouchBegin) return false;
    pinching_ = true;
  } else {
    // The pan first: the scene follows the fingers' centre...
    window_.Doc().SetDragOriginAll(float(int(centre_.x())), float(int(centre_.y())));
    window_.Doc().PanAll(int(centre.x()), int(centre.y()));
    // ...then the zoom about it, by how much the fingers spread.
    double factor = spread_ >= kMinSpread && spread >= kMinSpread ? spread / spread_ : 1.0;
    factor = std::clamp(factor, 1 / kMaxStep, kMaxStep);
    if (factor != 1.0)
      ZoomAbout(window_, float(int(centre.x())), float(int(centre.y())), float(factor));
    else
      window_.RefreshView();
  }
  centre_ = centre;
  spread_ = spread;
  touch->accept();
  return true;
}
