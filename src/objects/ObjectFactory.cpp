#include "objects/ObjectFactory.h"

#include <functional>
#include <utility>

#include "objects/elements/Aperture.h"
#include "objects/elements/BeamSplitter.h"
#include "objects/elements/CircularBlocker.h"
#include "objects/elements/Concave.h"
#include "objects/elements/ConcaveMirror.h"
#include "objects/elements/ConvexityMirror.h"
#include "objects/elements/FitfulObject.h"
#include "objects/elements/FlatMirror.h"
#include "objects/elements/FourPrism.h"
#include "objects/elements/IdealConcave.h"
#include "objects/elements/IdealMagnifier.h"
#include "objects/elements/ImagingSystem.h"
#include "objects/elements/LightBlocker.h"
#include "objects/elements/Magnifier.h"
#include "objects/elements/PolygonGlass.h"
#include "objects/elements/RayFibre.h"
#include "objects/elements/ThreePrism.h"
#include "objects/sources/ComplexlH.h"
#include "objects/sources/LampHouse.h"
#include "objects/sources/PointLampHouse.h"
#include "objects/sources/RealObject.h"
#include "objects/tools/DrawImage.h"
#include "objects/tools/DrawString.h"
#include "objects/tools/OPticsLine.h"
#include "objects/tools/Protractor.h"
#include "objects/tools/ReferenceFrame.h"
#include "objects/tools/Ruler.h"
#include "scene/Document.h"

namespace {

using Maker = std::function<std::unique_ptr<DrawObjectUnit>(TCanvas*)>;

template <typename T>
std::pair<std::string, Maker> Entry(const char* name) {
  return {name, [](TCanvas* c) { return std::unique_ptr<DrawObjectUnit>(std::make_unique<T>(c)); }};
}

// Tried in this order; comparison is exact and case-sensitive.
const std::vector<std::pair<std::string, Maker>>& Table() {
  static const std::vector<std::pair<std::string, Maker>> table = {
      Entry<OPticsLine>("OPticsLine"),
      Entry<Ruler>("Ruler"),
      Entry<FlatMirror>("FlatMirror"),
      Entry<ComplexlH>("ComplexlH"),
      Entry<Concave>("Concave"),
      Entry<ConcaveMirror>("ConcaveMirror"),
      Entry<ConvexityMirror>("ConvexityMirror"),
      Entry<DrawImage>("DrawImage"),
      Entry<DrawString>("DrawString"),
      Entry<FitfulObject>("FitfulObject"),
      Entry<FourPrism>("FourPrism"),
      Entry<IdealConcave>("IdealConcave"),
      Entry<IdealMagnifier>("IdealMagnifier"),
      Entry<ImagingSystem>("ImagingSystem"),
      Entry<LampHouse>("LampHouse"),
      Entry<Magnifier>("Magnifier"),
      Entry<Protractor>("Protractor"),
      Entry<RayFibre>("RayFibre"),
      Entry<ReferenceFrame>("ReferenceFrame"),
      Entry<ThreePrism>("ThreePrism"),
      Entry<PointLampHouse>("PointLampHouse"),
      Entry<RealObject>("RealObject"),
      Entry<LightBlocker>("LightBlocker"),
      Entry<CircularBlocker>("CircularBlocker"),
      Entry<Aperture>("Aperture"),
      Entry<BeamSplitter>("BeamSplitter"),
      Entry<PolygonGlass>("PolygonGlass"),
  };
  return table;
}

}  // namespace

std::unique_ptr<DrawObjectUnit> CreateObjectByClassName(const std::string& className,
                                                        TCanvas* canvas) {
  for (const auto& [name, make] : Table())
    if (name == className) return make(canvas);
  return nullptr;
}

std::vector<std::string> KnownClassNames() {
  std::vector<std::string> names;
  for (const auto& entry : Table()) names.push_back(entry.first);
  return names;
}

bool AddCoordinateSystem(Document& document) {
  return document.AddCoordinateSystem(CreateObjectByClassName("ReferenceFrame", document.canvas));
}
