// Scenes of Ray Optics Simulation: whatever the bytes, the import either
// refuses them or gives an experiment that traces, renders, saves and opens
// again to the same objects and trace. An input that starts with '#' is a
// share link's hash (base64 of LZMA of MessagePack); any other is a .json file.

#include "FuzzHarness.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  FuzzSetUp();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 0 && data[0] == '#')
    RoundTripExperiment(std::string(reinterpret_cast<const char*>(data), size));
  else
    RoundTripExperiment(WriteScratchFile("input.json", {data, size}));
  return 0;
}
