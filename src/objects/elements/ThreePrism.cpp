#include "objects/elements/ThreePrism.h"

#include "i18n/Convert.h"
#include "i18n/SharedTexts.h"
#include "i18n/TtlmController.h"
#include "optics/PlaneMath.h"
#include "scene/IMessageSink.h"
#include "scene/UserCoordinates.h"

ThreePrism::ThreePrism(TCanvas* canvas) : ObjectOf(canvas, 3) { SetClassName("ThreePrism"); }

TPointF ThreePrism::Interior() const {
  return Midpoint(Midpoint(vertices[0], vertices[1]), vertices[2]);
}

void ThreePrism::PlaceDragged(int x, int y) {
  vertices[1] = {float(x), float(y)};
  vertices[2] = {static_cast<float>(2.0 * vertices[0].x - x), float(y)};
}

PropertyRows ThreePrism::Rows() {
  PropertyRows rows(Tr("118", "三角介质属性"));
  RowOrder vertexRows;
  for (int i = 0; i < 3; ++i) {
    const std::string n = IntToStr(i + 1);
    for (int axis : {1, 2}) {
      float& value = axis == 1 ? vertices[i].x : vertices[i].y;
      const std::string key = (axis == 1 ? "X" : "Y") + n;
      vertexRows.push_back(rows.Add(key, CoordinateText(value, axis)));
      vertexRows.back()->group = 1;  // the vertex rows stop at the first bad one
      vertexRows.back()->apply = [&value, axis, key](const std::string& text) {
        int v = 0;
        if (!TryStrToInt(text, v)) {
          ShowMessage(key + "=" + text +
                      (axis == 1 ? std::string(",不是有用的整数,请输入一个整数.")
                                 : Tr(texts::kNotAnInteger)));
          return false;
        }
        value = UserToScreen(float(v), axis);
        return true;
      };
    }
  }
  const MediumRows medium = AddMediumRows(rows, 0);
  rows.ApplyOrder(Join({medium.fill.Order(), vertexRows, {medium.index}}));
  return rows;
}
