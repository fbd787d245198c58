#pragma once

struct DrawObjectLineDataStruct;

// One hit of a ray on a surface.
struct TLinkIntersection {
  float x = 0, y = 0;
  const DrawObjectLineDataStruct* surface = nullptr;
  int code = 0;  // 1 = arrives from the right of the surface direction, 2 = from the left
};
