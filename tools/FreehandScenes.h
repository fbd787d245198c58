#pragma once
// Pages of free-hand outlines that cross themselves hundreds of times, for
// the painting benchmarks and for exo-make-freehand's files: fibres or
// irregular objects of 500 points each, scribbled or zig-zagging.

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "objects/Freehand.h"
#include "objects/elements/FitfulObject.h"
#include "objects/elements/RayFibre.h"
#include "scene/Document.h"

enum class FreehandShape {
  Scribble,   // a Lissajous figure in the object's own cell
  ZigZag,     // back and forth across the cell, down it
  PageZigZag  // back and forth across the whole page, the objects stacked
};

namespace freehand {

struct Cell {
  double x, y, w, h;
};

// The objects are laid out in a grid of cells over a 1920x1080 page.
inline Cell CellOf(int object, int objects) {
  const int columns = objects > 60 ? 20 : 10, rows = (objects + columns - 1) / columns;
  const double w = 1900.0 / columns, h = 1060.0 / rows;
  return {10 + w * (object % columns), 10 + h * (object / columns), w, h};
}

inline std::vector<TPointF> Scribble(const Cell& c, int points) {
  std::vector<TPointF> line;
  for (int i = 0; i < points; ++i)
    line.push_back({float(std::round(c.x + c.w * (0.5 + 0.45 * std::sin(i * 0.37)))),
                    float(std::round(c.y + c.h * (0.5 + 0.45 * std::sin(i * 0.23))))});
  return line;
}

// Far tighter than a fibre's diameter: its walls cross at every turn.
inline std::vector<TPointF> ZigZag(const Cell& c, int points) {
  std::vector<TPointF> line;
  for (int i = 0; i < points; ++i)
    line.push_back({float(std::round(c.x + (i % 2 ? 0.9 : 0.1) * c.w)),
                    float(std::round(c.y + c.h * (0.1 + 0.8 * i / points)))});
  return line;
}

inline std::vector<TPointF> Outline(FreehandShape shape, int object, int objects) {
  switch (shape) {
    case FreehandShape::Scribble:
      return Scribble(CellOf(object, objects), kFreehandPoints);
    case FreehandShape::ZigZag:
      return ZigZag(CellOf(object, objects), kFreehandPoints);
    case FreehandShape::PageZigZag:
      break;
  }
  const double shift = 5.0 * object;
  return ZigZag({40 + shift, 20 + shift, 1800 - 2 * shift, 1000 - 2 * shift}, kFreehandPoints);
}

}  // namespace freehand

// Appends `objects` fibres (or irregular objects, closed and filled).
inline void AddFreehandObjects(Document& doc, int objects, FreehandShape shape, bool fibres) {
  for (int k = 0; k < objects; ++k) {
    std::vector<TPointF> line = freehand::Outline(shape, k, objects);
    if (fibres) {
      auto fibre = std::make_unique<RayFibre>(doc.canvas);
      fibre->centre = std::move(line);
      fibre->pointCount = int(fibre->centre.size());
      fibre->ApplyWallRule();
      fibre->SetSerialName(std::to_string(k + 1));
      doc.scene.push_back(std::move(fibre));
    } else {
      auto outline = std::make_unique<FitfulObject>(doc.canvas);
      outline->vertices = std::move(line);
      outline->pointCount = int(outline->vertices.size());
      outline->closed = 1;
      outline->outlineExtent = outline->pointCount;
      outline->skipNextPaint = 0;
      outline->SetSerialName(std::to_string(k + 1));
      doc.scene.push_back(std::move(outline));
    }
  }
}
