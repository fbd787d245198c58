#include "gfx/paint/QImageCanvas.h"

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <optional>

#include "gfx/ClipSegment.h"
#include "gfx/Colour.h"
#include "gfx/ColourKey.h"
#include "gfx/PixelMath.h"
#include "gfx/PresentationScale.h"
#include "gfx/QtPainting.h"
#include "gfx/paint/PaintThread.h"
#include "gfx/paint/VectorState.h"

namespace {

QPainter::CompositionMode ModeOf(TPenMode mode) {
  switch (mode) {
    case TPenMode::Xor:
      return QPainter::RasterOp_SourceXorDestination;
    case TPenMode::Merge:
      return QPainter::RasterOp_SourceOrDestination;
    default:
      return QPainter::CompositionMode_SourceOver;
  }
}

PaintList::Effect EffectOf(TPenMode mode) {
  switch (mode) {
    case TPenMode::Xor:
      return PaintList::Effect::Blend;
    case TPenMode::Merge:
      return PaintList::Effect::Merge;
    default:
      return PaintList::Effect::Overwrite;
  }
}

bool ClipToMargin(double& x1, double& y1, double& x2, double& y2, double width, double height,
                  double margin) {
  return ClipSegment(x1, y1, x2, y2, -margin, -margin, width + margin, height + margin);
}

int RoughHeight(const TFont& font) {
  return font.size < 0 ? -font.size : std::max(1, (font.size * 96 + 36) / 72);
}

// The paint budget's extra cost of a polyline or polygon: the strokes along
// its pieces, and for a polygon also the fill of its bounding box.
template <typename Point>
double PointsCost(const TCanvas& canvas, const std::vector<Point>& points, bool filled,
                  double width) {
  double cost = 0;
  for (std::size_t i = 1; i < points.size(); ++i)
    cost += canvas.StrokeCost(points[i - 1].x, points[i - 1].y, points[i].x, points[i].y, width);
  if (!filled || points.empty()) return cost;
  double x1 = points[0].x, y1 = points[0].y, x2 = x1, y2 = y1;
  for (const auto& p : points) {
    x1 = std::min(x1, double(p.x));
    x2 = std::max(x2, double(p.x));
    y1 = std::min(y1, double(p.y));
    y2 = std::max(y2, double(p.y));
  }
  return cost + canvas.FillCost(x1, y1, x2, y2);
}

// Qt strokes a wide pen's polyline as one path and fills it row by row over
// all of its edges at once, so a free-hand outline of 500 points that
// crosses itself costs more than its pieces would. A long one is painted in
// runs of a few points instead, each starting where the last ended (a pen
// that overwrites or ORs paints a pixel twice as once), so that the cost
// follows the points; an outline of up to a run's points is one path, as
// it always was.
constexpr qsizetype kPolylineRun = 32, kWholePath = std::numeric_limits<int>::max();
template <typename Polygon, typename Paint>
void PolylineRuns(const Polygon& polygon, qsizetype run, Paint&& paint) {
  const qsizetype n = polygon.size();
  if (n <= run) {
    paint(polygon.constData(), int(n));
    return;
  }
  for (qsizetype from = 0; from + 1 < n; from += run - 1)
    paint(polygon.constData() + from, int(std::min(run, n - from)));
}

// A two-point polyline is a straight line to Qt (see BandClip.h).
template <typename Point>
std::optional<PaintList::Stroke> StrokeOf(const std::vector<Point>& points, double width) {
  if (points.size() != 2) return std::nullopt;
  return PaintList::Stroke{double(points[0].x), double(points[0].y), double(points[1].x),
                           double(points[1].y), width};
}

void ApplyClip(QPainter& painter, const TClipRect& clip) {
  if (clip.on)
    painter.setClipRect(QRect(QPoint(clip.x1, clip.y1), QPoint(clip.x2 - 1, clip.y2 - 1)));
  else
    painter.setClipping(false);
}

}  // namespace

OwnedImageCanvas::OwnedImageCanvas(int width, int height, TColor background)
    : detail::OwnedImage{QImage(std::max(1, width), std::max(1, height), QImage::Format_RGB32)},
      QImageCanvas(&image) {
  image.fill(ToQColor(background));
  ClearUpperVectorState();
}

// The batch painter when a batch is open (in the state the last primitive
// left it), else a painter of our own for this one primitive.
class QImageCanvas::PainterScope {
 public:
  explicit PainterScope(QImageCanvas& canvas) {
    if (canvas.batch_) {
      painter_ = canvas.batch_.get();
    } else {
      own_.emplace(canvas.image_);
      painter_ = &*own_;
      canvas.applied_ = {};
    }
    ApplyClip(*painter_, canvas.ClipRect);
  }
  ~PainterScope() {
    own_.reset();
    ClearUpperVectorState();
  }
  PainterScope(const PainterScope&) = delete;
  PainterScope& operator=(const PainterScope&) = delete;
  QPainter& Get() { return *painter_; }

 private:
  std::optional<QPainter> own_;
  QPainter* painter_ = nullptr;
};

QImageCanvas::QImageCanvas(QImage* image) : image_(image) {}

QImageCanvas::~QImageCanvas() = default;

// Asked for every stroke's cost; the image keeps its size while a batch is
// open, so the batch keeps it too.
int QImageCanvas::Width() const {
  if (batch_) return batchSize_.width();
  const qreal ratio = image_->devicePixelRatio();
  return ratio == 1 ? image_->width() : qRound(image_->width() / ratio);
}

int QImageCanvas::Height() const {
  if (batch_) return batchSize_.height();
  const qreal ratio = image_->devicePixelRatio();
  return ratio == 1 ? image_->height() : qRound(image_->height() / ratio);
}

void QImageCanvas::BeginBatch() {
  if (batchDepth_++ == 0) {
    batchSize_ = QSize(Width(), Height());
    batch_ = std::make_unique<QPainter>(image_);
    applied_ = {};
    deferred_.SettleAlong(PaintThreads() > 1);
  }
}

void QImageCanvas::EndBatch() {
  if (batchDepth_ > 0 && --batchDepth_ == 0) {
    FlushDeferred();
    batch_.reset();
  }
  ClearUpperVectorState();
}

void QImageCanvas::Submit(PaintList::Effect effect, std::optional<PaintList::LineKey> line,
                          std::function<void(QImageCanvas&, QPainter&)> paint,
                          std::optional<PaintList::Stroke> stroke) {
  if (batch_ && !replaying_) {
    PaintList::Entry entry{effect, line, Pen.color, Pen, Brush, ClipRect};
    if (!paint && !stroke) {
      deferred_.Add(entry);
    } else {
      PaintList::Extra extra{std::nullopt, stroke, std::move(paint)};
      if (effect == PaintList::Effect::Blend) extra.font = Font;
      deferred_.Add(entry, std::move(extra));
    }
    return;
  }
  PainterScope scope(*this);
  if (paint)
    paint(*this, scope.Get());
  else
    PaintLine(scope.Get(), *line);
}

void QImageCanvas::PaintLine(QPainter& painter, const PaintList::LineKey& line) {
  PreparePainter(painter, false);
  painter.drawLine(line.x1, line.y1, line.x2, line.y2);
}

const QFont& QImageCanvas::CurrentFont() {
  const TFont wanted = ScaledFont(Font);  // as large as the presentation scale shows it
  if (!font_ || fontKey_.name != wanted.name || fontKey_.size != wanted.size ||
      fontKey_.bold != wanted.bold || fontKey_.italic != wanted.italic ||
      fontKey_.underline != wanted.underline || fontKey_.strikeOut != wanted.strikeOut) {
    fontKey_ = wanted;
    ++fontGeneration_;
    font_.emplace(MakeFont(wanted));
    metrics_.emplace(*font_, image_);
  }
  return *font_;
}

const QFontMetrics& QImageCanvas::CurrentMetrics() {
  CurrentFont();
  return *metrics_;
}

void QImageCanvas::PreparePainter(QPainter& painter, bool withBrush) {
  UseAntialias(painter, false);
  UseMode(painter, ModeOf(Pen.mode));
  if (PenVisible()) {
    UsePen(painter, {1, Pen.color, Pen.width, KeptStyle(Pen)});
  } else {
    UsePen(painter, {});
  }
  const bool solid = Brush.style == TBrushStyle::Solid;
  UseBackground(painter, {solid, solid ? Brush.color : 0});
  const bool fill = withBrush && solid;
  UseBrush(painter, {fill, fill ? Brush.color : 0});
}

void QImageCanvas::Line(int x1, int y1, int x2, int y2) {
  if (!Spend(StrokeCost(x1, y1, x2, y2, Pen.width))) return;
  if (!PenVisible()) return;
  // A thin line whose end point is left out has nothing left to draw.
  if (x1 == x2 && y1 == y2 && Pen.width <= 1) return;
  if (IsFar(x1, y1, x2, y2)) {
    double ax = x1, ay = y1, bx = x2, by = y2;
    if (!ClipToMargin(ax, ay, bx, by, Width(), Height(), 16.0 + Pen.width)) return;
    x1 = int(std::lround(ax));
    y1 = int(std::lround(ay));
    x2 = int(std::lround(bx));
    y2 = int(std::lround(by));
  }
  const bool thin = Pen.width <= 1;
  // Dashed lines only repeat lines of the same dashes and gaps.
  const int pattern =
      PaintList::LineKey::PatternOf(KeptStyle(Pen), Brush.style == TBrushStyle::Solid);
  const int width = thin ? 1 : Pen.width;
  if (batch_ && !replaying_) {
    // As Submit records it, written in place.
    PaintList::Entry& entry = deferred_.Open();
    entry.effect = EffectOf(Pen.mode);
    // From a value: clang does not see a nested struct with member
    // initialisers as default-constructible inside its enclosing class.
    PaintList::LineKey& key = entry.line.emplace(PaintList::LineKey{});
    key.x1 = x1;
    key.y1 = y1;
    key.x2 = x2;
    key.y2 = y2;
    key.width = width;
    key.pattern = pattern;
    entry.colour = Pen.color;
    entry.pen = Pen;
    entry.brush = Brush;
    entry.clip = ClipRect;
    deferred_.Close();
    return;
  }
  // Painted from its key (PaintLine): no closure to allocate.
  Submit(EffectOf(Pen.mode), PaintList::LineKey{x1, y1, x2, y2, width, pattern}, {});
}

void QImageCanvas::Polyline(const std::vector<TPoint>& points) {
  if (!Spend(PointsCost(*this, points, false, Pen.width))) return;
  if (points.empty()) return;
  const bool far = std::any_of(points.begin(), points.end(), [](const TPoint& p) {
    return std::fabs(double(p.x)) > kFarAway || std::fabs(double(p.y)) > kFarAway;
  });
  if (far) {
    TCanvas::Polyline(points);  // piece by piece, each cut to the image
    return;
  }
  if (PenVisible() && points.size() >= 2) {
    // One path, so that XOR pens do not cancel themselves at the joints;
    // other wide pens paint a long one in runs (PolylineRuns). (A thin pen
    // costs Qt little, and its dashes run on across the joints.)
    const qsizetype run = Pen.mode == TPenMode::Xor || Pen.width <= 1 ? kWholePath : kPolylineRun;
    Submit(
        EffectOf(Pen.mode), std::nullopt,
        [polygon = ToQPolygon(points), run](QImageCanvas& c, QPainter& painter) {
          c.PreparePainter(painter, false);
          PolylineRuns(polygon, run,
                       [&](const QPoint* from, int n) { painter.drawPolyline(from, n); });
        },
        StrokeOf(points, Pen.width));
  }
  MoveTo(points.back().x, points.back().y);
}

void QImageCanvas::Polygon(const std::vector<TPoint>& points) {
  if (!Spend(PointsCost(*this, points, true, Pen.width))) return;
  if (points.size() < 2) return;
  Submit(EffectOf(Pen.mode), std::nullopt,
         [polygon = ToQPolygon(points)](QImageCanvas& c, QPainter& painter) {
           c.PreparePainter(painter, true);
           painter.drawPolygon(polygon, Qt::OddEvenFill);
         });
}

void QImageCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  if (!Spend(FillCost(x1, y1, x2, y2))) return;
  const QRect box = BoxOf(x1, y1, x2, y2);
  if (box.width() < 1 || box.height() < 1) return;
  Submit(EffectOf(Pen.mode), std::nullopt,
         [box](QImageCanvas& c, QPainter& painter) { c.PaintRectangle(painter, box); });
}

void QImageCanvas::PaintRectangle(QPainter& painter, const QRect& box) {
  PreparePainter(painter, true);
  const bool filled = Brush.style == TBrushStyle::Solid;
  const QBrush brush = filled ? QBrush(ToQColor(Brush.color)) : QBrush();
  if (!PenVisible()) {
    // Without a pen GDI fills one pixel less in each direction.
    if (filled)
      painter.fillRect(QRect(box.left(), box.top(), box.width() - 1, box.height() - 1), brush);
    return;
  }
  // Interior and outline kept apart so that XOR pens touch each pixel once.
  if (filled && box.width() > 2 && box.height() > 2)
    painter.fillRect(box.adjusted(1, 1, -1, -1), brush);
  UseBrush(painter, {});
  painter.drawRect(QRect(box.left(), box.top(), box.width() - 1, box.height() - 1));
}

void QImageCanvas::FillRect(int x1, int y1, int x2, int y2) {
  if (!Spend(FillCost(x1, y1, x2, y2))) return;
  if (Brush.style != TBrushStyle::Solid) return;
  const QRect box = BoxOf(x1, y1, x2, y2);
  if (box.isEmpty()) return;
  // Filling ignores the pen mode, as in GDI.
  Submit(PaintList::Effect::Overwrite, std::nullopt, [box](QImageCanvas& c, QPainter& painter) {
    c.UseAntialias(painter, false);
    c.UseMode(painter, QPainter::CompositionMode_Source);
    painter.fillRect(box, ToQColor(c.Brush.color));
  });
}

void QImageCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  if (!Spend(FillCost(x1, y1, x2, y2))) return;
  const QRect box = BoxOf(x1, y1, x2, y2);
  if (box.width() < 1 || box.height() < 1) return;
  Submit(EffectOf(Pen.mode), std::nullopt, [box](QImageCanvas& c, QPainter& painter) {
    c.PreparePainter(painter, true);
    painter.drawEllipse(QRect(box.left(), box.top(), box.width() - 1, box.height() - 1));
  });
}

void QImageCanvas::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  if (!Spend(StrokeCost(x1, y1, x2, y2, 2.0 * Pen.width))) return;
  if (!PenVisible()) return;
  const QRect box = BoxOf(x1, y1, x2, y2);
  if (box.width() < 1 || box.height() < 1) return;
  const QRectF drawn(box.left(), box.top(), box.width() - 1, box.height() - 1);
  const double cx = drawn.center().x(), cy = drawn.center().y();
  const double w2 = std::max(drawn.width() / 2, 0.5), h2 = std::max(drawn.height() / 2, 0.5);
  const double a3 = Degrees(std::atan2(-(y3 - cy), x3 - cx));
  const double a4 = Degrees(std::atan2(-(y4 - cy), x4 - cx));
  const double start = ParametricAngle(a3, w2, h2);
  double sweep = ParametricAngle(a4, w2, h2) - start;
  // Counter-clockwise from start to end; equal rays give the whole ellipse.
  while (sweep <= 0) sweep += 360;
  while (sweep > 360) sweep -= 360;
  // The path is built where it is painted: bands paint at once, and a shared
  // path keeps caches that painting fills in.
  Submit(EffectOf(Pen.mode), std::nullopt,
         [drawn, start, sweep](QImageCanvas& c, QPainter& painter) {
           QPainterPath path;
           path.arcMoveTo(drawn, start);
           path.arcTo(drawn, start, sweep);
           c.PreparePainter(painter, false);
           painter.drawPath(path);
         });
}

void QImageCanvas::TextOut(int x, int y, const std::string& text) {
  // Far away (a saturated coordinate) it cannot show, and y + ascent or the
  // background box would overflow.
  if (IsFar(x, y, x, y)) return;
  if (!Spend()) return;
  if (text.empty() || !FontsAvailable()) return;
  Submit(PaintList::Effect::Blend, std::nullopt,
         [x, y, qtext = QString::fromStdString(text)](QImageCanvas& c, QPainter& painter) {
           c.PaintText(painter, x, y, qtext);
         });
}

void QImageCanvas::PaintText(QPainter& painter, int x, int y, const QString& qtext) {
  const QFontMetrics& metrics = CurrentMetrics();
  UseAntialias(painter, false);
  UseMode(painter, QPainter::CompositionMode_SourceOver);
  if (Brush.style == TBrushStyle::Solid) {
    painter.fillRect(QRect(x, y, metrics.horizontalAdvance(qtext), metrics.height()),
                     ToQColor(Brush.color));
  }
  UseBackground(painter, {});
  UseFont(painter);
  UsePen(painter, {3, Font.color});
  painter.drawText(QPoint(x, y + metrics.ascent()), qtext);
}

int QImageCanvas::TextWidth(const std::string& text) {
  if (!FontsAvailable()) return int(QString::fromStdString(text).size()) * RoughHeight(Font) / 2;
  const QFontMetrics& metrics = CurrentMetrics();
  // A trace measures the same few angle texts over and over; shaping them
  // costs as much as drawing them.
  if (widthsGeneration_ != fontGeneration_ || widths_.size() > kMaxCachedWidths) {
    widths_.clear();
    widthsGeneration_ = fontGeneration_;
  }
  const auto known = widths_.find(text);
  if (known != widths_.end()) return known->second;
  const int width = metrics.horizontalAdvance(QString::fromStdString(text));
  if (text.size() <= kMaxCachedText) widths_.emplace(text, width);
  return width;
}

int QImageCanvas::TextHeight(const std::string&) {
  if (!FontsAvailable()) return RoughHeight(ScaledFont(Font));
  return CurrentMetrics().height();
}

void QImageCanvas::StretchDraw(int x1, int y1, int x2, int y2, const QImage& picture) {
  if (!Spend(FillCost(x1, y1, x2, y2))) return;
  const QRect box = BoxOf(x1, y1, x2, y2);
  if (box.isEmpty() || picture.isNull()) return;
  Submit(PaintList::Effect::Blend, std::nullopt,
         [box, picture](QImageCanvas& c, QPainter& painter) {
           c.UseAntialias(painter, false);
           c.UseMode(painter, QPainter::CompositionMode_SourceOver);
           c.UseBackground(painter, {});
           painter.drawImage(box, picture);
         });
}

void QImageCanvas::StretchDrawTransparent(int x1, int y1, int x2, int y2, const QImage& picture,
                                          TColor transparent) {
  if (!Spend(FillCost(x1, y1, x2, y2))) return;
  const QRect box = BoxOf(x1, y1, x2, y2);
  if (box.isEmpty() || picture.isNull()) return;
  const QRgb key = ToQColor(transparent).rgb();
  // Keyed when painted, so that a batch holds the picture, not a copy of it.
  Submit(PaintList::Effect::Blend, std::nullopt,
         [box, picture, key](QImageCanvas& c, QPainter& painter) {
           QRect shown = box & QRect(0, 0, c.Width(), c.Height());
           if (painter.hasClipping()) shown &= painter.clipBoundingRect().toAlignedRect();
           if (shown.isEmpty()) return;
           c.UseAntialias(painter, false);
           c.UseMode(painter, QPainter::CompositionMode_SourceOver);
           c.UseBackground(painter, {});
           painter.drawImage(shown.topLeft(), ColourKeyedPart(picture, box, shown, key,
                                                              c.image_->devicePixelRatio()));
         });
}

void QImageCanvas::AaLine(float x1, float y1, float x2, float y2, const TAaPen& pen) {
  if (!Spend(StrokeCost(x1, y1, x2, y2, pen.width))) return;
  double ax = x1, ay = y1, bx = x2, by = y2;
  if (!std::isfinite(ax) || !std::isfinite(ay) || !std::isfinite(bx) || !std::isfinite(by)) return;
  if (IsFar(ax, ay, bx, by) &&
      !ClipToMargin(ax, ay, bx, by, Width(), Height(), 16.0 + std::fabs(pen.width)))
    return;
  Submit(
      PaintList::Effect::Blend, std::nullopt,
      [ax, ay, bx, by, pen](QImageCanvas& c, QPainter& painter) {
        c.UseAntialias(painter, true);
        c.UseMode(painter, QPainter::CompositionMode_SourceOver);
        c.UseBackground(painter, {});
        c.UsePen(painter, {2, pen.color, 0, TPenStyle::Solid, pen.width, pen.alpha});
        painter.drawLine(QPointF(ax, ay), QPointF(bx, by));
      },
      PaintList::Stroke{ax, ay, bx, by, AaPenWidth(pen)});
}

void QImageCanvas::AaPolyline(const std::vector<TPointF>& points, const TAaPen& pen) {
  if (!Spend(PointsCost(*this, points, false, pen.width))) return;
  if (points.size() < 2) return;
  Submit(
      PaintList::Effect::Blend, std::nullopt,
      [polygon = ToQPolygonF(points), pen](QImageCanvas& c, QPainter& painter) {
        c.UseAntialias(painter, true);
        c.UseMode(painter, QPainter::CompositionMode_SourceOver);
        c.UseBackground(painter, {});
        c.UsePen(painter, {2, pen.color, 0, TPenStyle::Solid, pen.width, pen.alpha});
        c.UseBrush(painter, {});
        PolylineRuns(polygon, kPolylineRun,
                     [&](const QPointF* from, int n) { painter.drawPolyline(from, n); });
      },
      StrokeOf(points, AaPenWidth(pen)));
}

void QImageCanvas::AaFillPolygon(const std::vector<TPointF>& points, TColor color,
                                 std::uint8_t alpha) {
  if (!Spend(PointsCost(*this, points, true, 1))) return;
  if (points.size() < 3) return;
  Submit(PaintList::Effect::Blend, std::nullopt,
         [polygon = ToQPolygonF(points), color, alpha](QImageCanvas& c, QPainter& painter) {
           c.UseAntialias(painter, true);
           c.UseMode(painter, QPainter::CompositionMode_SourceOver);
           c.UseBackground(painter, {});
           c.UsePen(painter, {});
           c.UseBrush(painter, {true, color, alpha});
           painter.drawPolygon(polygon, Qt::OddEvenFill);
         });
}

void QImageCanvas::AaPie(float x1, float y1, float x2, float y2, float startAngle, float sweepAngle,
                         const TAaPen& pen, bool fill, TColor fillColor) {
  if (!Spend(FillCost(x1, y1, x2, y2))) return;
  const QRectF box = QRectF(QPointF(x1, y1), QPointF(x2, y2)).normalized();
  if (box.isEmpty()) return;
  const double sweep = std::clamp(double(sweepAngle), -360.0, 360.0);
  Submit(PaintList::Effect::Blend, std::nullopt,
         [box, startAngle, sweep, pen, fill, fillColor](QImageCanvas& c, QPainter& painter) {
           c.UseAntialias(painter, true);
           c.UseMode(painter, QPainter::CompositionMode_SourceOver);
           c.UseBackground(painter, {});
           PaintAaPie(painter, box, startAngle, sweep, AaQPen(pen), fill, fillColor);
         });
}
