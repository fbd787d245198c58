#include "objects/elements/ImagingSystem.h"

#include <QPainter>
#include <algorithm>
#include <cfloat>
#include <cmath>
#include <limits>
#include <map>

#include "gfx/PictureAllowance.h"
#include "gfx/PictureReading.h"
#include "gfx/PresentationScale.h"
#include "i18n/Convert.h"
#include "i18n/SharedTexts.h"
#include "i18n/TtlmController.h"
#include "optics/CanvasDrawing.h"
#include "optics/PlaneMath.h"
#include "optics/RayGeometry.h"
#include "optics/SelectionGeometry.h"
#include "scene/IMessageSink.h"
#include "scene/ProcessSettings.h"
#include "scene/PropertyRows.h"
#include "scene/RecordIo.h"

namespace {

constexpr TColor kTextColour = 0xF8EBA5;
constexpr TColor kLensColour = 0xF8EBA5;
constexpr TColor kObjectColour = 0x8000;  // the object and image arrows
constexpr TColor kRaysFromA = 0xFF;
constexpr TColor kRaysFromB = 0xEEAEE8;
constexpr double kWing = 10;
constexpr float kMinFrameWidth = 600, kMinFrameHeight = 400;
constexpr float kKeepOff = 10;  // least distance of object, lens and screen
constexpr int kMaxBlurLevel = 6;
constexpr float kMaxScale = 10;
// Focal marks drawn on each side of the lens: a tiny f from a file must not
// ask for millions of them.
constexpr int kMaxMarks = 200;
// A box size read from a file: far beyond any screen.
constexpr std::int32_t kMaxBoxSize = 8192;
constexpr double kParallelRayLength = 2000;

DrawObjectLineDataStruct UnboundedLine(TPointF p, TPointF q) {
  DrawObjectLineDataStruct line = MakeSegment(p, q);
  line.shape = kShapeLine;
  return line;
}

bool Meet(TPointF p1, TPointF p2, TPointF q1, TPointF q2, TPointF& at) {
  return IntersectSegments(UnboundedLine(p1, p2), UnboundedLine(q1, q2), at) != 0;
}

// A Windows bitmap, or null when the file is missing, unreadable, too large
// or not a regular file (a pipe there must not hold up reading an
// experiment). White becomes transparent where asked.
std::shared_ptr<const QImage> LoadPicture(const std::string& path, bool whiteTransparent) {
  // The program's own pictures are not the file's: they take nothing from
  // the allowance of a file being read, only the bound of one picture applies.
  PictureAllowance own(std::numeric_limits<std::int64_t>::max());
  QImage image;
  if (ReadPictureFile(path, "BMP", image) != PictureStatus::Decoded) return nullptr;
  if (whiteTransparent) {
    image = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
      auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
      for (int x = 0; x < image.width(); ++x)
        if ((line[x] & 0xFFFFFF) == 0xFFFFFF) line[x] = 0;
    }
  }
  return std::make_shared<const QImage>(std::move(image));
}

// Every imaging system shows the same pictures, each read once while any
// holds it: a file may hold thousands of imaging systems. White is
// transparent in the object picture ("0.dat") only.
std::shared_ptr<const QImage> SharedPicture(const std::string& folder, int level) {
  static std::map<std::string, std::weak_ptr<const QImage>> held;
  const std::string path = folder + ImagingSystem::ScreenPictureName(level);
  std::weak_ptr<const QImage>& slot = held[path];
  if (auto picture = slot.lock()) return picture;
  auto picture = LoadPicture(path, level < 0);
  slot = picture;
  return picture;
}

}  // namespace

ImagingSystem::ImagingSystem(TCanvas* c) : ObjectOf(c) {
  SetClassName("ImagingSystem");
  pointCount = 10;
  // Placed complete by its tool: the first paint is not swallowed.
  skipNextPaint = 0;
  pictureFolder = PictureDirectory();
  static const auto icon = std::make_shared<const QImage>(ToolIcon());
  icon_ = icon;
  objectPicture_ = SharedPicture(pictureFolder, -1);
}

QImage ImagingSystem::ToolIcon() {
  // A candle: the object whose picture the demonstration shows.
  QImage icon(24, 24, QImage::Format_ARGB32);
  icon.fill(Qt::transparent);
  QPainter p(&icon);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(120, 40, 30), 1));
  p.setBrush(QColor(220, 70, 50));
  p.drawRect(QRectF(9, 10, 6, 12));
  p.setPen(QPen(QColor(40, 40, 40), 1));
  p.drawLine(QPointF(12, 10), QPointF(12, 7.5));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 170, 0));
  p.drawEllipse(QRectF(9.5, 1, 5, 8));
  p.setBrush(QColor(255, 240, 120));
  p.drawEllipse(QRectF(11, 4, 2, 4));
  return icon;
}

std::vector<PointRef> ImagingSystem::ControlPoints() {
  std::vector<PointRef> points;
  for (TPointF* p : {&frame[0], &frame[1], &frame[2], &frame[3], &a, &b, &lensTop, &lensBottom,
                     &screenTop, &screenBottom})
    points.push_back({&p->x, &p->y});
  return points;
}

float ImagingSystem::Left() const { return std::min(frame[0].x, frame[2].x); }
float ImagingSystem::Right() const { return std::max(frame[0].x, frame[2].x); }
float ImagingSystem::Top() const { return std::min(frame[0].y, frame[2].y); }
float ImagingSystem::Bottom() const { return std::max(frame[0].y, frame[2].y); }

void ImagingSystem::Clip(float x1, float y1, float x2, float y2) {
  canvas->ClipRect = {true, Trunc(x1), Trunc(y1), Trunc(x2), Trunc(y2)};
}

std::string ImagingSystem::ScreenPictureName(int level) {
  if (level < 0) return "0.dat";
  return IntToStr(level) + IntToStr(level) + ".dat";
}

std::shared_ptr<const QImage> ImagingSystem::Picture(int level) {
  if (level < 0) return objectPicture_;
  // Read on demand and kept while the level stays: a drag repaints often.
  if (level != screenPictureLevel_) {
    screenPicture_ = SharedPicture(pictureFolder, level);
    screenPictureLevel_ = level;
  }
  return screenPicture_;
}

int ImagingSystem::BlurLevel() const {
  if (!std::isfinite(imageA.x) || !(imageA.x > lensTop.x)) return -1;  // virtual: nothing
  const double distance = std::fabs(double(imageA.x) - screenTop.x);
  if (!(distance <= 100)) return -1;
  const int level = Trunc((distance + 8) * 0.1);
  return level > kMaxBlurLevel ? -1 : level;
}

// ---------------------------------------------------------------- painting

void ImagingSystem::Draw(int mode) {
  if (!canvas || (mode != kDrawXor && mode != kDrawCopy)) return;
  PreparePen(mode);
  canvas->Brush.style = TBrushStyle::Clear;
  canvas->Font.name = "Arial";
  canvas->Font.size = 9;
  canvas->Font.bold = false;
  canvas->Font.color = kTextColour;
  Clip(Left(), Top(), Right(), Bottom());
  const bool skip = skipNextPaint != 0;
  skipNextPaint = 0;
  if (!skip && mode == kDrawXor) {
    // The rubber band: only the part being dragged.
    switch (Trunc(selectedPart)) {
      case kObject:
        DrawObjectArrow();
        break;
      case kLens:
        DrawLens();
        break;
      case kScreen:
        DrawScreen();
        break;
      case kObjectPicture:
        canvas->Rectangle(Trunc(picturePosition.x), Trunc(picturePosition.y),
                          Trunc(double(picturePosition.x) + pictureWidth),
                          Trunc(double(picturePosition.y) + pictureHeight));
        break;
      case kScreenPanel:
        canvas->Rectangle(Trunc(panelPosition.x), Trunc(panelPosition.y),
                          Trunc(double(panelPosition.x) + panelWidth),
                          Trunc(double(panelPosition.y) + panelHeight));
        break;
      default:
        break;
    }
  } else if (!skip) {
    if (showFrame) canvas->Rectangle(Trunc(Left()), Trunc(Top()), Trunc(Right()), Trunc(Bottom()));
    DrawObjectArrow();
    DrawLens();
    DrawScreen();
    DrawAxis();
    if (showConstruction) ConstructImage();
  }
  canvas->ClipRect.on = false;
  if (showPictures && mode == kDrawCopy) DrawPictures();
  canvas->Pen.style = TPenStyle::Solid;
  canvas->Pen.width = lineWidth;
}

void ImagingSystem::DrawObjectArrow() {
  if (canvas->Pen.mode == TPenMode::Copy) canvas->Pen.color = kObjectColour;
  DrawArrowLine(*canvas, b, a, 1);
  if (canvas->Pen.mode != TPenMode::Copy) return;
  const TPointF middle = Midpoint(a, b);
  HaloTextOut(*canvas, Trunc(middle.x + 8), Trunc(middle.y), Tr("154", "物体"));
  if (icon_)
    canvas->StretchDraw(Trunc(middle.x - icon_->width() / 2), Trunc(middle.y - icon_->height() / 2),
                        Trunc(middle.x - icon_->width() / 2 + icon_->width()),
                        Trunc(middle.y - icon_->height() / 2 + icon_->height()), *icon_);
  HaloTextOut(*canvas, Trunc(a.x - 12), Trunc(a.y), "A");
  HaloTextOut(*canvas, Trunc(b.x - 12), Trunc(b.y - 5), "B");
}

void ImagingSystem::DrawLens() {
  if (canvas->Pen.mode == TPenMode::Copy) canvas->Pen.color = kLensColour;
  const double h = DirectionAngle(lensTop, lensBottom);
  std::vector<Stroke> strokes{{lensTop, lensBottom}};
  for (double wing : {30.0, -30.0}) strokes.push_back({lensTop, PointAt(lensTop, h + wing, kWing)});
  for (double wing : {150.0, -150.0})
    strokes.push_back({lensBottom, PointAt(lensBottom, h + wing, kWing)});
  for (const auto& s : strokes) {
    canvas->MoveTo(Trunc(s.a.x), Trunc(s.a.y));
    canvas->LineTo(Trunc(s.b.x), Trunc(s.b.y));
  }
  if (canvas->Pen.mode == TPenMode::Copy)
    HaloTextOut(*canvas, Trunc(lensTop.x + 8), Trunc(lensTop.y), Tr("155", "凸透镜"));
}

void ImagingSystem::DrawScreen() {
  const bool copy = canvas->Pen.mode == TPenMode::Copy;
  if (copy) canvas->Pen.color = color;
  const TPointF t = screenTop, s = screenBottom;
  canvas->Polygon({{Trunc(t.x - 10), Trunc(t.y - 5)},
                   {Trunc(s.x - 10), Trunc(s.y - 5)},
                   {Trunc(s.x + 10), Trunc(s.y + 5)},
                   {Trunc(t.x + 10), Trunc(t.y + 5)}});
  // The foot: a short post and a wide base line.
  canvas->MoveTo(Trunc(s.x), Trunc(s.y + 5));
  canvas->LineTo(Trunc(s.x), Trunc(s.y + 15));
  const int width = canvas->Pen.width;
  canvas->Pen.width = 3;
  canvas->MoveTo(Trunc(s.x - 10), Trunc(s.y + 15));
  canvas->LineTo(Trunc(s.x + 10), Trunc(s.y + 15));
  canvas->Pen.width = width;
  if (copy) HaloTextOut(*canvas, Trunc(t.x + 14), Trunc(t.y), Tr("156", "屏幕"));
}

void ImagingSystem::DrawAxis() {
  canvas->Pen.color = color;
  canvas->Pen.width = 1;
  canvas->Pen.style = TPenStyle::DashDotDot;
  const float middleY = (Top() + Bottom()) / 2;
  canvas->MoveTo(Trunc(Left()), Trunc(middleY));
  canvas->LineTo(Trunc(Right()), Trunc(middleY));
  canvas->Pen.style = TPenStyle::Solid;
  // Whole multiples of f from the lens's middle O: the lens stays centred on
  // the frame's height, so O lies on the axis.
  const int y = Trunc(Midpoint(lensTop, lensBottom).y);
  const int ox = Trunc(lensTop.x);
  if (!(focalLength > 0) || !std::isfinite(focalLength)) return;
  for (int side : {1, -1}) {
    for (int k = side == 1 ? 0 : 1; k <= kMaxMarks; ++k) {
      const double x = ox + side * k * double(focalLength);
      if (side == 1 ? !(x < Right()) : !(x > Left())) break;
      const int mx = Trunc(x);
      canvas->Ellipse(mx - 2, y - 2, mx + 2, y + 2);
      if (k > 0) HaloTextOut(*canvas, mx - 4, y + 15, IntToStr(k) + "f");
    }
  }
}

void ImagingSystem::ConstructImage() {
  canvas->Pen.width = 1;
  canvas->Pen.style = TPenStyle::Solid;
  const TPointF o = Midpoint(lensTop, lensBottom);
  const TPointF focus{o.x + focalLength, o.y};
  const TPointF p = PerpendicularFoot(a, lensTop, lensBottom);
  const TPointF q = PerpendicularFoot(b, lensTop, lensBottom);
  auto line = [this](TPointF from, TPointF to, TColor colour) {
    canvas->Pen.color = colour;
    canvas->MoveTo(Trunc(from.x), Trunc(from.y));
    canvas->LineTo(Trunc(to.x), Trunc(to.y));
  };
  line(a, p, kRaysFromA);
  line(a, o, kRaysFromA);
  line(b, q, kRaysFromB);
  line(b, o, kRaysFromB);
  TPointF imageOfA, imageOfB;
  if (!Meet(p, focus, a, o, imageOfA) || !Meet(q, focus, b, o, imageOfB)) {
    // The object in the focal plane: the rays leave parallel, the image is
    // at infinity, and the screen shows nothing.
    const double towards = DirectionAngle(a, o);
    line(p, PointAt(p, towards, kParallelRayLength), kRaysFromA);
    line(o, PointAt(o, towards, kParallelRayLength), kRaysFromA);
    imageA = imageB = {0, 0};
    return;
  }
  // A virtual image is found by the reverse extensions: dotted.
  if (imageOfA.x < lensTop.x) canvas->Pen.style = TPenStyle::Dot;
  line(p, imageOfA, kRaysFromA);
  line(o, imageOfA, kRaysFromA);
  line(q, imageOfB, kRaysFromB);
  line(o, imageOfB, kRaysFromB);
  imageA = imageOfA;
  imageB = imageOfB;
  canvas->Pen.color = kObjectColour;
  DrawArrowLine(*canvas, imageB, imageA, 1);
  HaloTextOut(*canvas, Trunc(imageA.x), Trunc(imageA.y - 5 - canvas->TextHeight("A'")), "A'");
  HaloTextOut(*canvas, Trunc(imageB.x), Trunc(imageB.y), "B'");
  canvas->Pen.style = TPenStyle::Solid;
}

void ImagingSystem::DrawPicture(const std::shared_ptr<const QImage>& picture, int level, int x1,
                                int y1, int x2, int y2) {
  if (picture) {
    canvas->StretchDraw(x1, y1, x2, y2, *picture);
    return;
  }
  // A missing or unreadable file: its place stays empty, outlined, and says
  // which file to put into the picture folder.
  canvas->Pen.style = TPenStyle::Dot;
  canvas->Pen.width = 1;
  canvas->Brush.style = TBrushStyle::Clear;
  canvas->Rectangle(x1, y1, x2, y2);
  canvas->Font.color = 0x808080;
  canvas->TextOut(x1 + 2, y1 + 2,
                  Tr("ImagingSystem.NoPicture", "缺少图片") + " " + ScreenPictureName(level));
  canvas->Font.color = kTextColour;
  canvas->Pen.style = TPenStyle::Solid;
}

void ImagingSystem::DrawPictures() {
  canvas->Pen.mode = TPenMode::Copy;
  canvas->Pen.color = color;
  canvas->Pen.width = 1;
  auto dotted = [this](TPointF from, TPointF to) {
    canvas->Pen.style = TPenStyle::Dot;
    canvas->Brush.style = TBrushStyle::Clear;
    canvas->MoveTo(Trunc(from.x), Trunc(from.y));
    canvas->LineTo(Trunc(to.x), Trunc(to.y));
    canvas->Pen.style = TPenStyle::Solid;
  };
  const int bx = Trunc(picturePosition.x), by = Trunc(picturePosition.y);
  DrawPicture(objectPicture_, -1, bx, by, Trunc(double(bx) + pictureWidth),
              Trunc(double(by) + pictureHeight));
  canvas->Brush.style = TBrushStyle::Clear;
  canvas->Rectangle(bx, by, Trunc(double(bx) + pictureWidth), Trunc(double(by) + pictureHeight));
  dotted({float(bx + pictureWidth / 2), float(by + pictureHeight / 2)}, Midpoint(a, b));

  const int px = Trunc(panelPosition.x), py = Trunc(panelPosition.y);
  const int px2 = Trunc(double(px) + panelWidth), py2 = Trunc(double(py) + panelHeight);
  canvas->Brush.style = TBrushStyle::Solid;
  canvas->Brush.color = 0xFFFFFF;
  canvas->Rectangle(px, py, px2, py2);
  dotted({float(px + panelWidth / 2), float(py + panelHeight / 2)},
         Midpoint(screenTop, screenBottom));

  const int level = BlurLevel();
  if (level < 0) return;
  const float objectSize = Distance(a, b);
  const float scale =
      objectSize > 0 ? std::min(Distance(imageA, imageB) / objectSize, kMaxScale) : 0.0f;
  const double width = pictureWidth * double(scale), height = pictureHeight * double(scale);
  const double left = px + (panelWidth - width) / 2;
  const double top = py + (double(imageB.y) - screenTop.y);
  Clip(float(px), float(py), float(px2), float(py2));
  DrawPicture(Picture(level), level, Trunc(left), Trunc(top), Trunc(left + width),
              Trunc(top + height));
  canvas->ClipRect.on = false;
}

void ImagingSystem::DrawHandles() {
  if (!canvas) return;
  PreparePen(kDrawCopy);
  canvas->Brush.style = TBrushStyle::Clear;
  canvas->Rectangle(Trunc(Left()), Trunc(Top()), Trunc(Right()), Trunc(Bottom()));
  std::vector<TPointF> points(frame.begin(), frame.end());
  auto box = [&points](TPointF at, int width, int height) {
    const float w = float(width), h = float(height);
    points.insert(points.end(), {at, {at.x + w, at.y}, {at.x + w, at.y + h}, {at.x, at.y + h}});
  };
  switch (Trunc(selectedPart)) {
    case kObject:
      points.insert(points.end(), {a, b});
      break;
    case kLens:
      points.insert(points.end(), {lensTop, lensBottom});
      break;
    case kScreen:
      points.insert(points.end(), {screenTop, screenBottom});
      break;
    case kObjectPicture:
      box(picturePosition, pictureWidth, pictureHeight);
      break;
    case kScreenPanel:
      box(panelPosition, panelWidth, panelHeight);
      break;
    default:
      break;
  }
  DrawHandleSquares(points);
}

// ---------------------------------------------------------------- editing

int ImagingSystem::HitTest(int x, int y) {
  selectedHandle = -1;
  selectedPart = kNone;
  int result = kHitNone;
  const TPointF p{float(x), float(y)};
  // Each later success overrides the earlier ones.
  auto part = [&](bool hit, Part named) {
    if (!hit) return;
    result = kHitBody;
    selectedPart = named;
  };
  auto inBox = [&p](TPointF at, double width, double height) {
    return PointInRect(p, at.x, at.y, float(at.x + width), float(at.y + height));
  };
  part(PointInRect(p, Left(), Top(), Right(), Bottom()), kFrame);
  part(NearSegment(p, a, b, 0.5f), kObject);
  if (icon_) {
    const TPointF middle = Midpoint(a, b);
    part(inBox({middle.x - icon_->width() / 2, middle.y - icon_->height() / 2}, icon_->width(),
               icon_->height()),
         kObject);
  }
  part(NearSegment(p, lensTop, lensBottom, 0.5f), kLens);
  part(NearSegment(p, screenTop, screenBottom, 0.5f), kScreen);
  if (showPictures) {
    part(inBox(picturePosition, pictureWidth, pictureHeight), kObjectPicture);
    part(inBox(panelPosition, panelWidth, panelHeight), kScreenPanel);
  }
  const double half = Scaled(handleSize) / 2;
  for (int i = 0; i < 4; ++i) {
    const TPointF c = frame[static_cast<std::size_t>(i)];
    if (std::fabs(double(x) - c.x) <= half && std::fabs(double(y) - c.y) <= half) {
      selectedHandle = i;
      return kHitHandle;
    }
  }
  return result;
}

bool ImagingSystem::InRect(float x1, float y1, float x2, float y2) {
  return InRectPolyline(x1, y1, x2, y2, true);
}

void ImagingSystem::BeginCreate(int x, int y) { SetDragOrigin(float(x), float(y)); }

void ImagingSystem::Move(int mode, int x, int y) {
  if (mode == kMoveHandle) {
    if (selectedHandle < 0 || selectedHandle > 3) return;
    TPointF& corner = frame[static_cast<std::size_t>(selectedHandle)];
    if (corner.x == float(x) && corner.y == float(y)) return;
    const auto before = frame;
    corner = {float(x), float(y)};
    // The neighbours follow so that the frame stays axis-parallel: the one
    // across a vertical side takes x, the one across a horizontal side y.
    static constexpr int kSameX[4] = {3, 2, 1, 0}, kSameY[4] = {1, 0, 3, 2};
    frame[kSameX[selectedHandle]].x = float(x);
    frame[kSameY[selectedHandle]].y = float(y);
    if (Right() - Left() < kMinFrameWidth || Bottom() - Top() < kMinFrameHeight) {
      frame = before;
      return;
    }
    const int dy = Trunc((double(Top()) + Bottom()) / 2 - Midpoint(lensTop, lensBottom).y);
    for (TPointF* p : {&lensTop, &lensBottom, &screenTop, &screenBottom}) p->y += float(dy);
    return;
  }
  if (mode != kMoveDrag) {
    MovePoints(mode, x, y);
    return;
  }
  const int dx = Trunc(double(x) - dragOriginX), dy = Trunc(double(y) - dragOriginY);
  if (dx == 0 && dy == 0) return;
  SetDragOrigin(float(x), float(y));
  const float fx = float(dx), fy = float(dy);
  auto between = [](double v, double low, double high) { return v >= low && v <= high; };
  switch (Trunc(selectedPart)) {
    case kFrame:
      MovePoints(3, dx, dy);
      break;
    case kObject: {
      const TPointF na{a.x + fx, a.y + fy}, nb{b.x + fx, b.y + fy};
      const float x1 = Left() + 2, x2 = lensTop.x - kKeepOff;
      if (PointInRect(na, x1, lensTop.y, x2, lensBottom.y) &&
          PointInRect(nb, x1, lensTop.y, x2, lensBottom.y)) {
        a = na;
        b = nb;
      }
      break;
    }
    case kLens: {
      const double low = double(a.x) + kKeepOff, high = double(screenTop.x) - kKeepOff;
      if (between(x, low, high) && between(double(lensTop.x) + dx, low, high)) {
        lensTop.x += fx;
        lensBottom.x += fx;
      }
      break;
    }
    case kScreen: {
      const double low = double(lensTop.x) + kKeepOff, high = double(Right()) - kKeepOff;
      if (between(x, low, high) && between(double(screenTop.x) + dx, low, high)) {
        screenTop.x += fx;
        screenBottom.x += fx;
      }
      break;
    }
    case kObjectPicture:
      picturePosition = {picturePosition.x + fx, picturePosition.y + fy};
      break;
    case kScreenPanel:
      panelPosition = {panelPosition.x + fx, panelPosition.y + fy};
      break;
    default:  // dragged along with other objects: everything moves
      MovePoints(3, dx, dy);
      picturePosition = {picturePosition.x + fx, picturePosition.y + fy};
      panelPosition = {panelPosition.x + fx, panelPosition.y + fy};
      break;
  }
}

PropertyRows ImagingSystem::Rows() {
  PropertyRows rows(Tr("160", "成像系统属性"));
  rows.Add(YesNoRow(Tr("157", "是否关联物体"), showPictures));
  const RowHandle focal = rows.Add(Tr("159", "凸透镜焦距"), FloatToShortStr(focalLength));
  focal->apply = [this](const std::string& text) {
    double value = 0;
    // The focal marks step by f across the frame: f must stay positive.
    if (!TryStrToFloat(text, value) || !(value > 0) || value > FLT_MAX) {
      ShowMessage(Tr(texts::kFocalLengthPositive));
      return false;
    }
    focalLength = static_cast<float>(value);
    return true;
  };
  rows.Add(YesNoRow(Tr("158", "是否显示边框"), showFrame));
  return rows;
}

void ImagingSystem::RecordFields(RecordIo& io) {
  for (TPointF& corner : frame) io.Point(corner);
  for (TPointF* p : {&a, &b, &lensTop, &lensBottom, &screenTop, &screenBottom, &sparePoint,
                     &picturePosition, &panelPosition, &imageA, &imageB})
    io.Point(*p);
  io.Fields(spareFlag, showPictures, focalLength, selectedPart, showConstruction);
  for (std::int32_t* size : {&pictureWidth, &pictureHeight, &panelWidth, &panelHeight})
    io.ClampedInt32(*size, 0, kMaxBoxSize);
  io.Byte(skipNextPaint);
  io.Block(reserved);
}
