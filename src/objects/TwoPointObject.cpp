#include "objects/TwoPointObject.h"

#include "gfx/PresentationScale.h"
#include "i18n/Convert.h"
#include "i18n/SharedTexts.h"
#include "i18n/TtlmController.h"
#include "optics/PlaneMath.h"
#include "optics/RayGeometry.h"
#include "optics/SelectionGeometry.h"
#include "scene/IMessageSink.h"
#include "scene/UserCoordinates.h"

int TwoPointObject::HitTest(int x, int y) {
  auto points = ControlPoints();
  if (points.size() < 2) return kHitNone;
  const float h = float(Scaled(handleSize) / 2);
  const TPointF p{float(x), float(y)};
  const TPointF a = points[0].Get(), b = points[1].Get();
  const float d1 = Distance(p, a), d2 = Distance(p, b), length = Distance(a, b);
  if (d1 < h) {
    selectedHandle = 0;
    return kHitHandle;
  }
  if (d2 < h) {
    selectedHandle = 1;
    return kHitHandle;
  }
  if (double(length) + Scaled(0.5) > double(d1) + d2) return kHitBody;
  selectedHandle = -1;
  return kHitNone;
}

std::optional<DrawObjectUnit::Heading> TwoPointObject::Direction() {
  if (ControlPoints().size() < 2) return std::nullopt;
  return Heading{TurnPivot(), DirectionAngle(P1(), P2())};
}

bool TwoPointObject::InRect(float x1, float y1, float x2, float y2) {
  auto points = ControlPoints();
  if (points.size() < 2) return false;
  const TPointF a = points[0].Get(), b = points[1].Get();
  return PointInRect(a, x1, y1, x2, y2) || PointInRect(b, x1, y1, x2, y2) ||
         SegmentMeetsRect(MakeSegment(a, b), x1, y1, x2, y2);
}

void TwoPointObject::DrawHandles() {
  auto points = ControlPointValues();
  if (points.size() > 2) points.resize(2);
  DrawHandleSquares(points);
}

TwoPointObject::EndRows TwoPointObject::AddTwoPointRows(PropertyRows& rows, int group) {
  auto points = ControlPoints();
  auto add = [&](PropertyRow row) {
    RowHandle handle = rows.Add(std::move(row));
    handle->group = group;
    return handle;
  };
  const RowHandle x1 =
      add(UserXRow("X1", *points[0].x, Tr("71", "x1,不是有用的整数,请输入一个整数.")));
  const RowHandle y1 =
      add(UserYRow("Y1", *points[0].y, Tr("73", "y1,不是有用的整数,请输入一个整数.")));
  const RowHandle x2 =
      add(UserXRow("X2", *points[1].x, Tr("72", "x2,不是有用的整数,请输入一个整数.")));
  const RowHandle y2 =
      add(UserYRow("Y2", *points[1].y, Tr("74", "y2,不是有用的整数,请输入一个整数.")));
  return {x1, y1, x2, y2};
}

TwoPointObject::EndRows TwoPointObject::AddEndRows(PropertyRows& rows, int group) {
  auto points = ControlPoints();
  auto add = [&](float& value, int axis, const std::string& key) {
    RowHandle row = rows.Add(key, axis == 1 ? UserXText(value) : UserYText(value));
    row->group = group;
    row->apply = [&value, axis, key](const std::string& text) {
      int v = 0;
      if (!TryStrToInt(text, v)) {
        ShowMessage(key + "=" + text + Tr(texts::kNotAnInteger));
        return false;
      }
      value = UserToScreen(float(v), axis);
      return true;
    };
    return row;
  };
  const RowHandle x1 = add(*points[0].x, 1, "X1");
  const RowHandle y1 = add(*points[0].y, 2, "Y1");
  const RowHandle x2 = add(*points[1].x, 1, "X2");
  const RowHandle y2 = add(*points[1].y, 2, "Y2");
  return {x1, y1, x2, y2};
}
