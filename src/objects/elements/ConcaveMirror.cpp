#include "objects/elements/ConcaveMirror.h"

#include "i18n/TtlmController.h"

ConcaveMirror::ConcaveMirror(TCanvas* c)
    : ObjectOf(c, Traits{"ConcaveMirror", 15.0f, 1, Tr("138", "凹面镜属性"),
                         Tr("132", "角度1,不是有用的数值型,请输入一个数值."),
                         Tr("133", "角度2错误,不是有用的数值型,请输入一个数值.")}) {}
