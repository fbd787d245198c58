#pragma once
// Paints, beside the image of every imaging element and luminous source, a
// small panel with the equation's numbers (objects/EquationReadout.h).

#include "gfx/TCanvas.h"
#include "scene/ObjectList.h"

void PaintEquationPanels(TCanvas& canvas, const ObjectList& scene);
