#include "app/Glyphs.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QPixmap>
#include <QPolygonF>
#include <QScreen>
#include <QToolButton>
#include <QVariant>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>
#include <vector>

#include "gfx/Colour.h"
#include "gfx/PaperInk.h"

namespace {

// The ratios a glyph is drawn at: 1 and 2, and those of the screens now
// attached (1.25, 1.5 ...), so that a button's picture is never scaled up.
std::vector<qreal> Ratios() {
  std::vector<qreal> ratios{1, 2};
  for (const QScreen* screen : QGuiApplication::screens()) {
    const qreal r = screen->devicePixelRatio();
    if (r > 0 && std::find(ratios.begin(), ratios.end(), r) == ratios.end()) ratios.push_back(r);
  }
  return ratios;
}

// A rectangle in the pen as it stands, filled with `brush`.
void FilledRect(QPainter& p, const QBrush& brush, const QRectF& rect) {
  p.setBrush(brush);
  p.drawRect(rect);
}

// A picture of `size` x `size` logical pixels at `ratio`, painted by `paint`
// in logical coordinates.
QPixmap Picture(QSize size, qreal ratio, const std::function<void(QPainter&)>& paint,
                bool transparent = true) {
  QPixmap pixmap((QSizeF(size) * ratio).toSize());
  pixmap.setDevicePixelRatio(ratio);
  if (transparent) pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  paint(p);
  p.end();
  return pixmap;
}

QIcon Crisp(int size, const std::function<void(QPainter&)>& paint) {
  QIcon icon;
  for (const qreal ratio : Ratios()) icon.addPixmap(Picture(QSize(size, size), ratio, paint));
  return icon;
}

const QColor kGlass(120, 170, 230);
const QColor kStep(230, 140, 20);  // a fill, under an outline

// The strokes' colours, made legible on the palette's buttons while a glyph
// is painted (GUI thread only): a dark or high-contrast desktop gets
// lighter strokes, a light one the colours as designed.
struct Inks {
  QColor ink{40, 40, 40}, ray{230, 80, 20}, mirror{60, 110, 200}, cross{200, 30, 30},
      navy{0, 0, 128}, stepEdge{QColor(230, 140, 20).darker(130)}, glass{kGlass};
};
Inks inks;

double Contrast(const QColor& a, const QColor& b) {
  return ContrastRatio(FromQColor(a), FromQColor(b));
}

// `c` itself where it stands out from both backgrounds by 3:1, else moved
// towards the palette's text colour until it stands out by 4.5:1, so that
// its anti-aliased edges still keep 3:1.
QColor Legible(const QColor& c, const QPalette& palette) {
  constexpr double kMoved = 4.5;
  const QColor back[] = {palette.color(QPalette::Button), palette.color(QPalette::Window)};
  const QColor text = palette.color(QPalette::ButtonText);
  if (Contrast(c, back[0]) >= kGlyphContrast && Contrast(c, back[1]) >= kGlyphContrast) return c;
  for (int step = 1; step <= 10; ++step) {
    const double t = step / 10.0;
    const QColor mixed = QColor::fromRgbF(float(c.redF() + (text.redF() - c.redF()) * t),
                                          float(c.greenF() + (text.greenF() - c.greenF()) * t),
                                          float(c.blueF() + (text.blueF() - c.blueF()) * t));
    if (Contrast(mixed, back[0]) >= kMoved && Contrast(mixed, back[1]) >= kMoved) return mixed;
  }
  return text;
}

// Sets `inks` for `palette` while it lives, and back after.
class PaletteInks {
 public:
  explicit PaletteInks(const QPalette& palette) : kept_(inks) {
    const Inks designed;
    inks = {Legible(designed.ink, palette),    Legible(designed.ray, palette),
            Legible(designed.mirror, palette), Legible(designed.cross, palette),
            Legible(designed.navy, palette),   Legible(designed.stepEdge, palette),
            Legible(designed.glass, palette)};
  }
  ~PaletteInks() { inks = kept_; }
  PaletteInks(const PaletteInks&) = delete;
  PaletteInks& operator=(const PaletteInks&) = delete;

 private:
  Inks kept_;
};

// Three stairs of the trace's steps; the first `filled` of them filled.
void Stairs(QPainter& p, int filled) {
  for (int k = 0; k < 3; ++k) {
    const QRectF stair(1 + 5 * k, 11 - 4 * k, 4, 4 + 4 * k);
    FilledRect(p, k < filled ? QBrush(kStep) : QBrush(Qt::white), stair);
  }
}

// A step back or on: a bar and a triangle pointing away from it.
void StepMark(QPainter& p, bool next) {
  p.setPen(QPen(inks.mirror, 1));
  p.setBrush(inks.mirror);
  const double bar = next ? 12 : 2;
  p.drawRect(QRectF(bar, 3, 2, 10));
  p.drawPolygon(next ? QPolygonF({{3, 3}, {11, 8}, {3, 13}})
                     : QPolygonF({{13, 3}, {5, 8}, {13, 13}}));
}

void Arrow(QPainter& p, QPointF from, QPointF to) {
  p.drawLine(from, to);
  const double a = std::atan2(to.y() - from.y(), to.x() - from.x());
  const double s = 3.5;
  p.drawLine(to, to - QPointF(s * std::cos(a - 0.5), s * std::sin(a - 0.5)));
  p.drawLine(to, to - QPointF(s * std::cos(a + 0.5), s * std::sin(a + 0.5)));
}

}  // namespace

QIcon MakeToolGlyph(ToolGlyph glyph, const QPalette& palette) {
  const PaletteInks legible(palette);
  return Crisp(16, [glyph](QPainter& p) { PaintToolGlyph(p, glyph); });
}

QIcon MakePaletteGlyph(const std::string& className, const QPalette& palette) {
  const PaletteInks legible(palette);
  return Crisp(24, [&className](QPainter& p) { PaintPaletteGlyph(p, className); });
}

void RestyleGlyphs(QWidget& root) {
  for (QToolButton* button : root.findChildren<QToolButton*>()) {
    const QVariant tool = button->property(kToolGlyphProperty);
    const QVariant kind = button->property(kGlyphClassProperty);
    if (tool.isValid())
      button->setIcon(MakeToolGlyph(static_cast<ToolGlyph>(tool.toInt()), root.palette()));
    else if (kind.isValid())
      button->setIcon(MakePaletteGlyph(kind.toString().toStdString(), root.palette()));
  }
}

void PaintToolGlyph(QPainter& p, ToolGlyph glyph) {
  p.setPen(QPen(inks.ink, 1.2));
  switch (glyph) {
    case ToolGlyph::New:
      p.setBrush(Qt::white);
      p.drawPolygon(QPolygonF({{3, 1}, {10, 1}, {13, 4}, {13, 15}, {3, 15}}));
      break;
    case ToolGlyph::Open:
      p.setBrush(QColor(240, 200, 80));
      p.drawPolygon(QPolygonF({{1, 4}, {6, 4}, {7, 6}, {15, 6}, {13, 14}, {1, 14}}));
      break;
    case ToolGlyph::Save:
      FilledRect(p, inks.mirror, {2, 2, 12, 12});
      FilledRect(p, Qt::white, {5, 2, 6, 4});
      break;
    case ToolGlyph::Print:
      FilledRect(p, Qt::white, {4, 1, 8, 5});
      FilledRect(p, QColor(160, 160, 160), {1, 6, 14, 6});
      FilledRect(p, Qt::white, {4, 10, 8, 5});
      break;
    case ToolGlyph::Undo:
    case ToolGlyph::Redo: {
      p.setPen(QPen(inks.mirror, 2));
      const bool undo = glyph == ToolGlyph::Undo;
      QPainterPath path;
      path.moveTo(undo ? 13 : 3, 12);
      path.cubicTo(undo ? 13 : 3, 4, undo ? 6 : 10, 4, undo ? 3 : 13, 7);
      p.drawPath(path);
      Arrow(p, {undo ? 6.0 : 10.0, 5.0}, {undo ? 3.0 : 13.0, 7.0});
      break;
    }
    case ToolGlyph::Copy:
      FilledRect(p, Qt::white, {1, 1, 9, 10});
      p.drawRect(QRectF(6, 5, 9, 10));
      break;
    case ToolGlyph::Paste:
      FilledRect(p, QColor(200, 150, 90), {2, 2, 10, 13});
      FilledRect(p, Qt::white, {7, 6, 8, 9});
      break;
    case ToolGlyph::Delete:
      p.setPen(QPen(inks.cross, 2.5));
      p.drawLine(QPointF(3, 3), QPointF(13, 13));
      p.drawLine(QPointF(13, 3), QPointF(3, 13));
      break;
    case ToolGlyph::Properties:
      FilledRect(p, Qt::white, {1, 1, 14, 14});
      for (int y = 4; y <= 12; y += 4) p.drawLine(QPointF(4, y), QPointF(12, y));
      break;
    case ToolGlyph::Run:
      p.setBrush(QColor(40, 170, 60));
      p.drawPolygon(QPolygonF({{4, 2}, {14, 8}, {4, 14}}));
      break;
    case ToolGlyph::Stop:
      FilledRect(p, QColor(200, 40, 40), {3, 3, 10, 10});
      break;
    case ToolGlyph::ZoomIn:
    case ToolGlyph::ZoomOut:
      p.setBrush(Qt::white);
      p.drawEllipse(QRectF(1, 1, 10, 10));
      p.setPen(QPen(inks.ink, 2.2));
      p.drawLine(QPointF(10, 10), QPointF(15, 15));
      p.setPen(QPen(inks.ink, 1.4));
      p.drawLine(QPointF(3.5, 6), QPointF(8.5, 6));
      if (glyph == ToolGlyph::ZoomIn) p.drawLine(QPointF(6, 3.5), QPointF(6, 8.5));
      break;
    case ToolGlyph::Move:
      Arrow(p, {8, 8}, {8, 1});
      Arrow(p, {8, 8}, {8, 15});
      Arrow(p, {8, 8}, {1, 8});
      Arrow(p, {8, 8}, {15, 8});
      break;
    case ToolGlyph::Help:
      p.setBrush(inks.mirror);
      p.setPen(Qt::NoPen);
      p.drawEllipse(QRectF(1, 1, 14, 14));
      p.setPen(Qt::white);
      p.setFont(QFont("Arial", 9, QFont::Bold));
      p.drawText(QRectF(1, 1, 14, 14), Qt::AlignCenter, "?");
      break;
    case ToolGlyph::StepStart:
      Stairs(p, 1);
      break;
    case ToolGlyph::ShowAll:
      Stairs(p, 3);
      break;
    case ToolGlyph::StepBack:
    case ToolGlyph::StepNext:
      StepMark(p, glyph == ToolGlyph::StepNext);
      break;
    case ToolGlyph::AutoPlay:
      // Two triangles one after the other: the steps play on by themselves.
      p.setPen(QPen(inks.stepEdge, 1));
      p.setBrush(kStep);
      p.drawPolygon(QPolygonF({{1, 3}, {8, 8}, {1, 13}}));
      p.drawPolygon(QPolygonF({{8, 3}, {15, 8}, {8, 13}}));
      break;
  }
}

void PaintPaletteGlyph(QPainter& p, const std::string& c) {
  p.setPen(QPen(inks.ink, 1.5));
  auto rays = [&p](std::initializer_list<double> ys) {
    p.setPen(QPen(inks.ray, 1.3));
    for (double y : ys) Arrow(p, {8, y}, {22, y});
  };
  if (c.empty()) {  // the arrow pointer
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygonF({{6, 3}, {6, 19}, {10, 15}, {13, 21}, {15, 20}, {12, 14}, {17, 14}}));
  } else if (c == "LampHouse" || c == "ComplexlH") {
    FilledRect(p, c == "LampHouse" ? QColor(250, 220, 60) : QColor(200, 120, 230), {2, 5, 5, 14});
    rays({7, 12, 17});
  } else if (c == "PointLampHouse") {
    p.setBrush(QColor(250, 220, 60));
    p.drawEllipse(QRectF(8, 8, 8, 8));
    p.setPen(QPen(inks.ray, 1.3));
    for (int k = 0; k < 8; ++k) {
      const double a = k * std::numbers::pi / 4;
      p.drawLine(QPointF(12 + 6 * std::cos(a), 12 + 6 * std::sin(a)),
                 QPointF(12 + 10 * std::cos(a), 12 + 10 * std::sin(a)));
    }
  } else if (c == "RealObject") {
    p.setPen(QPen(inks.ray, 2));
    Arrow(p, {12, 21}, {12, 3});
  } else if (c == "FourPrism") {
    FilledRect(p, kGlass, {4, 6, 16, 12});
  } else if (c == "ThreePrism") {
    p.setBrush(kGlass);
    p.drawPolygon(QPolygonF({{12, 3}, {21, 20}, {3, 20}}));
  } else if (c == "Magnifier" || c == "Concave") {
    p.setBrush(kGlass);
    if (c == "Magnifier") {
      p.drawEllipse(QRectF(8, 2, 8, 20));
    } else {
      QPainterPath path;
      path.moveTo(7, 2);
      path.lineTo(17, 2);
      path.quadTo(11, 12, 17, 22);
      path.lineTo(7, 22);
      path.quadTo(13, 12, 7, 2);
      p.drawPath(path);
    }
  } else if (c == "IdealMagnifier" || c == "IdealConcave") {
    // The lens symbol (heads outwards: converging, inwards: diverging) and
    // two parallel rays that meet behind it or spread from it.
    const bool convex = c == "IdealMagnifier";
    p.setPen(QPen(inks.ray, 1.2));
    for (double y : {7.0, 17.0}) {
      p.drawLine(QPointF(1, y), QPointF(11, y));
      p.drawLine(QPointF(11, y), convex ? QPointF(22, 12) : QPointF(23, y + (y - 12) * 0.8));
    }
    p.setPen(QPen(inks.mirror, 1.8));
    p.drawLine(QPointF(11, 3), QPointF(11, 21));
    const double tip = convex ? 3.5 : -3.5;
    for (double end : {3.0, 21.0}) {
      const double inward = end < 12 ? tip : -tip;
      p.drawLine(QPointF(11, end), QPointF(7.5, end + inward));
      p.drawLine(QPointF(11, end), QPointF(14.5, end + inward));
    }
  } else if (c == "ConcaveMirror" || c == "ConvexityMirror") {
    p.setPen(QPen(inks.mirror, 2.5));
    const double bulge = c == "ConcaveMirror" ? 16 : 8;
    QPainterPath path;
    path.moveTo(12, 2);
    path.quadTo(bulge, 12, 12, 22);
    p.drawPath(path);
  } else if (c == "FlatMirror") {
    p.setPen(QPen(inks.mirror, 2.5));
    p.drawLine(QPointF(4, 20), QPointF(20, 4));
  } else if (c == "FitfulObject") {
    p.setBrush(kGlass);
    p.drawPolygon(QPolygonF({{3, 8}, {10, 3}, {21, 6}, {18, 14}, {21, 21}, {6, 19}}));
  } else if (c == "RayFibre") {
    p.setPen(QPen(inks.glass, 5));
    QPainterPath path;
    path.moveTo(2, 18);
    path.cubicTo(10, 18, 12, 6, 22, 6);
    p.drawPath(path);
  } else if (c == "ImagingSystem") {
    p.drawRect(QRectF(2, 4, 20, 16));
    p.setPen(QPen(inks.mirror, 1.5));
    p.drawLine(QPointF(12, 6), QPointF(12, 18));
    p.setPen(QPen(inks.ray, 1.5));
    Arrow(p, {6, 15}, {6, 8});
  } else if (c == "Protractor") {
    p.setBrush(QColor(230, 230, 200));
    p.drawPie(QRectF(2, 6, 20, 20), 0, 180 * 16);
  } else if (c == "Ruler") {
    FilledRect(p, QColor(240, 220, 150), {2, 8, 20, 8});
    for (int x = 5; x < 22; x += 3) p.drawLine(QPointF(x, 8), QPointF(x, x % 2 ? 11 : 13));
  } else if (c == "OPticsLine") {
    p.drawLine(QPointF(3, 21), QPointF(21, 3));
  } else if (c == "DrawImage") {
    FilledRect(p, QColor(150, 200, 240), {2, 4, 20, 16});
    p.setBrush(QColor(90, 160, 70));
    p.drawPolygon(QPolygonF({{3, 19}, {9, 10}, {14, 16}, {17, 13}, {21, 19}}));
  } else if (c == "LightBlocker") {
    rays({7, 12, 17});
    FilledRect(p, QColor(130, 130, 130), {18, 3, 4, 18});
  } else if (c == "CircularBlocker") {
    p.setBrush(QColor(130, 130, 130));
    p.drawEllipse(QRectF(5, 5, 14, 14));
  } else if (c == "Aperture") {
    p.setPen(QPen(inks.ink, 3));
    p.drawLine(QPointF(12, 2), QPointF(12, 10));
    p.drawLine(QPointF(12, 14), QPointF(12, 22));
    p.setPen(QPen(inks.ray, 1.3));
    Arrow(p, {2, 12}, {22, 12});
  } else if (c == "BeamSplitter") {
    p.setPen(QPen(inks.ray, 1.3));
    Arrow(p, {2, 12}, {22, 12});
    Arrow(p, {12, 12}, {12, 2});
    p.setPen(QPen(inks.mirror, 2));
    p.drawLine(QPointF(6, 18), QPointF(18, 6));
  } else if (c == "DrawString") {
    // The annotation button's caption: "A" in bold navy Book Antiqua.
    p.setPen(inks.navy);
    QFont font("Book Antiqua", 14, QFont::Bold);
    font.setStyleHint(QFont::Serif);
    p.setFont(font);
    p.drawText(QRectF(0, 0, 24, 24), Qt::AlignCenter, "A");
  }
}

QPixmap MakeAboutPicture(const QString& title, const QString& subtitle) {
  return Picture(
      QSize(420, 260), qApp->devicePixelRatio(),
      [&](QPainter& p) { PaintAboutPicture(p, title, subtitle); }, false);
}

void PaintAboutPicture(QPainter& p, const QString& title, const QString& subtitle) {
  QLinearGradient sky(0, 0, 0, 260);
  sky.setColorAt(0, QColor(12, 24, 60));
  sky.setColorAt(1, QColor(30, 60, 120));
  p.fillRect(QRect(0, 0, 420, 260), sky);
  // A prism splitting a ray into colours.
  const QPolygonF prism({{250, 60}, {310, 170}, {190, 170}});
  p.setPen(QPen(QColor(200, 220, 255), 1.5));
  p.setBrush(QColor(150, 190, 255, 90));
  p.drawPolygon(prism);
  p.setPen(QPen(Qt::white, 2.5));
  p.drawLine(QPointF(40, 150), QPointF(226, 118));
  const QColor colours[] = {Qt::red,  QColor(255, 140, 0), Qt::yellow, Qt::green, Qt::cyan,
                            Qt::blue, QColor(140, 0, 255)};
  for (int i = 0; i < 7; ++i) {
    p.setPen(QPen(colours[i], 2));
    p.drawLine(QPointF(272, 118 + i * 1.5), QPointF(410, 110 + i * 14));
  }
  p.setPen(Qt::white);
  p.setFont(QFont("Sans", 20, QFont::Bold));
  p.drawText(QRectF(20, 185, 380, 36), Qt::AlignLeft | Qt::AlignVCenter, title);
  p.setFont(QFont("Sans", 10));
  p.drawText(QRectF(20, 222, 380, 24), Qt::AlignLeft | Qt::AlignVCenter, subtitle);
}
