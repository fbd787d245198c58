#pragma once
// Editing axis-parallel boxes held as four corners.

#include "gfx/TCanvas.h"

// Axis-parallel boxes held as four corners in order (0 the first corner, 2
// the opposite one, 1 sharing 0's y, 3 sharing 0's x).
void SpanBox(TPointF* corners, TPointF first, TPointF opposite);
// Corner `index` moved to p; its two neighbours follow so the sides stay
// parallel to the axes. Nothing moves for an index outside 0..3 or a corner
// already at p.
void DragBoxCorner(TPointF* corners, int index, TPointF p);
