#pragma once
// Drawing on a canvas from real coordinates: point arrays, arrow lines and
// arcs as the objects and the tracer paint them.

#include <vector>

#include "gfx/TCanvas.h"
#include "optics/PlaneMath.h"

std::vector<TPoint> ToPointArray(const std::vector<TPointF>& points, bool close);
void DrawArrowLine(TCanvas& canvas, TPointF a, TPointF b, int arrows);
void DrawAngleArc(TCanvas& canvas, TPointF a, TPointF b, double f, double g);
