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
  return {
      {"picture-claims-256mb.exo", false, 100,
       [] {
         // A picture whose header claims 256 MB in a file of a few hundred bytes.
         FileBytes claim = RunLengthBmp(100, 100);
         PatchInt32(claim, 2, (256 << 20) - 1);
         return ExperimentFileBuilder().Picture(0, 0, 100, 100, claim).Build();
       }},
      {"pictures-5600-8.exo", false, 100, [] { return ManyPictures(8, 5600); }},
      {"pictures-4096-40.exo", false, 450, [] { return ManyPictures(40, 4096); }},
      {"arcs-1e8.exo", true, 100, [] { return Arcs(1e8f); }},
      {"arcs-1e30.exo", true, 100, [] { return Arcs(1e30f); }},
      {"arcs-nan.exo", false, 100, [] { return Arcs(std::nanf("")); }},
      {"arcs-inf.exo", false, 100, [] { return Arcs(std::numeric_limits<float>::infinity()); }},
      {"arcs-far.exo", true, 100,
       [] {
         return ExperimentFileBuilder().Arc("ConcaveMirror", {0, 0, 1e8f, 1e30f, 90, 360}).Build();
       }},
      {"text-30000-at-2000.exo", true, 100,
       [] {
         return ExperimentFileBuilder()
             .Text(10, 10, 1900, 1000, std::string(30000, 'W'), 2000)
             .Build();
       }},
      {"text-600k.exo", true, 100,
       [] {
         // 600 KB in 100 lines, most of them above or below the surface.
         std::string line;
         while (line.size() < 9000) line += "光学";
         std::string lines = line;
         for (int i = 1; i < 100; ++i) lines += "\r\n" + line;
         return ExperimentFileBuilder().Text(10, -20000, 1900, 50000, lines, 500).Build();
       }},
      {"imaging-systems-3000.exo", true, 100,
       [] {
         // Each imaging system once held its own copies of the pictures.
         ExperimentFileBuilder file;
         for (int i = 0; i < 3000; ++i) file.ImagingSystem();
         return file.Build();
       }},
  };
}
