#pragma once
// The three special rays of a lens or mirror diagram, for a source that asks
// for them instead of its fan: parallel to the axis, through the optical
// centre (a mirror's centre of curvature) and through the near focal point
// (a diverging lens: toward the far one), each on its line through the
// source and heading for the element. The tracer bends them as any ray.

#include <optional>
#include <vector>

#include "optics/DrawBaseRayDataStruct.h"
#include "optics/DrawObjectLineDataStruct.h"

// An ideal lens or curved mirror as the special rays see it.
struct ImagingElement {
  TPointF centre;               // a lens's optical centre, a mirror's vertex (middle of its arc)
  double axisX = 0, axisY = 0;  // unit, along the axis
  TPointF through;              // the second ray's point: optical centre or centre of curvature
  TPointF focus;                // a mirror's (a lens's two come from its surface)
  bool lens = false;
  bool concave = false;  // a mirror reflecting on the side of its centre
};

// The element a surface is, if it is an ideal lens or a curved mirror with
// distinct foci.
std::optional<ImagingElement> ImagingElementOf(const DrawObjectLineDataStruct& s);

// Puts, in place of the rays of a source that asked for the special rays
// (all of `rays` come from one source), rays that start at the source: the
// three special rays from each of its ends toward the nearest ideal lens or
// curved mirror in front of it (whose centre lies less than 90 degrees from
// the mean direction of the source's fan, with the source on the side a
// mirror reflects), or, with none, its fan. An end on that element's axis
// keeps its fan: its three special rays would all run along the axis.
// Returns true when the source had to show its fan for want of an element.
bool AimSpecialRays(const std::vector<DrawObjectLineDataStruct>& surfaces,
                    std::vector<DrawBaseRayDataStruct>& rays);
