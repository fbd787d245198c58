#pragma once
// A drawing board that counts what the main window asks of it.

#include "app/IDrawingBoard.h"

class FakeBoard : public IDrawingBoard {
 public:
  bool visible = true;
  int downs = 0, moves = 0, ups = 0, closes = 0, clears = 0;
  bool stroke = false;
  bool Visible() const override { return visible; }
  void Show() override { visible = true; }
  void Close() override {
    ++closes;
    visible = false;
  }
  void PointerDown(int, int) override {
    ++downs;
    stroke = true;
  }
  void PointerMove(int, int) override { ++moves; }
  void PointerUp() override {
    ++ups;
    stroke = false;
  }
  bool StrokeInProgress() const override { return stroke; }
  void PaintOverlay(TCanvas&) override {}
  void Clear() override { ++clears; }
  QCursor SurfaceCursor() const override { return QCursor(Qt::IBeamCursor); }
};
