#pragma once
// One ray: emitted by a light source or continued by the tracer at a hit.

#include <cstdint>
#include <string>

#include "gfx/TCanvas.h"

struct DrawBaseRayDataStruct {
  float startX = 0, startY = 0;      // fixes the direction with the through point
  float throughX = 0, throughY = 0;  // the ray is drawn and tested from here on
  float slope = 0;
  float intercept = 0;
  float direction = 0;
  std::uint8_t vertical = 0;
  float verticalX = 0;
  float indexFactor = 1.0f;  // scales refractive indices, divides focal lengths
  TColor rayColour = 255;
  std::uint8_t blend = 0;  // 1: drawn with the merge pen
  int sourceKind = 0;      // 0 none, 1 point source, 2 luminous object
  std::string name;
  int emissionGroup = 0;
  int lastSurface = 0;
  int sourceLineWidth = 0;
  // The exact unit direction on the screen (y down) of a continued ray, whose
  // float points lie only a pixel apart; 0, 0: from start to through.
  double stepX = 0, stepY = 0;
  // The share of its source's light the ray still carries: 1 for a source's
  // own rays; a beam splitter or a partly reflecting face divides it between
  // the rays it sends on. Not part of any file record.
  float brightness = 1.0f;
  // A source set to the three special rays asks for them (kAskSpecial); the
  // trace then puts rays that start at the source in their place
  // (optics/SpecialRays.h). Not part of any file record.
  enum Special : std::uint8_t { kFan = 0, kAskSpecial, kSpecialRay, kFanFromSource };
  std::uint8_t special = kFan;
};
