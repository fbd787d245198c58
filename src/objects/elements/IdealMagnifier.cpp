#include "objects/elements/IdealMagnifier.h"

namespace {
const IdealLens::Kind kKind{"IdealMagnifier", 1, 30, 150, "151", "理想凸透镜属性"};
}  // namespace

IdealMagnifier::IdealMagnifier(TCanvas* c) : ObjectOf(c, kKind) {}
