#pragma once
// What a trace is asked to draw and the work bounds it keeps to, and what it
// reports back.

#include "gfx/TCanvas.h"

// Work bounds of one trace, far above any classroom scene (the largest
// examples need a few thousand face tests and a few hundred items), reached
// only by damaged or hostile files: at the bounds the trace ends in well
// under a second on a small machine (bench/TraceBench.cpp measures it).
// Face tests (one ray against one face) are counted rather than time, so
// that a cut trace is the same on every machine; a ray counts the faces it
// tests (those the face index hands it), so many faces weigh only where rays
// meet them. Drawn items are bounded too: painting a long ray piece costs
// far more than finding it.
constexpr long long kFaceTestBudget = 4'000'000;
constexpr long long kDrawnItemBudget = 100'000;

struct TraceOptions {
  int rayWidth = 2;
  bool drawNormals = true;
  bool drawReverse = true;
  bool showAngles = false;
  bool highQuality = false;
  TColor normalColour = 0xCACACA;
  TColor reverseColour = 0xFF;
  int maxGenerations = 500;
  // A ray carrying less of its source's light than this is not followed.
  float minBrightness = 0.01f;
  // Every refraction also sends on the reflected ray, the light shared out
  // as the Fresnel equations give for unpolarised light.
  bool partialReflection = false;
  long long maxFaceTests = kFaceTestBudget;
  long long maxDrawnItems = kDrawnItemBudget;  // sink calls
  // Narrow each ray's faces through a bounding-volume hierarchy; the result is
  // the same either way (tests and benchmarks compare the two).
  bool faceIndex = true;
  // Tell the sink the law at every hit (ITraceSink::Hit).
  bool reportHits = false;
  // The sink paints what it is told, which costs more than tracing it: a
  // long trace is then traced beside the painting (set by the refresh).
  bool drawn = false;
};

struct TraceResult {
  bool cut = false;  // a work bound stopped the trace early
  long long faceTests = 0;
  long long drawnItems = 0;
  // Sources set to the special rays that found no ideal lens or curved
  // mirror in front of them and showed their fan.
  int fanFallbacks = 0;
};
