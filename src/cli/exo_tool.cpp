// exo-tool: open, trace, render, re-save and describe experiment files
// without a window.
#include <cstdio>

int main(int argc, char** argv) {
  (void)argv;
  if (argc < 2) {
    std::fprintf(stderr, "usage: exo-tool trace|render|resave|info ...\n");
    return 2;
  }
  return 2;
}
