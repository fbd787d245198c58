#include "objects/elements/IdealConcave.h"

namespace {
const IdealLens::Kind kKind{"IdealConcave", 2, 150, 30, "152", "理想凹透镜属性"};
}  // namespace

IdealConcave::IdealConcave(TCanvas* c) : ObjectOf(c, kKind) {}
