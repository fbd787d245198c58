#include "optics/CanvasTraceSink.h"

// TEMPORARY: painting of traced items is being written.
void CanvasTraceSink::RayPiece(TPointF, TPointF, const DrawBaseRayDataStruct&) {}
void CanvasTraceSink::Arrow(TPointF, float, const DrawBaseRayDataStruct&) {}
void CanvasTraceSink::Normal(TPointF, TPointF) {}
void CanvasTraceSink::Extension(TPointF, TPointF) {}
void CanvasTraceSink::AngleLabel(TPointF, const std::string&, bool) {}
void CanvasTraceSink::ImagePoint(TPointF, bool, const std::string&) {}
void CanvasTraceSink::ImageArrow(TPointF, TPointF, bool, int) {}
