#include "optics/Tracer.h"

// TEMPORARY: the tracer is being written.
void TraceScene(const std::vector<DrawObjectLineDataStruct>&,
                const std::vector<DrawBaseRayDataStruct>&, const TraceOptions&, ITraceSink&) {}
