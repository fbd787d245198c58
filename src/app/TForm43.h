#pragma once
// The drawing board's tool window ("画板"): a small window above the main one
// with pen, eraser, widths, colour and "清除画板". While it is shown, the main
// window hands left-button input on the surface to it; the strokes live in a
// BoardOverlay laid over every redraw.

#include <QCursor>
#include <QWidget>
#include <functional>

#include "app/IDrawingBoard.h"
#include "gfx/BoardOverlay.h"
#include "i18n/TtlmController.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QToolButton;
class TDrawSurface;

class TForm43 : public QWidget, public IDrawingBoard {
 public:
  // `surface` shows the board's cursors and sizes the overlay; `redraw`
  // repaints the picture after "清除画板".
  TForm43(QWidget* mainWindow, TDrawSurface* surface, std::function<void()> redraw);

  bool Visible() const override { return isVisible(); }
  void Show() override;
  void Close() override { hide(); }
  void PointerDown(int x, int y) override { overlay_.PointerDown(x, y); }
  void PointerMove(int x, int y) override { overlay_.PointerMove(x, y); }
  void PointerUp() override { overlay_.PointerUp(); }
  void PointerPressure(double pressure) override { overlay_.pressure = pressure; }
  bool StrokeInProgress() const override { return overlay_.StrokeInProgress(); }
  void PaintOverlay(TCanvas& canvas) override;
  void Clear() override { overlay_.Clear(); }
  QCursor SurfaceCursor() const override;

  BoardOverlay& Overlay() { return overlay_; }
  void SetPenColor(TColor color);

  QToolButton* PenButton;
  QToolButton* EraserButton;
  QLabel* PenWidthLabel;
  QComboBox* PenWidthList;
  QLabel* EraserSizeLabel;
  QComboBox* EraserSizeList;
  QPushButton* ColorButton;
  QCheckBox* ShowTraceBox;
  QPushButton* ClearButton;

 protected:
  void hideEvent(QHideEvent* event) override;

 private:
  void SelectPen();
  void SelectEraser();
  // The pen's settings or the eraser's, as the tool chosen.
  void EnableToolSettings(bool pen);
  void ColorButtonClick();
  void ClearButtonClick();
  void ApplySurfaceCursor();

  TtlmController tlm_{"TForm43"};
  QWidget* mainWindow_;
  TDrawSurface* surface_;
  std::function<void()> redraw_;
  BoardOverlay overlay_;
  QCursor penCursor_;
  QCursor eraserCursors_[3];
  // The surface's own cursor, given back when the board closes.
  QCursor sceneCursor_;
};
