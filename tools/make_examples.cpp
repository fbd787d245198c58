// exo-make-examples OUTDIR: writes every registered example experiment with
// the program's own writer.

#include <cstdio>
#include <filesystem>

#include "OutputDirectory.h"
#include "examples/Examples.h"
#include "files/ExperimentFile.h"
#include "gfx/RecordingCanvas.h"
#include "objects/ObjectFactory.h"
#include "scene/Document.h"

std::vector<Example>& ExampleRegistry() {
  static std::vector<Example> examples;
  return examples;
}

int main(int argc, char** argv) {
  int usageStatus = 0;
  const auto found = OutputDirectory(argc, argv, "exo-make-examples OUTDIR", usageStatus);
  if (!found) return usageStatus;
  const std::filesystem::path& directory = *found;
  int status = 0;
  for (const Example& example : ExampleRegistry()) {
    RecordingCanvas canvas;
    Document document(&canvas);
    document.header = MakeHeaderTemplate();
    // A fixed date keeps regenerated files identical to the committed ones.
    document.header.dateTime = "2025-01-01 08:00:00";
    document.ResetPage();
    AddCoordinateSystem(document);
    example.build(document);
    const std::string path = (directory / example.fileName).string();
    std::string message;
    if (!SaveExperimentFile(path, document, &message)) {
      std::fprintf(stderr, "%s\n", message.c_str());
      status = 1;
      continue;
    }
    std::printf("%s\n", path.c_str());
  }
  return status;
}
