// Runs a fuzz target over saved inputs without libFuzzer, so that the
// sanitizer build replays the corpus as a test: each argument is a file, or
// a folder whose files (recursively) are read in name order.

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv);
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

void Collect(const std::filesystem::path& path, std::vector<std::filesystem::path>& files) {
  if (std::filesystem::is_directory(path)) {
    for (const auto& entry : std::filesystem::recursive_directory_iterator(path))
      if (entry.is_regular_file()) files.push_back(entry.path());
  } else {
    files.push_back(path);
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::filesystem::path> files;
  for (int i = 1; i < argc; ++i) {
    if (!std::filesystem::exists(argv[i])) {
      std::fprintf(stderr, "no such input: %s\n", argv[i]);
      return 2;
    }
    Collect(argv[i], files);
  }
  std::sort(files.begin(), files.end());
  LLVMFuzzerInitialize(&argc, &argv);
  for (const auto& file : files) {
    std::ifstream in(file, std::ios::binary);
    std::vector<char> bytes(std::filesystem::file_size(file));
    in.read(bytes.data(), std::streamsize(bytes.size()));
    // The name first, so that a crash names its input; then the time taken.
    std::fprintf(stderr, "%s", file.c_str());
    const auto start = std::chrono::steady_clock::now();
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    std::fprintf(stderr, " %.0f ms\n", took.count());
  }
  std::printf("replayed %zu inputs\n", files.size());
  return files.empty() ? 1 : 0;
}
