#pragma once
// Runs a long paint on a thread of Qt's global pool and waits for it. Qt's
// raster engine hands every long span run (a wide line, a merge-pen stroke)
// to that pool and waits, unless it already runs there: on two cores a
// refresh of many long rays spent most of its time in those hand-overs
// (a million thread switches for one boxed white beam).
#include <functional>

void RunPaintInPool(const std::function<void()>& paint);

// How many threads a paint may use: one per core, no more than Qt's global
// pool runs (exo-tool bench --threads lowers that), at least one.
int PaintThreads();
// Calls band(0) ... band(count - 1), each once, on this thread and on the
// threads of Qt's global pool that are free now, and returns when all have
// run. No band waits for a pool thread: what no free thread takes runs here,
// so a busy pool (Qt's own span hand-overs included) cannot hold it up.
void RunBands(int count, const std::function<void(int)>& band);
