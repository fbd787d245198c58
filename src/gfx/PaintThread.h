#pragma once
// Runs a long paint on a thread of Qt's global pool and waits for it. Qt's
// raster engine hands every long span run (a wide line, a merge-pen stroke)
// to that pool and waits, unless it already runs there: on two cores a
// refresh of many long rays spent most of its time in those hand-overs
// (a million thread switches for one boxed white beam).
#include <functional>

void RunPaintInPool(const std::function<void()>& paint);
