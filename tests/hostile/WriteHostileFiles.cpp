// exo-hostile-files DIR: writes the hostile experiment files into DIR (the
// regression inputs fuzz/corpus/experiment/regress-hostile-* are made with it).
#include <cstdio>
#include <exception>

#include "HostileFiles.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: exo-hostile-files DIR\n");
    return 2;
  }
  try {
    for (const HostileFile& file : HostileFiles())
      WriteBytesToFile(std::string(argv[1]) + "/" + file.name, file.build());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "exo-hostile-files: %s\n", e.what());
    return 1;
  }
  return 0;
}
