#pragma once
// Example experiments shipped in "Optics example", built with the engine.
// Each file under tools/examples/ registers its experiments with a static
// ExampleRegistrar; exo-make-examples writes them all with the program's writer.

#include <functional>
#include <string>
#include <vector>

class Document;

struct Example {
  std::string fileName;  // e.g. "平面镜反射.exo"
  // Fills a fresh document (ResetPage and the coordinate system are done).
  std::function<void(Document&)> build;
};

std::vector<Example>& ExampleRegistry();

struct ExampleRegistrar {
  ExampleRegistrar(std::string fileName, std::function<void(Document&)> build) {
    ExampleRegistry().push_back({std::move(fileName), std::move(build)});
  }
};
