#include "HostileFiles.h"

#include <cmath>
#include <limits>

namespace {

FileBytes ManyPictures(int count, std::int32_t side) {
  ExperimentFileBuilder file;
  for (int i = 0; i < count; ++i)
    file.Picture(float(10 * i), 0, float(10 * i + 1500), 1000, RunLengthBmp(side, side), true);
  return file.Build();
}

FileBytes Arcs(float angle) {
  ExperimentFileBuilder file;
  for (const char* name : {"Magnifier", "Concave", "ConcaveMirror", "ConvexityMirror"})
    file.Arc(name, {400, 300, 100, angle, -angle, angle});
  return file.Build();
}

}  // namespace

std::vector<HostileFile> HostileFiles() {
  constexpr float kInf = std::numeric_limits<float>::infinity();
  std::vector<HostileFile> files;
  // A picture whose header claims 256 MB in a file of a few hundred bytes.
  FileBytes claim = RunLengthBmp(100, 100);
  PatchInt32(claim, 2, (256 << 20) - 1);
  files.push_back({"picture-claims-256mb.exo",
                   ExperimentFileBuilder().Picture(0, 0, 100, 100, claim).Build(), false, 100});
  files.push_back({"pictures-5600-8.exo", ManyPictures(8, 5600), false, 100});
  files.push_back({"pictures-4096-40.exo", ManyPictures(40, 4096), false, 450});
  files.push_back({"arcs-1e8.exo", Arcs(1e8f), true, 100});
  files.push_back({"arcs-1e30.exo", Arcs(1e30f), true, 100});
  files.push_back({"arcs-nan.exo", Arcs(std::nanf("")), false, 100});
  files.push_back({"arcs-inf.exo", Arcs(kInf), false, 100});
  files.push_back(
      {"arcs-far.exo",
       ExperimentFileBuilder().Arc("ConcaveMirror", {0, 0, 1e8f, 1e30f, 90, 360}).Build(), true,
       100});
  const std::string letters(30000, 'W');
  files.push_back({"text-30000-at-2000.exo",
                   ExperimentFileBuilder().Text(10, 10, 1900, 1000, letters, 2000).Build(), true,
                   100});
  // 600 KB in 100 lines, most of them above or below the surface.
  std::string line;
  while (line.size() < 9000) line += "光学";
  std::string lines = line;
  for (int i = 1; i < 100; ++i) lines += "\r\n" + line;
  files.push_back({"text-600k.exo",
                   ExperimentFileBuilder().Text(10, -20000, 1900, 50000, lines, 500).Build(), true,
                   100});
  // Each imaging system once held its own copies of the pictures.
  ExperimentFileBuilder imaging;
  for (int i = 0; i < 3000; ++i) imaging.ImagingSystem();
  files.push_back({"imaging-systems-3000.exo", imaging.Build(), true, 100});
  return files;
}
