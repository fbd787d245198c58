#pragma once
// Labels the hits of a followed ray with the law each obeys: the indices,
// the angles and n1 sin(theta1) = n2 sin(theta2) with its numbers, or
// theta_i = theta_r for a reflection. The colours of a white ray meet a face
// side by side: their hits share one label, with the range of each number.

#include <span>
#include <string>
#include <vector>

#include "gfx/TCanvas.h"
#include "optics/TraceFilter.h"

// An angle as the labels at the normal show it: the first four characters
// of its decimal text (30.0001 as 30.0, 45 as 45), so that every label of
// one angle reads the same.
std::string AngleText(double degrees);
std::string LawText(const TraceFilter::HitLaw& hit);
// One text for the hits of one spot, ranges where they differ.
std::string LawText(std::span<const TraceFilter::HitLaw> spot);
// The hits, a spot at a time: hits of one generation within this many
// pixels of the spot's first.
constexpr float kSameSpot = 24;
std::vector<std::span<const TraceFilter::HitLaw>> Spots(
    const std::vector<TraceFilter::HitLaw>& hits);
void PaintLawLabels(TCanvas& canvas, const std::vector<TraceFilter::HitLaw>& hits);
