#pragma once
// Painting shared by the light sources that are not parallel beams: the
// source disc, its label and the selection circle.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "gfx/TCanvas.h"
#include "gfx/TGDIPlusCanvas.h"

// Filled disc of radius 5 around p, pen and brush in the colour.
void PaintDisc(TCanvas& canvas, TPointF p, TColor color);
// A label in Arial 8 with a transparent background, top-left at p + (7, 7).
void PaintLabel(TCanvas& canvas, TPointF p, TColor color, const std::string& text);
// The selection circle of radius 10 around a source point.
void PaintSourceCircle(TCanvas& canvas, TPointF p);
