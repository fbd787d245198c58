#pragma once
// What selecting asks of shapes: a point in a box, polygon or near a
// segment, a shape meeting the selection rectangle.

#include <vector>

#include "optics/DrawObjectLineDataStruct.h"
#include "optics/PlaneMath.h"

bool PointInRect(TPointF p, float x1, float y1, float x2, float y2);
bool SegmentMeetsRect(const DrawObjectLineDataStruct& segment, float x1, float y1, float x2,
                      float y2);
// Polygons fill alternately (even-odd); the rectangle's corners are whole
// pixels, its right and bottom edges excluded.
bool PolygonMeetsRect(const TRectF& rect, const std::vector<TPointF>& points);
bool PointInPolygon(float x, float y, const std::vector<TPointF>& points);
bool NearSegment(TPointF p, TPointF a, TPointF b, float tolerance);
