// The converted layout (what the converter library writes from a file of an
// older release): Open takes the file through the converter, which here
// leaves it as it is, then reads it; what opens must trace, render, save and
// open again as the experiment files do.

#include <filesystem>

#include "FuzzHarness.h"

#ifndef EXO_FUZZ_CONVERTER
#error "EXO_FUZZ_CONVERTER names the pass-through converter library"
#endif

namespace {

// The converter's folder, with the library under the name Open looks for.
std::string ConverterDirectory() {
  const std::string directory = ScratchDirectory() + "converter/";
  std::filesystem::create_directories(directory);
  std::filesystem::copy_file(EXO_FUZZ_CONVERTER, directory + "changfiletov5.dat",
                             std::filesystem::copy_options::overwrite_existing);
  return directory;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  FuzzSetUp();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string converter = ConverterDirectory();
  RoundTripExperiment(WriteScratchFile("older.exo", {data, size}), converter);
  return 0;
}
