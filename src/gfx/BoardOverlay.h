#pragma once
// The drawing board's strokes: a bitmap laid over the finished picture, with
// the pen and eraser that draw on it. Headless, so the strokes can be checked
// without a window.
//
// Where nothing is drawn the overlay is clear (alpha 0) rather than filled
// with the key colour: laying it over the picture is then one blend, and the
// key colour still behaves as a key: the eraser and a pen in that colour
// leave the overlay clear, and a picture drawn in it shows through.

#include <QImage>
#include <QSize>

#include "gfx/TCanvas.h"

class BoardOverlay {
 public:
  enum class Tool { None, Pen, Eraser };

  static constexpr TColor kTransparentColor = 0x20000;
  // Smallest overlay, whatever the surface's size.
  static constexpr int kMinWidth = 1200;
  static constexpr int kMinHeight = 1000;

  TColor penColor = 255;
  int penWidth = 1;
  int eraserSize = 1;
  // "显示笔迹": the faster the pen moves, the thinner the line.
  bool speedSensitive = false;
  // A stylus's pressure (0 to 1) for the points that follow; below 0 for a
  // mouse or a finger. With "显示笔迹" it sets the width instead of the speed.
  double pressure = -1;

  // Made on first use, at least the minimum size; a later, larger surface
  // widens it and keeps what is drawn.
  void Cover(QSize surface);
  bool Created() const { return !image_.isNull(); }
  QSize Size() const { return image_.size(); }

  void Select(Tool tool);
  Tool Selected() const { return tool_; }

  void PointerDown(int x, int y);
  void PointerMove(int x, int y);
  void PointerUp() { stroking_ = false; }
  bool StrokeInProgress() const { return stroking_; }
  // Width of the pen stroke being drawn (changes with speed).
  int StrokeWidth() const { return strokeWidth_; }

  void Clear();
  // Blends the strokes over the picture at (0, 0).
  void PaintOver(QImage& target) const;
  // What the overlay holds at a point, the key colour where it is clear.
  TColor ColorAt(int x, int y) const;
  const QImage& Image() const { return image_; }

 private:
  void PenLine(int x, int y);
  void EraseSquare(int x, int y);

  QImage image_;
  Tool tool_ = Tool::None;
  bool stroking_ = false;
  int strokeWidth_ = 1;
  int lastX_ = 0, lastY_ = 0;
};
