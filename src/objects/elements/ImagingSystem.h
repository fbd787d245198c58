#pragma once
// Imaging system: a self-contained demonstration of a convex lens
// inside a frame. The object arrow A-B, the lens and the screen are dragged;
// the image A'-B' is constructed with two rays from each end, and a panel
// beside the frame shows the object's picture as the screen would show it,
// blurred by the screen's distance from the image. It takes no part in
// tracing and is placed at once by its tool, never drawn with the mouse.

#include <QImage>
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "scene/DrawObjectUnit.h"
#include "scene/ObjectOf.h"

class ImagingSystem : public ObjectOf<ImagingSystem, DrawObjectUnit> {
 public:
  explicit ImagingSystem(TCanvas* canvas);

  // Parts a HitTest selects: what a drag in move mode 2 carries.
  enum Part { kNone = -1, kFrame = 0, kObject, kLens, kScreen, kObjectPicture, kScreenPanel };

  // Own fields, in record order. The ten control points: the frame corners
  // (top-left, top-right, bottom-right, bottom-left), A (top) and B of the
  // object, the lens ends and the screen ends, top first.
  std::array<TPointF, 4> frame{TPointF{100, 20}, {700, 20}, {700, 420}, {100, 420}};
  TPointF a{150, 150}, b{150, 290};
  TPointF lensTop{400, 50}, lensBottom{400, 390};
  TPointF screenTop{600, 50}, screenBottom{600, 380};
  TPointF sparePoint{0, 0};
  TPointF picturePosition{20, 150};    // top-left of the object picture box
  TPointF panelPosition{620, 20};      // top-left of the screen panel
  TPointF imageA{0, 0}, imageB{0, 0};  // left by the last construction
  std::uint8_t spareFlag = 0;
  std::uint8_t showPictures = 1;
  float focalLength = 100;
  float selectedPart = kNone;
  std::uint8_t showConstruction = 1;
  std::int32_t pictureWidth = 46, pictureHeight = 212;
  std::int32_t panelWidth = 100, panelHeight = 350;
  // Not in the record: a read object shows its frame.
  std::uint8_t showFrame = 1;
  std::string pictureFolder;  // with a trailing '/'

  void Draw(int mode) override;
  bool Imaging() const override { return true; }
  void DrawHandles() override;
  int HitTest(int x, int y) override;
  bool InRect(float x1, float y1, float x2, float y2) override;
  // Not placed with the mouse: creating changes nothing.
  void BeginCreate(int x, int y) override;
  void DragCreate(int, int) override {}
  void EndCreate(int, int) override {}
  void Move(int mode, int x, int y) override;

  // The small picture over the middle of the object: picture 0 of the
  // tool's image list, drawn by the program.
  static QImage ToolIcon();
  // Blur level the screen shows for the last construction: 0 (sharp) to 6,
  // or -1 when the panel stays white (a virtual image, or the screen more
  // than 62 px from the image).
  int BlurLevel() const;
  // "0.dat" or "nn.dat": the file the object or screen picture is read from.
  static std::string ScreenPictureName(int level);
  // The picture of `level` (-1: the object picture "0.dat"); null when its
  // file is missing or unreadable.
  std::shared_ptr<const QImage> Picture(int level);

 protected:
  std::vector<PointRef> ControlPoints() override;
  void RecordFields(RecordIo& io) override;
  PropertyRows Rows() override;

 private:
  float Left() const;
  float Right() const;
  float Top() const;
  float Bottom() const;
  void Clip(float x1, float y1, float x2, float y2);
  void DrawObjectArrow();
  void DrawLens();
  void DrawScreen();
  void DrawAxis();
  void ConstructImage();
  void DrawPictures();
  // The picture in the box, or its place outlined with the missing file's name.
  void DrawPicture(const std::shared_ptr<const QImage>& picture, int level, int x1, int y1, int x2,
                   int y2);

  // Shared by copies: pictures are only ever replaced, never changed.
  std::shared_ptr<const QImage> icon_;
  std::shared_ptr<const QImage> objectPicture_;
  std::shared_ptr<const QImage> screenPicture_;
  int screenPictureLevel_ = -2;  // the level screenPicture_ was read for
};
