#pragma once
// What the light stops and the beam splitter share: their faces and the
// rows of a bounded real value.

#include <string>

#include "optics/DrawObjectLineDataStruct.h"
#include "scene/PropertyRows.h"

// A face from a to b that ends every ray meeting it; a screen also marks
// where each arrives.
DrawObjectLineDataStruct AbsorbingFace(TPointF a, TPointF b, bool screen);

// A real value within [low, high], shown with up to six characters; any
// other text is refused with `message`.
PropertyRow BoundedRealRow(const std::string& key, float& value, double low, double high,
                           const std::string& message);
