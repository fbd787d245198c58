#pragma once
// What the main window needs from the drawing board: while the board's tool
// window is visible, left-button input on the surface goes to the board and
// never reaches the scene. The board window itself lives elsewhere; without
// one the window behaves as if the board were hidden.

#include <QCursor>

class TCanvas;

class IDrawingBoard {
 public:
  virtual ~IDrawingBoard() = default;
  virtual bool Visible() const = 0;
  virtual void Show() = 0;
  virtual void Close() = 0;
  virtual void PointerDown(int x, int y) = 0;
  virtual void PointerMove(int x, int y) = 0;
  virtual void PointerUp() = 0;
  // The stylus's pressure for the next points (below 0: a mouse or finger).
  virtual void PointerPressure(double) {}
  // A pen or eraser stroke is being drawn; the surface is redrawn only then.
  virtual bool StrokeInProgress() const = 0;
  // Lays the strokes over the finished picture.
  virtual void PaintOverlay(TCanvas& canvas) = 0;
  // Wipes the strokes (New, Open).
  virtual void Clear() = 0;
  // Cursor the surface shows while the board is visible.
  virtual QCursor SurfaceCursor() const = 0;
};
