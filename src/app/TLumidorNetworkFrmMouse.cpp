// The main window's surface input: placing, selecting, dragging, the rubber
// band, and the drawing board's share of the mouse while it is shown.
#include <QLabel>
#include <QMenu>
#include <QToolButton>
#include <tuple>
#include <utility>

#include "app/GridControls.h"
#include "app/IDrawingBoard.h"
#include "app/TDrawSurface.h"
#include "app/TLumidorNetworkFrm.h"
#include "app/TeachingControls.h"
#include "scene/ProcessSettings.h"

namespace {

constexpr TColor kRubberBandColour = 0xFF7F7F;

std::pair<int, int> ToPair(QPoint p) { return {p.x(), p.y()}; }

}  // namespace

// ---------------------------------------------------------------- mouse

void TLumidorNetworkFrm::SurfaceMouseDown(Qt::MouseButton button, int x, int y) {
  if (grid_ && !BoardVisible()) std::tie(x, y) = ToPair(grid_->Snapped(x, y, true));
  handlers_ == Handlers::Placing ? DrawSelectToolMouseDown(button, x, y)
                                 : DefaultMouseDown(button, x, y);
}

void TLumidorNetworkFrm::SurfaceMouseMove(Qt::MouseButtons buttons, int x, int y) {
  if (grid_ && !BoardVisible()) std::tie(x, y) = ToPair(grid_->Snapped(x, y, false));
  handlers_ == Handlers::Placing ? DrawSelectToolMouseMove(buttons, x, y)
                                 : DefaultMouseMove(buttons, x, y);
}

void TLumidorNetworkFrm::SurfaceMouseUp(Qt::MouseButton button, int x, int y) {
  if (grid_ && !BoardVisible()) std::tie(x, y) = ToPair(grid_->Snapped(x, y, false));
  handlers_ == Handlers::Placing ? DrawSelectToolMouseUp(button, x, y)
                                 : DefaultMouseUp(button, x, y);
}

bool TLumidorNetworkFrm::BoardMouseDown(Qt::MouseButton button, int x, int y) {
  if (!BoardVisible()) return false;
  if (button == Qt::LeftButton) {
    board_->PointerPressure(surface_->PenPressure());
    board_->PointerDown(x, y);
    surface_->setCursor(board_->SurfaceCursor());
  }
  return true;
}

bool TLumidorNetworkFrm::BoardMouseMove(Qt::MouseButtons buttons, int x, int y) {
  if (!BoardVisible()) return false;
  if (buttons & Qt::LeftButton) {
    board_->PointerPressure(surface_->PenPressure());
    board_->PointerMove(x, y);
    if (board_->StrokeInProgress()) RefreshView();
  }
  const QCursor cursor = board_->SurfaceCursor();
  if (surface_->cursor().shape() != cursor.shape()) surface_->setCursor(cursor);
  return true;
}

bool TLumidorNetworkFrm::BoardMouseUp(Qt::MouseButton button) {
  if (!BoardVisible()) return false;
  if (button == Qt::LeftButton) {
    const bool changed = board_->StrokeInProgress();
    board_->PointerUp();
    if (changed) RefreshView();
  }
  return true;
}

void TLumidorNetworkFrm::ShowStatusPoint(int x, int y) {
  statusPanels_[0]->setText("X:" + QString::number(x));
  statusPanels_[1]->setText("Y:" + QString::number(y));
}

void TLumidorNetworkFrm::DrawSelectToolMouseDown(Qt::MouseButton button, int x, int y) {
  if (BoardMouseDown(button, x, y)) return;
  if (button == Qt::LeftButton) {
    document_->selection.clear();
    mouseDown = true;
    // Kept from a press whose release never came, they wait for this one.
    if (!dragMessages_) dragMessages_ = std::make_unique<HeldMessages>();
    if (document_->placement) document_->placement->BeginCreate(x, y);
  }
  downX = x;
  downY = y;
}

void TLumidorNetworkFrm::DrawSelectToolMouseMove(Qt::MouseButtons buttons, int x, int y) {
  if (BoardMouseMove(buttons, x, y)) return;
  if ((buttons & Qt::LeftButton) && mouseDown && document_->placement) {
    // The object erases and redraws its own XOR outline.
    document_->placement->DragCreate(x, y);
    surface_->update();
  }
  ShowStatusPoint(x, y);
}

void TLumidorNetworkFrm::DrawSelectToolMouseUp(Qt::MouseButton button, int x, int y) {
  if (BoardMouseUp(button)) return;
  Document& doc = *document_;
  if (button == Qt::LeftButton && mouseDown) {
    mouseDown = false;
    const bool clicked = x == downX && y == downY;
    if (!doc.placement || (clicked && doc.placement->className != "PointLampHouse")) {
      // A click places nothing (a point source excepted). The press dropped
      // the selection: its handles and the edit buttons must follow.
      doc.placement.reset();
      InstallDefaultHandlers();
      arrowBtn_->setChecked(true);
      RefreshView();
      UpdateEditButtons();
      ReleaseDragMessages();
      return;
    }
    DrawObjectUnit* placed = doc.AppendObject(std::move(doc.placement));
    placed->EndCreate(x, y);
    InstallDefaultHandlers();
    PushUndoSnapshot();
  }
  // Pressing the arrow button disarms a tool still armed (a right click).
  ArrowBtnClick();
  RefreshView();
  UpdateEditButtons();
  if (button == Qt::LeftButton) ReleaseDragMessages();
}

void TLumidorNetworkFrm::ReleaseDragMessages() {
  if (auto held = std::move(dragMessages_)) held->Release();
}

void TLumidorNetworkFrm::DefaultMouseDown(Qt::MouseButton button, int x, int y) {
  if (BoardMouseDown(button, x, y)) return;
  mouseDown = true;
  hitCode = document_->SelectAt(x, y, button == Qt::LeftButton);
  if (hitCode == 0 && button == Qt::LeftButton && !moveMode && teaching_)
    teaching_->PressedOnNothing(x, y);
  document_->SetDragOriginAll(float(x), float(y));
  downX = lastX = x;
  downY = lastY = y;
  RefreshView();
}

void TLumidorNetworkFrm::DrawRubberBand(int x1, int y1, int x2, int y2) {
  TCanvas* canvas = surface_->Canvas();
  canvas->Pen.mode = TPenMode::Xor;
  canvas->Pen.color = kRubberBandColour;
  canvas->Pen.style = TPenStyle::Dot;
  canvas->Pen.width = 1;
  canvas->Brush.style = TBrushStyle::Clear;
  canvas->Rectangle(x1, y1, x2, y2);
}

void TLumidorNetworkFrm::DefaultMouseMove(Qt::MouseButtons buttons, int x, int y) {
  if (BoardMouseMove(buttons, x, y)) return;
  const bool left = buttons & Qt::LeftButton;
  if (left && mouseDown && hitCode != kHitNone) {
    document_->MoveSelection(hitCode, x, y);
    RefreshView();
  } else if (left && mouseDown) {
    if (moveMode) {
      document_->PanAll(x, y);
      RefreshView();
    } else {
      DrawRubberBand(downX, downY, lastX, lastY);  // erases the previous band
      DrawRubberBand(downX, downY, x, y);
      lastX = x;
      lastY = y;
      surface_->update();
    }
  }
  ShowStatusPoint(x, y);
}

void TLumidorNetworkFrm::DefaultMouseUp(Qt::MouseButton button, int x, int y) {
  if (BoardMouseUp(button)) return;
  const bool left = button == Qt::LeftButton;
  const bool bothDiffer = x != downX && y != downY;
  if (left && mouseDown && hitCode != kHitNone) {
    if (x != downX || y != downY) PushUndoSnapshot();
  } else if (left && mouseDown && bothDiffer && !moveMode) {
    // A pan moved the scene; it selects nothing.
    if (document_->SelectInRect(float(downX), float(downY), float(x), float(y))) hitCode = 100;
  }
  if (bothDiffer && hitCode == kHitNone && mouseDown && left && !moveMode) {
    DrawRubberBand(downX, downY, x, y);
    surface_->Canvas()->Pen.style = TPenStyle::Solid;
  }
  hitCode = kHitNone;
  mouseDown = false;
  RefreshView();
  UpdateEditButtons();
}

void TLumidorNetworkFrm::SurfaceDoubleClick() {
  // The press of the double-click came first and selected what lies under
  // the pointer. Its release goes to the modal sheet, so the press ends
  // here, and the buttons follow the selection the sheet leaves.
  ShowPropertiesMenuClick();
  mouseDown = false;
  hitCode = kHitNone;
  UpdateEditButtons();
}

void TLumidorNetworkFrm::ShowToolUnitMenuAt(QPoint globalPos) { toolUnitMenu_->popup(globalPos); }

bool TLumidorNetworkFrm::PlainPointer() const {
  return handlers_ == Handlers::Default && !(board_ && board_->Visible());
}

void TLumidorNetworkFrm::PopupMenuAt(const QPoint& global) { toolUnitMenu_->popup(global); }

void TLumidorNetworkFrm::PutToolDown() {
  const bool armed = handlers_ == Handlers::Placing;
  if (!armed && !moveMode) {
    // Nothing held: Esc lets go of the selection.
    if (!document_->selection.empty() && !mouseDown) {
      document_->Deselect();
      RefreshView();
      UpdateEditButtons();
    }
    return;
  }
  // A press still held while placing ends here: its release must neither
  // place the discarded object nor select with a rubber band.
  const bool pressed = armed && mouseDown;
  ArrowBtnClick();
  if (pressed) {
    mouseDown = false;
    hitCode = kHitNone;
    // The object's outline was drawn on the bitmap.
    RefreshView();
  }
}
