// Measuring on the picture: the angle of reflection read off a protractor,
// the path length along a ruler, a note in a text box.

#include <memory>

#include "examples/Examples.h"
#include "objects/elements/FlatMirror.h"
#include "objects/sources/LampHouse.h"
#include "objects/tools/DrawString.h"
#include "objects/tools/OPticsLine.h"
#include "objects/tools/Protractor.h"
#include "objects/tools/Ruler.h"
#include "scene/Document.h"

namespace {

// The ray meets a mirror along y = 400 at (400, 400) coming down at 45
// degrees; the protractor between the normal and the reflected ray reads 45.
const ExampleRegistrar measuring("量角器测量反射角.exo", [](Document& d) {
  auto lamp = std::make_unique<LampHouse>(d.canvas);
  lamp->rayTemplate.startX = 200;
  lamp->rayTemplate.startY = 200;
  lamp->rayTemplate.throughX = 250;
  lamp->rayTemplate.throughY = 250;
  lamp->skipNextPaint = 0;
  lamp->SetSerialName("1");
  d.scene.push_back(std::move(lamp));
  auto mirror = std::make_unique<FlatMirror>(d.canvas);
  mirror->segment.x1 = 600;
  mirror->segment.y1 = 400;
  mirror->segment.x2 = 200;
  mirror->segment.y2 = 400;
  mirror->skipNextPaint = 0;
  mirror->SetSerialName("1");
  d.scene.push_back(std::move(mirror));
  auto normal = std::make_unique<OPticsLine>(d.canvas);
  normal->segment.p1 = {400, 400};
  normal->segment.p2 = {400, 250};
  normal->solid = 0;
  normal->skipNextPaint = 0;
  normal->SetSerialName("1");
  d.scene.push_back(std::move(normal));
  auto protractor = std::make_unique<Protractor>(d.canvas);
  protractor->vertex = {400, 400};
  protractor->arm1 = {520, 280};
  protractor->arm2 = {400, 280};
  protractor->SetSerialName("1");
  d.scene.push_back(std::move(protractor));
  auto ruler = std::make_unique<Ruler>(d.canvas);
  ruler->segment.p1 = {200, 450};
  ruler->segment.p2 = {600, 450};
  ruler->skipNextPaint = 0;
  ruler->SetSerialName("1");
  d.scene.push_back(std::move(ruler));
  auto note = std::make_unique<DrawString>(d.canvas);
  note->corners[0] = {620, 120};
  note->corners[2] = {900, 190};
  note->corners[1] = {900, 120};
  note->corners[3] = {620, 190};
  note->SetText("反射角等于入射角\r\n量角器读数: 45");
  note->skipNextPaint = 0;
  note->SetSerialName("1");
  d.scene.push_back(std::move(note));
});

}  // namespace
