#include "objects/TwoPointObject.h"

#include "i18n/Convert.h"
#include "i18n/TtlmController.h"
#include "optics/Geometry.h"
#include "scene/IMessageSink.h"
#include "scene/UserCoordinates.h"

int TwoPointObject::HitTest(int x, int y) {
  auto points = ControlPoints();
  if (points.size() < 2) return 0;
  const float h = float(handleSize / 2);
  const TPointF p{float(x), float(y)};
  const TPointF a = points[0].Get(), b = points[1].Get();
  const float d1 = Distance(p, a), d2 = Distance(p, b), length = Distance(a, b);
  if (d1 < h) {
    selectedHandle = 0;
    return 1;
  }
  if (d2 < h) {
    selectedHandle = 1;
    return 1;
  }
  if (double(length) + 0.5 > double(d1) + d2) return 2;
  selectedHandle = -1;
  return 0;
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

void TwoPointObject::AddTwoPointRows(PropertyRows& rows, int group) {
  auto points = ControlPoints();
  rows.Add(UserXRow("X1", *points[0].x, Tr("71", "x1,不是有用的整数,请输入一个整数."))).group =
      group;
  rows.Add(UserYRow("Y1", *points[0].y, Tr("73", "y1,不是有用的整数,请输入一个整数."))).group =
      group;
  rows.Add(UserXRow("X2", *points[1].x, Tr("72", "x2,不是有用的整数,请输入一个整数."))).group =
      group;
  rows.Add(UserYRow("Y2", *points[1].y, Tr("74", "y2,不是有用的整数,请输入一个整数."))).group =
      group;
}

void TwoPointObject::AddEndRows(PropertyRows& rows, int group) {
  auto points = ControlPoints();
  for (int i = 0; i < 2; ++i) {
    for (int axis : {1, 2}) {
      float& value = axis == 1 ? *points[static_cast<std::size_t>(i)].x
                               : *points[static_cast<std::size_t>(i)].y;
      const std::string key = (axis == 1 ? "X" : "Y") + IntToStr(i + 1);
      PropertyRow& row = rows.Add(key, axis == 1 ? UserXText(value) : UserYText(value));
      row.group = group;
      row.apply = [&value, axis, key](const std::string& text) {
        int v = 0;
        if (!TryStrToInt(text, v)) {
          ShowMessage(key + "=" + text + Tr("115", ",不是有用的整数,请输入一个整数."));
          return false;
        }
        value = UserToScreen(float(v), axis);
        return true;
      };
    }
  }
}
