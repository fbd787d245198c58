#pragma once
// Traces rays generation by generation through the scene's surfaces.

#include <vector>

#include "gfx/TCanvas.h"
#include "optics/DrawBaseRayDataStruct.h"
#include "optics/DrawObjectLineDataStruct.h"
#include "optics/ITraceSink.h"

struct TraceOptions {
  int rayWidth = 2;
  bool drawNormals = true;
  bool drawReverse = true;
  bool showAngles = false;
  bool highQuality = false;
  TColor normalColour = 0xCACACA;
  TColor reverseColour = 0xFF;
  int maxGenerations = 500;
};

// Traces the base rays (at most options.maxGenerations generations) and
// reports every drawn item to the sink.
void TraceScene(const std::vector<DrawObjectLineDataStruct>& surfaces,
                const std::vector<DrawBaseRayDataStruct>& baseRays, const TraceOptions& options,
                ITraceSink& sink);
