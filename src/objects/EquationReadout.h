#pragma once
// The numbers of the lens and mirror equation for every imaging element and
// luminous source of a scene, in the school convention 1/u + 1/v = 1/f: u is
// positive for a real object, f for a converging lens or a concave mirror,
// v negative for a virtual image. Distances are pixels along the element's
// axis, from the single-precision values the tracer uses.

#include <string>
#include <vector>

#include "gfx/TCanvas.h"
#include "scene/ObjectList.h"

struct EquationReadout {
  // The element and the object it images, by SerialNames (a lens after
  // another images the first lens's image of `source`).
  std::string element, source;
  double f = 0, u = 0, v = 0, m = 0;
  bool finite = true;  // false: the object is in the focal plane
  bool real = false;   // the image
  bool upright = false;
  // Where the equation puts the image (finite only): A' and, of a
  // luminous arrow, B' (a point's image is both).
  TPointF image, imageEnd;
  // Unit vector along the axis, pointing where v counts positive.
  double axisX = 0, axisY = 0;
  // A lens after another: the magnification of the whole chain so far.
  bool chained = false;
  double chainM = 1;
};

// One entry per ideal lens, curved mirror or imaging system and point source
// or luminous object in front of it (an imaging system with its own object).
std::vector<EquationReadout> ReadEquations(const ObjectList& scene);

// "f u v m real|virtual upright|inverted" as the readout and the panel show it.
std::string EquationLine(const EquationReadout& readout);
