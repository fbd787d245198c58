#pragma once
// Labels the hits of a followed ray with the law each obeys: the indices,
// the angles and n1 sin(theta1) = n2 sin(theta2) with its numbers, or
// theta_i = theta_r for a reflection.

#include <string>
#include <vector>

#include "gfx/TCanvas.h"
#include "optics/TraceFilter.h"

std::string LawText(const TraceFilter::HitLaw& hit);
void PaintLawLabels(TCanvas& canvas, const std::vector<TraceFilter::HitLaw>& hits);
