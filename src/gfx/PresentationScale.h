#pragma once
// How much larger the surface draws what people read from a distance: the
// labels' fonts, handle squares, arrowheads, pick tolerances and the pens of
// rays, normals and extensions. At 1 (the default) everything is drawn as
// it always was; geometry, files and traces never change with it.

#include "gfx/TCanvas.h"

double PresentationScale();
// Clamped to [1, 3]; anything not a number is 1.
void SetPresentationScale(double scale);

// A size or length at the current scale; exactly `size` at 1.
int Scaled(int size);
double Scaled(double length);
// A font as the scale shows it.
TFont ScaledFont(const TFont& font);

// Text with, above scale 1, a one-pixel halo in the opposite brightness of
// the text's colour, so that a label stays readable over whatever lies
// under it. The canvas's font and brush are used as for TextOut; the label
// and its halo are one primitive of the paint budget.
void HaloTextOut(TCanvas& canvas, int x, int y, const std::string& text);
