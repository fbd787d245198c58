// Scenes of Ray Optics Simulation: whatever the bytes, the import either
// refuses them or gives an experiment that traces, renders, saves and opens
// again to the same objects and trace. An input that starts with '#' is a
// share link's hash (base64 of LZMA of MessagePack); any other is a .json file.
// What imports also exports, and the export imports again without a loss.

#include <QByteArray>

#include "FuzzHarness.h"
#include "files/RayOpticsScene.h"
#include "files/RayOpticsWriter.h"
#include "objects/ObjectFactory.h"
#include "scene/Document.h"

namespace {

void ExportAndImport(const std::string& pathOrLink) {
  FuzzResetSettings();
  Document document(nullptr);
  document.ResetPage();
  AddCoordinateSystem(document);
  if (RayOpticsScene::Import(pathOrLink, document).status != OpenStatus::Opened) return;
  std::vector<std::string> messages;
  const QByteArray json = RayOpticsWriter::Bytes(document, messages);
  Document again(nullptr);
  again.ResetPage();
  const OpenResult back = RayOpticsScene::ImportText(
      {reinterpret_cast<const std::uint8_t*>(json.data()), std::size_t(json.size())}, again);
  Require(back.status == OpenStatus::Opened && back.complete,
          "an exported scene does not import whole again");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  FuzzSetUp();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input = size > 0 && data[0] == '#'
                                ? std::string(reinterpret_cast<const char*>(data), size)
                                : WriteScratchFile("input.json", {data, size});
  RoundTripExperiment(input);
  ExportAndImport(input);
  return 0;
}
