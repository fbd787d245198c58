// exo-make-freehand OUTDIR: writes the heavy free-hand pages that the
// painting measurements open (docs/performance.md), 60 fibres and 200
// irregular objects of 500 points each, zig-zagging in cells or across the
// whole page. Generated, not committed: each is most of a megabyte.

#include <cstdio>
#include <filesystem>
#include <string>

#include "FreehandScenes.h"
#include "OutputDirectory.h"
#include "files/ExperimentFile.h"
#include "gfx/RecordingCanvas.h"
#include "scene/Document.h"

int main(int argc, char** argv) {
  int usageStatus = 0;
  const auto found = OutputDirectory(argc, argv, "exo-make-freehand OUTDIR", usageStatus);
  if (!found) return usageStatus;
  struct Page {
    const char* name;
    int objects;
    FreehandShape shape;
    bool fibres;
  };
  const Page pages[] = {{"zigzag-fibres.exo", 60, FreehandShape::ZigZag, true},
                        {"zigzag-outlines.exo", 200, FreehandShape::ZigZag, false},
                        {"page-zigzag-fibres.exo", 60, FreehandShape::PageZigZag, true},
                        {"page-zigzag-outlines.exo", 200, FreehandShape::PageZigZag, false},
                        {"scribbled-outlines.exo", 200, FreehandShape::Scribble, false}};
  int status = 0;
  for (const Page& page : pages) {
    RecordingCanvas canvas;
    Document document(&canvas);
    document.header = MakeHeaderTemplate();
    document.header.dateTime = "2025-01-01 08:00:00";
    document.ResetPage();
    AddFreehandObjects(document, page.objects, page.shape, page.fibres);
    const std::string path = (*found / page.name).string();
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
