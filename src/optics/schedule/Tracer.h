#pragma once
// Traces rays generation by generation through the scene's surfaces.

#include <vector>

#include "optics/DrawBaseRayDataStruct.h"
#include "optics/DrawObjectLineDataStruct.h"
#include "optics/ITraceSink.h"
#include "optics/TraceOptions.h"

// Traces the base rays (at most options.maxGenerations generations) and
// reports every drawn item to the sink, until a work bound is reached.
TraceResult TraceScene(const std::vector<DrawObjectLineDataStruct>& surfaces,
                       const std::vector<DrawBaseRayDataStruct>& baseRays,
                       const TraceOptions& options, ITraceSink& sink);

// The same, keeping the prepared faces for the next trace in `context`, and
// tracing on a free thread of the pool while the sink is called on this one
// when the sink paints and the trace before was long. The sink sees the very
// calls, in the very order, of a trace on one thread.
class TraceContext;
TraceResult TraceScene(const std::vector<DrawObjectLineDataStruct>& surfaces,
                       const std::vector<DrawBaseRayDataStruct>& baseRays,
                       const TraceOptions& options, ITraceSink& sink, TraceContext& context);
