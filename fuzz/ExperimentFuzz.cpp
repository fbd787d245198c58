// Experiment files of the current layout: whatever the bytes, Open either
// refuses them or gives an experiment that traces, renders, saves and opens
// again to the same trace and, saved once more, to the same bytes.

#include "FuzzHarness.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  FuzzSetUp();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  RoundTripExperiment(WriteScratchFile("input.exo", {data, size}));
  return 0;
}
