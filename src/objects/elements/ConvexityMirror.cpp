#include "objects/elements/ConvexityMirror.h"

#include "i18n/SharedTexts.h"
#include "i18n/TtlmController.h"

ConvexityMirror::ConvexityMirror(TCanvas* c)
    : ObjectOf(c, Traits{"ConvexityMirror", -15.0f, 2, Tr("142", "凸面镜属性"),
                         Tr(texts::kAngle1NotANumber),
                         Tr("141", "角度2错误,不是有用的数值型,请输入一个数值.")}) {}
