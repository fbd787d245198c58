#pragma once
// Pieces shared by the triangular and the rectangular medium: painting,
// the faces handed to the tracer, the index row and the file record.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "gfx/TCanvas.h"
#include "optics/DrawObjectLineDataStruct.h"

class ByteReader;
class ByteWriter;
class DrawObjectUnit;

namespace medium {

// Default index of a new medium.
constexpr float kDefaultIndex = 1.3f;
// Coordinates read from a file beyond this are refused: whole-pixel
// conversion of larger values would overflow.
constexpr float kMaxCoordinate = 1.0e8f;

// Closed outline (plain or anti-aliased) and, outside the rubber band, the
// merge fill. The first-paint flag is handled by the caller.
void DrawOutlineAndFill(DrawObjectUnit& object, const std::vector<TPointF>& vertices, int mode,
                        bool highQualityOutline);

// One refracting face per edge, medium on the left of each face: edges i ->
// i+1, then the closing edge from the first to the last vertex.
std::vector<DrawObjectLineDataStruct> Faces(const std::vector<TPointF>& vertices, TPointF interior,
                                            float refractiveIndex);

// 2 inside, 1 on a handle (selectedHandle set), 0 miss.
int HitTest(DrawObjectUnit& object, const std::vector<TPointF>& vertices, int x, int y);

// Page coordinate of a canvas value as shown in the sheet.
std::string CoordinateText(float value, int axis);
// First six characters of the index's decimal text.
std::string IndexText(float index);
// Reads the "折射率" row: false after its message, index unchanged.
bool ApplyIndexRow(const std::string& text, float& index);
// Reads the colour rows and the fill flag; the colour rows are read-only and
// always hold decimal numbers, anything else keeps the old value.
void ApplyColourRows(DrawObjectUnit& object);
// Row styles of the fill flag, the two colours and the index, from `first`.
void StyleCommonRows(int first);
// Inserts the four common rows (they go above earlier ones, so call first).
void InsertCommonRows(const DrawObjectUnit& object, float index);

void SaveTail(ByteWriter& out, const DrawObjectUnit& object, const std::vector<TPointF>& vertices,
              float index, std::uint8_t firstPaint);
// Reads vertices, index, flag and the reserved block into temporaries;
// false on a short record or on values no drawing could use.
bool LoadTail(ByteReader& in, std::vector<TPointF>& vertices, float& index,
              std::uint8_t& firstPaint, std::array<std::uint8_t, 40>& reserved);

}  // namespace medium
