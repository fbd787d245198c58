#include "objects/elements/FourPrism.h"

#include <algorithm>
#include <memory>

#include "i18n/Convert.h"
#include "i18n/TtlmController.h"
#include "optics/BoxGeometry.h"
#include "optics/PlaneMath.h"
#include "scene/UserCoordinates.h"

FourPrism::FourPrism(TCanvas* canvas) : ObjectOf(canvas, 4) { SetClassName("FourPrism"); }

void FourPrism::SetRectangle(TPointF first, TPointF opposite) {
  SpanBox(vertices.data(), first, opposite);
}

TPointF FourPrism::Interior() const { return Midpoint(vertices[0], vertices[2]); }

bool FourPrism::SmoothOutline() const { return false; }

void FourPrism::PlaceDragged(int x, int y) { SetRectangle(vertices[0], {float(x), float(y)}); }

void FourPrism::Move(int mode, int x, int y) {
  if (mode == kMoveHandle)
    DragBoxCorner(vertices.data(), selectedHandle, {float(x), float(y)});
  else
    MovePoints(mode, x, y);
}

PropertyRows FourPrism::Rows() {
  PropertyRows rows(Tr("125", "方形介质属性"));
  // Size of the normalised rectangle in whole pixels: never negative, also
  // after the rectangle was dragged up or left of its first corner.
  const int x0 = Trunc(vertices[0].x), y0 = Trunc(vertices[0].y);
  const int x2 = Trunc(vertices[2].x), y2 = Trunc(vertices[2].y);
  const long long width = std::max(x0, x2) - static_cast<long long>(std::min(x0, x2));
  const long long height = std::max(y0, y2) - static_cast<long long>(std::min(y0, y2));
  // Corner and size are stored together once all four rows are valid: a
  // half-applied corner would leave the rectangle skewed.
  struct Staged {
    int x = 0, y = 0, width = 0, height = 0;
  };
  auto staged = std::make_shared<Staged>();
  auto intRow = [&rows, staged](std::string key, std::string value, std::string message,
                                int Staged::*field) {
    const RowHandle row = rows.Add(
        std::move(key), std::move(value), 1, std::move(message),
        [staged, field](const std::string& text) { return TryStrToInt(text, (*staged).*field); });
    return row;
  };
  const RowHandle x = intRow("X1", CoordinateText(vertices[0].x, 1),
                             Tr("119", "X1,不是有用的数值型,请输入一个数值型."), &Staged::x);
  const RowHandle y = intRow("Y1", CoordinateText(vertices[0].y, 2),
                             Tr("120", "Y1,不是有用的数值型,请输入一个数值型."), &Staged::y);
  const RowHandle w = rows.Add(Tr("123", "宽度"), IntToStr(width));
  w->group = 1;
  w->message = Tr("124", "宽度,不是有用的数值型,请输入一个数值型.");
  // The width is read last of the four: then the rectangle takes them all.
  w->apply = [this, staged](const std::string& text) {
    if (!TryStrToInt(text, staged->width)) return false;
    const TPointF first{UserToScreen(float(staged->x), 1), UserToScreen(float(staged->y), 2)};
    SetRectangle(first, {static_cast<float>(double(first.x) + staged->width),
                         static_cast<float>(double(first.y) + staged->height)});
    return true;
  };
  const RowHandle h = intRow(Tr("121", "高度"), IntToStr(height),
                             Tr("122", "高度,不是有用的数值型,请输入一个数值型."), &Staged::height);
  const MediumRows medium = AddMediumRows(rows, 1);
  rows.ApplyOrder(Join({medium.fill.Order(), {x, y, h, w, medium.index}}));
  AddCentreRows(rows, *this, Midpoint(vertices[0], vertices[2]));
  return rows;
}
