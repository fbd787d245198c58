#pragma once
// Qt's fills and line spans use AVX and may return with the upper halves of
// the vector registers dirty. Until they are cleared every scalar SSE
// instruction of the engine waits on them (a trace ran 6-8 times slower
// after one QImage::fill). Painting back ends call this on their way out,
// the tracer on its way in.
void ClearUpperVectorState();
