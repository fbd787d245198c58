#pragma once
// Paints, beside the image of every imaging element and luminous source, a
// small panel with the equation's numbers (objects/EquationReadout.h).

#include <string>
#include <vector>

#include "gfx/TCanvas.h"
#include "objects/EquationReadout.h"
#include "scene/ObjectList.h"

// A rectangle of surface pixels, x2 and y2 excluded.
struct PanelRect {
  int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  bool Meets(const PanelRect& o) const { return x1 < o.x2 && o.x1 < x2 && y1 < o.y2 && o.y1 < y2; }
};

struct EquationPanelLayout {
  EquationReadout readout;
  std::vector<std::string> lines;
  int lineHeight = 0;
  PanelRect image;  // A'B' or the image point with its mark and labels
  PanelRect panel;
};

// Where every panel goes at the canvas's size and the presentation scale:
// inside the surface, clear of every image and of the panels before it
// wherever the surface has room.
std::vector<EquationPanelLayout> LayOutEquationPanels(TCanvas& canvas, const ObjectList& scene);

void PaintEquationPanels(TCanvas& canvas, const ObjectList& scene);

// "实像  倒立  缩小": what the panel says of the image.
std::string ImageNature(const EquationReadout& readout);
// A value as the panel prints it.
std::string PanelNumber(double value, int decimals = 1);
